#include "simcad/com/DrawingPaint.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <unordered_set>

#include "platform/Text.h"
#include "simcad/SimBlockGeometry.h"
#include "simcad/SimHitTest.h"
#include "simcad/SimTextGeometry.h"

namespace kav::sim::com {

using kav::TBrushHandle;
using kav::TPenHandle;
using kav::TSelectObject;

namespace {

constexpr COLORREF kBackground = RGB(0x1E, 0x23, 0x2A);
constexpr COLORREF kLineColour = RGB(0xD0, 0xD0, 0xD0);
constexpr COLORREF kTextColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kAttributeColour = RGB(0xF0, 0xE0, 0x90);
constexpr COLORREF kSelectedColour = RGB(0x40, 0xB0, 0xFF);
constexpr COLORREF kPickedColour = RGB(0xFF, 0xA0, 0x30);
constexpr COLORREF kGhostColour = RGB(0x70, 0xF0, 0x90);
constexpr COLORREF kCursorColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kWindowColour = RGB(0x50, 0x90, 0xFF);
constexpr COLORREF kCrossingColour = RGB(0x50, 0xE0, 0x70);

// Texts smaller than this many pixels are drawn as a bar across their frame, as CADs do.
constexpr double kSmallestText = 4;

POINT Pixel(double x, double y) { return POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))}; }

// Clips in screen space, to the area grown by a margin, so that a segment of a deeply
// zoomed drawing never reaches GDI with coordinates beyond its range.
bool ClipToArea(double& x0, double& y0, double& x1, double& y1, const RECT& area) {
  TPoint a{x0, y0, 0}, b{x1, y1, 0};
  if (!ClipSegment(a, b, TBounds{area.left - 16.0, area.top - 16.0, area.right + 16.0, area.bottom + 16.0})) return false;
  x0 = a.X;
  y0 = a.Y;
  x1 = b.X;
  y1 = b.Y;
  return true;
}

}  // namespace

void TDrawingPainter::TBatch::Segment(POINT a, POINT b) {
  // Joins a segment that starts where the last one ended into one polyline.
  if (!Counts.empty() && Points.back().x == a.x && Points.back().y == a.y) {
    Points.push_back(b);
    ++Counts.back();
    return;
  }
  Points.push_back(a);
  Points.push_back(b);
  Counts.push_back(2);
}

void TDrawingPainter::AddSegment(TBatch& batch, const TViewport& view, const RECT& area, const TPoint& a, const TPoint& b) {
  const TScreenPoint sa = view.ToScreen(a), sb = view.ToScreen(b);
  double x0 = sa.X + area.left, y0 = sa.Y + area.top, x1 = sb.X + area.left, y1 = sb.Y + area.top;
  if (!ClipToArea(x0, y0, x1, y1, area)) return;
  POINT pa = Pixel(x0, y0), pb = Pixel(x1, y1);
  if (pa.x == pb.x && pa.y == pb.y) ++pb.x;   // a dot still shows
  batch.Segment(pa, pb);
}

