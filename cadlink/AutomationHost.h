// Finding a CAD by its ProgID: the class registry and the table of running objects. The COM
// backend implements it with the system's; the simulated CAD with its own little registry.
#pragma once

#include <string>

#include "cadlink/Automation.h"

namespace kav::cad {

class IAutomationHost {
 public:
  virtual ~IAutomationHost() = default;
  // True when `progId` names a registered class (false for an empty or unknown ProgID).
  virtual bool IsRegistered(const std::string& progId) = 0;
  // True when an object of that class is in the table of running objects.
  virtual bool IsActive(const std::string& progId) = 0;
  // The running application object; throws TAutomationError when the ProgID is unknown or
  // its program is not running.
  virtual ObjectRef GetActiveObject(const std::string& progId) = 0;
};

}  // namespace kav::cad
