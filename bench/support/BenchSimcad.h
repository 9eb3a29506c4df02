// simcad.exe for a benchmark under Wine: started hidden under a ProgID of the benchmark's own,
// found through the COM backend, and asked how many round trips it has answered.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "cadlink/AutomationHost.h"

namespace kav::bench {

class TBenchSimcad {
 public:
  // Starts simcad.exe and waits until its application object can be found; throws
  // std::runtime_error when it cannot start.
  explicit TBenchSimcad(const std::string& progId);
  ~TBenchSimcad();
  TBenchSimcad(const TBenchSimcad&) = delete;
  TBenchSimcad& operator=(const TBenchSimcad&) = delete;

  cad::IAutomationHost& Host() { return *host_; }
  const std::string& ProgId() const { return progId_; }
  cad::ObjectRef Application();
  // The Invoke and GetIDsOfNames calls simcad.exe answered while `body` ran.
  struct TRoundTrips {
    double Invokes = 0, NameLookups = 0;
    double Total() const { return Invokes + NameLookups; }
  };
  template <typename TBody>
  TRoundTrips RoundTripsOf(TBody&& body) {
    const TRoundTrips before = Count();
    body();
    const TRoundTrips after = Count();
    return {after.Invokes - before.Invokes - askingCost_.Invokes,
            after.NameLookups - before.NameLookups - askingCost_.NameLookups};
  }

 private:
  std::string progId_;
  std::unique_ptr<cad::IAutomationHost> host_;
  TRoundTrips Count();   // round trips answered so far, the asking included
  HANDLE process_ = nullptr;
  TRoundTrips askingCost_;   // what one Count() adds itself
};

}  // namespace kav::bench
