// Opening and saving the drawing as a DXF file.
#include "simcad/SimDxfFile.h"

#include "simcad/DxfReader.h"
#include "simcad/DxfWriter.h"

namespace kav::sim {

void OpenDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path) {
  TDxfDrawing file = ReadDxf(access.Files->ReadAll(path), access.CodePages);
  state.Drawing = std::move(file.Drawing);
  state.Selection.clear();   // its ids named the old drawing's entities
  state.DocumentPath = path;
}

void SaveDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path) {
  access.Files->WriteAtomically(path, WriteDxf(state.Drawing));
  state.DocumentPath = path;
}

}  // namespace kav::sim
