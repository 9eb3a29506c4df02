// Files beside the program: reading, listing, and writing through a temporary file so that
// a failure never leaves a half-written file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// A file operation failed; what() is the system's message (with the path).
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The steps of a write through a temporary file, each of which a test can make fail.
enum class WriteStep { CreateTemporary, WriteData, Flush, PutInPlace };

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;   // a file, not a folder
  virtual std::string ReadAll(const std::string& path) = 0;  // throws FileError
  // The size in bytes, so that a reader can turn away a file too large before reading it.
  virtual std::uint64_t FileSize(const std::string& path) = 0;  // throws FileError
  // Writes to a temporary file in the same folder, flushes it and puts it in place of
  // `path`; on failure throws FileError and leaves any old file as it was.
  virtual void WriteAtomically(const std::string& path, std::string_view bytes) = 0;
  // Names (without folder) of the files directly in `folder` matching `pattern`
  // ("*.tsv"; a to z match without regard to case), in the file system's order.
  virtual std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) = 0;
};

// True when `name` matches a pattern of '*' and '?' wildcards, a to z folded.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace kav
