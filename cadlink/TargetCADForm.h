// TTargetCADForm, the target CAD dialog "ターゲット CAD": the target list with its add, delete
// and change buttons, and the choice of the target CAD. A control model; the Windows program
// shows it through its native peer, the tests drive it directly.
#pragma once

#include <functional>
#include <string>

#include "cadlink/TargetState.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"

namespace kav::cad {

inline constexpr int kTargetDialogClientWidth = 315;
inline constexpr int kTargetDialogClientHeight = 307;

class TTargetCADForm : public ui::TForm {
 public:
  // `mainForm` is the main window whose caption OK changes; `applicationTitle` begins it.
  TTargetCADForm(TServices services, TTargetState& target, ui::TForm& mainForm, std::string applicationTitle);

  // --- Handlers
  void FormShow();
  void ListBox1Click();
  void SpeedButton1Click();   // add
  void SpeedButton2Click();   // delete
  void SpeedButton3Click();   // change
  void Edit1KeyPress(char32_t& key);   // Enter runs the change (both edit boxes)
  void Button1Click();        // OK
  void Button2Click();        // Cancel

  // Shows the dialog modally: FormShow, then the runner until OK, Cancel or the window's
  // close box ends it. Returns ModalResult (mrCancel when the runner ended without one).
  int ShowModal();
  // Runs the modal loop; the Windows program puts its native dialog here, tests a script.
  std::function<void(TTargetCADForm&)> ModalRunner;

  std::string TargetListPath() const;

  // --- Controls
  ui::TListBox ListBox1{"ListBox1"};
  ui::TGroupBox GroupBox1{"GroupBox1"};
  ui::TLabel Label1{"Label1", "名称 （説明）"};
  ui::TEdit Edit1{"Edit1"};
  ui::TLabel Label2{"Label2", "ProgID （クラス文字列）"};
  ui::TEdit Edit2{"Edit2"};
  ui::TButton SpeedButton1{"SpeedButton1", "追加", true};
  ui::TButton SpeedButton2{"SpeedButton2", "削除", true};
  ui::TButton SpeedButton3{"SpeedButton3", "変更", true};
  ui::TButton Button1{"Button1", "OK"};
  ui::TButton Button2{"Button2", "取り消し"};

 private:
  void WriteList();
  void LayOut();

  TServices services_;
  TTargetState& target_;
  ui::TForm& mainForm_;
  std::string applicationTitle_;
  // The encoding the list was last read or written in; a list never read is written in the
  // ANSI code page.
  TextEncoding encoding_ = TextEncoding::Ansi;
};

// SpeedButton7's opening of the dialog: the main window gives up topmost while the dialog is
// open, the dialog shows modally, TargetCaption takes the main window's caption afterwards,
// and the main window is topmost again, whatever happened inside.
void OpenTargetCADDialog(ui::TForm& mainForm, TTargetCADForm& dialog, IDesktop& desktop, TTargetState& target);

}  // namespace kav::cad
