// The members a gallery script may call or set, by name: every method and property put of
// ICorvaneEx and ICorvaneEx2 that takes its input as arguments. Getters, Show, hWnd, the
// Picture object, DrawTo and the clipboard need a host and are left out.
#pragma once
#include <string>

#include "control/automation.h"
#include "tests/gallery/script_value.h"

namespace corvane::gallery {

struct ScriptMember {
  const char* name;
  bool put;    // chart.name = value, else chart.name arg, ...
  int arity;
  HResult (*run)(CorvaneAutomation& c, const Args& a);
};

// The member called `name` (without regard to case) of the given kind, or null.
const ScriptMember* FindMember(const std::string& name, bool put);

}  // namespace corvane::gallery
