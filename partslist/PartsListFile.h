// Parts-list files: the lines of a grid selection, a new file and an append, each written
// through a temporary file so that a failure leaves the old file as it was.
#pragma once

#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "ui/StringGrid.h"

namespace kav::partslist {

// For every row of `rect`, top to bottom, its cells from left to right joined by one TAB,
// untrimmed; rows whose line is blank are left out.
std::vector<std::string> CollectLines(const ui::TStringGrid& grid, const ui::TGridRect& rect);

// Whether a selection holds too little to be saved as a new file (a single cell or fewer
// than two lines) or to be appended (a single cell or no line at all).
bool TooLittleToSave(const ui::TGridRect& rect, const std::vector<std::string>& lines);
bool TooLittleToAppend(const ui::TGridRect& rect, const std::vector<std::string>& lines);

// The bytes of a new parts-list file: the ANSI code page without byte-order mark, CR LF after
// every line. Text that would not read back the same (a character the code page lacks) is
// written as UTF-8 with a byte-order mark instead, so that no character turns into '?'.
std::string EncodeNewPartsList(const std::vector<std::string>& lines, const ICodePage& codePage);

// Writes a new file (replacing one of that name). Throws FileError on failure.
void WriteNewPartsList(IFileSystem& files, const ICodePage& codePage, const std::string& path,
                       const std::vector<std::string>& lines);

// The bytes of `original` with `lines` added after its last line, in the encoding the file was
// read in. The lines that were there keep their bytes exactly; every line ends with CR LF.
// Throws std::runtime_error when the added text cannot be written in the file's encoding, or
// when a UTF-16 file has an odd number of bytes.
std::string AppendToPartsListBytes(std::string_view original, const std::vector<std::string>& lines,
                                   const ICodePage& codePage);

// Appends to an existing file; false (and nothing written) when no file exists under `path`.
// Throws FileError when reading or writing fails, with the file as it was.
bool AppendToPartsList(IFileSystem& files, const ICodePage& codePage, const std::string& path,
                       const std::vector<std::string>& lines);

}  // namespace kav::partslist
