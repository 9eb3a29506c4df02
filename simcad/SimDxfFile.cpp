// Opening and saving the drawing as a DXF file.
#include "simcad/SimDxfFile.h"

#include "platform/Text.h"
#include "simcad/DxfReader.h"
#include "simcad/DxfWriter.h"

namespace kav::sim {

namespace {

void NameDocument(TSimState& state, const std::string& path) {
  state.DocumentPath = path;
  state.DocumentName = ExtractFileName(path);
}

}  // namespace

void OpenDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path) {
  TDxfDrawing file = ReadDxf(access.Files->ReadAll(path), access.CodePages);
  state.Drawing = std::move(file.Drawing);
  state.Selection.clear();   // its ids named the old drawing's entities
  state.Undo.Clear(state.Drawing);
  NameDocument(state, path);
  ++state.DrawingsOpened;
  ++state.Revision;
}

void SaveDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path) {
  access.Files->WriteAtomically(path, WriteDxf(state.Drawing));
  NameDocument(state, path);
  ++state.Revision;
}

}  // namespace kav::sim
