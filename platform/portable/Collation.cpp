#include <algorithm>

#include "platform/Collation.h"
#include "platform/Text.h"

namespace kav {
namespace {

class TPortableCollation final : public ICollation {
 public:
  int CompareIgnoreCase(std::string_view a, std::string_view b) const override {
    const std::u16string ua = Utf8ToUtf16(UpperAscii(a));
    const std::u16string ub = Utf8ToUtf16(UpperAscii(b));
    const int c = ua.compare(ub);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
};

}  // namespace

std::unique_ptr<ICollation> MakePortableCollation() { return std::make_unique<TPortableCollation>(); }

}  // namespace kav
