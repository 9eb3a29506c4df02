#include "bench/support/TimedObject.h"

namespace kav::bench {

namespace {

class TTimedObject final : public cad::IAutomationObject {
 public:
  TTimedObject(cad::ObjectRef inner, std::shared_ptr<TCallClock> clock) : inner_(std::move(inner)), clock_(std::move(clock)) {}
  // Letting go of a COM object is a call to its server as well.
  ~TTimedObject() override {
    const auto start = std::chrono::steady_clock::now();
    inner_.reset();
    clock_->InCalls += std::chrono::steady_clock::now() - start;
  }
  TTimedObject(const TTimedObject&) = delete;
  TTimedObject& operator=(const TTimedObject&) = delete;

  cad::Variant Invoke(cad::TInvokeKind kind, std::string_view name, std::span<cad::TArg> args) override {
    const auto start = std::chrono::steady_clock::now();
    cad::Variant result = inner_->Invoke(kind, name, args);
    clock_->InCalls += std::chrono::steady_clock::now() - start;
    ++clock_->Calls;
    for (auto& arg : args)
      if (arg.ByRef) arg.Value = Wrap(arg.Value);
    return Wrap(result);
  }

 private:
  cad::Variant Wrap(const cad::Variant& value) {
    if (value.Kind() == cad::VariantKind::Object) return Timed(value.AsObject(), clock_);
    if (value.Kind() == cad::VariantKind::VariantArray) {
      cad::VariantArray array = std::get<cad::VariantArray>(value.Value());
      for (auto& item : array.Items) item = Wrap(item);
      return array;
    }
    return value;
  }
  cad::ObjectRef inner_;
  std::shared_ptr<TCallClock> clock_;
};

class TTimedHost final : public cad::IAutomationHost {
 public:
  TTimedHost(cad::IAutomationHost& inner, std::shared_ptr<TCallClock> clock) : inner_(inner), clock_(std::move(clock)) {}
  bool IsRegistered(const std::string& progId) override { return Clocked([&] { return inner_.IsRegistered(progId); }); }
  bool IsActive(const std::string& progId) override { return Clocked([&] { return inner_.IsActive(progId); }); }
  cad::ObjectRef GetActiveObject(const std::string& progId) override {
    return Timed(Clocked([&] { return inner_.GetActiveObject(progId); }), clock_);
  }

 private:
  template <class F>
  auto Clocked(F f) -> decltype(f()) {
    const auto start = std::chrono::steady_clock::now();
    auto result = f();
    clock_->InCalls += std::chrono::steady_clock::now() - start;
    return result;
  }
  cad::IAutomationHost& inner_;
  std::shared_ptr<TCallClock> clock_;
};

}  // namespace

cad::ObjectRef Timed(cad::ObjectRef object, std::shared_ptr<TCallClock> clock) {
  return std::make_shared<TTimedObject>(std::move(object), std::move(clock));
}

std::unique_ptr<cad::IAutomationHost> TimedHost(cad::IAutomationHost& inner, std::shared_ptr<TCallClock> clock) {
  return std::make_unique<TTimedHost>(inner, std::move(clock));
}

}  // namespace kav::bench
