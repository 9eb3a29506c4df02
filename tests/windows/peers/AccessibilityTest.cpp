// What screen readers and automation read through the standard accessibility interfaces
// (AccessibleObjectFromWindow): names, roles and states of a check box, an edit box, the grid
// with its current cell, the tabs of the dark tab strip and the drop-down boxes with their
// items; and the grid's announcement of a move of its current cell.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "PeerTestSupport.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/PageControl.h"
#include "ui/StringGrid.h"
#include "ui/win32/FormPeer.h"

namespace kav::ui::win32 {
namespace {

using test::Pump;

struct TAccessibleForm : ui::TForm {
  TAccessibleForm() : ui::TForm("Form") {
    ClientWidth = 500;
    ClientHeight = 320;
    Pages.Bounds = {0, 0, 500, 320};
    Add(Pages);
    Pages.AddPage(Work);
    Pages.AddPage(Settings);
    HeightLabel.Bounds = {6, 8, 52, 16};
    Height.Bounds = {62, 5, 52, 22};
    Check.Bounds = {6, 36, 120, 20};
    Grid.Bounds = {140, 5, 340, 250};
    JustifyLabel.Bounds = {6, 66, 52, 16};
    Justify.Bounds = {62, 63, 70, 23};
    TagLabel.Bounds = {6, 98, 52, 16};
    Tag.Bounds = {62, 95, 70, 23};
    for (ui::TControl* c : std::initializer_list<ui::TControl*>{&HeightLabel, &Height, &Check, &Grid, &JustifyLabel,
                                                                &Justify, &TagLabel, &Tag})
      Work.Add(*c);
    Check.SetChecked(true);
    for (const char* code : {"L : 左", "C : 中心", "M : 中央"}) Justify.AddItem(code);
    Justify.SetItemIndex(1);
    Grid.SetColCount(3);
    Grid.SetCell(1, 2, "六角ボルト");
  }
  ui::TPageControl Pages{"Pages"};
  ui::TTabSheet Work{"Work", "作業エリア"}, Settings{"Settings", "設定"};
  ui::TLabel HeightLabel{"HeightLabel", "文字高"};
  ui::TEdit Height{"Height", "2.5"};
  ui::TCheckBox Check{"Check", "罫線内"};
  ui::TStringGrid Grid{"Grid"};
  ui::TLabel JustifyLabel{"JustifyLabel", "文字位置"};
  ui::TComboBox Justify{"Justify", ui::TComboStyle::DropDownList};
  ui::TLabel TagLabel{"TagLabel", "属性タグ"};
  ui::TComboBox Tag{"Tag", ui::TComboStyle::DropDown};
};

// One IAccessible read as a client reads it.
class TClient {
 public:
  explicit TClient(HWND window) {
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object_)),
              S_OK);
  }
  ~TClient() {
    if (object_ != nullptr) object_->Release();
  }
  TClient(const TClient&) = delete;
  TClient& operator=(const TClient&) = delete;
  bool Ok() const { return object_ != nullptr; }

  std::wstring Name(long child = CHILDID_SELF) const { return Text(&IAccessible::get_accName, child); }
  std::wstring Value() const { return Text(&IAccessible::get_accValue, CHILDID_SELF); }
  std::wstring Description() const { return Text(&IAccessible::get_accDescription, CHILDID_SELF); }
  long Role(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accRole, child); }
  long State(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accState, child); }
  long ChildCount() const {
    long count = -1;
    object_->get_accChildCount(&count);
    return count;
  }

 private:
  static VARIANT Child(long child) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
  }
  std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long child) const {
    BSTR text = nullptr;
    if (FAILED((object_->*get)(Child(child), &text)) || text == nullptr) return {};
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
  }
  long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long child) const {
    VARIANT value;
    VariantInit(&value);
    if (FAILED((object_->*get)(Child(child), &value)) || value.vt != VT_I4) return -1;
    return value.lVal;
  }
  IAccessible* object_ = nullptr;
};

