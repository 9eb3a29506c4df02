#include "tests/support/Fakes.h"

#include "platform/Text.h"
#ifdef _WIN32
#include "platform/win32/Win32Services.h"
#endif

namespace kav::test {

std::string TMemoryFileSystem::ReadAll(const std::string& path) {
  const auto it = Files.find(path);
  if (it == Files.end()) throw FileError(path + ": the file does not exist");
  if (Unreadable[path]) throw FileError(path + ": access denied");
  return it->second;
}

std::uint64_t TMemoryFileSystem::FileSize(const std::string& path) {
  const auto it = Files.find(path);
  if (it == Files.end()) throw FileError(path + ": the file does not exist");
  return it->second.size();
}

void TMemoryFileSystem::WriteAtomically(const std::string& path, std::string_view bytes) {
  if (Unwritable[path]) throw FileError(path + ": access denied");
  Files[path] = std::string(bytes);
  ++Writes;
}

std::vector<std::string> TMemoryFileSystem::ListFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  for (const auto& [path, bytes] : Files) {
    if (ExtractFilePath(path) != folder) continue;
    const std::string name = ExtractFileName(path);
    if (MatchesPattern(name, pattern)) names.push_back(name);
  }
  return names;
}

TFakePlatform::TFakePlatform() {
#ifdef _WIN32
  CodePage = MakeWin32CodePage();
  Collation = MakeWin32Collation();
#else
  CodePage = MakePortableCodePage932();
  Collation = MakePortableCollation();
#endif
}

TServices TFakePlatform::Services() {
  return TServices{*CodePage, *Collation, Locale, Clipboard, Messages, FileDialogs, Desktop, Files, ProgramPath};
}

}  // namespace kav::test
