// The class factories of CorvaneEx and ChartControl, each created on its first request and
// cached for the life of the module.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace corvane::server {

// Creates the factory of `clsid` on first use (under the module lock) and returns riid of it;
// CLASS_E_CLASSNOTAVAILABLE for a class the module does not serve.
HRESULT GetClassFactory(REFCLSID clsid, REFIID riid, void** ppv);
// Drops the module's cached references (module unload).
void ReleaseClassFactories();

}  // namespace corvane::server
