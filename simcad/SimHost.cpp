#include "simcad/SimHost.h"

#include "platform/Text.h"

namespace kav::sim {

namespace {
// ProgIDs are looked up without regard to letter case, as in the class registry.
template <class TMap>
auto FindProgId(TMap& entries, const std::string& progId) {
  const std::string upper = UpperAscii(progId);
  for (auto it = entries.begin(); it != entries.end(); ++it)
    if (UpperAscii(it->first) == upper) return it;
  return entries.end();
}
}  // namespace

bool TSimHost::IsRegistered(const std::string& progId) {
  ++Lookups;
  return !progId.empty() && FindProgId(entries_, progId) != entries_.end();
}

bool TSimHost::IsActive(const std::string& progId) {
  const auto it = FindProgId(entries_, progId);
  return it != entries_.end() && it->second != nullptr;
}

cad::ObjectRef TSimHost::GetActiveObject(const std::string& progId) {
  const auto it = FindProgId(entries_, progId);
  if (progId.empty() || it == entries_.end())
    throw cad::TAutomationError(cad::kInvalidClassString, "Invalid class string: " + progId);
  if (it->second == nullptr) throw cad::TAutomationError(cad::kOperationUnavailable, "Operation unavailable");
  return it->second->Application();
}

}  // namespace kav::sim
