// The colours of the "Windows10 Dark" look: one palette for every window and control.
#pragma once

#include <windows.h>

#include <string_view>

namespace kav::ui::win32 {

struct TPalette {
  bool Dark = true;                               // asks for the dark title bar too
  COLORREF Window = RGB(0x20, 0x20, 0x20);        // form, tab sheets, panels
  COLORREF Control = RGB(0x2B, 0x2B, 0x2B);       // buttons, grid header, drop-downs
  COLORREF ControlHot = RGB(0x3A, 0x3A, 0x3A);    // hovered button
  COLORREF ControlPressed = RGB(0x4A, 0x4A, 0x4A);
  COLORREF Edit = RGB(0x19, 0x19, 0x19);          // edit boxes, list boxes, grid cells
  COLORREF InverseEdit = RGB(0x00, 0x00, 0x00);   // the white-on-black boxes
  COLORREF Text = RGB(0xE6, 0xE6, 0xE6);
  COLORREF InverseText = RGB(0xFF, 0xFF, 0xFF);
  COLORREF DisabledText = RGB(0x80, 0x80, 0x80);
  COLORREF Placeholder = RGB(0x78, 0x78, 0x78);   // grey placeholder texts
  COLORREF Border = RGB(0x55, 0x55, 0x55);
  COLORREF GridLine = RGB(0x3C, 0x3C, 0x3C);
  COLORREF Highlight = RGB(0x26, 0x4F, 0x78);     // selected cells and items
  COLORREF HighlightText = RGB(0xFF, 0xFF, 0xFF);
  COLORREF Focus = RGB(0x3D, 0x8E, 0xE0);         // current cell frame, focus marks
  COLORREF Accent = RGB(0x3D, 0x8E, 0xE0);        // check marks, radio dots, active tab line

  bool operator==(const TPalette&) const = default;
};

// The palette of the one dark look the program carries.
const TPalette& DarkPalette();

// The system's own colours, for the plain look when a style is not found.
TPalette PlainPalette();

// The system's colours as the high-contrast mode sets them: window, text, highlight and
// grey text only, with borders in the text colour so that every edge shows.
TPalette HighContrastPalette();

// Whether the user has turned on the system's high-contrast mode.
bool SystemHighContrast();

// The name under which the dark look is known.
inline constexpr std::string_view kDarkStyleName = "Windows10 Dark";

// The palette of the look named `name`, or null when the program carries no such look.
const TPalette* FindStyle(std::string_view name);

}  // namespace kav::ui::win32
