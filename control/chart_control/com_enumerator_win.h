// A snapshot enumerator for the IEnumXxx interfaces a control hands out (connection points,
// connections): the items are copied (and AddRef'ed) when it is made, so the collection may
// change while a caller walks it.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <new>
#include <utility>
#include <vector>

namespace corvane {

inline IUnknown* UnknownOf(IConnectionPoint* p) { return p; }
inline IUnknown* UnknownOf(const CONNECTDATA& c) { return c.pUnk; }

template <class IEnum, class Item, const IID* kIid>
class SnapshotEnumerator final : public IEnum {
 public:
  // A new enumerator over `items` with one reference for *out.
  static HRESULT Create(std::vector<Item> items, IEnum** out) {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) SnapshotEnumerator(std::move(items));
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, *kIid)) {
      *ppv = static_cast<IEnum*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && next_ < items_.size(); ++n, ++next_) {
      out[n] = items_[next_];
      if (IUnknown* u = UnknownOf(out[n])) u->AddRef();
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    const std::size_t left = items_.size() - next_;
    next_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    next_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnum** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
      SnapshotEnumerator* copy = new SnapshotEnumerator(items_);
      copy->next_ = next_;
      *out = copy;
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  explicit SnapshotEnumerator(std::vector<Item> items) : items_(std::move(items)) {
    for (const Item& i : items_) {
      if (IUnknown* u = UnknownOf(i)) u->AddRef();
    }
  }
  ~SnapshotEnumerator() {
    for (const Item& i : items_) {
      if (IUnknown* u = UnknownOf(i)) u->Release();
    }
  }

  std::vector<Item> items_;
  std::size_t next_ = 0;
  LONG refs_ = 1;
};

using ConnectionPointEnumerator =
    SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*, &IID_IEnumConnectionPoints>;
using ConnectionEnumerator =
    SnapshotEnumerator<IEnumConnections, CONNECTDATA, &IID_IEnumConnections>;

}  // namespace corvane
