#include "ui/win32/Accessible.h"

#include <oleacc.h>

#include <atomic>
#include <utility>

namespace kav::ui::win32 {
namespace {

// Through __uuidof: mingw's oleacc import library hands out IID_IAccessible as an import
// thunk, not the interface's identifier.
const IID& kAccessibleIid = __uuidof(IAccessible);

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

long ChildNumber(const VARIANT& child) { return child.vt == VT_I4 ? child.lVal : -1; }

HRESULT PutString(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT PutLong(long value, VARIANT* out) {
  if (out == nullptr) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

}  // namespace

class TAccessibleObject final : public IAccessible {
 public:
  TAccessibleObject(IAccessible* standard, TAccessibleParts parts) : standard_(standard), parts_(std::move(parts)) {}
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  // The peer is going: from now on every call fails.
  void Disconnect() {
    connected_ = false;
    parts_ = {};
    if (standard_ != nullptr) std::exchange(standard_, nullptr)->Release();
  }

  // --- IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kAccessibleIid) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      Disconnect();
      delete this;
    }
    return left;
  }

  // --- IDispatch: late binding goes to the standard object.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!connected_) return CO_E_OBJNOTCONNECTED;
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    if (!connected_) return CO_E_OBJNOTCONNECTED;
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    if (!connected_) return CO_E_OBJNOTCONNECTED;
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argument) override {
    if (!connected_) return CO_E_OBJNOTCONNECTED;
    return standard_->Invoke(id, iid, locale, flags, params, result, exception, argument);
  }

  // --- IAccessible: what the model knows
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!connected_) return CO_E_OBJNOTCONNECTED;
    if (parts_.ChildCount) {
      if (count == nullptr) return E_POINTER;
      *count = parts_.ChildCount();
      return S_OK;
    }
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!connected_) return CO_E_OBJNOTCONNECTED;
    if (IsOurChild(child)) {
      if (out == nullptr) return E_POINTER;
      *out = nullptr;
      return S_FALSE;   // a simple element: asked through this object with its number
    }
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Answer([&] {
      if (IsSelf(child) && parts_.Name) return PutString(parts_.Name(), name);
      if (IsOurChild(child) && parts_.ChildName) return PutString(parts_.ChildName(ChildNumber(child)), name);
      return standard_->get_accName(child, name);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Answer([&] {
      if (IsSelf(child) && parts_.Value) return PutString(parts_.Value(), value);
      return standard_->get_accValue(child, value);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return Answer([&] {
      if (IsSelf(child) && parts_.Description) return PutString(parts_.Description(), description);
      return standard_->get_accDescription(child, description);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Answer([&] {
      if (IsSelf(child) && parts_.Role != 0) return PutLong(parts_.Role, role);
      if (IsOurChild(child) && parts_.ChildRole != 0) return PutLong(parts_.ChildRole, role);
      return standard_->get_accRole(child, role);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Answer([&] {
      if (IsOurChild(child) && parts_.ChildState) return PutLong(parts_.ChildState(ChildNumber(child)), state);
      const HRESULT hr = standard_->get_accState(child, state);
      if (!IsSelf(child) || !parts_.State) return hr;
      // The window's own states (focused, unavailable, invisible) stay; what the model holds
      // replaces what a drawn-by-us button would wrongly say about itself.
      long known = SUCCEEDED(hr) && state != nullptr && state->vt == VT_I4 ? state->lVal : 0;
      known &= ~static_cast<long>(STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED | STATE_SYSTEM_MIXED);
      return PutLong(known | parts_.State(), state);
    });
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return Answer([&] {
      if (IsOurChild(child) && parts_.ChildScreenRect) {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
        const RECT r = parts_.ChildScreenRect(ChildNumber(child));
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
      }
      return standard_->accLocation(left, top, width, height, child);
    });
  }

  // --- IAccessible: the standard object's answers
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Answer([&] { return standard_->get_accParent(parent); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Answer([&] { return standard_->get_accHelp(child, help); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Answer([&] { return standard_->get_accHelpTopic(file, child, topic); });
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Answer([&] { return standard_->get_accKeyboardShortcut(child, shortcut); });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return Answer([&] { return standard_->get_accFocus(focus); });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Answer([&] { return standard_->get_accSelection(selection); });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Answer([&] { return standard_->get_accDefaultAction(child, action); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return Answer([&] { return standard_->accSelect(flags, child); });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return Answer([&] { return standard_->accNavigate(direction, start, end); });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return Answer([&] { return standard_->accHitTest(x, y, child); });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Answer([&] { return standard_->accDoDefaultAction(child); });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return Answer([&] { return standard_->put_accValue(child, value); });
  }

 private:
  ~TAccessibleObject() = default;

  bool IsOurChild(const VARIANT& child) const {
    if (!parts_.ChildCount) return false;
    const long n = ChildNumber(child);
    return n >= 1 && n <= parts_.ChildCount();
  }

  // Runs one answer; nothing may unwind into the caller, which may be another process.
  template <typename TBody>
  HRESULT Answer(TBody&& body) noexcept {
    if (!connected_) return CO_E_OBJNOTCONNECTED;
    try {
      return body();
    } catch (...) {
      return E_FAIL;
    }
  }

  std::atomic<ULONG> references_{1};
  bool connected_ = true;
  IAccessible* standard_;   // one reference held
  TAccessibleParts parts_;
};

TAccessibility::~TAccessibility() {
  if (object_ != nullptr) {
    object_->Disconnect();
    object_->Release();
  }
}

bool TAccessibility::Answer(HWND window, WPARAM wParam, LPARAM lParam, const std::function<TAccessibleParts()>& describe,
                            LRESULT& result) {
  if (static_cast<long>(lParam) != static_cast<long>(OBJID_CLIENT)) return false;
  if (object_ == nullptr) {
    TAccessibleParts parts = describe();
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, kAccessibleIid, reinterpret_cast<void**>(&standard))) ||
        standard == nullptr)
      return false;
    // A COM object: its references own it, and it deletes itself with the last one.
    object_ = new TAccessibleObject(standard, std::move(parts));
  }
  result = LresultFromObject(kAccessibleIid, wParam, static_cast<IAccessible*>(object_));
  return true;
}

void NotifyValueChanged(HWND window) {
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace kav::ui::win32
