// How many processors this process may run on: the processors of its affinity mask where the
// system tells, else the machine's hardware threads; at least 1.
#pragma once

namespace corvane {

int AllowedProcessors();

}  // namespace corvane
