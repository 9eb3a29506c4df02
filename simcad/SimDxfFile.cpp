// Opening and saving the drawing as a DXF file.
#include "simcad/SimDxfFile.h"

#include "platform/Text.h"
#include "simcad/DxfReader.h"
#include "simcad/DxfWriter.h"

namespace kav::sim {

namespace {

std::string Megabytes(std::uint64_t bytes) {
  return FormatFixed(static_cast<double>(bytes) / (1024.0 * 1024.0), 1) + " MB";
}

void NameDocument(TSimState& state, const std::string& path) {
  state.DocumentPath = path;
  state.DocumentName = ExtractFileName(path);
}

}  // namespace

void OpenDxfFile(TSimState& state, const TDxfFileAccess& access, const std::string& path) {
  // A pick or a paste that waits holds ids and points of the drawing it began in.
  if (state.PickWaiting || state.PastePending)
    throw TDrawingFileError("the drawing cannot be replaced while the CAD waits for input");
  const std::uint64_t size = access.Files->FileSize(path);
  if (size > access.MaxBytes)
    throw TDrawingFileError("the file is too large to open: " + Megabytes(size) + " (at most " + Megabytes(access.MaxBytes) + ")");
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
