// The three pages of the main window: which control sits where, with its hint and its state
// at first start. Places are in pixels at 96 DPI, relative to the parent.
#include "app/Form88.h"

namespace kav::app {
namespace {

using ui::akBottom;
using ui::akLeft;
using ui::akRight;
using ui::akTop;

void Place(ui::TControl& control, int left, int top, int width, int height, unsigned anchors = akLeft | akTop) {
  control.Bounds = {left, top, width, height};
  control.Anchors = anchors;
}

void MakeNumberBox(ui::TEdit& edit) {
  edit.NumberBox = true;
  edit.ImeOff = true;
}

}  // namespace

void TForm88::BuildPages() {
  const auto compare = [this](std::string_view a, std::string_view b) {
    return Services.Collation.CompareIgnoreCase(a, b);
  };

  Add(PageControl1);
  PageControl1.AddPage(TabSheet1);
  PageControl1.AddPage(TabSheet2);
  PageControl1.AddPage(TabSheet3);

  // File-creation page
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{&Button2, &SpeedButton1, &SpeedButton2, &SpeedButton3,
                                                             &SpeedButton5, &SpeedButton6, &StringGrid2})
    TabSheet1.Add(*c);
  Button2.Hint = "CAD 上の部品リスト(線分、TEXT)を取得";
  SpeedButton1.Hint = "テキストファイルを読み込み";
  SpeedButton2.Hint = "すべてのセルを選択";
  SpeedButton3.Hint = "選択した範囲をクリップボードにコピー";
  SpeedButton5.Hint = "新たに部品リストファイルを保存";
  SpeedButton6.Hint = "既存の部品リストファイルに追加";
  StringGrid2.AllowEditing = true;
  StringGrid2.PopupMenu = &PopupMenu2;
  for (ui::TMenuItem* item : {&N7, &N11, &N10, &N17, &N18, &N16, &N8, &N9}) PopupMenu2.Add(*item);
  OpenTextFileDialog1.Filter = "*.tsv|*.tsv|*.csv|*.csv|*.txt|*.txt|*.*|*.*";
  SaveTextFileDialog1.Filter = "*.tsv|*.tsv|*.*|*.*";
  SaveTextFileDialog1.DefaultExt = "tsv";

  // Work-area page
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{
           &SpeedButton7, &ComboBox1, &CheckBox1, &CheckBox2, &CheckBox7, &Label1, &Edit1, &Button3, &Button1,
           &Button6, &Button8, &Edit2, &CheckBox3, &StringGrid1, &Panel1, &ComboBox3, &Edit15, &Button7})
    TabSheet2.Add(*c);
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{
           &CheckBox5, &Label8, &Edit9, &Label10, &Label9, &Edit10, &Label2, &Edit3, &Button4, &RadioButton1,
           &RadioButton2, &RadioButton3, &RadioButton4, &ComboBox2})
    Panel1.Add(*c);
  SpeedButton7.Hint = "ターゲット CAD を変更";
  ComboBox1.Hint = "部品リストファイルを選択";
  ComboBox1.Items.Sorted = true;
  ComboBox1.Items.Compare = compare;
  CheckBox1.Hint = "セルのダブルクリックで選択した TEXT, 属性を変更";
  CheckBox1.SetChecked(true);
  CheckBox2.Hint = "セルのダブルクリックで TEXT を作成";
  CheckBox7.Hint = "セルのダブルクリックで TEXT を作成";
  Label1.Hint = "部分一致で抽出";
  Edit1.Hint = "部分一致で検索、抽出";
  Edit1.Inverse = true;
  Edit1.ImeOff = true;
  Edit1.Placeholder = "部分一致で抽出";
  Button3.Hint = "CAD 上の TEXT をセルの文字に変更";
  Button1.Hint = "CAD 上にセルの文字を TEXT で作成";
  Button8.Hint = "現在セルから枠内に左中基点で一括作成";
  for (ui::TButton* b : {&Button3, &Button1, &Button6}) b->SetEnabled(false);
  Edit2.Hint = "変更、作成対象の文字列";
  Edit2.Inverse = true;
  Edit2.Font = ui::TFont{"ＭＳ ゴシック", 15, true};
  Edit2.Placeholder = "CAD へ流し込む文字";
  CheckBox3.Hint = "[TEXT 作成] 周囲の罫線内の左、中、右に作成";
  StringGrid1.PopupMenu = &PopupMenu1;
  CheckBox5.Hint = "[TEXT 作成] 選択した線分上に TEXT を作成";
  for (ui::TEdit* e : {&Edit9, &Edit10, &Edit3}) MakeNumberBox(*e);
  Label2.SetEnabled(false);
  Edit3.SetEnabled(false);
  RadioButton1.SetChecked(true);
  ComboBox2.DropDownCount = 16;
  for (const char* item : {"L : 左", "C : 中心", "M : 中央", "R : 右揃え", "TL : 左上", "TC : 中上", "TR : 右上",
                           "BL : 左下", "BC : 中下", "BR : 右下"})
    ComboBox2.AddItem(item);
  ComboBox2.SetItemIndex(0);
  Button4.Hint = "TEXT の高さと幅係数、基点を取得";
  ComboBox3.Hint = "属性タグ名";
  Edit15.Hint = "属性文字（空白も可能）";
  Button7.Hint = "属性数が多いときは時間がかかります";
  for (ui::TMenuItem* item : {&N15, &N1, &EXT1, &EXT2, &N14, &N19, &N3, &N4, &N5, &N13, &N12, &N6, &N2})
    PopupMenu1.Add(*item);

  // Settings page
  for (ui::TGroupBox* g : {&GroupBox1, &GroupBox2, &GroupBox3, &GroupBox4, &GroupBox5}) TabSheet3.Add(*g);
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{&Label3, &Edit4, &Label4, &Edit8, &Label14, &Label5,
                                                             &Edit5, &Label6, &Edit11, &Label15})
    GroupBox1.Add(*c);
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{&Label7, &Edit6, &Label11}) GroupBox2.Add(*c);
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{&Label12, &Edit7, &Label13}) GroupBox3.Add(*c);
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{&Label16, &Edit12, &Label17, &Label18, &Edit13,
                                                             &Label19, &Edit14, &Label20})
    GroupBox4.Add(*c);
  GroupBox5.Add(CheckBox6);
  for (ui::TEdit* e : {&Edit4, &Edit8, &Edit5, &Edit11, &Edit6, &Edit7, &Edit12, &Edit13, &Edit14}) MakeNumberBox(*e);
  for (ui::TEdit* e : {&Edit8, &Edit11}) {
    e->ReadOnly = true;
    e->TabStop = false;
  }
}

