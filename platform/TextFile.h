// Reading and writing the program's text files: encoding detection by byte-order mark,
// UTF-8 without one, the ANSI code page otherwise; lines ending at CR, LF or CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace kav {

enum class TextEncoding {
  Ansi,      // the system's ANSI code page, no byte-order mark
  Utf8,      // UTF-8 without byte-order mark (a file that was valid UTF-8 with non-ASCII bytes)
  Utf8Bom,
  Utf16LE,   // with byte-order mark
  Utf16BE,   // with byte-order mark
};

struct TTextFile {
  TextEncoding Encoding = TextEncoding::Ansi;
  std::vector<std::string> Lines;   // UTF-8
};

// Splits at CR, LF or CR LF; a line break at the very end makes no empty last line.
std::vector<std::string> SplitLines(std::string_view text);

// The lines as one text, CR LF after every line.
std::string JoinLines(const std::vector<std::string>& lines);

// Detects the encoding of `bytes` and decodes them to UTF-8 text (byte-order mark removed).
std::string DecodeText(std::string_view bytes, const ICodePage& codePage, TextEncoding& encoding);
TTextFile DecodeTextFile(std::string_view bytes, const ICodePage& codePage);

// The lines in `encoding` (with its byte-order mark), CR LF after every line.
std::string EncodeTextFile(const std::vector<std::string>& lines, TextEncoding encoding,
                           const ICodePage& codePage);
std::string EncodeText(std::string_view utf8, TextEncoding encoding, const ICodePage& codePage);

// True when the ANSI code page holds every character of `utf8`.
bool FitsAnsi(std::string_view utf8, const ICodePage& codePage);

struct TEncodedText {
  std::string Bytes;
  TextEncoding Encoding;   // the encoding of Bytes
};

// Writing a file without losing a character: the text in `encoding` when those bytes read back
// as the same text, otherwise in `lossless` (a form with a byte-order mark). So a character the
// ANSI code page lacks never turns into '?', ANSI bytes that would read back as UTF-8 are not
// written, and a file whose text fits keeps its encoding.
TEncodedText EncodeKeepingText(std::string_view utf8, TextEncoding encoding, TextEncoding lossless,
                               const ICodePage& codePage);
// The same for lines, CR LF after every line.
TEncodedText EncodeTextFileKeepingText(const std::vector<std::string>& lines, TextEncoding encoding,
                                       TextEncoding lossless, const ICodePage& codePage);

// Reads and decodes a file; throws FileError when it cannot be read.
TTextFile ReadTextFile(IFileSystem& files, const ICodePage& codePage, const std::string& path);

}  // namespace kav
