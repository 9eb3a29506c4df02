// The system clipboard's text.
#pragma once

#include <optional>
#include <string>

namespace kav {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // False when the clipboard cannot be opened because another program holds it.
  virtual bool TrySetText(const std::string& text) = 0;
  // The clipboard's text, or nothing when it holds no text (or cannot be opened).
  virtual std::optional<std::string> GetText() = 0;
};

}  // namespace kav
