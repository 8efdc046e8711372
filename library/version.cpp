// The version the library was built as, for programs to compare with the headers' version.
#include "corvane/chart.h"
#include "corvane/version.h"

namespace corvane {

const char* LibraryVersion() noexcept { return CORVANE_VERSION_STRING; }

}  // namespace corvane
