// UTF-16 text of the automation interface <-> the engine's narrow strings.
// Windows: the ANSI code page of the calling thread's locale. Portable build: UTF-8.
// Both stop at the first null code unit (a BSTR with an embedded null ends there).
// Allocation failure throws std::bad_alloc; the automation layer turns it into E_OUTOFMEMORY.
#pragma once
#include <cstdint>
#include <string>

namespace corvane {

// `text` may be null (an empty string results); `len` is the code-unit count of the BSTR.
std::string NarrowFromUtf16(const char16_t* text, std::uint32_t len);
std::u16string WidenToUtf16(const std::string& narrow);

}  // namespace corvane
