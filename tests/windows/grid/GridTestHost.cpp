#include "GridTestHost.h"

#include <array>
#include <string>

namespace kav::ui::win32::test {
namespace {

constexpr wchar_t kHostClass[] = L"KaverolinGridTestHost";

void RegisterHostClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kHostClass, &wc)) return;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kHostClass;
  RegisterClassExW(&wc);
}

}  // namespace

TPrintedGrid::TPrintedGrid(HWND grid) {
  RECT client{};
  GetClientRect(grid, &client);
  width_ = client.right;
  height_ = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;   // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(grid, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  pixels_.assign(first, first + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

COLORREF TPrintedGrid::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const std::uint32_t bgra = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

int TPrintedGrid::CountOtherThan(const RECT& rect, COLORREF background) const {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (Pixel(x, y) != background) ++count;
  return count;
}

void GridWindowTest::SetUp() {
  RegisterHostClass();
  host = CreateWindowExW(0, kHostClass, L"grid", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  model.Bounds = ui::TBounds{0, 0, 420, 300};
  grid = TGridControl::Create(host, model, palette, 96);
  ASSERT_NE(grid->Handle(), nullptr);
  PumpMessages();
}

void GridWindowTest::TearDown() {
  SetModifiers(false, false);
  grid.reset();
  if (host != nullptr) DestroyWindow(host);
  PumpMessages();
}

RECT GridWindowTest::CellRect(int col, int row) const {
  const ui::TBounds b = model.CellRect(col, row);
  return RECT{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
}

POINT GridWindowTest::CellCentre(int col, int row) const {
  const RECT r = CellRect(col, row);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void GridWindowTest::LeftDown(POINT p, WPARAM keys) {
  SendMessageW(Grid(), WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
}

void GridWindowTest::MouseMove(POINT p) {
  SendMessageW(Grid(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

void GridWindowTest::LeftUp(POINT p) { SendMessageW(Grid(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }

void GridWindowTest::LeftClick(POINT p, WPARAM keys) {
  LeftDown(p, keys);
  LeftUp(p);
}

void GridWindowTest::RightClick(POINT p) {
  SendMessageW(Grid(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageW(Grid(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

void GridWindowTest::KeyDown(HWND target, WPARAM key) { SendMessageW(target, WM_KEYDOWN, key, 1); }

void GridWindowTest::Char(HWND target, wchar_t ch) { SendMessageW(target, WM_CHAR, ch, 1); }

void GridWindowTest::SetModifiers(bool ctrl, bool shift) {
  std::array<BYTE, 256> keys{};   // the size GetKeyboardState fills
  GetKeyboardState(keys.data());
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys.data());
}

void GridWindowTest::PumpMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

std::wstring GridWindowTest::WindowText(HWND hwnd) const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace kav::ui::win32::test
