// Corvane's portable chart library: the chart, its errors and the version of these headers.
#pragma once

#include "corvane/chart.h"
#include "corvane/error.h"
#include "corvane/version.h"
