// Resource identifiers of Corvane.dll (shared by the .rc script and the code).
#pragma once

#define IDS_PROJNAME 100
#define IDR_CORVANE_APP 101
#define IDR_CORVANE_EX 103
#define IDR_CHART_CONTROL 104
// The control's picture in a form designer's toolbox (16 x 15 pixels); the control's
// registration names it by this number.
#define IDB_CHART_CONTROL 105