void TForm88::LayOutPages() {
  const unsigned all = akLeft | akTop | akRight | akBottom;
  Place(PageControl1, 0, 0, kDesignClientWidth, kDesignClientHeight, all);
  // A tab sheet's client area inside the page control.
  for (ui::TTabSheet* sheet : {&TabSheet1, &TabSheet2, &TabSheet3}) Place(*sheet, 4, 26, 633, 339, all);

  // File-creation page: the tool buttons along the top, the grid below.
  Place(Button2, 4, 4, 90, 25);
  Place(SpeedButton1, 100, 4, 72, 25);
  Place(SpeedButton2, 176, 4, 84, 25);
  Place(SpeedButton3, 264, 4, 96, 25);
  Place(SpeedButton5, 364, 4, 60, 25);
  Place(SpeedButton6, 428, 4, 76, 25);
  Place(StringGrid2, 4, 34, 625, 301, all);

  // Work-area page
  Place(SpeedButton7, 4, 4, 40, 23);
  Place(ComboBox1, 48, 4, 216, 23);
  Place(CheckBox1, 272, 6, 118, 19);
  Place(CheckBox2, 394, 6, 88, 19);
  Place(CheckBox7, 486, 6, 100, 19);
  Place(Label1, 4, 36, 40, 16);
  Place(Edit1, 46, 32, 118, 23);
  Place(Button3, 170, 31, 108, 25);
  Place(Button1, 282, 31, 84, 25);
  Place(Button6, 370, 31, 84, 25);
  Place(Button8, 458, 31, 171, 25, akLeft | akTop | akRight);
  Place(Edit2, 4, 60, 540, 26, akLeft | akTop | akRight);
  Place(CheckBox3, 552, 63, 77, 19, akTop | akRight);
  Place(StringGrid1, 4, 90, 457, 217, all);
  Place(Panel1, 465, 90, 164, 217, akTop | akRight | akBottom);
  Place(CheckBox5, 6, 4, 150, 19);
  Place(Label8, 6, 28, 52, 16);
  Place(Edit9, 62, 25, 52, 22);
  Place(Label10, 62, 48, 90, 16);
  Place(Label9, 6, 69, 52, 16);
  Place(Edit10, 62, 66, 52, 22);
  Place(Label2, 6, 95, 54, 16);
  Place(Edit3, 62, 92, 52, 22);
  Place(Button4, 6, 118, 152, 25);
  Place(RadioButton1, 6, 148, 78, 19);
  Place(RadioButton2, 84, 148, 78, 19);
  Place(RadioButton3, 6, 168, 78, 19);
  Place(RadioButton4, 84, 168, 78, 19);
  Place(ComboBox2, 6, 190, 152, 23);
  Place(ComboBox3, 4, 312, 160, 23, akLeft | akBottom);
  Place(Edit15, 168, 312, 361, 23, akLeft | akRight | akBottom);
  Place(Button7, 533, 311, 96, 25, akRight | akBottom);

  // Settings page: five framed groups.
  Place(GroupBox1, 8, 6, 430, 78);
  Place(Label3, 10, 24, 122, 16);
  Place(Edit4, 134, 21, 52, 22);
  Place(Label4, 190, 24, 64, 16);
  Place(Edit8, 256, 21, 60, 22);
  Place(Label14, 322, 24, 90, 16);
  Place(Label5, 10, 50, 122, 16);
  Place(Edit5, 134, 47, 52, 22);
  Place(Label6, 190, 50, 64, 16);
  Place(Edit11, 256, 47, 60, 22);
  Place(Label15, 322, 50, 90, 16);
  Place(GroupBox2, 8, 90, 430, 50);
  Place(Label7, 10, 24, 80, 16);
  Place(Edit6, 92, 21, 52, 22);
  Place(Label11, 150, 24, 30, 16);
  Place(GroupBox3, 8, 146, 430, 50);
  Place(Label12, 10, 24, 80, 16);
  Place(Edit7, 92, 21, 52, 22);
  Place(Label13, 150, 24, 30, 16);
  Place(GroupBox4, 8, 202, 430, 78);
  Place(Label16, 10, 24, 214, 16);
  Place(Edit12, 226, 21, 52, 22);
  Place(Label17, 284, 24, 30, 16);
  Place(Label18, 10, 50, 120, 16);
  Place(Edit13, 134, 47, 52, 22);
  Place(Label19, 190, 50, 16, 16);
  Place(Edit14, 208, 47, 52, 22);
  Place(Label20, 266, 50, 30, 16);
  Place(GroupBox5, 446, 6, 180, 50);
  Place(CheckBox6, 10, 22, 160, 19);
}

}  // namespace kav::app
