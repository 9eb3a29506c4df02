// TForm88, the main window: every control of its three pages as a named member, one method
// for each event, and the start-up and shut-down sequences. Plain model objects; the Win32
// program attaches native peers to them, the tests drive them directly.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cadlink/CadSession.h"
#include "cadlink/MessageFilterRules.h"
#include "cadlink/TargetState.h"
#include "harvest/TableRecords.h"
#include "partslist/ClipboardTable.h"
#include "partslist/UndoCells.h"
#include "placement/BulkAttributes.h"
#include "placement/CreateText.h"
#include "placement/FrameRow.h"
#include "placement/Justification.h"
#include "placement/PlainCreate.h"
#include "placement/PropertyPick.h"
#include "platform/Services.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/PageControl.h"
#include "ui/StringGrid.h"

namespace kav::cad {
class TTargetCADForm;
}

namespace kav::app {

inline constexpr const char* kApplicationTitle = "KAVEROLIN 2.18";
inline constexpr const char* kDesignCaption = "MOLBREX";
inline constexpr int kDesignClientWidth = 641;
inline constexpr int kDesignClientHeight = 369;

// Page indexes of PageControl1.
enum TPage { kFilePage = 0, kWorkAreaPage = 1, kSettingsPage = 2 };

class TForm88 : public ui::TForm {
 public:
  TForm88(TServices services, cad::TTargetState& target);

  TServices Services;
  cad::TTargetState& Target;

  // --- Start and end
  void FormCreate();
  void FormDestroy();

  // --- Target CAD
  // The hidden target CAD dialog, created after this window; null until then.
  cad::TTargetCADForm* TargetCADForm = nullptr;
  // Registers the COM message filter at start-up and revokes it at the end; null in tests
  // that have no COM.
  cad::IMessageFilterHook* MessageFilter = nullptr;
  void SpeedButton7Click();

  // --- Drawing operations
  // The CAD session every drawing operation works in: attached by the program (COM) or by a
  // test (the simulated CAD); without one the operations do nothing.
  void AttachCad(cad::IAutomationHost& host);
  std::unique_ptr<cad::TCadSession> Cad;
  void Button1Click();   // TEXT creation: Button1, EXT2, the double-click with CheckBox2
  void N15Click();       // a grid row into a ruled table row: N15, Button8
  void Button3Click();   // TEXT and attribute change: Button3, EXT1, the double-click with CheckBox1
  void Button4Click();   // text property pick: Button4, N3
  void Button6Click();   // plain creation: Button6, the double-click with CheckBox7
  void N14Click();       // plain creation from the popup menu
  void Button7Click();   // bulk attribute change
  void Button2Click();   // a table drawn as lines and TEXT read into the file grid
  // What the last harvest read, kept for the whole run: an empty selection builds its table
  // again.
  harvest::THarvestArrays HarvestArrays;
  // What the operations read from the window at the moment they start.
  placement::TJustificationControls JustificationControls() const;
  placement::TCreateTextOptions CreateTextOptions() const;
  placement::TFrameRowOptions FrameRowOptions() const;
  placement::TTextLines TextLinesToCreate() const;
  placement::TBulkAttributeOptions BulkAttributeOptions() const;
  // A picked TEXT's height, width factor and justification shown in the creation settings.
  void ShowTextProperties(const placement::TTextProperties& properties);

  // --- Number boxes: read at the moment of use; a text that is not a number gives the fallback.
  double NumberIn(const ui::TEdit& box, double fallback) const;
  std::string FormatNumber(double value, int decimals) const;

  // --- Page rules
  void PageControl1Change();
  void Edit4Change();
  void Edit2Change();
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox7Click();
  void CheckBox3Click();
  void CheckBox5Click();
  void RadioButton1Click();
  void RadioButton4Click();

  // --- Settings file and tag list
  std::string SettingsPath() const;
  void ReadSettings();
  void WriteSettings();
  void LoadTagList();
  std::string ProgramFolder() const;   // with its trailing separator

  // Values read from the settings and held for the work-area list and the tag box.
  std::string RememberedPartsList;   // Combo1/Text
  std::string RememberedTag;         // ComboBox/Text3
  std::string dropFullName;