void TDrawingPainter::AddEntity(TScene& scene, const TEntity& e, TLayer& layer, bool lasting, bool ownAttributes) {
  const TViewport& view = scene.View;
  const RECT& area = scene.Area;
  switch (e.Type) {
    case TEntityType::Line: AddSegment(layer.Lines, view, area, e.Start, e.End); break;
    case TEntityType::LwPolyline:
    case TEntityType::Spline:
    case TEntityType::Polyline3d:
    case TEntityType::Polyline2d: {
      const std::size_t stride = e.Type == TEntityType::LwPolyline ? 2 : 3;
      const std::size_t count = e.Coordinates.size() / stride;
      auto vertex = [&](std::size_t i) { return TPoint{e.Coordinates[i * stride], e.Coordinates[i * stride + 1], 0}; };
      for (std::size_t i = 1; i < count; ++i) AddSegment(layer.Lines, view, area, vertex(i - 1), vertex(i));
      if (e.Closed && count > 2) AddSegment(layer.Lines, view, area, vertex(count - 1), vertex(0));
      break;
    }
    case TEntityType::Circle:
    case TEntityType::Arc: {
      const double sweep = e.Type == TEntityType::Arc ? ArcSweep(e) : 2 * std::numbers::pi;
      // A side every 6 pixels or so, at least 24 to the whole turn, so small circles stay round.
      const double pixels = e.Radius * view.Scale() * sweep;
      const int least = std::max(2, static_cast<int>(std::ceil(24 * sweep / (2 * std::numbers::pi))));
      const int sides = std::clamp(static_cast<int>(pixels / 6), least, 720);
      auto at = [&](double t) { return TPoint{e.Center.X + e.Radius * std::cos(t), e.Center.Y + e.Radius * std::sin(t), 0}; };
      TPoint previous = at(e.Type == TEntityType::Arc ? e.StartAngle : 0);
      for (int i = 1; i <= sides; ++i) {
        const TPoint next = at((e.Type == TEntityType::Arc ? e.StartAngle : 0) + sweep * i / sides);
        AddSegment(layer.Lines, view, area, previous, next);
        previous = next;
      }
      break;
    }
    case TEntityType::Text:
    case TEntityType::Attribute:
    case TEntityType::AttributeDefinition:
    case TEntityType::MText: {
      const bool attribute = e.Type == TEntityType::Attribute || e.Type == TEntityType::AttributeDefinition;
      if (lasting && (e.Type == TEntityType::Text || e.Type == TEntityType::Attribute)) {
        layer.Texts.push_back({&e.Text, attribute});
        break;
      }
      ForEachShownText(e, [&](const TTextProps& text) {
        scene.Kept.push_back(text);
        layer.Texts.push_back({&scene.Kept.back(), attribute});
      });
      break;
    }
    case TEntityType::BlockReference:
      if (ownAttributes)
        for (int id : e.Attributes)
          if (const TEntity* attribute = scene.Drawing.Find(id); attribute != nullptr && !IsInvisible(*attribute))
            AddEntity(scene, *attribute, layer, lasting, true);
      // What its definition shows, each entity moved into place; those out of view are left.
      ForEachBlockEntity(scene.Drawing, e, [&](const TEntity& member, const TTransform& t) {
        if (IsInvisible(member)) return;
        const TEntity placed = Transformed(member, t);
        if (BoundsOf(scene.Drawing, placed, scene.Blocks).Intersects(scene.Visible)) AddEntity(scene, placed, layer, false, true);
      });
      break;
    case TEntityType::Other: break;
  }
}

HFONT TDrawingPainter::Font(int em, int width, int tenths) {
  const auto key = std::make_tuple(em, width, tenths);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.Get();
  if (fonts_.size() > 256) fonts_.clear();   // a long zoom session leaves many sizes behind
  HFONT font = CreateFontW(-em, width, tenths, tenths, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_MODERN | FIXED_PITCH, L"MS Gothic");
  return fonts_.emplace(key, kav::TFontHandle(font)).first->second.Get();
}

void TDrawingPainter::DrawText(HDC dc, const TTextProps& text, const TViewport& view, const RECT& area, COLORREF colour,
                               TBatch& small) {
  const TTextFrame frame = TextFrame(text);
  const double height = frame.Height * view.Scale();
  const std::wstring wide = Utf8ToWide(text.TextString);
  if (wide.empty()) return;
  if (height < kSmallestText) {
    AddSegment(small, view, area, FramePoint(frame, 0, 0.4), FramePoint(frame, 1, 0.4));
    return;
  }
  // Every character takes an equal share of the frame, as the drawing measures it; the
  // glyphs are narrowed so that a full-width character fills its share.
  const double advance = frame.Width * view.Scale() / static_cast<double>(wide.size());
  const int em = static_cast<int>(std::lround(height));
  const int width = std::max(1, static_cast<int>(std::lround(advance / 2)));
  const int tenths = static_cast<int>(std::lround(frame.Angle * 1800.0 / std::numbers::pi)) % 3600;
  std::vector<INT> dx(wide.size());
  double carried = 0;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const double next = carried + advance;
    dx[i] = static_cast<INT>(std::lround(next) - std::lround(carried));
    carried = next;
  }
  const TScreenPoint origin = view.ToScreen(frame.Origin);
  TSelectObject font(dc, Font(em, width, tenths));
  SetTextColor(dc, colour);
  ExtTextOutW(dc, static_cast<int>(std::lround(origin.X + area.left)), static_cast<int>(std::lround(origin.Y + area.top)),
              ETO_CLIPPED, &area, wide.c_str(), static_cast<UINT>(wide.size()), dx.data());
}

void TDrawingPainter::DrawBatch(HDC dc, const TBatch& batch, COLORREF colour) {
  if (batch.Counts.empty()) return;
  TPenHandle pen(CreatePen(PS_SOLID, 1, colour));
  TSelectObject selected(dc, pen.Get());
  PolyPolyline(dc, batch.Points.data(), batch.Counts.data(), static_cast<DWORD>(batch.Counts.size()));
}

