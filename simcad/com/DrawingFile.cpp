// simcad.exe opening and saving drawing files, errors in a message box.
#include "simcad/com/DrawingFile.h"

#include <stdexcept>

#include "platform/Text.h"
#include "platform/win32/Win32Services.h"

namespace kav::sim::com {

namespace {

// The reason in a message box; the caller goes on with the drawing it has.
template <class TAction>
bool Run(IMessages* messages, const std::string& what, const std::string& path, TAction action) {
  try {
    action();
    return true;
  } catch (const std::exception& e) {
    // A file error names the path itself; a reading error names the line.
    if (messages != nullptr) messages->ShowError(ExtractFileName(path) + what + "\n\n" + e.what());
    return false;
  }
}

}  // namespace

TDrawingFiles::TDrawingFiles() : files_(MakeWin32FileSystem()), ansi_(MakeWin32CodePage()) {
  if (ansi_->AnsiCodePage() != 932) japanese_ = MakeWin32CodePage(932);
  access_ = TDxfFileAccess{files_.get(), TDxfCodePages{ansi_.get(), japanese_.get()}};
}

bool OpenDrawing(TSimState& state, const TDrawingFiles& files, const std::string& path, IMessages* messages) {
  return Run(messages, " を開けません。", path, [&] { OpenDxfFile(state, files.Access(), path); });
}

bool SaveDrawing(TSimState& state, const TDrawingFiles& files, const std::string& path, IMessages* messages) {
  return Run(messages, " に保存できません。", path, [&] { SaveDxfFile(state, files.Access(), path); });
}

}  // namespace kav::sim::com
