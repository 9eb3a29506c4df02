// Opening and saving drawing files in simcad.exe: one function each, for the file named on the
// command line and for the File menu, with the reason of a failure shown in a message box.
#pragma once

#include <memory>
#include <string>

#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "simcad/SimDxfFile.h"

namespace kav::sim::com {

// The Windows files and code pages (the system's ANSI code page, and 932 for the drawings of
// Japanese CADs on a system with another) the simulated CAD reads and writes drawings with.
class TDrawingFiles {
 public:
  TDrawingFiles();
  const TDxfFileAccess& Access() const { return access_; }

 private:
  std::unique_ptr<IFileSystem> files_;
  std::unique_ptr<ICodePage> ansi_, japanese_;
  TDxfFileAccess access_;
};

// Opens `path` into the drawing, in place of the one there. A file that cannot be opened (not
// DXF, empty, cut short, too large, unreadable) leaves the drawing as it was; the reason goes to
// `messages` (none: a quiet start). True when opened.
bool OpenDrawing(TSimState& state, const TDrawingFiles& files, const std::string& path, IMessages* messages);
// Saves the drawing as `path` (DXF); a failure is shown as with OpenDrawing. True when saved.
bool SaveDrawing(TSimState& state, const TDrawingFiles& files, const std::string& path, IMessages* messages);

}  // namespace kav::sim::com
