// The class factory of CorvaneEx, created on the first request and cached for the life of
// the module.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace corvane::server {

// Creates the factory on first use (under the module lock) and returns riid of it.
HRESULT GetClassFactory(REFIID riid, void** ppv);
// Drops the module's cached reference (module unload).
void ReleaseClassFactory();

}  // namespace corvane::server
