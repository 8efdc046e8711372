// IPersistStreamInit, IPersistPropertyBag and IPersistStorage: the control's settings (see
// control_properties.h) through a stream, a property bag (one named value each, and
// "Version") or a storage (the stream's bytes in its "Contents" stream). A load that fails
// changes nothing.
#include <string>
#include <vector>

#include "control/chart_control/chart_control_win.h"
#include "control/com_util_win.h"

namespace corvane {
namespace {

constexpr wchar_t kContents[] = L"Contents";
constexpr wchar_t kVersionName[] = L"Version";

HRESULT ReadExactly(IStream* stream, void* buffer, ULONG size) {
  ULONG got = 0;
  const HRESULT hr = stream->Read(buffer, size, &got);
  if (FAILED(hr)) return hr;
  return got == size ? S_OK : kPropertiesDamaged;
}

HRESULT WriteAll(IStream* stream, const std::vector<std::uint8_t>& bytes) {
  ULONG written = 0;
  const HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  if (FAILED(hr)) return hr;
  return written == bytes.size() ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT ReadStream(IStream* stream, std::vector<SavedProperty>* entries) {
  std::uint8_t header[kPropertyHeaderSize];
  RETURN_IF_FAILED(ReadExactly(stream, header, sizeof header));
  std::uint32_t length = 0;
  RETURN_IF_FAILED(DecodePropertyHeader(header, &length));
  std::vector<std::uint8_t> body(length);
  if (length > 0) RETURN_IF_FAILED(ReadExactly(stream, body.data(), length));
  return DecodePropertyBody(body.data(), body.size(), entries);
}

// A property's name in a bag: a plot's own carry the plot's number.
std::wstring BagName(const PropertyKind& kind, int plot) {
  std::wstring name(kind.name, kind.name + std::char_traits<char>::length(kind.name));
  if (kind.perPlot) name += std::to_wstring(plot);
  return name;
}

VARTYPE BagType(PropertyType type) {
  switch (type) {
    case PropertyType::kInt32: return VT_I4;
    case PropertyType::kDouble: return VT_R8;
    case PropertyType::kBool: return VT_BOOL;
    case PropertyType::kText: return VT_BSTR;
  }
  return VT_EMPTY;
}

}  // namespace

HRESULT CChartControl::LoadEntries(const std::vector<SavedProperty>& entries) {
  return Guard([&]() -> HRESULT {
    ControlState state = state_;
    RETURN_IF_FAILED(ApplyProperties(entries, automation(), interaction_, &state));
    state_ = state;
    pictureStale_ = true;
    dirty_ = false;
    Invalidate();
    return S_OK;
  });
}

std::vector<SavedProperty> CChartControl::SaveEntries() {
  return CaptureProperties(automation(), interaction_.settings(), state_);
}

STDMETHODIMP CChartControl::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_ChartControl;
  return S_OK;
}

STDMETHODIMP CChartControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP CChartControl::InitNew() {
  dirty_ = false;
  return S_OK;
}

// ---- the stream ------------------------------------------------------------------------------

STDMETHODIMP CChartControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  return Guard([&]() -> HRESULT {
    std::vector<SavedProperty> entries;
    RETURN_IF_FAILED(ReadStream(stream, &entries));
    return LoadEntries(entries);
  });
}

STDMETHODIMP CChartControl::Save(LPSTREAM stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  return Guard([&]() -> HRESULT {
    RETURN_IF_FAILED(WriteAll(stream, EncodeProperties(SaveEntries())));
    if (clearDirty) dirty_ = false;
    return S_OK;
  });
}

STDMETHODIMP CChartControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  return Guard([&]() -> HRESULT {
    size->QuadPart = EncodeProperties(SaveEntries()).size();
    return S_OK;
  });
}

// ---- the property bag ------------------------------------------------------------------------

