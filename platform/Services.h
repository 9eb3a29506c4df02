// The platform services one window works with, handed over as one bundle.
#pragma once

#include <string>

#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Collation.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace kav {

struct TServices {
  ICodePage& CodePage;
  ICollation& Collation;
  ILocale& Locale;
  IClipboard& Clipboard;
  IMessages& Messages;
  IFileDialogs& FileDialogs;
  IDesktop& Desktop;
  IFileSystem& Files;
  std::string ProgramPath;   // full path of the program file
};

}  // namespace kav
