// Keys of the grid window and the in-place cell editor. Every key-down, on the grid or in
// its editor, goes to the model first so that the form's key commands (copy, paste, clear,
// undo) win over the editor; only a key the handler leaves reaches the editor.
#include <windows.h>
#include <imm.h>   // after windows.h, which it needs

#include <algorithm>
#include <string>

#include "platform/Text.h"
#include "ui/win32/GridControl.h"

namespace kav::ui::win32 {
namespace {

// A consumed key must not come back as the character it was translated into: the edit
// control pastes on Ctrl+V's character, and a letter would start an edit.
void DropTranslatedChar(HWND hwnd) {
  MSG pending{};
  PeekMessageW(&pending, hwnd, WM_CHAR, WM_CHAR, PM_REMOVE);
}

}  // namespace

// --- Keys on the grid

void TGridControl::KeyDown(WPARAM key) {
  const ui::TShiftState shift = CurrentShift();
  const ui::TKey left = model_.UserKeyDown(static_cast<ui::TKey>(key), shift);
  if (left == 0) {
    DropTranslatedChar(Handle());
    return;
  }
  if ((left == ui::vk::F2 || left == ui::vk::Return) && model_.AllowEditing && !editing_) {
    if (left == ui::vk::Return) DropTranslatedChar(Handle());
    StartEditing(false);
  }
}

void TGridControl::Char(WPARAM ch) {
  if (editing_ && editor_ != nullptr) {
    // Characters already queued for the grid when typing started (input method results).
    SendMessageW(editor_, WM_CHAR, ch, 0);
    return;
  }
  // A printable character replaces the cell's text; Backspace starts with an empty editor.
  const bool starts = ch == L'\b' || (ch >= 0x20 && ch != 0x7F);
  if (!model_.AllowEditing || !starts) return;
  if (!StartEditing(true)) return;
  SendMessageW(editor_, WM_CHAR, ch, 0);   // on the selected text
}

void TGridControl::PlaceComposition() {
  // Japanese typed on the grid is composed here and then arrives as characters, which start
  // the editor (see Char); meanwhile the composition shows where the text will go.
  const HIMC context = ImmGetContext(Handle());
  if (context == nullptr) return;
  const RECT cell = WindowCellRect(model_.Col(), model_.Row());
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = POINT{cell.left + Scale(2), cell.top + textTop_};
  ImmSetCompositionWindow(context, &form);
  LOGFONTW font{};
  if (GetObjectW(Font(), sizeof font, &font) != 0) ImmSetCompositionFontW(context, &font);
  ImmReleaseContext(Handle(), context);
}

// --- The editor

bool TGridControl::StartEditing(bool replaceText) {
  if (editing_) return true;
  if (!model_.AllowEditing || Handle() == nullptr) return false;
  if (!model_.BeginEdit()) return false;
  editing_ = true;
  editCol_ = model_.Col();
  editRow_ = model_.Row();
  editCellText_ = model_.Cell(editCol_, editRow_);
  if (editor_ == nullptr) {
    editor_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0, Handle(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (editor_ == nullptr) {
      editing_ = false;
      model_.CancelEdit();
      return false;
    }
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    SendMessageW(editor_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(Scale(1), Scale(1)));
    editorSubclass_.OnGone = [this] { editor_ = nullptr; };
    editorSubclass_.Attach(editor_, model_.Form(), [this](UINT message, WPARAM wParam, LPARAM lParam) {
      return HandleEditorMessage(message, wParam, lParam);
    });
  }
  SetWindowTextW(editor_, Utf8ToWide(model_.EditText()).c_str());
  SendMessageW(editor_, EM_SETMODIFY, FALSE, 0);
  PlaceEditor();
  ShowWindow(editor_, SW_SHOW);
  SetFocus(editor_);
  const auto length = static_cast<LPARAM>(GetWindowTextLengthW(editor_));
  if (replaceText) SendMessageW(editor_, EM_SETSEL, 0, -1);
  else SendMessageW(editor_, EM_SETSEL, static_cast<WPARAM>(length), length);
  InvalidateRect(Handle(), nullptr, FALSE);
  return true;
}

std::string TGridControl::EditorText() const {
  if (editor_ == nullptr) return {};
  return WideToUtf8(WindowTextOf(editor_));
}

void TGridControl::CommitEditing() {
  if (!editing_) return;
  std::string text = EditorText();
  editing_ = false;   // first, so that the editor's loss of focus does not commit again
  CloseEditor();
  if (model_.Editing()) model_.EndEdit(std::move(text));
}

void TGridControl::CancelEditing() {
  if (!editing_) return;
  editing_ = false;
  CloseEditor();
  model_.CancelEdit();
}

void TGridControl::CloseEditor() {
  if (editor_ == nullptr) return;
  // Keep the focus in the grid unless it went elsewhere already (a click on another control).
  if (GetFocus() == editor_) SetFocus(Handle());
  ShowWindow(editor_, SW_HIDE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TGridControl::PlaceEditor() {
  if (!editing_ || editor_ == nullptr) return;
  const RECT cell = WindowCellRect(editCol_, editRow_);
  // Inside the current-cell frame, which stays visible around the editor.
  const int inset = std::max(1, Scale(1));
  SetWindowPos(editor_, nullptr, cell.left + inset, cell.top + inset,
               std::max(0, static_cast<int>(cell.right - cell.left) - 2 * inset),
               std::max(0, static_cast<int>(cell.bottom - cell.top) - 2 * inset),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TGridControl::FollowModelWhileEditing(ui::TAspect aspect) {
  if (!editing_) return;
  if (!model_.Editing()) {   // ended by code
    editing_ = false;
    CloseEditor();
    return;
  }
  if (model_.Col() != editCol_ || model_.Row() != editRow_) {
    // The current cell moved away (select all, undo): what was typed belongs to the cell it
    // was typed into, never to the new current cell.
    const bool modified = SendMessageW(editor_, EM_GETMODIFY, 0, 0) != 0;
    std::string text = EditorText();
    editing_ = false;
    CloseEditor();
    model_.CancelEdit();
    if (modified) model_.SetCell(editCol_, editRow_, std::move(text));
    return;
  }
  if (aspect == ui::TAspect::Cells) {
    const std::string& now = model_.Cell(editCol_, editRow_);
    if (now != editCellText_) {
      // Code wrote the cell under the editor (a paste, an undo): show what is there now.
      editCellText_ = now;
      const std::wstring wide = Utf8ToWide(now);
      SetWindowTextW(editor_, wide.c_str());
      SendMessageW(editor_, EM_SETMODIFY, FALSE, 0);
      SendMessageW(editor_, EM_SETSEL, wide.size(), static_cast<LPARAM>(wide.size()));
    }
  }
}

LRESULT TGridControl::HandleEditorMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND editor = editor_;
  const auto base = [this](UINT m, WPARAM w, LPARAM l) { return editorSubclass_.CallDefault(m, w, l); };
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = base(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTCHARS;
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;   // Enter commits and Escape cancels, not the dialog's buttons
      return code;
    }
    case WM_KEYDOWN: {
      const ui::TKey key = model_.UserKeyDown(static_cast<ui::TKey>(wParam), CurrentShift());
      if (key == 0 || !editing_) {
        DropTranslatedChar(editor);
        return 0;
      }
      if (key == ui::vk::Return) {
        DropTranslatedChar(editor);
        CommitEditing();
        return 0;
      }
      if (key == ui::vk::Escape) {
        DropTranslatedChar(editor);
        CancelEditing();
        return 0;
      }
      if ((key == ui::vk::Up || key == ui::vk::Down) && (CurrentShift() & ui::ssAlt) == 0) {
        // As in every grid: the text goes into its cell and the next row up or down becomes
        // current, ready for the next edit.
        CommitEditing();
        model_.UserMoveByKey(key, CurrentShift());
        return 0;
      }
      break;
    }
    case WM_CHAR:
      // A single-line edit control beeps at these; the key-down has dealt with them.
      if (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B) return 0;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = base(message, wParam, lParam);
      if (editing_) CommitEditing();
      return result;
    }
    default:
      break;
  }
  return base(message, wParam, lParam);
}

}  // namespace kav::ui::win32
