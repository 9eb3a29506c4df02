#include "cadlink/com/ComHost.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "cadlink/com/ComErrors.h"
#include "cadlink/com/ComObject.h"
#include "platform/Text.h"

namespace kav::cad::com {

namespace {

// The class of a ProgID. A ProgID with a NUL inside would be cut short by the system and could
// name another class, so it names none.
HRESULT ClassOf(const std::string& progId, CLSID& clsid) {
  if (progId.empty() || progId.find('\0') != std::string::npos) return CO_E_CLASSSTRING;
  const std::wstring wide = Utf8ToWide(progId);
  return CLSIDFromProgID(wide.c_str(), &clsid);
}

class TComHost final : public IAutomationHost {
 public:
  bool IsRegistered(const std::string& progId) override {
    CLSID clsid{};
    return SUCCEEDED(ClassOf(progId, clsid));
  }

  bool IsActive(const std::string& progId) override {
    CLSID clsid{};
    if (FAILED(ClassOf(progId, clsid))) return false;
    TComPtr<IUnknown> unknown;
    return SUCCEEDED(::GetActiveObject(clsid, nullptr, unknown.Put())) && unknown;
  }

  ObjectRef GetActiveObject(const std::string& progId) override {
    CLSID clsid{};
    HRESULT hr = ClassOf(progId, clsid);
    if (FAILED(hr)) ThrowHResult(hr, "ProgID \"" + progId + "\"");
    TComPtr<IUnknown> unknown;
    hr = ::GetActiveObject(clsid, nullptr, unknown.Put());
    if (FAILED(hr) || !unknown) ThrowHResult(FAILED(hr) ? hr : E_FAIL, progId);
    TComPtr<IDispatch> dispatch;
    hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()));
    if (FAILED(hr)) ThrowHResult(hr, progId);
    return MakeComObject(std::move(dispatch));
  }
};

}  // namespace

std::unique_ptr<IAutomationHost> MakeComHost() { return std::make_unique<TComHost>(); }

TComApartment::TComApartment() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr) && hr != RPC_E_CHANGED_MODE) ThrowHResult(hr, "COM");
  initialised_ = SUCCEEDED(hr);
}

TComApartment::~TComApartment() {
  if (initialised_) CoUninitialize();
}

}  // namespace kav::cad::com
