// Finding a CAD through the system: the class registry (CLSIDFromProgID) and the table of
// running objects (GetActiveObject).
#pragma once

#include <memory>

#include "cadlink/AutomationHost.h"

namespace kav::cad::com {

std::unique_ptr<IAutomationHost> MakeComHost();

// Joins the thread to a single-threaded apartment for its lifetime.
class TComApartment {
 public:
  TComApartment();
  ~TComApartment();
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

 private:
  bool initialised_ = false;
};

}  // namespace kav::cad::com
