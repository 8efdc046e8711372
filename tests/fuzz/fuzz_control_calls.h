// The calls of the table that drive what the chart control adds to the chart: mouse
// gestures through the control's interaction, and loading its saved properties.
#pragma once

#include "tests/fuzz/fuzz_calls.h"
#include "tests/fuzz/fuzz_values.h"

namespace corvane::fuzz {

// Settings and a run of wheel, press, move, release, cancel, leave and reset events at
// coordinates the input names (the picture's extremes among them).
HResult ControlGesturesCall(Reader& in, Session& s);
// A property stream built from the input -- mostly known tags with fitting payloads, some
// with the wrong type, length, plot or version -- loaded into the chart. A refused stream
// changes nothing (the fuzzer checks); a stream that loads must save again and load into a
// fresh chart as the same properties.
HResult LoadPropertiesCall(Reader& in, Session& s);

}  // namespace corvane::fuzz
