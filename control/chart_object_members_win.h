// Every definition of ChartObject's members, for the two files that instantiate it
// (corvane_ex_win.cpp for CCorvaneEx, chart_control/chart_control_win.cpp for the control).
#pragma once
#include "control/chart_object_dispatch_win.h"
#include "control/corvane_ex2_members_win.h"
#include "control/corvane_ex3_members_win.h"
#include "control/corvane_ex_members_win.h"
