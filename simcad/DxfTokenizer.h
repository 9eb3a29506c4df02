// The group pairs of an ASCII drawing exchange file (DXF): a line with the group code and a
// line with its value, read straight out of the file's bytes with the line number of each
// code for messages.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kav::sim {

// A file that cannot be read as a drawing: what() begins with "line N: ".
class TDxfError : public std::runtime_error {
 public:
  TDxfError(std::size_t line, const std::string& message);
  std::size_t Line() const { return line_; }

 private:
  std::size_t line_;
};

// A code or value without the spaces and tabs around it; with `lineEnds` also without the
// carriage returns at its end (a file whose lines end in "\r\r\n").
std::string_view TrimDxfBlanks(std::string_view text, bool lineEnds = false);

struct TDxfPair {
  int Code = 0;
  std::string_view Value;   // the value line without its line end; points into the file's bytes
  std::size_t Line = 0;     // the line of the code, counted from 1
};

class TDxfTokenizer {
 public:
  // A UTF-8 byte-order mark at the start is passed over; a binary DXF file is refused.
  explicit TDxfTokenizer(std::string_view bytes);

  // The next pair; false when nothing but blanks is left. Throws TDxfError for a code line
  // that is not a number and for a code whose value line is missing (a file cut short).
  bool Next(TDxfPair& pair);
  std::size_t LastLine() const { return line_ > 1 ? line_ - 1 : 1; }   // the last line read

 private:
  std::string_view TakeLine();

  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;   // the line TakeLine gives next
};

// A value as a number. A value that is not a finite number throws TDxfError naming its line.
double DxfDouble(const TDxfPair& pair);
int DxfInt(const TDxfPair& pair);   // a number in the range of int, fractions cut off

// A short, printable quotation of a value for messages.
std::string QuoteForMessage(std::string_view value);

}  // namespace kav::sim
