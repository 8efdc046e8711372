// Runs a member body that may allocate: no exception leaves the automation layer
// (memory running out is E_OUTOFMEMORY, anything else E_FAIL).
#pragma once
#include <new>
#include <stdexcept>

#include "platform/hresult.h"

namespace corvane {

template <typename Body>
HResult Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return kE_OUTOFMEMORY;
  } catch (const std::length_error&) {
    return kE_OUTOFMEMORY;
  } catch (...) {
    return kE_FAIL;
  }
}

}  // namespace corvane
