// Painting the simulated CAD's drawing with GDI: the entities that are in view, TEXT in its
// frame (height, width factor, rotation, alignment), the selection highlighted, and what a
// pick draws over it (the paste following the pointer, the selection window, the crosshair).
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "simcad/SimCad.h"
#include "simcad/SimInteraction.h"
#include "simcad/SimView.h"
#include "platform/win32/Handles.h"

namespace kav::sim::com {

class TDrawingPainter {
 public:
  static constexpr int kPickBoxHalf = 5;   // pixels

  // The drawing as the view shows it, the active selection and the selection so far of a
  // pick highlighted. `area` is the drawing's part of the window.
  void PaintScene(HDC dc, const RECT& area, const TSimState& state, const TViewport& view,
                  const std::vector<int>& picked);
  // What the pick that waits draws over the drawing.
  void PaintOverlay(HDC dc, const RECT& area, const TViewport& view, const TInteraction& interaction,
                    bool pointerInside);

 private:
  struct TBatch {   // segments of one colour, drawn with one PolyPolyline
    std::vector<POINT> Points;
    std::vector<DWORD> Counts;
    void Segment(POINT a, POINT b);
  };
  void AddEntity(const TDrawing& drawing, const TEntity& entity, const TViewport& view, const RECT& area,
                 TBatch& lines, std::vector<const TEntity*>& texts);
  void AddSegment(TBatch& batch, const TViewport& view, const RECT& area, const TPoint& a, const TPoint& b);
  void DrawBatch(HDC dc, const TBatch& batch, COLORREF colour);
  void DrawText(HDC dc, const TTextProps& text, const TViewport& view, const RECT& area, COLORREF colour, TBatch& small);
  HFONT Font(int em, int width, int tenths);

  std::map<std::tuple<int, int, int>, kav::TFontHandle> fonts_;
};

}  // namespace kav::sim::com
