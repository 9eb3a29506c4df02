// A main window with its native peers on the real clipboard, collation, code page and disk
// (fake message boxes; fake or real file dialogs), and the messages the tests drive it with.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/Form88.h"
#include "tests/support/Fakes.h"
#include "ui/win32/FormPeer.h"

namespace kav::test {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Builds the form and its window in the program's order (the window, then FormCreate, then
  // showing it); `realDialogs` puts the Windows file dialogs in place of the fake ones.
  void Start(bool realDialogs = false);

  std::string PathOf(const std::string& name) const;   // a file in the program's folder
  void WriteFile(const std::string& path, const std::string& bytes) const;
  std::string ReadFile(const std::string& path) const;

  HWND GridWindow(const ui::TStringGrid& grid) const { return peer->HandleOf(grid); }
  // Holds or lets go of Ctrl as GetKeyState reports it.
  static void SetCtrl(bool down);
  static void KeyDown(HWND target, WPARAM key, bool ctrl = false);
  static void Pump();
  // Delivers the queued messages as the program's message loop does, with the keys the main
  // window takes before dispatch (Ctrl+Tab, dialog keys).
  void PumpAsTheProgram();
  // The clipboard as another program reads and writes it.
  static std::wstring ClipboardText();
  static void PutClipboardText(const std::wstring& text);

  std::filesystem::path folder;
  std::unique_ptr<ICodePage> codePage;
  std::unique_ptr<ICollation> collation;
  TFakeLocale locale;
  std::unique_ptr<IClipboard> clipboard;
  std::unique_ptr<IDesktop> desktop;
  std::unique_ptr<IFileSystem> files;
  std::unique_ptr<IFileDialogs> realDialogs;
  TFakeMessages messages;
  TFakeFileDialogs dialogs;
  cad::TTargetState target;
  std::unique_ptr<app::TForm88> form;
  std::unique_ptr<ui::win32::TFormPeer> peer;
};

}  // namespace kav::test
