// The Windows implementations of the platform services.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Services.h"

namespace kav {

// The system's ANSI code page (0), or the code page given (932 for the drawings of Japanese CADs).
std::unique_ptr<ICodePage> MakeWin32CodePage(unsigned codePage = 0);
std::unique_ptr<ICollation> MakeWin32Collation();
std::unique_ptr<ILocale> MakeWin32Locale();
std::unique_ptr<IClipboard> MakeWin32Clipboard();
std::unique_ptr<IDesktop> MakeWin32Desktop();
std::unique_ptr<IFileSystem> MakeWin32FileSystem(std::function<bool(WriteStep)> failAt = {});
// Message boxes and file dialogs owned by `owner` (an HWND, may be 0); `title` is the
// caption of message boxes.
std::unique_ptr<IMessages> MakeWin32Messages(std::function<std::uintptr_t()> owner, std::string title);
std::unique_ptr<IFileDialogs> MakeWin32FileDialogs(std::function<std::uintptr_t()> owner);

// The full path of the running program file.
std::string ProgramFilePath();
// The system's message for an error code, without trailing line breaks.
std::string SystemErrorMessage(unsigned long error);

}  // namespace kav
