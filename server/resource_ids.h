// Resource identifiers of Corvane.dll (shared by the .rc script and the code).
#pragma once

#define IDS_PROJNAME 100
#define IDR_CORVANE_APP 101
#define IDR_CORVANE_EX 103
