// Opening and saving drawing files in simcad.exe: one function each, for the file named on the
// command line and for the File menu, with the errors shown in a message box; and the window
// title that names the open file.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/CodePage.h"
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

// Opens `path` into the drawing and names it in the window's title. A file that cannot be read
// leaves the drawing as it was; its error is shown over `window` unless `quiet`. True when opened.
bool OpenDrawing(HWND window, TSimState& state, const TDrawingFiles& files, const std::wstring& path, bool quiet);
// Saves the drawing as `path` (DXF) and names it in the window's title; an error is shown as
// with OpenDrawing. True when saved.
bool SaveDrawing(HWND window, TSimState& state, const TDrawingFiles& files, const std::wstring& path, bool quiet);

// "KaverolinSim - <file name>", or "Drawing1.dwg" for a drawing never opened or saved. Sets the
// title only when it changes.
void ShowDrawingTitle(HWND window, const TSimState& state);

}  // namespace kav::sim::com
