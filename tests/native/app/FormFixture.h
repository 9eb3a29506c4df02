// A main window on fake platform services, for the tests of the shell.
#pragma once

#include <memory>
#include <string>

#include "app/Form88.h"
#include "platform/TextFile.h"
#include "tests/support/Fakes.h"

namespace kav::test {

struct TFormFixture {
  TFakePlatform Platform;
  cad::TTargetState Target;
  std::unique_ptr<app::TForm88> Form;

  const std::string Folder = "C:\\Tools\\";
  const std::string IniPath = "C:\\Tools\\kaverolin.ini";

  app::TForm88& Create() {
    Form = std::make_unique<app::TForm88>(Platform.Services(), Target);
    Form->FormCreate();
    return *Form;
  }
  void PutFile(const std::string& name, const std::string& bytes) { Platform.Files.Files[Folder + name] = bytes; }
  void PutIni(const std::string& text) { Platform.Files.Files[IniPath] = text; }
  std::vector<std::string> WrittenIniLines() {
    return DecodeTextFile(Platform.Files.Files.at(IniPath), *Platform.CodePage).Lines;
  }
};

}  // namespace kav::test
