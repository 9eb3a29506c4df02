// Files through the Win32 API; writes go through a temporary file in the same folder that is
// flushed and then put in place, with a few short retries while a scanner holds the file.
#include <windows.h>

#include "platform/Text.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Services.h"

namespace kav {
namespace {

[[noreturn]] void Fail(const std::string& path, DWORD error) {
  throw FileError(path + ": " + SystemErrorMessage(error));
}

class TWin32FileSystem final : public IFileSystem {
 public:
  explicit TWin32FileSystem(std::function<bool(WriteStep)> failAt) : failAt_(std::move(failAt)) {}

  bool FileExists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::string ReadAll(const std::string& path) override {
    TFileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) Fail(path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) Fail(path, GetLastError());
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD n = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      if (!ReadFile(file.Get(), bytes.data() + done, chunk, &n, nullptr)) Fail(path, GetLastError());
      if (n == 0) break;
      done += n;
    }
    bytes.resize(done);
    return bytes;
  }

  std::uint64_t FileSize(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) Fail(path, GetLastError());
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Fail(path, ERROR_DIRECTORY);
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  void WriteAtomically(const std::string& path, std::string_view bytes) override {
    const std::wstring target = Utf8ToWide(path);
    const std::wstring temp = target + L".kav-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    {
      TFileHandle file(Fails(WriteStep::CreateTemporary)
                           ? INVALID_HANDLE_VALUE
                           : CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file) Fail(path, Fails(WriteStep::CreateTemporary) ? ERROR_ACCESS_DENIED : GetLastError());
      const auto abandon = [&](DWORD error) {
        file.Reset();
        DeleteFileW(temp.c_str());
        Fail(path, error);
      };
      std::size_t done = 0;
      do {
        if (Fails(WriteStep::WriteData)) abandon(ERROR_DISK_FULL);
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (chunk > 0 && !WriteFile(file.Get(), bytes.data() + done, chunk, &n, nullptr)) abandon(GetLastError());
        done += n;
      } while (done < bytes.size());
      if (Fails(WriteStep::Flush)) abandon(ERROR_WRITE_FAULT);
      if (!FlushFileBuffers(file.Get())) abandon(GetLastError());
    }
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 5; ++attempt) {
      if (Fails(WriteStep::PutInPlace)) {
        error = ERROR_ACCESS_DENIED;
        break;
      }
      const bool exists = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
      const BOOL ok = exists ? ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                            nullptr, nullptr)
                             : MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
      if (ok) return;
      error = GetLastError();
      if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION && error != ERROR_ACCESS_DENIED &&
          error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        break;
      ::Sleep(50);
    }
    DeleteFileW(temp.c_str());
    Fail(path, error);
  }

  std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    const TFindHandle find(FindFirstFileW(Utf8ToWide(folder + pattern).c_str(), &data));
    if (!find) return names;
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      std::string name = WideToUtf8(data.cFileName);
      // FindFirstFile also matches short 8.3 names ("*.tsv" finds "a.tsvx"); keep exact matches.
      if (MatchesPattern(name, pattern)) names.push_back(std::move(name));
    } while (FindNextFileW(find.Get(), &data));
    return names;
  }

 private:
  bool Fails(WriteStep step) const { return failAt_ && failAt_(step); }
  std::function<bool(WriteStep)> failAt_;
};

}  // namespace

std::unique_ptr<IFileSystem> MakeWin32FileSystem(std::function<bool(WriteStep)> failAt) {
  return std::make_unique<TWin32FileSystem>(std::move(failAt));
}

}  // namespace kav
