// The strings of a DXF file: the code page or UTF-8 they are stored in, the caret form of
// control characters ("^J", "^ " for a caret) and the "\U+XXXX" and "\M+nXXXX" escapes of
// characters outside the code page; and the way back for writing.
#pragma once

#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace kav::sim {

// The code pages a reader can use.
struct TDxfCodePages {
  const ICodePage* Ansi = nullptr;       // the system's ANSI code page: files that name none (null: Windows-1252)
  const ICodePage* Japanese = nullptr;   // code page 932, for files that name it on a system with another
};

class TDxfTextDecoder {
 public:
  // How the strings of a file are stored: UTF-8 from AutoCAD 2007 on ($ACADVER AC1021 and
  // later, whatever $DWGCODEPAGE says), otherwise the code page $DWGCODEPAGE names
  // ("ANSI_932", "ANSI_1252", ...), and the system's ANSI code page when it names none or one
  // that is not at hand.
  TDxfTextDecoder(std::string_view version, std::string_view dwgCodePage, const TDxfCodePages& codePages);

  // The string as UTF-8 with carets and escapes undone. In MTEXT ("mtext") a doubled
  // backslash is a backslash and starts no escape. Never throws: bytes that do not decode
  // become U+FFFD.
  std::string Decode(std::string_view raw, bool mtext = false) const;

  // "UTF-8", "code page 932", "code page 1252", ... for messages and tests.
  std::string Describe() const;

 private:
  bool utf8_ = false;
  unsigned codePage_ = 1252;
  const ICodePage* converter_ = nullptr;   // null: the table of Windows-1252
  const ICodePage* japanese_ = nullptr;    // for "\M+1XXXX"
};

// The code of $ACADVER ("AC1021" gives 1021); 0 when it has another form.
int DxfVersionNumber(std::string_view version);

// Windows-1252 bytes as UTF-8 (the bytes that code page leaves undefined become U+FFFD).
std::string Cp1252ToUtf8(std::string_view bytes);

// A UTF-8 string as a DXF string value of a file stored in UTF-8: control characters in their
// caret form, a caret as "^ ", and a backslash that would be read as the start of an escape
// written as "\U+005C", so that what is read back is the same string.
std::string EncodeDxfString(std::string_view text);

}  // namespace kav::sim
