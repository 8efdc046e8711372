// The calls of the table that draw or take arrays: renders into files, windows and buffers
// (each spends one of the session's renders), the whole-array point members, capacities and
// streams.
#pragma once

#include "tests/fuzz/fuzz_calls.h"
#include "tests/fuzz/fuzz_values.h"

namespace corvane::fuzz {

HResult SaveToFileCall(Reader& in, Session& s);
HResult SaveToPngCall(Reader& in, Session& s);
HResult ShowCall(Reader& in, Session& s);
HResult GetPictureCall(Reader& in, Session& s);
// Checks besides the result that no byte of the buffer outside the chart's place changed.
HResult DrawToCall(Reader& in, Session& s);
HResult AddPointsToPlotCall(Reader& in, Session& s);
HResult AddPointsToPlot2Call(Reader& in, Session& s);
// A capacity, and a frame of a stream: points appended, the window set to the newest.
HResult PutPlotCapacityCall(Reader& in, Session& s);
HResult StreamCall(Reader& in, Session& s);

}  // namespace corvane::fuzz
