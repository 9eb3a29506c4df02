// A window with one of every control kind in the dark look, to look at under Xvfb.
#include <windows.h>

#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Menu.h"
#include "ui/PageControl.h"
#include "ui/StringGrid.h"
#include "ui/win32/FormPeer.h"

using namespace kav::ui;

namespace {

struct TGalleryForm : TForm {
  TGalleryForm() : TForm("Gallery") {
    ClientWidth = 641;
    ClientHeight = 369;
    SetCaption("KAVEROLIN 2.18 [ BricsCAD ]");
    Pages.Bounds = {0, 0, 641, 369};
    Pages.Anchors = akLeft | akTop | akRight | akBottom;
    Add(Pages);
    Pages.AddPage(Files);
    Pages.AddPage(Work);
    Pages.AddPage(Settings);
    Pages.SetActivePageIndex(1);

    Cad.Bounds = {4, 4, 40, 23};
    Lists.Bounds = {48, 4, 200, 21};
    for (const char* name : {"部品表A.tsv", "部品表B.tsv", "ボルト.tsv"}) Lists.AddItem(name);
    Lists.SetItemIndex(0);
    Mode1.Bounds = {256, 6, 110, 19};
    Mode1.SetChecked(true);
    Mode2.Bounds = {370, 6, 90, 19};
    Filter.Bounds = {48, 32, 150, 21};
    Filter.Inverse = true;
    Filter.Placeholder = "部分一致で抽出";
    Label.Bounds = {4, 34, 40, 17};
    Send.Bounds = {204, 30, 110, 25};
    Send.SetEnabled(false);
    Make.Bounds = {318, 30, 110, 25};
    Text.Bounds = {4, 60, 520, 24};
    Text.Inverse = true;
    Text.Placeholder = "CAD へ流し込む文字";
    Text.Font = TFont{"ＭＳ ゴシック", 15, true};
    Text.Anchors = akLeft | akTop | akRight;
    Grid.Bounds = {4, 90, 500, 240};
    Grid.Anchors = akLeft | akTop | akRight | akBottom;
    Grid.SetColCount(3);
    Grid.SetRowCount(20);
    Grid.SetCell(0, 1, "ボルト M6");
    Panel.Bounds = {510, 90, 125, 240};
    Panel.Anchors = akTop | akRight;
    Height.Bounds = {60, 8, 50, 21};
    Height.NumberBox = true;
    HeightLabel.Bounds = {4, 10, 50, 17};
    R1.Bounds = {4, 40, 110, 19};
    R2.Bounds = {4, 62, 110, 19};
    R1.SetChecked(true);
    Justify.Bounds = {4, 90, 110, 21};
    for (const char* j : {"L : 左", "C : 中心", "M : 中央"}) Justify.AddItem(j);
    Justify.SetItemIndex(0);
    Tags.Bounds = {4, 336, 150, 21};
    Tags.Anchors = akLeft | akBottom;
    Tags.AddItem("TAG1");
    Tags.SetText("品番");
    Work.Add(Cad);
    Work.Add(Lists);
    Work.Add(Mode1);
    Work.Add(Mode2);
    Work.Add(Label);
    Work.Add(Filter);
    Work.Add(Send);
    Work.Add(Make);
    Work.Add(Text);
    Work.Add(Grid);
    Work.Add(Panel);
    Work.Add(Tags);
    Panel.Add(HeightLabel);
    Panel.Add(Height);
    Panel.Add(R1);
    Panel.Add(R2);
    Panel.Add(Justify);

    Group.Bounds = {8, 8, 400, 80};
    Derived.Bounds = {8, 24, 80, 21};
    Derived.ReadOnly = true;
    Derived.SetText("12.5");
    Settings.Add(Group);
    Group.Add(Derived);
    Grid.PopupMenu = &Menu;
    Menu.Add(Sort);
    Menu.Add(Line);
    Menu.Add(Undo);
  }
  TPageControl Pages{"Pages"};
  TTabSheet Files{"Files", "ファイル作成"}, Work{"Work", "作業エリア"}, Settings{"Settings", "設定"};
  TButton Cad{"Cad", "CAD", true};
  TComboBox Lists{"Lists", TComboStyle::DropDownList};
  TCheckBox Mode1{"Mode1", "TEXT, 属性変更"}, Mode2{"Mode2", "TEXT 作成"};
  TLabel Label{"Label", "抽出 >"};
  TEdit Filter{"Filter"};
  TButton Send{"Send", "TEXT 作成"}, Make{"Make", "普通に作成"};
  TEdit Text{"Text"};
  TStringGrid Grid{"Grid"};
  TPanel Panel{"Panel"};
  TLabel HeightLabel{"HeightLabel", "文字高"};
  TEdit Height{"Height", "2.5"};
  TRadioButton R1{"R1", "ML : 中左"}, R2{"R2", "その他 ↓"};
  TComboBox Justify{"Justify", TComboStyle::DropDownList};
  TComboBox Tags{"Tags", TComboStyle::DropDown};
  TGroupBox Group{"Group", "罫線内の検出範囲"};
  TEdit Derived{"Derived"};
  TPopupMenu Menu{"Menu"};
  TMenuItem Sort{"Sort", "ソート"}, Line{"Line", "-"}, Undo{"Undo", "取り消し"};
};

}  // namespace

// The command line may name the page to show first: 0, 1 or 2; an "h" after it draws as in
// the system's high-contrast mode (which Wine cannot turn on).
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  kav::ui::win32::MakeProcessDpiAware();
  TGalleryForm form;
  if (commandLine != nullptr && commandLine[0] >= L'0' && commandLine[0] <= L'2')
    form.Pages.SetActivePageIndex(commandLine[0] - L'0');
  form.SetLeft(20);
  form.SetTop(20);
  kav::ui::win32::TFormPeerOptions options;
  if (commandLine != nullptr && wcschr(commandLine, L'h') != nullptr) options.HighContrast = [] { return true; };
  kav::ui::win32::TFormPeer peer(form, options);
  peer.Show();
  return kav::ui::win32::RunMessageLoop(peer);
}
