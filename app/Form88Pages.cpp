// The three pages of the main window, one table per page: each control's parent, its place in
// pixels at 96 DPI relative to the parent, its anchors, its hint and the handler of its main
// event (a click, or a change of its text or choice). Below the tables: the states at first
// start, and the events of the grids and the popup menus.
#include "app/Form88.h"

#include <stdexcept>

namespace kav::app {
namespace {

using ui::akBottom;
using ui::akLeft;
using ui::akRight;
using ui::akTop;

constexpr unsigned kTopLeft = akLeft | akTop;
constexpr unsigned kAll = akLeft | akTop | akRight | akBottom;

struct TControlRow {
  ui::TControl& Control;
  ui::TContainer& Parent;
  ui::TBounds Place;
  unsigned Anchors;
  const char* Hint;
  std::function<void()> Handler;
};

struct TMenuRow {
  ui::TMenuItem& Item;
  std::function<void()> Handler;   // empty: choosing the entry only closes the menu
};

// The event a control's handler answers: the click of buttons, check boxes and radio buttons,
// the change of edit boxes, drop-down boxes and the page control.
std::function<void()>* MainEventOf(ui::TControl& control) {
  switch (control.Kind) {
    case ui::TControlKind::Button:
    case ui::TControlKind::SpeedButton: return &static_cast<ui::TButton&>(control).OnClick;
    case ui::TControlKind::CheckBox: return &static_cast<ui::TCheckBox&>(control).OnClick;
    case ui::TControlKind::RadioButton: return &static_cast<ui::TRadioButton&>(control).OnClick;
    case ui::TControlKind::Edit: return &static_cast<ui::TEdit&>(control).OnChange;
    case ui::TControlKind::ComboBox: return &static_cast<ui::TComboBox&>(control).OnChange;
    case ui::TControlKind::PageControl: return &static_cast<ui::TPageControl&>(control).OnChange;
    default: return nullptr;
  }
}

void Declare(std::initializer_list<TControlRow> rows) {
  for (const TControlRow& row : rows) {
    row.Parent.Add(row.Control);
    row.Control.Bounds = row.Place;
    row.Control.Anchors = row.Anchors;
    if (row.Hint != nullptr) row.Control.Hint = row.Hint;
    if (!row.Handler) continue;
    std::function<void()>* event = MainEventOf(row.Control);
    if (event == nullptr) throw std::logic_error(row.Control.Name + " has no event for a handler");
    *event = row.Handler;
  }
}

void Declare(ui::TPopupMenu& menu, std::initializer_list<TMenuRow> rows) {
  for (const TMenuRow& row : rows) {
    menu.Add(row.Item);
    row.Item.OnClick = row.Handler;
  }
}

}  // namespace

void TForm88::BuildPages() {
  const auto edit4Change = [this] { Edit4Change(); };
  const auto radioButton1Click = [this] { RadioButton1Click(); };
  const ui::TBounds sheet{4, 26, 633, 339};   // a tab sheet's client area inside the page control

  Declare({
      {PageControl1, *this, {0, 0, kDesignClientWidth, kDesignClientHeight}, kAll, nullptr, [this] { PageControl1Change(); }},
  });
  for (ui::TTabSheet* page : {&TabSheet1, &TabSheet2, &TabSheet3}) {
    PageControl1.AddPage(*page);
    page->Bounds = sheet;
    page->Anchors = kAll;
  }

  // File-creation page: the tool buttons along the top, the grid below.
  Declare({
      {Button2, TabSheet1, {4, 4, 90, 25}, kTopLeft, "CAD 上の部品リスト(線分、TEXT)を取得", [this] { Button2Click(); }},
      {SpeedButton1, TabSheet1, {100, 4, 72, 25}, kTopLeft, "テキストファイルを読み込み", [this] { SpeedButton1Click(); }},
      {SpeedButton2, TabSheet1, {176, 4, 84, 25}, kTopLeft, "すべてのセルを選択", [this] { SpeedButton2Click(); }},
      {SpeedButton3, TabSheet1, {264, 4, 96, 25}, kTopLeft, "選択した範囲をクリップボードにコピー", [this] { SpeedButton3Click(); }},
      {SpeedButton5, TabSheet1, {364, 4, 60, 25}, kTopLeft, "新たに部品リストファイルを保存", [this] { SpeedButton5Click(); }},
      {SpeedButton6, TabSheet1, {428, 4, 76, 25}, kTopLeft, "既存の部品リストファイルに追加", [this] { SpeedButton6Click(); }},
      {StringGrid2, TabSheet1, {4, 34, 625, 301}, kAll, nullptr, nullptr},
  });

  // Work-area page. Top row, second row, the send box, the grid with the panel beside it, and
  // the attribute row at the bottom.
  Declare({
      {SpeedButton7, TabSheet2, {4, 4, 40, 23}, kTopLeft, "ターゲット CAD を変更", [this] { SpeedButton7Click(); }},
      {ComboBox1, TabSheet2, {48, 4, 216, 23}, kTopLeft, "部品リストファイルを選択", [this] { ComboBox1Change(ComboBox1); }},
      {CheckBox1, TabSheet2, {272, 6, 118, 19}, kTopLeft, "セルのダブルクリックで選択した TEXT, 属性を変更", [this] { CheckBox1Click(); }},
      {CheckBox2, TabSheet2, {394, 6, 88, 19}, kTopLeft, "セルのダブルクリックで TEXT を作成", [this] { CheckBox2Click(); }},
      {CheckBox7, TabSheet2, {486, 6, 100, 19}, kTopLeft, "セルのダブルクリックで TEXT を作成", [this] { CheckBox7Click(); }},
      {Label1, TabSheet2, {4, 36, 40, 16}, kTopLeft, "部分一致で抽出", nullptr},
      {Edit1, TabSheet2, {46, 32, 118, 23}, kTopLeft, "部分一致で検索、抽出", [this] { Edit1Change(); }},
      {Button3, TabSheet2, {170, 31, 108, 25}, kTopLeft, "CAD 上の TEXT をセルの文字に変更", [this] { Button3Click(); }},
      {Button1, TabSheet2, {282, 31, 84, 25}, kTopLeft, "CAD 上にセルの文字を TEXT で作成", [this] { Button1Click(); }},
      {Button6, TabSheet2, {370, 31, 84, 25}, kTopLeft, nullptr, [this] { Button6Click(); }},
      {Button8, TabSheet2, {458, 31, 171, 25}, akLeft | akTop | akRight, "現在セルから枠内に左中基点で一括作成", [this] { N15Click(); }},
      {Edit2, TabSheet2, {4, 60, 540, 26}, akLeft | akTop | akRight, "変更、作成対象の文字列", [this] { Edit2Change(); }},
      {CheckBox3, TabSheet2, {552, 63, 77, 19}, akTop | akRight, "[TEXT 作成] 周囲の罫線内の左、中、右に作成", [this] { CheckBox3Click(); }},
      {StringGrid1, TabSheet2, {4, 90, 457, 217}, kAll, nullptr, nullptr},
      {Panel1, TabSheet2, {465, 90, 164, 217}, akTop | akRight | akBottom, nullptr, nullptr},
      {ComboBox3, TabSheet2, {4, 312, 160, 23}, akLeft | akBottom, "属性タグ名", nullptr},
      {Edit15, TabSheet2, {168, 312, 361, 23}, akLeft | akRight | akBottom, "属性文字（空白も可能）", nullptr},
      {Button7, TabSheet2, {533, 311, 96, 25}, akRight | akBottom, "属性数が多いときは時間がかかります", [this] { Button7Click(); }},
      {CheckBox5, Panel1, {6, 4, 150, 19}, kTopLeft, "[TEXT 作成] 選択した線分上に TEXT を作成", [this] { CheckBox5Click(); }},
      {Label8, Panel1, {6, 28, 52, 16}, kTopLeft, nullptr, nullptr},
      {Edit9, Panel1, {62, 25, 52, 22}, kTopLeft, nullptr, nullptr},
      {Label10, Panel1, {62, 48, 90, 16}, kTopLeft, nullptr, nullptr},
      {Label9, Panel1, {6, 69, 52, 16}, kTopLeft, nullptr, nullptr},
      {Edit10, Panel1, {62, 66, 52, 22}, kTopLeft, nullptr, nullptr},
      {Label2, Panel1, {6, 95, 54, 16}, kTopLeft, nullptr, nullptr},
      {Edit3, Panel1, {62, 92, 52, 22}, kTopLeft, nullptr, nullptr},
      {Button4, Panel1, {6, 118, 152, 25}, kTopLeft, "TEXT の高さと幅係数、基点を取得", [this] { Button4Click(); }},
      {RadioButton1, Panel1, {6, 148, 78, 19}, kTopLeft, nullptr, radioButton1Click},
      {RadioButton2, Panel1, {84, 148, 78, 19}, kTopLeft, nullptr, radioButton1Click},
      {RadioButton3, Panel1, {6, 168, 78, 19}, kTopLeft, nullptr, radioButton1Click},
      {RadioButton4, Panel1, {84, 168, 78, 19}, kTopLeft, nullptr, [this] { RadioButton4Click(); }},
      {ComboBox2, Panel1, {6, 190, 152, 23}, kTopLeft, nullptr, nullptr},
  });

  // Settings page: five framed groups.
  Declare({
      {GroupBox1, TabSheet3, {8, 6, 430, 78}, kTopLeft, nullptr, nullptr},
      {Label3, GroupBox1, {10, 24, 122, 16}, kTopLeft, nullptr, nullptr},
      {Edit4, GroupBox1, {134, 21, 52, 22}, kTopLeft, nullptr, edit4Change},
      {Label4, GroupBox1, {190, 24, 64, 16}, kTopLeft, nullptr, nullptr},
      {Edit8, GroupBox1, {256, 21, 60, 22}, kTopLeft, nullptr, nullptr},
      {Label14, GroupBox1, {322, 24, 90, 16}, kTopLeft, nullptr, nullptr},
      {Label5, GroupBox1, {10, 50, 122, 16}, kTopLeft, nullptr, nullptr},
      {Edit5, GroupBox1, {134, 47, 52, 22}, kTopLeft, nullptr, edit4Change},
      {Label6, GroupBox1, {190, 50, 64, 16}, kTopLeft, nullptr, nullptr},
      {Edit11, GroupBox1, {256, 47, 60, 22}, kTopLeft, nullptr, nullptr},
      {Label15, GroupBox1, {322, 50, 90, 16}, kTopLeft, nullptr, nullptr},
      {GroupBox2, TabSheet3, {8, 90, 430, 50}, kTopLeft, nullptr, nullptr},
      {Label7, GroupBox2, {10, 24, 80, 16}, kTopLeft, nullptr, nullptr},
      {Edit6, GroupBox2, {92, 21, 52, 22}, kTopLeft, nullptr, nullptr},
      {Label11, GroupBox2, {150, 24, 30, 16}, kTopLeft, nullptr, nullptr},
      {GroupBox3, TabSheet3, {8, 146, 430, 50}, kTopLeft, nullptr, nullptr},
      {Label12, GroupBox3, {10, 24, 80, 16}, kTopLeft, nullptr, nullptr},
      {Edit7, GroupBox3, {92, 21, 52, 22}, kTopLeft, nullptr, nullptr},
      {Label13, GroupBox3, {150, 24, 30, 16}, kTopLeft, nullptr, nullptr},
      {GroupBox4, TabSheet3, {8, 202, 430, 78}, kTopLeft, nullptr, nullptr},
      {Label16, GroupBox4, {10, 24, 214, 16}, kTopLeft, nullptr, nullptr},
      {Edit12, GroupBox4, {226, 21, 52, 22}, kTopLeft, nullptr, edit4Change},
      {Label17, GroupBox4, {284, 24, 30, 16}, kTopLeft, nullptr, nullptr},
      {Label18, GroupBox4, {10, 50, 120, 16}, kTopLeft, nullptr, nullptr},
      {Edit13, GroupBox4, {134, 47, 52, 22}, kTopLeft, nullptr, edit4Change},
      {Label19, GroupBox4, {190, 50, 16, 16}, kTopLeft, nullptr, nullptr},
      {Edit14, GroupBox4, {208, 47, 52, 22}, kTopLeft, nullptr, edit4Change},
      {Label20, GroupBox4, {266, 50, 30, 16}, kTopLeft, nullptr, nullptr},
      {GroupBox5, TabSheet3, {446, 6, 180, 50}, kTopLeft, nullptr, nullptr},
      {CheckBox6, GroupBox5, {10, 22, 160, 19}, kTopLeft, nullptr, nullptr},
  });

  // Popup menus of the two grids, entries in their order ("-" is a separator line).
  Declare(PopupMenu2, {{N7, [this] { N7Click(); }}, {N11, nullptr}, {N10, [this] { N10Click(); }}, {N17, nullptr},
                       {N18, [this] { N18Click(); }}, {N16, [this] { N16Click(); }}, {N8, nullptr}, {N9, nullptr}});
  Declare(PopupMenu1, {{N15, [this] { N15Click(); }}, {N1, nullptr}, {EXT1, [this] { Button3Click(); }},
                       {EXT2, [this] { Button1Click(); }}, {N14, [this] { N14Click(); }}, {N19, nullptr},
                       {N3, [this] { Button4Click(); }}, {N4, nullptr}, {N5, [this] { N5Click(); }}, {N13, nullptr},
                       {N12, [this] { N12Click(); }}, {N6, nullptr}, {N2, nullptr}});
  StringGrid1.PopupMenu = &PopupMenu1;
  StringGrid2.PopupMenu = &PopupMenu2;

  ConnectGrids();
  SetFirstStartStates();
}

void TForm88::ConnectGrids() {
  StringGrid1.OnClick = [this] { StringGrid1Click(); };
  StringGrid1.OnDblClick = [this] { StringGrid1DblClick(); };
  StringGrid1.OnMouseDown = [this](ui::TMouseButton b, ui::TShiftState, int x, int y) {
    StringGrid1MouseDown(StringGrid1, b, x, y);
  };
  StringGrid2.OnMouseDown = [this](ui::TMouseButton b, ui::TShiftState, int x, int y) {
    StringGrid1MouseDown(StringGrid2, b, x, y);
  };
  StringGrid1.OnKeyDown = [this](ui::TKey& key, ui::TShiftState shift) { StringGrid1KeyDown(key, shift); };
  StringGrid2.OnKeyDown = [this](ui::TKey& key, ui::TShiftState shift) { StringGrid2KeyDown(key, shift); };
  StringGrid1.OnGetEditText = [this](int col, int row, std::string&) { StringGrid1GetEditText(col, row); };
  StringGrid2.OnGetEditText = [this](int col, int row, std::string&) { StringGrid2GetEditText(col, row); };
  StringGrid2.OnFixedCellClick = [this](int col, int row) { StringGrid2FixedCellClick(col, row); };
  OnDropFile = [this](const std::string& path) { FormDropFile(path); };
}

void TForm88::SetFirstStartStates() {
  const auto compare = [this](std::string_view a, std::string_view b) {
    return Services.Collation.CompareIgnoreCase(a, b);
  };
  const auto numberBox = [](ui::TEdit& edit) {
    edit.NumberBox = true;
    edit.ImeOff = true;
  };

  // File-creation page
  StringGrid2.AllowEditing = true;
  OpenTextFileDialog1.Filter = "*.tsv|*.tsv|*.csv|*.csv|*.txt|*.txt|*.*|*.*";
  SaveTextFileDialog1.Filter = "*.tsv|*.tsv|*.*|*.*";
  SaveTextFileDialog1.DefaultExt = "tsv";

  // Work-area page
  ComboBox1.Items.Sorted = true;
  ComboBox1.Items.Compare = compare;
  CheckBox1.SetChecked(true);
  Edit1.Inverse = true;
  Edit1.ImeOff = true;
  Edit1.Placeholder = "部分一致で抽出";
  for (ui::TButton* b : {&Button3, &Button1, &Button6}) b->SetEnabled(false);
  Edit2.Inverse = true;
  Edit2.Font = ui::TFont{"ＭＳ ゴシック", 15, true};
  Edit2.Placeholder = "CAD へ流し込む文字";
  for (ui::TEdit* e : {&Edit9, &Edit10, &Edit3}) numberBox(*e);
  Label2.SetEnabled(false);
  Edit3.SetEnabled(false);
  RadioButton1.SetChecked(true);
  ComboBox2.DropDownCount = 16;
  for (const char* item : {"L : 左", "C : 中心", "M : 中央", "R : 右揃え", "TL : 左上", "TC : 中上", "TR : 右上",
                           "BL : 左下", "BC : 中下", "BR : 右下"})
    ComboBox2.AddItem(item);
  ComboBox2.SetItemIndex(0);

  // Settings page
  for (ui::TEdit* e : {&Edit4, &Edit8, &Edit5, &Edit11, &Edit6, &Edit7, &Edit12, &Edit13, &Edit14}) numberBox(*e);
  for (ui::TEdit* e : {&Edit8, &Edit11}) {
    e->ReadOnly = true;
    e->TabStop = false;
  }
}

}  // namespace kav::app
