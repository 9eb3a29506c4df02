// Serves an automation object of the simulated CAD as IDispatch: names become DISPIDs from
// one table per server, calls become Invoke on the model, and the model's errors become
// DISP_E_EXCEPTION with their description. It counts every round trip it answers.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "cadlink/Automation.h"
#include "cadlink/com/ComPtr.h"

namespace kav::sim::com {

// What every adapter of one server shares: the name table and the round-trip counters.
struct TServerContext {
  std::unordered_map<std::string, DISPID> Ids;   // upper-cased name -> DISPID
  std::vector<std::string> Names;                // DISPID - 1 -> name as first asked
  long long Invokes = 0;
  long long NameLookups = 0;
  std::function<void()> OnCall;    // after every call (the server repaints its window)
  std::function<void()> OnQuit;    // "SimQuit"
  // Test members the server answers itself (its window's); false for names it does not know.
  std::function<bool(const std::string& upperName, std::span<cad::TArg> args, cad::Variant& result)> ServerMember;
};

class TDispatchAdapter final : public IDispatch {
 public:
  static cad::com::TComPtr<IDispatch> Create(cad::ObjectRef object, std::shared_ptr<TServerContext> context);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argErr) override;

  const cad::ObjectRef& Object() const { return object_; }

 private:
  TDispatchAdapter(cad::ObjectRef object, std::shared_ptr<TServerContext> context)
      : object_(std::move(object)), context_(std::move(context)) {}
  ~TDispatchAdapter() = default;
  cad::Variant Call(const std::string& name, WORD flags, DISPPARAMS& params);

  std::atomic<ULONG> references_{1};
  cad::ObjectRef object_;
  std::shared_ptr<TServerContext> context_;
};

}  // namespace kav::sim::com
