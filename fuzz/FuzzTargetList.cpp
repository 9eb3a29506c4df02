// Fuzz target: any bytes as the target list "TargetCAD_APIVersion.txt", through the caption
// lookup and the target CAD dialog: showing it, clicking entries, adding, changing and
// deleting, each of which writes the list back in the encoding it was read in (or, when that
// cannot hold it, in UTF-8 with its mark).
#include <cstddef>
#include <cstdint>
#include <string>

#include "cadlink/TargetCADForm.h"
#include "cadlink/TargetList.h"
#include "platform/TextFile.h"
#include "tests/support/Fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kav::test::TFakePlatform fakes;   // built once, for all runs
  kav::test::TFakePlatform* platform = &fakes;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = "C:\\Tools\\TargetCAD_APIVersion.txt";
  platform->Files.Files.clear();
  platform->Files.Files[path] = bytes;

  // The first bytes give the ProgID searched for.
  kav::cad::TTargetState target;
  target.TargetProgID = bytes.substr(0, size > 0 ? data[0] % 8 : 0);
  const kav::TTextFile file = kav::DecodeTextFile(bytes, *platform->CodePage);
  if (const auto name = kav::cad::FindTargetName(file.Lines, target.TargetProgID)) {
    if (name->size() > bytes.size() * 3 + 3) __builtin_trap();   // a name is part of one line
  }

  kav::ui::TForm mainForm("Form88");
  kav::cad::TTargetCADForm dialog(platform->Services(), target, mainForm, "KAVEROLIN 2.18");
  dialog.FormShow();
  const int count = dialog.ListBox1.Items.Count();
  if (count != static_cast<int>(file.Lines.size())) __builtin_trap();
  for (int i = 0; i < count && i < 8; ++i) dialog.ListBox1.UserSelect(i);
  dialog.SpeedButton1.UserClick();
  dialog.SpeedButton3.UserClick();
  dialog.SpeedButton2.UserClick();
  // What was written reads back as exactly the list the dialog holds: no character lost.
  const kav::TTextFile written = kav::DecodeTextFile(platform->Files.Files[path], *platform->CodePage);
  if (written.Lines != dialog.ListBox1.Items.All()) __builtin_trap();
  return 0;
}
