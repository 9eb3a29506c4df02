// Opening and saving the simulated CAD's drawing as a DXF file: what simcad.exe does with a
// file on its command line or from its File menu, and the test members SimOpenDxf and
// SimSaveDxf.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/FileSystem.h"
#include "simcad/DxfText.h"
#include "simcad/SimCad.h"

namespace kav::sim {

// The largest drawing file opened: the drawing takes some times the file's size in memory,
// and a file of gigabytes would stall the simulated CAD long before it fails.
inline constexpr std::uint64_t kMaxDxfFileBytes = 128ull << 20;

// The files and code pages the simulated CAD reads and writes drawings with.
struct TDxfFileAccess {
  IFileSystem* Files = nullptr;
  TDxfCodePages CodePages;
  std::uint64_t MaxBytes = kMaxDxfFileBytes;
};

// A drawing file that is not opened for a reason other than its contents: too large, or the
// simulated CAD waits for the user's input.
class TDrawingFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Puts the drawing of `path` in place of the state's and names the file as the document's.
// The new drawing is no undo step: what could be undone before is gone. On failure it throws
// (TDxfError naming the line, FileError, TDrawingFileError) and everything stays as it was.
void OpenDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path);
// Writes the drawing to `path` through a temporary file, so that a failure leaves an old file as
// it was, and names the file as the document's. Throws FileError.
void SaveDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path);

}  // namespace kav::sim