STDMETHODIMP CChartControl::Load(IPropertyBag* bag, IErrorLog* log) {
  if (!bag) return E_POINTER;
  return Guard([&]() -> HRESULT {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    // A bag without a version is taken as the first; a newer one is refused.
    if (SUCCEEDED(bag->Read(kVersionName, &v, log))) {
      const HRESULT hr = VariantChangeType(&v, &v, 0, VT_I4);
      if (FAILED(hr)) {
        VariantClear(&v);
        return kPropertiesDamaged;
      }
      if (V_I4(&v) < 1) return kPropertiesDamaged;
      if (V_I4(&v) > kPropertyFormatVersion) return kPropertiesTooNew;
    }
    VariantClear(&v);
    std::vector<SavedProperty> entries;
    for (const PropertyKind& kind : PropertyKinds()) {
      const int plots = kind.perPlot ? CChartEngine::kMaxPlots : 1;
      for (int plot = 1; plot <= plots; ++plot) {
        const std::wstring name = BagName(kind, plot);
        VARIANT value;
        VariantInit(&value);
        V_VT(&value) = BagType(kind.type);
        if (FAILED(bag->Read(name.c_str(), &value, log))) continue;  // not saved: the default
        const HRESULT hr = VariantChangeType(&value, &value, 0, BagType(kind.type));
        if (FAILED(hr)) {
          VariantClear(&value);
          return kPropertiesDamaged;
        }
        SavedProperty p;
        p.tag = kind.tag;
        p.plot = kind.perPlot ? static_cast<std::uint8_t>(plot) : 0;
        p.type = kind.type;
        switch (kind.type) {
          case PropertyType::kInt32: p.number = V_I4(&value); break;
          case PropertyType::kBool: p.number = V_BOOL(&value) ? 1 : 0; break;
          case PropertyType::kDouble: p.real = V_R8(&value); break;
          case PropertyType::kText:
            p.text.assign(reinterpret_cast<const char16_t*>(V_BSTR(&value)), SysStringLen(V_BSTR(&value)));
            break;
        }
        VariantClear(&value);
        entries.push_back(std::move(p));
      }
    }
    return LoadEntries(entries);
  });
}

STDMETHODIMP CChartControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  if (!bag) return E_POINTER;
  return Guard([&]() -> HRESULT {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = kPropertyFormatVersion;
    RETURN_IF_FAILED(bag->Write(kVersionName, &v));
    for (const SavedProperty& p : SaveEntries()) {
      const PropertyKind* kind = FindPropertyKind(p.tag);
      if (!kind) continue;
      VARIANT value;
      VariantInit(&value);
      V_VT(&value) = BagType(p.type);
      switch (p.type) {
        case PropertyType::kInt32: V_I4(&value) = p.number; break;
        case PropertyType::kBool: V_BOOL(&value) = p.number ? VARIANT_TRUE : VARIANT_FALSE; break;
        case PropertyType::kDouble: V_R8(&value) = p.real; break;
        case PropertyType::kText:
          V_BSTR(&value) = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(p.text.data()),
                                             static_cast<UINT>(p.text.size()));
          if (!V_BSTR(&value)) return E_OUTOFMEMORY;
          break;
      }
      const HRESULT hr = bag->Write(BagName(*kind, p.plot).c_str(), &value);
      VariantClear(&value);
      RETURN_IF_FAILED(hr);
    }
    if (clearDirty) dirty_ = false;
    return S_OK;
  });
}

// ---- the storage -----------------------------------------------------------------------------

STDMETHODIMP CChartControl::InitNew(IStorage* storage) {
  if (!storage) return E_POINTER;
  dirty_ = false;
  return S_OK;
}

STDMETHODIMP CChartControl::Load(IStorage* storage) {
  if (!storage) return E_POINTER;
  ComRef<IStream> stream;
  RETURN_IF_FAILED(storage->OpenStream(kContents, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                       stream.out()));
  return Load(stream.get());
}

STDMETHODIMP CChartControl::Save(IStorage* storage, BOOL) {
  if (!storage) return E_POINTER;
  ComRef<IStream> stream;
  RETURN_IF_FAILED(storage->CreateStream(kContents, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE,
                                         0, 0, stream.out()));
  RETURN_IF_FAILED(Save(stream.get(), TRUE));
  return WriteClassStg(storage, CLSID_ChartControl);
}

STDMETHODIMP CChartControl::SaveCompleted(IStorage*) { return S_OK; }
STDMETHODIMP CChartControl::HandsOffStorage() { return S_OK; }

}  // namespace corvane
