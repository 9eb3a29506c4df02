// The file system of the native build (POSIX): what the native tests of file handling use.
#pragma once

#include <functional>
#include <memory>

#include "platform/FileSystem.h"

namespace kav {

std::unique_ptr<IFileSystem> MakePosixFileSystem(std::function<bool(WriteStep)> failAt = {});

}  // namespace kav
