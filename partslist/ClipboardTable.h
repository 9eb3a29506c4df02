// Tables on the clipboard (TAB between cells, CR LF after every row): a grid range as text,
// a clipboard text as rows of fields, and putting text on a clipboard another program holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "ui/StringGrid.h"

namespace kav::partslist {

struct TTableSize {
  int Width = 0;   // the largest field count of any line
  int Lines = 0;   // the number of lines
  bool operator==(const TTableSize&) const = default;
};

// Lines end at CR, LF or CR LF (a break at the very end makes no empty line); fields are
// split at TAB by the field splitting rule, untrimmed.
std::vector<std::vector<std::string>> ParseClipboardTable(std::string_view text);
TTableSize ClipboardTableSize(std::string_view text);

// The cells of `rect`, row by row: TAB between neighbours, CR LF after every row (the last
// one included). Blank rows are kept.
std::string RangeText(const ui::TStringGrid& grid, const ui::TGridRect& rect);

inline constexpr unsigned kClipboardRetryMs = 250;

// Tries up to `attempts` times to set the clipboard text, waiting `delayMs` between tries
// while another program holds the clipboard. False only when every attempt found it held;
// any other failure is thrown by the clipboard service.
bool PutClipboardText(IClipboard& clipboard, IDesktop& desktop, const std::string& text, int attempts,
                      unsigned delayMs = kClipboardRetryMs);

}  // namespace kav::partslist
