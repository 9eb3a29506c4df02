#include "platform/portable/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kav {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& path, int error) {
  throw FileError(path + ": " + std::strerror(error));
}

class TPosixFileSystem final : public IFileSystem {
 public:
  explicit TPosixFileSystem(std::function<bool(WriteStep)> failAt) : failAt_(std::move(failAt)) {}

  bool FileExists(const std::string& path) override {
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
  }

  std::string ReadAll(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(path, errno ? errno : ENOENT);
    std::ostringstream out;
    out << in.rdbuf();
    if (in.bad()) Fail(path, EIO);
    return out.str();
  }

  std::uint64_t FileSize(const std::string& path) override {
    struct stat info{};
    if (stat(path.c_str(), &info) != 0) Fail(path, errno);
    if (!S_ISREG(info.st_mode)) Fail(path, EISDIR);
    return static_cast<std::uint64_t>(info.st_size);
  }

  void WriteAtomically(const std::string& path, std::string_view bytes) override {
    std::string temp = path + ".XXXXXX";
    const int fd = Fails(WriteStep::CreateTemporary) ? -1 : mkstemp(temp.data());
    if (fd < 0) Fail(path, Fails(WriteStep::CreateTemporary) ? EACCES : errno);
    struct stat old{};
    if (stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);  // keep the attributes
    else fchmod(fd, 0644);
    auto abandon = [&](int error) {
      close(fd);
      unlink(temp.c_str());
      Fail(path, error);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = Fails(WriteStep::WriteData) ? -1 : write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0) abandon(Fails(WriteStep::WriteData) ? ENOSPC : errno);
      done += static_cast<std::size_t>(n);
    }
    if (Fails(WriteStep::WriteData) && bytes.empty()) abandon(ENOSPC);
    if (Fails(WriteStep::Flush) || fsync(fd) != 0) abandon(Fails(WriteStep::Flush) ? EIO : errno);
    close(fd);
    if (Fails(WriteStep::PutInPlace) || rename(temp.c_str(), path.c_str()) != 0) {
      const int error = Fails(WriteStep::PutInPlace) ? EACCES : errno;
      unlink(temp.c_str());
      Fail(path, error);
    }
  }

  std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(folder), ec)) {
      std::error_code typeError;
      if (!entry.is_regular_file(typeError)) continue;
      std::string name = entry.path().filename().string();
      if (MatchesPattern(name, pattern)) names.push_back(std::move(name));
    }
    return names;
  }

 private:
  bool Fails(WriteStep step) const { return failAt_ && failAt_(step); }
  std::function<bool(WriteStep)> failAt_;
};

}  // namespace

std::unique_ptr<IFileSystem> MakePosixFileSystem(std::function<bool(WriteStep)> failAt) {
  return std::make_unique<TPosixFileSystem>(std::move(failAt));
}

}  // namespace kav
