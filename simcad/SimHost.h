// A class registry and running-object table in process, for the simulated CAD: which ProgIDs
// are registered and which of them have a running simulated CAD.
#pragma once

#include <map>
#include <set>
#include <string>

#include "cadlink/AutomationHost.h"
#include "simcad/SimCad.h"

namespace kav::sim {

class TSimHost final : public cad::IAutomationHost {
 public:
  // Registers `progId` with `cad` running under it (null: registered, not running).
  void Register(const std::string& progId, TSimCad* cad) { entries_[progId] = cad; }
  void Unregister(const std::string& progId) { entries_.erase(progId); }

  bool IsRegistered(const std::string& progId) override;
  bool IsActive(const std::string& progId) override;
  cad::ObjectRef GetActiveObject(const std::string& progId) override;

  int Lookups = 0;   // registry lookups, to show that each check looks afresh

 private:
  std::map<std::string, TSimCad*> entries_;
};

}  // namespace kav::sim
