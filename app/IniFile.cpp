#include "app/IniFile.h"

#include <cstdint>
#include <limits>

#include "platform/Text.h"

namespace kav::app {
namespace {

bool EqualIgnoreCase(std::string_view a, std::string_view b) { return UpperAscii(a) == UpperAscii(b); }

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string> SectionName(std::string_view line) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(std::string_view(t).substr(1, close - 1));
}

std::string CutToProfileLength(const std::string& value) {
  if (value.size() <= kMaxProfileValue) return value;   // bytes >= UTF-16 units
  std::u16string units = Utf8ToUtf16(value);
  if (units.size() <= kMaxProfileValue) return value;
  units.resize(kMaxProfileValue);
  if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();   // no half pair
  return Utf16ToUtf8(units);
}

}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint64_t value = 0;
    for (char c : text.substr(2)) {
      int digit;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      else return std::nullopt;
      value = value * 16 + static_cast<std::uint64_t>(digit);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<int>(static_cast<std::uint32_t>(value));   // 32-bit pattern, as Windows reads it
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<TIniFile::TSectionRange> TIniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (!name || !EqualIgnoreCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end])) ++end;
    return TSectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> TIniFile::FindKey(const TSectionRange& range, std::string_view key) const {
  for (std::size_t i = range.Header + 1; i < range.End; ++i) {
    const std::string& line = lines_[i];
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (EqualIgnoreCase(Trim(std::string_view(line).substr(0, eq)), key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto index = FindKey(*range, key);
  if (!index) return std::nullopt;
  const std::string& line = lines_[*index];
  std::string value = Trim(std::string_view(line).substr(line.find('=') + 1));
  // The profile functions drop one pair of quotes around a value.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return CutToProfileLength(value);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, const std::string& fallback) const {
  return Value(section, key).value_or(fallback);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const auto value = Value(section, key);
  if (!value) return fallback;
  return ParseProfileInteger(*value).value_or(fallback);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A line break inside a value would end it and start a line of its own.
  std::string flat(value);
  for (char& c : flat)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string line = std::string(key) + "=" + flat;
  const auto range = FindSection(section);
  if (!range) {
    lines_.push_back(std::string("[").append(section).append("]"));
    lines_.push_back(line);
    return;
  }
  if (const auto index = FindKey(*range, key)) {
    lines_[*index] = line;
    return;
  }
  // After the section's last non-blank line, so blank lines between sections stay between them.
  std::size_t at = range->End;
  while (at > range->Header + 1 && IsBlank(lines_[at - 1])) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace kav::app
