// TMessageFilter, the COM message filter of the user-interface thread: calls into the program
// are accepted, calls a busy CAD turns away are sent again every second, and the program's
// own messages wait while a call is out.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <atomic>
#include <memory>

#include "cadlink/MessageFilterRules.h"
#include "cadlink/com/ComPtr.h"

namespace kav::cad::com {

class TMessageFilter final : public IMessageFilter {
 public:
  // A new filter with one reference, owned by the returned pointer.
  static TComPtr<TMessageFilter> Create();

  // Makes this the thread's filter and keeps the one registered before it.
  void RegisterFilter();
  // Puts the earlier filter back.
  void RevokeFilter();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IMessageFilter
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD dwCallType, HTASK htaskCaller, DWORD dwTickCount,
                                             LPINTERFACEINFO lpInterfaceInfo) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK htaskCallee, DWORD dwTickCount, DWORD dwRejectType) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK htaskCallee, DWORD dwTickCount, DWORD dwPendingType) override;

 private:
  TMessageFilter() = default;
  ~TMessageFilter() = default;
  std::atomic<ULONG> references_{1};
  TComPtr<IMessageFilter> FOldFilter;
  bool registered_ = false;
};

// The main window's hook: creates the filter, registers it and revokes it.
std::unique_ptr<IMessageFilterHook> MakeMessageFilterHook();

}  // namespace kav::cad::com
