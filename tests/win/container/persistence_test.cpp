// The chart control's persistence through the three ways a container keeps it: a stream, a
// property bag and a storage, each into a new control that then draws the same picture; and a
// newer or damaged stream, which is refused and leaves the new control as it was.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/win/container/test_container.h"

namespace corvane::wintest {
namespace {

// A property bag as a form file keeps one: names to values.
class MemoryBag final : public IPropertyBag {
 public:
  ~MemoryBag() {
    for (auto& [name, v] : values) VariantClear(&v);
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override {
    auto it = values.find(name);
    if (it == values.end()) return E_INVALIDARG;
    const VARTYPE want = V_VT(v);
    VariantInit(v);
    return want == VT_EMPTY ? VariantCopy(v, &it->second)
                            : VariantChangeType(v, &it->second, 0, want);
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* v) override {
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, v);
    VariantClear(&values[name]);
    values[name] = copy;
    return S_OK;
  }
  std::map<std::wstring, VARIANT> values;
};

class PersistenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!source_.frame()) GTEST_SKIP() << "no display for a container window";
    ASSERT_TRUE(source_.Place(L"Corvane.ChartControl", 360, 240, &why)) << why;
    IDispatch* d = source_.dispatch();
    // A designer's settings, away from the defaults.
    CallByName(d, L"caption", DISPATCH_PROPERTYPUT, {Text(L"Kept in the form")});
    CallByName(d, L"arrowCaptionX", DISPATCH_PROPERTYPUT, {Text(L"days")});
    CallByName(d, L"legendVisible", DISPATCH_PROPERTYPUT, {I4(-1)});
    CallByName(d, L"arrowLineWidth", DISPATCH_PROPERTYPUT, {I4(3)});
    CallByName(d, L"gridHorizontalLines", DISPATCH_PROPERTYPUT, {I4(4)});
    CallByName(d, L"SetPlotWidth", DISPATCH_METHOD, {I4(1), I4(3)});
    CallByName(d, L"SetLinearApproximate", DISPATCH_METHOD, {I4(2)});
    CallByName(d, L"ZoomMode", DISPATCH_PROPERTYPUT, {I4(2)});
    CallByName(d, L"Crosshair", DISPATCH_PROPERTYPUT, {I4(-1)});
  }
  // A second control, placed as the source is and loaded by `load`; both then get the same
  // data, and must draw the same picture.
  template <class Load>
  void ExpectSamePictureAfter(Load load) {
    std::string why;
    ASSERT_TRUE(target_.Place(L"Corvane.ChartControl", 360, 240, &why)) << why;
    ASSERT_EQ(load(target_.control()), S_OK);
    FillByName(source_.dispatch());
    FillByName(target_.dispatch());
    Pixels a, b;
    ASSERT_TRUE(SavedPicture(source_.dispatch(), &a));
    ASSERT_TRUE(SavedPicture(target_.dispatch(), &b));
    EXPECT_TRUE(a == b) << "the loaded control draws otherwise";
    ASSERT_TRUE(ReadWindow(target_.controlWindow(), &b));
    EXPECT_TRUE(a == b) << "the loaded control's window shows otherwise";
    VARIANT v;
    VariantInit(&v);
    CallByName(target_.dispatch(), L"ZoomMode", DISPATCH_PROPERTYGET, {}, &v);
    EXPECT_EQ(V_I4(&v), 2);
    CallByName(target_.dispatch(), L"caption", DISPATCH_PROPERTYGET, {}, &v);
    EXPECT_EQ(std::wstring(V_BSTR(&v)), L"Kept in the form");
    VariantClear(&v);
  }
  TestContainer source_, target_;
};

TEST_F(PersistenceTest, ThroughAStream) {
  ComPtr<IPersistStreamInit> persist;
  ASSERT_EQ(source_.control()->QueryInterface(IID_IPersistStreamInit, persist.out_void()), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_OK);
  ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), S_OK);
  ULARGE_INTEGER max{};
  ASSERT_EQ(persist->GetSizeMax(&max), S_OK);
  ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  EXPECT_EQ(stat.cbSize.QuadPart, max.QuadPart);
  CLSID clsid{};
  persist->GetClassID(&clsid);
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ChartControl));
  ExpectSamePictureAfter([&](IChartControl* c) {
    ComPtr<IPersistStreamInit> p;
    c->QueryInterface(IID_IPersistStreamInit, p.out_void());
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return p->Load(stream.get());
  });
}

