// The HRESULTs a chart reports, by name and meaning, and the exception that carries them.
#include "corvane/error.h"

#include <cstdio>


namespace corvane {

namespace {

struct KnownResult {
  std::uint32_t hresult;
  const char* name;
  const char* meaning;
};

// Every code the engine returns, with the text Windows gives for it.
constexpr KnownResult kKnownResults[] = {
    {0x00000000u, "S_OK", "The operation completed successfully."},
    {0x00000001u, "S_FALSE", "The operation completed and answered false."},
    {0x80004001u, "E_NOTIMPL", "Not implemented."},
    {0x80004002u, "E_NOINTERFACE", "No such interface supported."},
    {0x80004003u, "E_POINTER", "Invalid pointer."},
    {0x80004005u, "E_FAIL", "Unspecified error."},
    {0x8007000Eu, "E_OUTOFMEMORY", "Not enough memory resources are available to complete this operation."},
    {0x80070057u, "E_INVALIDARG", "One or more arguments are not valid."},
    {0x80070005u, "E_ACCESSDENIED", "Access is denied."},
    {0x80070002u, "HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)", "The system cannot find the file specified."},
    {0x80070003u, "HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)", "The system cannot find the path specified."},
    {0x8007001Du, "HRESULT_FROM_WIN32(ERROR_WRITE_FAULT)", "The system cannot write to the specified device."},
    {0x80070070u, "HRESULT_FROM_WIN32(ERROR_DISK_FULL)", "There is not enough space on the disk."},
    {0x800700CEu, "HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)", "The filename or extension is too long."},
    {0x80070781u, "HRESULT_FROM_WIN32(ERROR_CANT_RESOLVE_FILENAME)", "The name of the file cannot be resolved by the system."},
    {0x80020005u, "DISP_E_TYPEMISMATCH", "Type mismatch."},
    {0x80020008u, "DISP_E_BADVARTYPE", "Bad variable type."},
};

const KnownResult* Find(std::uint32_t hresult) {
  for (const KnownResult& r : kKnownResults)
    if (r.hresult == hresult) return &r;
  return nullptr;
}

std::string Hex(std::uint32_t hresult) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hresult));
  return text;
}

std::string Describe(std::uint32_t hresult, const std::string& member) {
  const KnownResult* known = Find(hresult);
  std::string text = member + ": " + Hex(hresult);
  if (known) text += std::string(" ") + known->name;
  return text + ": " + HResultMeaning(hresult);
}

}  // namespace

std::string HResultName(std::uint32_t hresult) {
  const KnownResult* known = Find(hresult);
  return known ? known->name : Hex(hresult);
}

std::string HResultMeaning(std::uint32_t hresult) {
  const KnownResult* known = Find(hresult);
  if (known) return known->meaning;
  return (hresult & 0x80000000u) ? "An error the library does not describe."
                                 : "A success the library does not describe.";
}

Error::Error(std::uint32_t hresult, const std::string& member)
    : std::runtime_error(Describe(hresult, member)), hresult_(hresult), member_(member) {}

Error::~Error() = default;

}  // namespace corvane
