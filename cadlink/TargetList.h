// The target list "TargetCAD_APIVersion.txt": one CAD a line, its name, a TAB, its ProgID.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

namespace kav::cad {

inline constexpr const char* kTargetListFileName = "TargetCAD_APIVersion.txt";

// The name of the first line that holds a TAB immediately followed by `progId` (a plain
// substring test, letter case significant): the text before that TAB.
std::optional<std::string> FindTargetName(const std::vector<std::string>& lines, std::string_view progId);

// A line split at its first TAB; a line without TAB has an empty name and is all ProgID.
struct TTargetEntry {
  std::string Name;
  std::string ProgID;
};
TTargetEntry SplitTargetLine(std::string_view line);
std::string JoinTargetLine(std::string_view name, std::string_view progId);

// The file beside the program, its lines and the encoding it was read in; nullopt when the
// file does not exist. Throws FileError when it exists but cannot be read.
std::optional<TTextFile> ReadTargetList(IFileSystem& files, const ICodePage& codePage, const std::string& path);
// Writes every line followed by CR LF, in `encoding`, through a temporary file; a list that
// `encoding` cannot hold (a name with a character the ANSI code page lacks) is written as UTF-8
// with its byte-order mark instead. Returns the encoding written.
TextEncoding WriteTargetList(IFileSystem& files, const ICodePage& codePage, const std::string& path,
                     const std::vector<std::string>& lines, TextEncoding encoding);

}  // namespace kav::cad
