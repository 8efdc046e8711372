// What a failed call of the chart reports: the HRESULT the COM object would return for the
// same call, its name and what it means.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

#include "corvane/export.h"

namespace corvane {

// The symbolic name of an HRESULT ("E_INVALIDARG", "HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)"),
// or its hexadecimal value ("0x80041234") for one the library does not know.
CORVANE_API std::string HResultName(std::uint32_t hresult);
// One sentence saying what the HRESULT means ("One or more arguments are not valid.").
CORVANE_API std::string HResultMeaning(std::uint32_t hresult);

// Thrown by every member of corvane::Chart whose call fails; what() reads
// "SaveToPng: 0x80070003 HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND): The system cannot find
// the path specified." A call that throws changes nothing the chart stores.
class CORVANE_API Error : public std::runtime_error {
 public:
  Error(std::uint32_t hresult, const std::string& member);
  ~Error() override;

  // The HRESULT as the unsigned 32-bit value it is written as (0x80070057).
  std::uint32_t hresult() const noexcept { return hresult_; }
  // The member of the chart that failed, by its interface name ("SaveToPng").
  const std::string& member() const noexcept { return member_; }
  std::string name() const { return HResultName(hresult_); }
  std::string meaning() const { return HResultMeaning(hresult_); }

 private:
  std::uint32_t hresult_;
  std::string member_;
};

}  // namespace corvane
