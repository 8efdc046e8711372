// The module's exports and class factory, loaded by path: codes, aggregation,
// QueryInterface and the unload rule.
#include <ocidl.h>

#include <gtest/gtest.h>

#include "tests/win/test_support.h"

namespace corvane::wintest {
namespace {

class ClassFactoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    ASSERT_EQ(module_.DllGetClassObject(CLSID_CorvaneEx, IID_IClassFactory, factory_.out_void()),
              S_OK);
  }
  ServerModule module_;
  ComPtr<IClassFactory> factory_;
};

TEST_F(ClassFactoryTest, DllGetClassObjectCodes) {
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(module_.DllGetClassObject(IID_ICorvaneEx, IID_IClassFactory, &p),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(module_.DllGetClassObject(CLSID_CorvaneEx, IID_IClassFactory, nullptr), E_POINTER);
  p = reinterpret_cast<void*>(1);
  EXPECT_EQ(module_.DllGetClassObject(CLSID_CorvaneEx, IID_IDispatch, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  // The factory is cached: every request returns the same one.
  ComPtr<IUnknown> again;
  ASSERT_EQ(module_.DllGetClassObject(CLSID_CorvaneEx, IID_IUnknown, again.out_void()), S_OK);
  ComPtr<IUnknown> first;
  ASSERT_EQ(factory_->QueryInterface(IID_IUnknown, first.out_void()), S_OK);
  EXPECT_EQ(first.get(), again.get());
}

TEST_F(ClassFactoryTest, CreateInstanceCodes) {
  EXPECT_EQ(factory_->CreateInstance(nullptr, IID_ICorvaneEx, nullptr), E_POINTER);
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory_->CreateInstance(nullptr, IID_IClassFactory, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  ComPtr<ICorvaneEx> obj;
  ASSERT_EQ(factory_->CreateInstance(nullptr, IID_ICorvaneEx, obj.out_void()), S_OK);
  LONG w = -1;
  EXPECT_EQ(obj->get_Width(&w), S_OK);
  EXPECT_EQ(w, 0);
}

TEST_F(ClassFactoryTest, QueryInterfaceAnswersTheThreeInterfacesWithOnePointer) {
  ComPtr<ICorvaneEx> obj;
  ASSERT_EQ(factory_->CreateInstance(nullptr, IID_ICorvaneEx, obj.out_void()), S_OK);
  ComPtr<IUnknown> unk;
  ComPtr<IDispatch> disp;
  ComPtr<ICorvaneEx> again;
  ASSERT_EQ(obj->QueryInterface(IID_IUnknown, unk.out_void()), S_OK);
  ASSERT_EQ(obj->QueryInterface(IID_IDispatch, disp.out_void()), S_OK);
  ASSERT_EQ(obj->QueryInterface(IID_ICorvaneEx, again.out_void()), S_OK);
  EXPECT_EQ(static_cast<void*>(unk.get()), static_cast<void*>(obj.get()));
  EXPECT_EQ(static_cast<void*>(disp.get()), static_cast<void*>(obj.get()));
  EXPECT_EQ(again.get(), obj.get());
  for (REFIID other : {IID_IClassFactory, IID_IPersist, IID_IConnectionPointContainer}) {
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(obj->QueryInterface(other, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
  }
  EXPECT_EQ(obj->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

// A minimal controlling object that aggregates one CorvaneEx.
class Outer final : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown)) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    return inner_ ? inner_->QueryInterface(riid, ppv) : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override { return --refs_; }
  IUnknown* inner_ = nullptr;
  ULONG refs_ = 1;
};

TEST_F(ClassFactoryTest, AggregationOnlyThroughIUnknown) {
  Outer outer;
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory_->CreateInstance(&outer, IID_ICorvaneEx, &p), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(factory_->CreateInstance(&outer, IID_IDispatch, &p), CLASS_E_NOAGGREGATION);

  ASSERT_EQ(factory_->CreateInstance(&outer, IID_IUnknown,
                                     reinterpret_cast<void**>(&outer.inner_)),
            S_OK);
  ASSERT_NE(outer.inner_, &outer);
  ICorvaneEx* chart = nullptr;
  ASSERT_EQ(outer.QueryInterface(IID_ICorvaneEx, reinterpret_cast<void**>(&chart)), S_OK);
  // The inner object's interface counts on the outer object and reports its identity.
  EXPECT_EQ(outer.refs_, 2u);
  IUnknown* identity = nullptr;
  ASSERT_EQ(chart->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  EXPECT_EQ(identity, &outer);
  identity->Release();
  EXPECT_EQ(chart->put_plotsCount(3), S_OK);
  LONG n = 0;
  EXPECT_EQ(chart->get_plotsCount(&n), S_OK);
  EXPECT_EQ(n, 3);
  chart->Release();
  EXPECT_EQ(outer.refs_, 1u);
  EXPECT_EQ(module_.DllCanUnloadNow(), S_FALSE);
  EXPECT_EQ(outer.inner_->Release(), 0u);
  outer.inner_ = nullptr;
}

TEST_F(ClassFactoryTest, DllCanUnloadNowFollowsObjectsLocksAndFactoryReferences) {
  EXPECT_EQ(module_.DllCanUnloadNow(), S_FALSE) << "the test holds a factory reference";
  ComPtr<ICorvaneEx> obj;
  ASSERT_EQ(factory_->CreateInstance(nullptr, IID_ICorvaneEx, obj.out_void()), S_OK);
  factory_.Reset();
  EXPECT_EQ(module_.DllCanUnloadNow(), S_FALSE) << "an object is alive";
  obj.Reset();
  EXPECT_EQ(module_.DllCanUnloadNow(), S_OK);

  ASSERT_EQ(module_.DllGetClassObject(CLSID_CorvaneEx, IID_IClassFactory, factory_.out_void()),
            S_OK);
  EXPECT_EQ(factory_->LockServer(TRUE), S_OK);
  factory_.Reset();
  EXPECT_EQ(module_.DllCanUnloadNow(), S_FALSE) << "the server is locked";
  ASSERT_EQ(module_.DllGetClassObject(CLSID_CorvaneEx, IID_IClassFactory, factory_.out_void()),
            S_OK);
  EXPECT_EQ(factory_->LockServer(FALSE), S_OK);
  // An unlock without a lock must not drive the count below zero.
  EXPECT_EQ(factory_->LockServer(FALSE), E_UNEXPECTED);
  factory_.Reset();
  EXPECT_EQ(module_.DllCanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace corvane::wintest
