// Fuzz target: any bytes as a parts-list file, through the encoding detection, the line
// splitting and the loading into a grid (with and without a work-area filter), then appended to.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "partslist/PartsListFile.h"
#include "partslist/TableLoad.h"
#include "platform/CodePage.h"
#include "platform/TextFile.h"
#include "ui/StringGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::unique_ptr<kav::ICodePage> codePage = kav::MakePortableCodePage932();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const kav::TTextFile file = kav::DecodeTextFile(bytes, *codePage);
  kav::ui::TStringGrid grid("StringGrid2");
  kav::partslist::ResetGrid(grid);
  const int rows = kav::partslist::FillGrid(grid, file.Lines);
  if (rows > 0 && grid.RowCount() != rows + 1) __builtin_trap();
  // The first byte picks a filter out of the file itself.
  const std::string filter = size > 1 ? bytes.substr(1, data[0] % 4) : std::string();
  kav::partslist::ResetGrid(grid);
  kav::partslist::FillGrid(grid, file.Lines, filter);
  try {
    const std::string appended = kav::partslist::AppendToPartsListBytes(bytes, {"x\ty"}, *codePage);
    // The old bytes (byte-order mark and lines) are kept in front.
    if (appended.size() < 2) __builtin_trap();
  } catch (const std::runtime_error&) {
    // a broken UTF-16 file is refused: a defined result
  }
  return 0;
}
