#include "control/chart_control/event_connection_win.h"

#include <olectl.h>

#include <new>

#include "control/chart_control/com_enumerator_win.h"
#include "corvane_idl.h"

namespace corvane {

STDMETHODIMP EventConnection::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
    *ppv = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP EventConnection::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = DIID__IChartControlEvents;
  return S_OK;
}

STDMETHODIMP EventConnection::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = container_;
  container_->AddRef();
  return S_OK;
}

STDMETHODIMP EventConnection::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  IDispatch* dispatch = nullptr;
  if (FAILED(sink->QueryInterface(DIID__IChartControlEvents, reinterpret_cast<void**>(&dispatch))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  try {
    sinks_.push_back(Sink{nextCookie_, dispatch});
  } catch (const std::bad_alloc&) {
    dispatch->Release();
    return E_OUTOFMEMORY;
  }
  *cookie = nextCookie_++;
  if (nextCookie_ == 0) nextCookie_ = 1;
  return S_OK;
}

STDMETHODIMP EventConnection::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->cookie != cookie) continue;
    IDispatch* dispatch = it->dispatch;
    sinks_.erase(it);
    dispatch->Release();  // last: the sink may call back in
    return S_OK;
  }
  return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP EventConnection::EnumConnections(IEnumConnections** connections) {
  if (!connections) return E_POINTER;
  *connections = nullptr;
  try {
    std::vector<CONNECTDATA> items;
    for (const Sink& s : sinks_) items.push_back(CONNECTDATA{s.dispatch, s.cookie});
    return ConnectionEnumerator::Create(std::move(items), connections);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

void EventConnection::Fire(DISPID id, VARIANT* argsReversed, UINT count) {
  std::vector<IDispatch*> now;
  try {
    now.reserve(sinks_.size());
  } catch (const std::bad_alloc&) {
    return;  // an event that cannot be delivered is dropped
  }
  for (const Sink& s : sinks_) {
    s.dispatch->AddRef();
    now.push_back(s.dispatch);
  }
  DISPPARAMS params{argsReversed, nullptr, count, 0};
  for (IDispatch* d : now) {
    d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
              nullptr);
    d->Release();
  }
}

void EventConnection::UnadviseAll() {
  std::vector<Sink> gone;
  gone.swap(sinks_);
  for (const Sink& s : gone) s.dispatch->Release();
}

}  // namespace corvane
