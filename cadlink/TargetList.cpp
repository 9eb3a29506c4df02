#include "cadlink/TargetList.h"

namespace kav::cad {

std::optional<std::string> FindTargetName(const std::vector<std::string>& lines, std::string_view progId) {
  std::string needle(1, '\t');
  needle += progId;
  for (const auto& line : lines) {
    const auto pos = line.find(needle);
    if (pos != std::string::npos) return line.substr(0, pos);
  }
  return std::nullopt;
}

TTargetEntry SplitTargetLine(std::string_view line) {
  const auto tab = line.find('\t');
  if (tab == std::string_view::npos) return {std::string(), std::string(line)};
  return {std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))};
}

std::string JoinTargetLine(std::string_view name, std::string_view progId) {
  std::string line(name);
  line += '\t';
  line += progId;
  return line;
}

std::optional<TTextFile> ReadTargetList(IFileSystem& files, const ICodePage& codePage, const std::string& path) {
  if (!files.FileExists(path)) return std::nullopt;
  return ReadTextFile(files, codePage, path);
}

TextEncoding WriteTargetList(IFileSystem& files, const ICodePage& codePage, const std::string& path,
                             const std::vector<std::string>& lines, TextEncoding encoding) {
  const TEncodedText file = EncodeTextFileKeepingText(lines, encoding, TextEncoding::Utf8Bom, codePage);
  files.WriteAtomically(path, file.Bytes);
  return file.Encoding;
}

}  // namespace kav::cad