class Accessibility : public ::testing::Test {
 protected:
  void SetUp() override { com_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  void TearDown() override {
    if (com_) CoUninitialize();
  }
  bool com_ = false;
};

TEST_F(Accessibility, ACheckBoxIsACheckBoxWithItsCaptionAndItsMark) {
  TAccessibleForm form;
  TFormPeer peer(form);
  peer.Show();
  TClient check(peer.HandleOf(form.Check));
  ASSERT_TRUE(check.Ok());
  EXPECT_EQ(check.Name(), L"罫線内");
  EXPECT_EQ(check.Role(), ROLE_SYSTEM_CHECKBUTTON);   // not the push button its class would say
  EXPECT_NE(check.State() & STATE_SYSTEM_CHECKED, 0);
  form.Check.SetChecked(false);
  EXPECT_EQ(check.State() & STATE_SYSTEM_CHECKED, 0);
  form.Check.SetEnabled(false);
  EXPECT_NE(check.State() & STATE_SYSTEM_UNAVAILABLE, 0);
}

TEST_F(Accessibility, AnEditBoxIsNamedByTheLabelBesideItAndTellsItsTextAndFocus) {
  TAccessibleForm form;
  TFormPeer peer(form);
  peer.Show();
  HWND edit = peer.HandleOf(form.Height);
  TClient box(edit);
  ASSERT_TRUE(box.Ok());
  EXPECT_EQ(box.Name(), L"文字高");
  EXPECT_EQ(box.Role(), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(box.Value(), L"2.5");
  SetFocus(edit);
  EXPECT_NE(box.State() & STATE_SYSTEM_FOCUSED, 0);
  form.Height.SetText("3.5");
  EXPECT_EQ(box.Value(), L"3.5");
}

int valueChanges = 0;
HWND watchedWindow = nullptr;
void CALLBACK CountValueChange(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (event == EVENT_OBJECT_VALUECHANGE && window == watchedWindow && object == OBJID_CLIENT && child == CHILDID_SELF)
    ++valueChanges;
}

TEST_F(Accessibility, TheGridTellsItsCurrentCellAndAnnouncesItsMoves) {
  TAccessibleForm form;
  TFormPeer peer(form);
  peer.Show();
  HWND grid = peer.HandleOf(form.Grid);
  TClient table(grid);
  ASSERT_TRUE(table.Ok());
  EXPECT_EQ(table.Role(), ROLE_SYSTEM_TABLE);
  EXPECT_EQ(table.Name(), L"作業エリア");   // no label beside it: its page

  watchedWindow = grid;
  valueChanges = 0;
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                             CountValueChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  SetFocus(grid);
  SendMessageW(grid, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(grid, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  UnhookWinEvent(hook);
  EXPECT_EQ(form.Grid.Col(), 1);
  EXPECT_EQ(form.Grid.Row(), 2);
  EXPECT_EQ(valueChanges, 2);   // one for each move
  EXPECT_EQ(table.Value(), L"六角ボルト");
  EXPECT_EQ(table.Description(), L"2 行目, 2 列目");
  EXPECT_NE(table.State() & STATE_SYSTEM_FOCUSED, 0);
}

TEST_F(Accessibility, TheDarkTabsArePageTabsWithTheChosenOneSelected) {
  TAccessibleForm form;
  TFormPeer peer(form);
  peer.Show();
  HWND strip = FindWindowExW(peer.HandleOf(form.Pages), nullptr, WC_TABCONTROLW, nullptr);
  ASSERT_NE(strip, nullptr);
  TClient tabs(strip);
  ASSERT_TRUE(tabs.Ok());
  EXPECT_EQ(tabs.Role(), ROLE_SYSTEM_PAGETABLIST);
  ASSERT_EQ(tabs.ChildCount(), 2);
  EXPECT_EQ(tabs.Name(1), L"作業エリア");
  EXPECT_EQ(tabs.Name(2), L"設定");
  EXPECT_EQ(tabs.Role(2), ROLE_SYSTEM_PAGETAB);
  EXPECT_NE(tabs.State(1) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(tabs.State(2) & STATE_SYSTEM_SELECTED, 0);
  form.Pages.SetActivePageIndex(1);
  EXPECT_EQ(tabs.State(1) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_NE(tabs.State(2) & STATE_SYSTEM_SELECTED, 0);
}

TEST_F(Accessibility, ADropDownBoxIsAComboBoxNamedByItsLabelWithItsTextAndItsItems) {
  TAccessibleForm form;
  TFormPeer peer(form);
  peer.Show();
  const HWND box = peer.HandleOf(form.Justify);
  TClient combo(box);
  ASSERT_TRUE(combo.Ok());
  EXPECT_EQ(combo.Role(), ROLE_SYSTEM_COMBOBOX);
  EXPECT_EQ(combo.Name(), L"文字位置");
  EXPECT_EQ(combo.Value(), L"C : 中心");
  ASSERT_EQ(combo.ChildCount(), 3);
  EXPECT_EQ(combo.Name(1), L"L : 左");
  EXPECT_EQ(combo.Name(2), L"C : 中心");
  EXPECT_EQ(combo.Role(2), ROLE_SYSTEM_LISTITEM);
  EXPECT_NE(combo.State(2) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(combo.State(1) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_NE(combo.State() & STATE_SYSTEM_COLLAPSED, 0);
  EXPECT_NE(combo.State(1) & STATE_SYSTEM_INVISIBLE, 0);   // the items show only in the open list
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_NE(combo.State() & STATE_SYSTEM_EXPANDED, 0);
  EXPECT_EQ(combo.State(1) & STATE_SYSTEM_INVISIBLE, 0);
  SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  form.Justify.SetItemIndex(0);
  EXPECT_EQ(combo.Value(), L"L : 左");
  EXPECT_NE(combo.State(1) & STATE_SYSTEM_SELECTED, 0);

  // The editable box and the edit box inside it, where the focus is, both tell its name and text.
  const HWND tag = peer.HandleOf(form.Tag);
  TClient tagBox(tag), tagEdit(GetWindow(tag, GW_CHILD));
  ASSERT_TRUE(tagEdit.Ok());
  EXPECT_EQ(tagBox.Role(), ROLE_SYSTEM_COMBOBOX);
  EXPECT_EQ(tagEdit.Role(), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(tagEdit.Name(), L"属性タグ");
  form.Tag.SetText("品番");
  EXPECT_EQ(tagBox.Value(), L"品番");
  EXPECT_EQ(tagEdit.Value(), L"品番");
}

}  // namespace
}  // namespace kav::ui::win32
