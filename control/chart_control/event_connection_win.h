// The control's one connection point, for _IChartControlEvents: the sinks that Advise
// registered, each an IDispatch the events are invoked on. It lives inside the control and
// shares its reference count.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <vector>

namespace corvane {

class EventConnection final : public IConnectionPoint {
 public:
  // `owner` counts the references; `container` is what GetConnectionPointContainer gives.
  EventConnection(IUnknown* owner, IConnectionPointContainer* container)
      : owner_(owner), container_(container) {}
  ~EventConnection() { UnadviseAll(); }
  EventConnection(const EventConnection&) = delete;
  EventConnection& operator=(const EventConnection&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  // The sink must answer _IChartControlEvents or IDispatch (CONNECT_E_CANNOTCONNECT).
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

  // Invokes event `id` on every sink advised when the call begins; a sink that unadvises
  // (or releases the control) from inside an event is safe. Arguments in reverse order, as
  // DISPPARAMS wants them.
  void Fire(DISPID id, VARIANT* argsReversed, UINT count);
  // Drops every sink (the control is going away).
  void UnadviseAll();
  bool HasSinks() const { return !sinks_.empty(); }

 private:
  struct Sink {
    DWORD cookie;
    IDispatch* dispatch;
  };

  IUnknown* owner_;
  IConnectionPointContainer* container_;
  std::vector<Sink> sinks_;
  DWORD nextCookie_ = 1;
};

}  // namespace corvane
