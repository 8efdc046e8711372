// CORVANE_API marks what the library exports: the public classes and functions only. The
// library is built with hidden visibility, so nothing of the engine behind them is reachable.
#pragma once

#if defined(_WIN32)
#  if defined(CORVANE_STATIC)
#    define CORVANE_API
#  elif defined(CORVANE_BUILDING)
#    define CORVANE_API __declspec(dllexport)
#  else
#    define CORVANE_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define CORVANE_API __attribute__((visibility("default")))
#else
#  define CORVANE_API
#endif
