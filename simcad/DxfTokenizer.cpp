// Group pairs out of a DXF file's bytes, and its values as numbers.
#include "simcad/DxfTokenizer.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace kav::sim {

std::string_view TrimDxfBlanks(std::string_view text, bool lineEnds) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || (lineEnds && text.back() == '\r'))) text.remove_suffix(1);
  return text;
}

namespace {

bool OnlyBlanks(std::string_view text) {
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0' && c != '\x1a') return false;
  return true;
}

// A decimal number as DXF writers write it: blanks around it, a leading '+' allowed.
bool ParseDouble(std::string_view text, double& value) {
  text = TrimDxfBlanks(text, true);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

TDxfError::TDxfError(std::size_t line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

std::string QuoteForMessage(std::string_view value) {
  constexpr std::size_t kMax = 40;
  std::string quoted = "\"";
  for (std::size_t i = 0; i < value.size() && i < kMax; ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    quoted += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
  }
  if (value.size() > kMax) quoted += "...";
  return quoted + "\"";
}

TDxfTokenizer::TDxfTokenizer(std::string_view bytes) : bytes_(bytes) {
  if (bytes_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  if (bytes_.substr(0, 18) == "AutoCAD Binary DXF")
    throw TDxfError(1, "this is a binary DXF file; only ASCII DXF files can be opened");
}

std::string_view TDxfTokenizer::TakeLine() {
  const char* start = bytes_.data() + pos_;
  const std::size_t left = bytes_.size() - pos_;
  const void* newline = std::memchr(start, '\n', left);
  std::size_t length = newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) : left;
  pos_ += newline != nullptr ? length + 1 : length;
  ++line_;
  if (length > 0 && start[length - 1] == '\r') --length;
  return std::string_view(start, length);
}

bool TDxfTokenizer::Next(TDxfPair& pair) {
  if (pos_ >= bytes_.size() || OnlyBlanks(bytes_.substr(pos_))) return false;
  const std::size_t codeLine = line_;
  const std::string_view codeText = TrimDxfBlanks(TakeLine(), true);
  int code = 0;
  const auto [end, error] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
  if (codeText.empty() || error != std::errc() || end != codeText.data() + codeText.size()) {
    if (codeLine == 1) throw TDxfError(1, "this is not a DXF file (it does not begin with a group code)");
    throw TDxfError(codeLine, "a group code was expected, found " + QuoteForMessage(codeText));
  }
  if (pos_ >= bytes_.size())
    throw TDxfError(codeLine, "the file ends after group code " + std::to_string(code) + " without its value (it is cut short)");
  pair.Code = code;
  pair.Line = codeLine;
  pair.Value = TakeLine();
  return true;
}

double DxfDouble(const TDxfPair& pair) {
  double value = 0;
  if (!ParseDouble(pair.Value, value))
    throw TDxfError(pair.Line + 1, "group " + std::to_string(pair.Code) + " needs a number, found " + QuoteForMessage(pair.Value));
  return value;
}

int DxfInt(const TDxfPair& pair) {
  const double value = DxfDouble(pair);
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    throw TDxfError(pair.Line + 1, "group " + std::to_string(pair.Code) + " is out of range: " + QuoteForMessage(pair.Value));
  return static_cast<int>(value);
}

}  // namespace kav::sim
