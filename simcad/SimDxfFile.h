// Opening and saving the simulated CAD's drawing as a DXF file: what simcad.exe does with a
// file on its command line or from its File menu, and the test members SimOpenDxf and
// SimSaveDxf.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "simcad/DxfText.h"
#include "simcad/SimCad.h"

namespace kav::sim {

// The files and code pages the simulated CAD reads and writes drawings with.
struct TDxfFileAccess {
  IFileSystem* Files = nullptr;
  TDxfCodePages CodePages;
};

// Puts the drawing of `path` in place of the state's and names the file as the document's.
// The new drawing is no undo step: what could be undone before is gone. On failure it throws
// (TDxfError naming the line, FileError) and everything stays as it was.
void OpenDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path);
// Writes the drawing to `path` through a temporary file, so that a failure leaves an old file as
// it was, and names the file as the document's. Throws FileError.
void SaveDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path);

}  // namespace kav::sim
