// The settings file as an INI document held in memory: values are read and written by section
// and key the way the Windows profile functions do it, and the whole document is then written
// back at once through a temporary file, in the encoding the file had.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextFile.h"

namespace kav::app {

inline constexpr std::size_t kMaxProfileValue = 2047;   // UTF-16 units a value read keeps

class TIniFile {
 public:
  TIniFile() = default;
  explicit TIniFile(TTextFile file) : encoding_(file.Encoding), lines_(std::move(file.Lines)) {}

  // The value, trimmed and cut to kMaxProfileValue units; nothing when section or key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& fallback) const;
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Replaces the key's value in place, or adds the key at the end of its section, or adds the
  // section at the end of the document.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  TextEncoding Encoding() const { return encoding_; }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  struct TSectionRange {
    std::size_t Header, End;   // the section line and one past its last line
  };
  std::optional<TSectionRange> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const TSectionRange& range, std::string_view key) const;

  TextEncoding encoding_ = TextEncoding::Utf16LE;   // a new file: Japanese stays intact
  std::vector<std::string> lines_;
};

// Integer text as the settings read it: optional sign and decimal digits, or "0x" followed by
// hexadecimal digits; anything else (including a number out of range) gives nothing.
std::optional<int> ParseProfileInteger(std::string_view text);

}  // namespace kav::app