void TDrawingPainter::PaintScene(HDC dc, const RECT& area, const TSimState& state, const TViewport& view,
                                 const std::vector<int>& picked) {
  TBrushHandle background(CreateSolidBrush(kBackground));
  FillRect(dc, &area, background.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);

  const TDrawing& drawing = state.Drawing;
  TScene scene{drawing, view, area, TBlockExtents(drawing), view.Visible(), {}};
  const std::unordered_set<int> selected(state.Selection.begin(), state.Selection.end());
  const std::unordered_set<int> taken(picked.begin(), picked.end());
  // Three layers, the highlighted on top: plain, selected, picked by the selection that waits.
  TLayer layers[3];
  for (const auto& entity : drawing.All()) {
    if (entity.Erased || entity.Owner != 0) continue;
    if (!BoundsOf(drawing, entity, scene.Blocks).Intersects(scene.Visible)) continue;
    const int layer = taken.count(entity.Id) ? 2 : selected.count(entity.Id) ? 1 : 0;
    AddEntity(scene, entity, layers[layer], true, true);
  }
  const COLORREF colours[3] = {kLineColour, kSelectedColour, kPickedColour};
  for (int layer = 0; layer < 3; ++layer) {
    TBatch small;
    for (const TShownText& text : layers[layer].Texts) {
      const COLORREF colour = layer > 0 ? colours[layer] : text.Attribute ? kAttributeColour : kTextColour;
      DrawText(dc, *text.Text, view, area, colour, small);
    }
    DrawBatch(dc, layers[layer].Lines, colours[layer]);
    DrawBatch(dc, small, layer > 0 ? colours[layer] : kTextColour);
  }
}

void TDrawingPainter::PaintOverlay(HDC dc, const RECT& area, const TDrawing& drawing, const TViewport& view,
                                   const TInteraction& interaction, bool pointerInside) {
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  const TScreenPoint pointer = view.ToScreen(interaction.Pointer());
  const int px = static_cast<int>(std::lround(pointer.X)) + area.left, py = static_cast<int>(std::lround(pointer.Y)) + area.top;
  // The crosshair across the drawing, with the pick box where an entity is to be picked.
  const TInteraction::TCursor cursor = interaction.Cursor();
  if (cursor != TInteraction::TCursor::Arrow && pointerInside) {
    TPenHandle pen(CreatePen(PS_SOLID, 1, kCursorColour));
    TSelectObject selectedPen(dc, pen.Get());
    TSelectObject noBrush(dc, GetStockObject(NULL_BRUSH));
    MoveToEx(dc, area.left, py, nullptr);
    LineTo(dc, area.right, py);
    MoveToEx(dc, px, area.top, nullptr);
    LineTo(dc, px, area.bottom);
    if (cursor == TInteraction::TCursor::PickBox)
      Rectangle(dc, px - kPickBoxHalf, py - kPickBoxHalf, px + kPickBoxHalf + 1, py + kPickBoxHalf + 1);
  }
  // The selection window: blue and solid from left to right, green and dashed from right to left.
  if (interaction.BandActive()) {
    const TScreenPoint start = view.ToScreen(interaction.BandStart());
    const bool crossing = interaction.BandCrossing();
    TPenHandle pen(CreatePen(crossing ? PS_DOT : PS_SOLID, 1, crossing ? kCrossingColour : kWindowColour));
    TSelectObject selectedPen(dc, pen.Get());
    TSelectObject noBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, static_cast<int>(std::lround(start.X)) + area.left, static_cast<int>(std::lround(start.Y)) + area.top, px + 1, py + 1);
  }
  // The paste hangs at the pointer, over the crosshair.
  const std::vector<TEntity> ghost = interaction.PasteGhost();
  if (!ghost.empty()) {
    TScene scene{drawing, view, area, TBlockExtents(drawing), view.Visible(), {}};
    TLayer layer;
    TBatch small;
    // The ghost's attributes are copies in `ghost` itself, moved with it.
    for (const auto& entity : ghost) AddEntity(scene, entity, layer, true, false);
    for (const TShownText& text : layer.Texts) DrawText(dc, *text.Text, view, area, kGhostColour, small);
    DrawBatch(dc, layer.Lines, kGhostColour);
    DrawBatch(dc, small, kGhostColour);
  }
}

}  // namespace kav::sim::com