  // --- Parts lists
  void SpeedButton1Click();
  void loadToSg(ui::TStringGrid& sg, const std::string& fname);
  void StartWorkAreaList();                   // start-up step 7
  void ComboBox1Change(ui::TControl& Sender); // Sender: ComboBox1, or the form itself
  void Edit1Change();
  void StringGrid1Click();
  void StringGrid1DblClick();
  void StringGrid1MouseDown(ui::TStringGrid& grid, ui::TMouseButton button, int x, int y);
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  // The file grid's lines to save (after the too-little question) and the chosen file, or
  // nothing when the user declined or cancelled.
  std::optional<std::string> AskLinesAndPath(std::vector<std::string>& lines, bool appending);
  void N5Click();
  void N7Click();
  void N10Click();
  void N12Click();
  void N16Click();
  void N18Click();
  void StringGrid2FixedCellClick(int ACol, int ARow);
  void GridKeyDown(ui::TStringGrid& grid, ui::TKey& key, ui::TShiftState shift);
  void StringGrid1KeyDown(ui::TKey& key, ui::TShiftState shift);
  void StringGrid2KeyDown(ui::TKey& key, ui::TShiftState shift);
  void StringGrid1GetEditText(int ACol, int ARow);
  void StringGrid2GetEditText(int ACol, int ARow);
  partslist::TTableSize ClipboardTableSize();
  void CopyRangeToClipboard(ui::TStringGrid& grid);
  void FormDropFile(const std::string& path);   // the first file of a drop, full path
  std::string DialogFolder() const;             // the program's folder as the file dialogs start in it
  void CreateUndoStacks();                      // start-up step 9
  void FreeUndoStacks();                        // shut-down step 2

  std::unique_ptr<partslist::TUndoCells> UndoCells1, UndoCells2;
  int UndoCount1 = 0, UndoCount2 = 0;
  ui::TGridRect UndoRect1{}, UndoRect2{};

  // --- Controls
  ui::TPageControl PageControl1{"PageControl1"};
  ui::TTabSheet TabSheet1{"TabSheet1", "ファイル作成"};
  ui::TTabSheet TabSheet2{"TabSheet2", "作業エリア"};
  ui::TTabSheet TabSheet3{"TabSheet3", "設定"};

  // File-creation page
  ui::TButton Button2{"Button2", "TEXT を取得"};
  ui::TButton SpeedButton1{"SpeedButton1", "読み込み", true};
  ui::TButton SpeedButton2{"SpeedButton2", "すべて選択", true};
  ui::TButton SpeedButton3{"SpeedButton3", "範囲をコピー", true};
  ui::TButton SpeedButton5{"SpeedButton5", "保存", true};
  ui::TButton SpeedButton6{"SpeedButton6", "追加保存", true};
  ui::TStringGrid StringGrid2{"StringGrid2"};
  TFileDialogOptions OpenTextFileDialog1;
  TFileDialogOptions SaveTextFileDialog1;
  ui::TPopupMenu PopupMenu2{"PopupMenu2"};
  ui::TMenuItem N7{"N7", "ソート"}, N11{"N11", "-"}, N10{"N10", "重複データを削除"}, N17{"N17", "-"},
      N18{"N18", "現在の行を削除"}, N16{"N16", "現在の項目を削除"}, N8{"N8", "-"}, N9{"N9", "取り消し"};

