// A drawing point and its automation form: an array of three doubles with bounds 0 to 2.
#pragma once

#include "cadlink/Variant.h"

namespace kav::cad {

struct TPoint {
  double X = 0, Y = 0, Z = 0;
  bool operator==(const TPoint&) const = default;
};

Variant MakePoint(const TPoint& point);
inline Variant MakePoint(double x, double y, double z = 0) { return MakePoint(TPoint{x, y, z}); }
// Reads a point: an array of three numbers (doubles, or variants holding numbers); a
// two-element array gets z = 0. Anything else is a type mismatch.
TPoint ToPoint(const Variant& value);

}  // namespace kav::cad
