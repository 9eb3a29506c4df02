// Fake platform services for tests: they record what the program showed, put or asked, and
// answer from a script.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace kav::test {

class TFakeMessages final : public IMessages {
 public:
  void ShowMessage(const std::string& text) override { Shown.push_back(text); }
  void ShowError(const std::string& text) override { Errors.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    Asked.push_back(text);
    if (Answers.empty()) return false;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  std::vector<std::string> Shown, Errors, Asked;
  std::deque<bool> Answers;   // Yes = true; No when the script is used up
};

class TFakeClipboard final : public IClipboard {
 public:
  bool TrySetText(const std::string& text) override {
    ++SetAttempts;
    if (BusyAttempts > 0) {
      --BusyAttempts;
      return false;
    }
    Text = text;
    return true;
  }
  std::optional<std::string> GetText() override { return Text; }
  std::optional<std::string> Text;
  int BusyAttempts = 0;   // how many attempts still find the clipboard held by another program
  int SetAttempts = 0;
};

class TFakeFileDialogs final : public IFileDialogs {
 public:
  std::optional<std::string> OpenFile(const TFileDialogOptions& options) override {
    OpenOptions.push_back(options);
    return Next(OpenAnswers);
  }
  std::optional<std::string> SaveFile(const TFileDialogOptions& options) override {
    SaveOptions.push_back(options);
    return Next(SaveAnswers);
  }
  std::deque<std::optional<std::string>> OpenAnswers, SaveAnswers;   // nullopt = cancel
  std::vector<TFileDialogOptions> OpenOptions, SaveOptions;

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class TFakeDesktop final : public IDesktop {
 public:
  struct TKeyStroke {
    unsigned char VirtualKey, ScanCode;
    unsigned Flags;
    WindowId Foreground;   // the window in front when the stroke was made
  };
  WindowId ForegroundWindow() override { return Foreground; }
  bool IsIconic(WindowId window) override { return Iconic.count(window) != 0 && Iconic[window]; }
  void OpenIcon(WindowId window) override { Iconic[window] = false; Log.push_back("OpenIcon"); }
  void SetForegroundWindow(WindowId window) override {
    Log.push_back("SetForegroundWindow");
    if (!RefuseForeground) Foreground = window;
  }
  void KeyEvent(unsigned char vk, unsigned char scan, unsigned flags) override {
    Keys.push_back({vk, scan, flags, Foreground});
    Log.push_back("KeyEvent");
  }
  void Sleep(unsigned ms) override { Slept.push_back(ms); Tick += ms; if (OnSleep) OnSleep(); }
  std::uint32_t TickCount() override { return Tick; }
  bool ProcessMessages() override {
    ++MessagePumps;
    if (OnProcessMessages) OnProcessMessages();
    return !Quitting;
  }
  int ScreenWidth() override { return Width; }
  int ScreenHeight() override { return Height; }

  WindowId Foreground = 0;
  bool RefuseForeground = false;
  std::map<WindowId, bool> Iconic;
  std::vector<TKeyStroke> Keys;
  std::vector<unsigned> Slept;
  std::vector<std::string> Log;
  std::uint32_t Tick = 1000;
  int MessagePumps = 0;
  bool Quitting = false;                 // the program was asked to end
  std::function<void()> OnProcessMessages;   // what the window does with its pending messages
  int Width = 1920, Height = 1080;
  std::function<void()> OnSleep;
};

// Files in memory, keyed by full path; folders are the text before the last separator.
class TMemoryFileSystem final : public IFileSystem {
 public:
  bool FileExists(const std::string& path) override { return Files.count(path) != 0; }
  std::string ReadAll(const std::string& path) override;
  std::uint64_t FileSize(const std::string& path) override;
  void WriteAtomically(const std::string& path, std::string_view bytes) override;
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override;

  std::map<std::string, std::string> Files;
  std::map<std::string, bool> Unreadable;       // ReadAll fails
  std::map<std::string, bool> Unwritable;       // WriteAtomically fails
  int Writes = 0;
};

// A number format the test chooses: "." unless told otherwise.
class TFakeLocale final : public ILocale {
 public:
  std::string DecimalSeparator() const override { return Separator; }
  std::string Separator = ".";
};

// Every service at once, fakes except the code page and collation (real portable ones).
struct TFakePlatform {
  TFakePlatform();
  std::unique_ptr<ICodePage> CodePage;
  std::unique_ptr<ICollation> Collation;
  TFakeLocale Locale;
  TFakeClipboard Clipboard;
  TFakeMessages Messages;
  TFakeFileDialogs FileDialogs;
  TFakeDesktop Desktop;
  TMemoryFileSystem Files;
  std::string ProgramPath = "C:\\Tools\\kaverolin.exe";
  TServices Services();
};

}  // namespace kav::test
