// kaverolin.exe for an end-to-end test: copied into a folder of its own with the side files a
// test gives, started, its main window found, its controls found by caption, and closed at the
// end so that it writes its settings.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/Handles.h"

namespace kav::test {

class TToolProcess {
 public:
  // `files`: file name -> bytes, written beside the program before it starts. The folder is
  // made for this process and removed with it.
  explicit TToolProcess(const std::map<std::string, std::string>& files);
  // The program already in `folder` (a Windows path with its trailing separator), as set up there.
  explicit TToolProcess(const std::string& folder);
  ~TToolProcess();
  TToolProcess(const TToolProcess&) = delete;
  TToolProcess& operator=(const TToolProcess&) = delete;

  HWND MainWindow() const { return window_; }
  // The child window whose text is `caption` (buttons, check boxes). Where a check box and a
  // button share a caption, the check box stands above: `lowest` picks the button.
  HWND Control(const std::wstring& caption, bool lowest = false) const;
  // The visible grid window of the shown page.
  HWND Grid() const;
  // Puts `text` into the send box or the attribute value box of the work-area page, as the
  // user's typing does.
  void SetSendText(const std::wstring& text) const;
  void SetAttributeValue(const std::wstring& text) const;
  // Clicks the button or check box as the user does; returns at once.
  void Click(const std::wstring& caption, bool lowest = false) const;
  // Clicks the first cell of a row of the shown grid (data rows from 1).
  void ClickRow(int row) const;
  bool Minimized() const { return IsIconic(window_) != FALSE; }
  // Asks the window to close and waits for the program to end; its exit code.
  DWORD Close();
  std::string Folder() const { return folder_; }
  std::string ReadFile(const std::string& name) const;

 private:
  void Start();
  std::string folder_;
  bool ownsFolder_ = false;
  TKernelHandle process_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

}  // namespace kav::test
