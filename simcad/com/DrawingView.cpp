#include "simcad/com/DrawingView.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/Text.h"
#include "simcad/SimBlockGeometry.h"

namespace kav::sim::com {

namespace {

constexpr wchar_t kClassName[] = L"KaverolinSimDrawing";

// Maps drawing coordinates into the client rectangle, y upwards.
struct TViewTransform {
  double Scale = 1, OffsetX = 0, OffsetY = 0;
  int Bottom = 0;
  POINT Map(const TPoint& p) const {
    return POINT{static_cast<LONG>(std::lround(OffsetX + p.X * Scale)), static_cast<LONG>(std::lround(Bottom - (OffsetY + p.Y * Scale)))};
  }
};

TViewTransform FitDrawing(const TDrawing& drawing, const RECT& area) {
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  auto take = [&](const TPoint& p) {
    minX = std::min(minX, p.X); maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y); maxY = std::max(maxY, p.Y);
  };
  for (const auto& e : ShownEntities(drawing)) {
    if (e.Erased) continue;
    switch (e.Type) {
      case TEntityType::Line: take(e.Start); take(e.End); break;
      case TEntityType::Text:
      case TEntityType::Attribute:
      case TEntityType::MText: take(TextInsertionPoint(e.Text)); break;
      case TEntityType::AttributeDefinition:
      case TEntityType::Other: take(e.Start); break;
      case TEntityType::Circle:
      case TEntityType::Arc:
        take({e.Center.X - e.Radius, e.Center.Y - e.Radius, 0});
        take({e.Center.X + e.Radius, e.Center.Y + e.Radius, 0});
        break;
      case TEntityType::BlockReference: take(e.Center); break;
      default: {
        const std::size_t stride = e.Type == TEntityType::LwPolyline ? 2 : 3;
        for (std::size_t i = 0; i + 1 < e.Coordinates.size(); i += stride) take({e.Coordinates[i], e.Coordinates[i + 1], 0});
      }
    }
  }
  TViewTransform t;
  t.Bottom = area.bottom;
  if (minX > maxX) return t;
  const double width = std::max(maxX - minX, 1.0), height = std::max(maxY - minY, 1.0);
  const double areaWidth = area.right - area.left - 40.0, areaHeight = area.bottom - area.top - 40.0;
  t.Scale = std::max(std::min(areaWidth / width, areaHeight / height), 0.01);
  t.OffsetX = area.left + 20 - minX * t.Scale + (areaWidth - width * t.Scale) / 2;
  t.OffsetY = 20 - minY * t.Scale + (areaHeight - height * t.Scale) / 2;
  return t;
}

void DrawText(HDC dc, const TViewTransform& t, const TTextProps& text) {
  const int height = std::max(6, static_cast<int>(std::lround(text.Height * t.Scale)));
  const int tenths = static_cast<int>(std::lround(text.Rotation * 1800.0 / 3.14159265358979));
  HFONT font = CreateFontW(-height, 0, tenths, tenths, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Gothic");
  HGDIOBJ old = SelectObject(dc, font);
  const POINT p = t.Map(TextInsertionPoint(text));
  const std::wstring wide = Utf8ToWide(text.TextString);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  TextOutW(dc, p.x, p.y, wide.c_str(), static_cast<int>(wide.size()));
  SelectObject(dc, old);
  DeleteObject(font);
}

void Paint(HWND window, HDC dc, TSimState& state) {
  RECT client{};
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(RGB(0x1E, 0x23, 0x2A));
  FillRect(dc, &client, background);
  DeleteObject(background);
  RECT area = client;
  area.bottom -= 22;
  const TViewTransform t = FitDrawing(state.Drawing, area);

  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xD0, 0xD0, 0xD0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
  for (const auto& e : ShownEntities(state.Drawing)) {
    if (e.Erased) continue;
    switch (e.Type) {
      case TEntityType::Line: {
        const POINT a = t.Map(e.Start), b = t.Map(e.End);
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
        break;
      }
      case TEntityType::LwPolyline:
      case TEntityType::Polyline3d:
      case TEntityType::Polyline2d:
      case TEntityType::Spline: {
        const std::size_t stride = e.Type == TEntityType::LwPolyline ? 2 : 3;
        for (std::size_t i = 0; i + 1 < e.Coordinates.size(); i += stride) {
          const POINT p = t.Map({e.Coordinates[i], e.Coordinates[i + 1], 0});
          if (i == 0) MoveToEx(dc, p.x, p.y, nullptr);
          else LineTo(dc, p.x, p.y);
        }
        if (e.Closed && e.Coordinates.size() >= 2) {
          const POINT p = t.Map({e.Coordinates[0], e.Coordinates[1], 0});
          LineTo(dc, p.x, p.y);
        }
        break;
      }
      case TEntityType::Circle: {
        const POINT a = t.Map({e.Center.X - e.Radius, e.Center.Y + e.Radius, 0});
        const POINT b = t.Map({e.Center.X + e.Radius, e.Center.Y - e.Radius, 0});
        Ellipse(dc, a.x, a.y, b.x, b.y);
        break;
      }
      case TEntityType::Arc: {
        // GDI draws counter-clockwise as the screen shows it, as the drawing turns its arcs.
        const POINT a = t.Map({e.Center.X - e.Radius, e.Center.Y + e.Radius, 0});
        const POINT b = t.Map({e.Center.X + e.Radius, e.Center.Y - e.Radius, 0});
        const POINT from = t.Map({e.Center.X + e.Radius * std::cos(e.StartAngle), e.Center.Y + e.Radius * std::sin(e.StartAngle), 0});
        const POINT to = t.Map({e.Center.X + e.Radius * std::cos(e.EndAngle), e.Center.Y + e.Radius * std::sin(e.EndAngle), 0});
        Arc(dc, a.x, a.y, b.x, b.y, from.x, from.y, to.x, to.y);
        break;
      }
      case TEntityType::Text:
      case TEntityType::Attribute:
      case TEntityType::MText: DrawText(dc, t, e.Text); break;
      case TEntityType::AttributeDefinition:
      case TEntityType::BlockReference:
      case TEntityType::Other: break;
    }
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);

  std::string status = "KaverolinSim   " + std::to_string(state.Drawing.TopLevel().size()) + " objects   " +
                       std::to_string(state.Calls.size()) + " calls";
  if (!state.CommandEvents.empty()) status += "   command: " + state.CommandEvents.back();
  if (state.Busy) status += "   BUSY";
  const std::wstring wide = Utf8ToWide(status);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SetTextColor(dc, RGB(0xA0, 0xC8, 0xF0));
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TextOutW(dc, 6, client.bottom - 18, wide.c_str(), static_cast<int>(wide.size()));
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<TSimState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (state != nullptr) Paint(window, dc, *state);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateDrawingView(HINSTANCE instance, TSimState& state, bool hidden) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ViewProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_CROSS));
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  HWND window = CreateWindowExW(0, kClassName, L"KaverolinSim - Drawing1.dwg", WS_OVERLAPPEDWINDOW, 20, 20, 760, 520,
                                nullptr, nullptr, instance, &state);
  if (window != nullptr && !hidden) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

}  // namespace kav::sim::com
