#include "cadlink/com/MessageFilter.h"

#include <objbase.h>

#include "cadlink/com/ComErrors.h"

namespace kav::cad::com {

TComPtr<TMessageFilter> TMessageFilter::Create() {
  return TComPtr<TMessageFilter>::Attach(new TMessageFilter());   // the one reference is the pointer's
}

void TMessageFilter::RegisterFilter() {
  if (registered_) return;
  IMessageFilter* previous = nullptr;
  const HRESULT hr = CoRegisterMessageFilter(this, &previous);
  if (FAILED(hr)) ThrowHResult(hr, "CoRegisterMessageFilter");
  FOldFilter = TComPtr<IMessageFilter>::Attach(previous);
  registered_ = true;
}

void TMessageFilter::RevokeFilter() {
  if (!registered_) return;
  IMessageFilter* dropped = nullptr;
  CoRegisterMessageFilter(FOldFilter.Get(), &dropped);
  TComPtr<IMessageFilter>::Attach(dropped);   // this filter's reference, released here
  FOldFilter.Reset();
  registered_ = false;
}

HRESULT STDMETHODCALLTYPE TMessageFilter::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
    *object = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TMessageFilter::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE TMessageFilter::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

DWORD STDMETHODCALLTYPE TMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
  return HandleInComingCallAnswer();
}

DWORD STDMETHODCALLTYPE TMessageFilter::RetryRejectedCall(HTASK, DWORD, DWORD dwRejectType) {
  return RetryRejectedCallAnswer(dwRejectType);
}

DWORD STDMETHODCALLTYPE TMessageFilter::MessagePending(HTASK, DWORD, DWORD) { return MessagePendingAnswer(); }

namespace {
class TMessageFilterHook final : public IMessageFilterHook {
 public:
  void RegisterFilter() override {
    if (!filter_) filter_ = TMessageFilter::Create();
    filter_->RegisterFilter();
  }
  void RevokeFilter() override {
    if (filter_) filter_->RevokeFilter();
  }
  ~TMessageFilterHook() override { RevokeFilter(); }

 private:
  TComPtr<TMessageFilter> filter_;
};
}  // namespace

std::unique_ptr<IMessageFilterHook> MakeMessageFilterHook() { return std::make_unique<TMessageFilterHook>(); }

}  // namespace kav::cad::com
