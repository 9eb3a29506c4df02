// Message boxes and the open and save file dialogs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kav {

class IMessages {
 public:
  virtual ~IMessages() = default;
  virtual void ShowMessage(const std::string& text) = 0;    // a plain notice
  virtual void ShowError(const std::string& text) = 0;      // an error
  virtual bool AskYesNo(const std::string& text) = 0;       // a confirmation: true for Yes
};

struct TFileDialogOptions {
  std::string InitialDir;
  std::string Filter;        // "*.tsv|*.tsv|*.*|*.*": description|pattern pairs
  std::string DefaultExt;    // without the dot
  std::string FileName;      // preset file name
  bool ConfirmOverwrite = false;   // saving: the dialog asks before it names an existing file
};

class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  virtual std::optional<std::string> OpenFile(const TFileDialogOptions& options) = 0;
  virtual std::optional<std::string> SaveFile(const TFileDialogOptions& options) = 0;
};

}  // namespace kav
