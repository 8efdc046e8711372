// Runs a gallery script natively: the gallery's VBScript files are the one description of
// each chart. Under Wine they run through cscript and the registered DLL; here this runner
// reads the same file and makes the same calls on the portable automation layer, so both
// builds draw what the page shows.
//
// It understands the plain statements a gallery script is written in, and nothing more:
//   ' comments, blank lines, "Option Explicit", lines continued with " _"
//   Set chart = CreateObject("Corvane.CorvaneEx")
//   chart.Member arg, arg, ...        (a method call)
//   chart.Member = value              (a property put)
// where an argument is a number (123, -4.5, 1e-3), a hexadecimal Long (&H00C0FF&), True or
// False, a string literal ("a ""quoted"" word"), RGB(r, g, b), Array(n, n, ...) of numbers,
// or WScript.Arguments(n) (the n-th command-line argument). Names are matched without
// regard to case, as VBScript does. Anything else is an error naming the line, so a gallery
// script cannot silently use what only one build would run.
#pragma once
#include <string>
#include <vector>

#include "control/automation.h"

namespace corvane::gallery {

// Runs `source` against `chart`; `arguments` are WScript.Arguments(0), (1), ...
// Returns "" on success, else "line N: what went wrong" (the calls before that line stay
// made). A member that answers a failure HRESULT is an error too.
std::string RunScript(const std::string& source, const std::vector<std::string>& arguments,
                      CorvaneAutomation& chart);

}  // namespace corvane::gallery