  // Work-area page
  ui::TButton SpeedButton7{"SpeedButton7", "CAD", true};
  ui::TComboBox ComboBox1{"ComboBox1", ui::TComboStyle::DropDownList};
  ui::TCheckBox CheckBox1{"CheckBox1", "TEXT, 属性変更"};
  ui::TCheckBox CheckBox2{"CheckBox2", "TEXT 作成"};
  ui::TCheckBox CheckBox7{"CheckBox7", "普通に作成"};
  ui::TLabel Label1{"Label1", "抽出 >"};
  ui::TEdit Edit1{"Edit1"};
  ui::TButton Button3{"Button3", "TEXT, 属性変更"};
  ui::TButton Button1{"Button1", "TEXT 作成"};
  ui::TButton Button6{"Button6", "普通に作成"};
  ui::TButton Button8{"Button8", "枠内に左中基点で一括作成"};
  ui::TEdit Edit2{"Edit2"};
  ui::TCheckBox CheckBox3{"CheckBox3", "罫線内"};
  ui::TStringGrid StringGrid1{"StringGrid1"};
  ui::TPanel Panel1{"Panel1"};
  ui::TCheckBox CheckBox5{"CheckBox5", "線上点"};
  ui::TLabel Label10{"Label10", "x DIMSCALE"};
  ui::TLabel Label8{"Label8", "文字高"};
  ui::TEdit Edit9{"Edit9", "2.5"};
  ui::TLabel Label9{"Label9", "文字幅"};
  ui::TEdit Edit10{"Edit10", "1.0"};
  ui::TLabel Label2{"Label2", "行ピッチ"};
  ui::TEdit Edit3{"Edit3", "5.0"};
  ui::TRadioButton RadioButton1{"RadioButton1", "ML : 中左"};
  ui::TRadioButton RadioButton2{"RadioButton2", "MC : 中中"};
  ui::TRadioButton RadioButton3{"RadioButton3", "MR : 中右"};
  ui::TRadioButton RadioButton4{"RadioButton4", "その他 ↓"};
  ui::TComboBox ComboBox2{"ComboBox2", ui::TComboStyle::DropDownList};
  ui::TButton Button4{"Button4", "文字高さ等取得"};
  ui::TComboBox ComboBox3{"ComboBox3", ui::TComboStyle::DropDown};
  ui::TEdit Edit15{"Edit15"};
  ui::TButton Button7{"Button7", "属性一括変更"};
  ui::TPopupMenu PopupMenu1{"PopupMenu1"};
  ui::TMenuItem N15{"N15", "現在セルから枠内に左中基点で一括作成"}, N1{"N1", "-"}, EXT1{"EXT1", "TEXT、属性変更"},
      EXT2{"EXT2", "TEXT 作成"}, N14{"N14", "普通に作成"}, N19{"N19", "-"}, N3{"N3", "文字高さ、幅、基点取得"},
      N4{"N4", "-"}, N5{"N5", "ソート"}, N13{"N13", "-"}, N12{"N12", "最終行に空白行を追加"}, N6{"N6", "-"},
      N2{"N2", "取り消し"};

  // Settings page
  ui::TGroupBox GroupBox1{"GroupBox1", "罫線内の検出範囲"};
  ui::TLabel Label3{"Label3", "Y 方向 = 文字高さの"};
  ui::TEdit Edit4{"Edit4", "5.0"};
  ui::TLabel Label4{"Label4", "倍以内 = "};
  ui::TEdit Edit8{"Edit8", "12.5"};
  ui::TLabel Label14{"Label14", "x DIMSCALE"};
  ui::TLabel Label5{"Label5", "X 方向 = 文字高さの"};
  ui::TEdit Edit5{"Edit5", "50.0"};
  ui::TLabel Label6{"Label6", "倍以内 = "};
  ui::TEdit Edit11{"Edit11", "125.0"};
  ui::TLabel Label15{"Label15", "x DIMSCALE"};
  ui::TGroupBox GroupBox2{"GroupBox2", "罫線内作成の左、右基点のオフセット"};
  ui::TLabel Label7{"Label7", "行の高さの"};
  ui::TEdit Edit6{"Edit6", "0.5"};
  ui::TLabel Label11{"Label11", "倍"};
  ui::TGroupBox GroupBox3{"GroupBox3", "複数行作成の行ピッチの初期値"};
  ui::TLabel Label12{"Label12", "文字高さの"};
  ui::TEdit Edit7{"Edit7", "2.0"};
  ui::TLabel Label13{"Label13", "倍"};
  ui::TGroupBox GroupBox4{"GroupBox4", "線上文字作成"};
  ui::TLabel Label16{"Label16", "線上点からのオフセット = 文字高さの"};
  ui::TEdit Edit12{"Edit12", "0.5"};
  ui::TLabel Label17{"Label17", "倍"};
  ui::TLabel Label18{"Label18", "文字反転の角度範囲"};
  ui::TEdit Edit13{"Edit13", "91.0"};
  ui::TLabel Label19{"Label19", "～"};
  ui::TEdit Edit14{"Edit14", "269.0"};
  ui::TLabel Label20{"Label20", "度"};
  ui::TGroupBox GroupBox5{"GroupBox5", "属性一括変更"};
  ui::TCheckBox CheckBox6{"CheckBox6", "LISP を使う"};

 private:
  void BuildPages();             // every control: parent, place, anchors, hint, handler
  void ConnectGrids();           // the grids' events and dropped files
  void SetFirstStartStates();    // what the controls show at first start
};

}  // namespace kav::app