TEST_F(PersistenceTest, ThroughAPropertyBag) {
  ComPtr<IPersistPropertyBag> persist;
  ASSERT_EQ(source_.control()->QueryInterface(IID_IPersistPropertyBag, persist.out_void()), S_OK);
  MemoryBag bag;
  ASSERT_EQ(persist->Save(&bag, TRUE, TRUE), S_OK);
  EXPECT_EQ(V_I4(&bag.values[L"Version"]), 1);
  EXPECT_EQ(std::wstring(V_BSTR(&bag.values[L"caption"])), L"Kept in the form");
  EXPECT_EQ(V_I4(&bag.values[L"plotWidth1"]), 3);
  ExpectSamePictureAfter([&](IChartControl* c) {
    ComPtr<IPersistPropertyBag> p;
    c->QueryInterface(IID_IPersistPropertyBag, p.out_void());
    return p->Load(&bag, nullptr);
  });
}

TEST_F(PersistenceTest, ThroughAStorage) {
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(source_.control()->QueryInterface(IID_IPersistStorage, persist.out_void()), S_OK);
  ComPtr<ILockBytes> bytes;
  ComPtr<IStorage> storage;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.out()), S_OK);
  ASSERT_EQ(StgCreateDocfileOnILockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                         0, storage.out()), S_OK);
  ASSERT_EQ(persist->Save(storage.get(), FALSE), S_OK);
  ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
  CLSID clsid{};
  ASSERT_EQ(ReadClassStg(storage.get(), &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ChartControl));
  ExpectSamePictureAfter([&](IChartControl* c) {
    ComPtr<IPersistStorage> p;
    c->QueryInterface(IID_IPersistStorage, p.out_void());
    return p->Load(storage.get());
  });
}

TEST_F(PersistenceTest, NewerOrDamagedStreamsAreRefusedAndLeaveTheDefaults) {
  ComPtr<IPersistStreamInit> persist;
  ASSERT_EQ(source_.control()->QueryInterface(IID_IPersistStreamInit, persist.out_void()), S_OK);
  ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), S_OK);
  ASSERT_EQ(persist->Save(stream.get(), FALSE), S_OK);
  HGLOBAL global = nullptr;
  GetHGlobalFromStream(stream.get(), &global);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  const auto* p = static_cast<const std::uint8_t*>(GlobalLock(global));
  const std::vector<std::uint8_t> good(p, p + stat.cbSize.QuadPart);
  GlobalUnlock(global);

  std::string why;
  ASSERT_TRUE(target_.Place(L"Corvane.ChartControl", 360, 240, &why)) << why;
  Pixels fresh;
  ASSERT_TRUE(SavedPicture(target_.dispatch(), &fresh));
  struct Case {
    const char* name;
    std::size_t at;
    std::uint8_t value;
    std::size_t keep;  // bytes of the stream kept
    HRESULT expected;
  };
  const Case cases[] = {
      {"a newer version", 4, 2, good.size(), STG_E_OLDDLL},
      {"not ours", 0, 'Z', good.size(), STG_E_DOCFILECORRUPT},
      {"a wrong type", 12 + 3, 1, good.size(), STG_E_DOCFILECORRUPT},  // the first entry is text
      {"cut short", 0, 'C', good.size() / 2, STG_E_DOCFILECORRUPT},
      {"no more than a header", 0, 'C', 12, STG_E_DOCFILECORRUPT},
  };
  ComPtr<IPersistStreamInit> load;
  ASSERT_EQ(target_.control()->QueryInterface(IID_IPersistStreamInit, load.out_void()), S_OK);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bad(good.begin(), good.begin() + c.keep);
    bad[c.at] = c.value;
    ComPtr<IStream> s;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, s.out()), S_OK);
    s->Write(bad.data(), static_cast<ULONG>(bad.size()), nullptr);
    LARGE_INTEGER zero{};
    s->Seek(zero, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(load->Load(s.get()), c.expected);
    Pixels now;
    ASSERT_TRUE(SavedPicture(target_.dispatch(), &now));
    EXPECT_TRUE(now == fresh) << "a refused load changed the control";
  }
  // A bag of a newer version too.
  MemoryBag bag;
  VARIANT v = I4(7);
  bag.Write(L"Version", &v);
  v = Text(L"from the future");
  bag.Write(L"caption", &v);
  VariantClear(&v);
  ComPtr<IPersistPropertyBag> bagLoad;
  ASSERT_EQ(target_.control()->QueryInterface(IID_IPersistPropertyBag, bagLoad.out_void()), S_OK);
  EXPECT_EQ(bagLoad->Load(&bag, nullptr), STG_E_OLDDLL);
  Pixels now;
  ASSERT_TRUE(SavedPicture(target_.dispatch(), &now));
  EXPECT_TRUE(now == fresh);
}

}  // namespace
}  // namespace corvane::wintest
