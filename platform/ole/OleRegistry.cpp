// COM start-up count, class registry and running-object table, process-wide and thread-safe.
#include "platform/ole/OleRegistry.h"

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ole/OleVariant.h"

namespace {

struct ClassEntry {
  std::u16string progId;
  CLSID clsid;
  OleClassFactoryFn create;
  ComPtr<IClassFactory> factory;  // when registered as a published class factory
};

struct ActiveEntry {
  DWORD cookie;
  CLSID clsid;
  IUnknown* object;
  bool strong;
};

struct Registry {
  std::mutex mutex;
  std::vector<ClassEntry> classes;
  std::vector<ActiveEntry> active;
  DWORD nextCookie = 1;
};

Registry& registry() {
  static Registry r;
  return r;
}

std::atomic<int> gInitCount{0};

char16_t fold(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool sameProgId(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

ClassEntry* findClass(Registry& r, REFCLSID clsid) {
  for (ClassEntry& e : r.classes)
    if (IsEqualCLSID(e.clsid, clsid)) return &e;
  return nullptr;
}

HRESULT registerEntry(ClassEntry entry) {
  if (entry.progId.empty()) return E_INVALIDARG;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  std::erase_if(r.classes, [&](const ClassEntry& e) {
    return IsEqualCLSID(e.clsid, entry.clsid) || sameProgId(e.progId, entry.progId);
  });
  r.classes.push_back(std::move(entry));
  return S_OK;
}

// A factory object over a creation function, for CoGetClassObject.
class FunctionFactory : public OleObject<IClassFactory, IID_IClassFactory> {
 public:
  explicit FunctionFactory(OleClassFactoryFn fn) : fn_(std::move(fn)) {}
  HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return fn_(riid, ppv);
  }
  HRESULT LockServer(BOOL) override { return S_OK; }

 private:
  OleClassFactoryFn fn_;
};

}  // namespace

HRESULT OleInitialize(LPVOID) { return gInitCount.fetch_add(1) == 0 ? S_OK : S_FALSE; }

void OleUninitialize() {
  int n = gInitCount.load();
  while (n > 0 && !gInitCount.compare_exchange_weak(n, n - 1)) {
  }
}

HRESULT CoInitialize(LPVOID pvReserved) { return OleInitialize(pvReserved); }
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD) { return OleInitialize(pvReserved); }
void CoUninitialize() { OleUninitialize(); }

LPVOID CoTaskMemAlloc(size_t cb) { return std::malloc(cb ? cb : 1); }
void CoTaskMemFree(LPVOID pv) { std::free(pv); }

HRESULT OleRegisterClass(std::u16string_view progId, REFCLSID clsid, OleClassFactoryFn factory) {
  if (!factory) return E_INVALIDARG;
  return registerEntry({std::u16string(progId), clsid, std::move(factory), {}});
}

HRESULT OleRegisterClass(std::u16string_view progId, REFCLSID clsid, IClassFactory* factory) {
  if (!factory) return E_INVALIDARG;
  ComPtr<IClassFactory> held(factory);
  OleClassFactoryFn create = [factory](REFIID riid, void** ppv) {
    return factory->CreateInstance(nullptr, riid, ppv);
  };
  return registerEntry({std::u16string(progId), clsid, std::move(create), held});
}

HRESULT OleUnregisterClass(REFCLSID clsid) {
  ComPtr<IClassFactory> released;  // released outside the lock
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  ClassEntry* e = findClass(r, clsid);
  if (!e) return REGDB_E_CLASSNOTREG;
  released = e->factory;
  std::erase_if(r.classes, [&](const ClassEntry& c) { return IsEqualCLSID(c.clsid, clsid); });
  return S_OK;
}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid) {
  if (!lpszProgID || !lpclsid) return E_INVALIDARG;
  if (lpszProgID[0] == u'{') return CLSIDFromString(lpszProgID, lpclsid);
  std::u16string_view name(lpszProgID);
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  for (const ClassEntry& e : r.classes) {
    if (sameProgId(e.progId, name)) {
      *lpclsid = e.clsid;
      return S_OK;
    }
  }
  *lpclsid = CLSID_NULL;
  return CO_E_CLASSSTRING;
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID) {
  if (!lplpszProgID) return E_INVALIDARG;
  *lplpszProgID = nullptr;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  ClassEntry* e = findClass(r, clsid);
  if (!e) return REGDB_E_CLASSNOTREG;
  auto* text = static_cast<LPOLESTR>(CoTaskMemAlloc((e->progId.size() + 1) * sizeof(OLECHAR)));
  if (!text) return E_OUTOFMEMORY;
  std::char_traits<char16_t>::copy(text, e->progId.c_str(), e->progId.size() + 1);
  *lplpszProgID = text;
  return S_OK;
}

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD, LPVOID, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_INVALIDARG;
  *ppv = nullptr;
  ComPtr<IClassFactory> factory;
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    ClassEntry* e = findClass(r, rclsid);
    if (!e) return REGDB_E_CLASSNOTREG;
    factory =
        e->factory ? e->factory : ComPtr<IClassFactory>::adopt(new FunctionFactory(e->create));
  }
  return factory->QueryInterface(riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  OleClassFactoryFn create;
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    ClassEntry* e = findClass(r, rclsid);
    if (!e) return REGDB_E_CLASSNOTREG;
    create = e->create;
  }
  // The factory runs outside the lock: it may register or create other classes.
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  HRESULT hr = create(riid, ppv);
  if (FAILED(hr)) *ppv = nullptr;
  return hr;
}

HRESULT RegisterActiveObject(IUnknown* punk, REFCLSID rclsid, DWORD dwFlags, DWORD* pdwRegister) {
  if (!punk || !pdwRegister) return E_INVALIDARG;
  const bool strong = !(dwFlags & ACTIVEOBJECT_WEAK);
  if (strong) punk->AddRef();
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  *pdwRegister = r.nextCookie++;
  r.active.push_back({*pdwRegister, rclsid, punk, strong});
  return S_OK;
}

HRESULT RevokeActiveObject(DWORD dwRegister, LPVOID) {
  ActiveEntry found{};
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = std::find_if(r.active.begin(), r.active.end(),
                           [&](const ActiveEntry& e) { return e.cookie == dwRegister; });
    if (it == r.active.end()) return E_INVALIDARG;
    found = *it;
    r.active.erase(it);
  }
  if (found.strong) found.object->Release();
  return S_OK;
}

HRESULT GetActiveObject(REFCLSID rclsid, LPVOID, IUnknown** ppunk) {
  if (!ppunk) return E_INVALIDARG;
  *ppunk = nullptr;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  for (const ActiveEntry& e : r.active) {
    if (IsEqualCLSID(e.clsid, rclsid)) {
      e.object->AddRef();
      *ppunk = e.object;
      return S_OK;
    }
  }
  return MK_E_UNAVAILABLE;
}
