// The calls a fuzz input decodes into: every member of both interfaces of the portable
// automation layer, each reading its arguments from the input. The table's order is the
// input format (an op byte picks entry byte % count), so entries are only ever appended.
#pragma once
#include <cstdint>
#include <string>

#include "control/automation.h"
#include "platform/raster/raster_system.h"
#include "tests/fuzz/fuzz_values.h"

namespace corvane::fuzz {

// What the calls of one input share.
struct Session {
  RasterGraphicsSystem& system;
  CorvaneAutomation& chart;
  std::int32_t window;  // a host window surface of the system
  std::string dir;      // a private directory for the files the chart writes
  int rendersLeft;      // renders still allowed (keeps every input well under a second)
  bool wasDirty = false;  // the layout was stale before the call
};

// What a call may answer. kStores: S_OK, always (allocation failure aside). kRefusable: a
// failure code for arguments the member refuses (a null out-pointer, an array that cannot
// be added). kRenders: as kRefusable, and a refused render may have laid the chart out.
// kLaysOut: as kRefusable, and a read-back refused after laying out (a result that is no
// finite number) may have run the layout pass, but nothing else.
enum CallRule : std::uint8_t { kStores, kRefusable, kRenders, kLaysOut };

// A member call as the input gives it.
struct CallKind {
  const char* name;
  CallRule rule;
  HResult (*run)(Reader& in, Session& s);
};

const CallKind* Calls();
int CallCount();
// The op byte of the member called `name` (-1 for none): for writing inputs.
int CallIndex(const char* name);

}  // namespace corvane::fuzz
