// Painting the simulated CAD's drawing with GDI: the entities that are in view, TEXT in its
// frame (height, width factor, rotation, alignment), what block references show from their
// definitions, the selection highlighted, and what a pick draws over it (the paste following
// the pointer, the selection window, the crosshair).
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <tuple>
#include <vector>

#include "simcad/SimCad.h"
#include "simcad/SimHitTest.h"
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
  // What the pick that waits draws over the drawing (`drawing` gives the block definitions a
  // pasted reference shows).
  void PaintOverlay(HDC dc, const RECT& area, const TDrawing& drawing, const TViewport& view,
                    const TInteraction& interaction, bool pointerInside);

 private:
  struct TBatch {   // segments of one colour, drawn with one PolyPolyline
    std::vector<POINT> Points;
    std::vector<DWORD> Counts;
    void Segment(POINT a, POINT b);
  };
  struct TShownText {
    const TTextProps* Text;
    bool Attribute;
  };
  // What one layer of highlighting draws: its segments and its texts.
  struct TLayer {
    TBatch Lines;
    std::vector<TShownText> Texts;
  };
  // One paint: what is in view, and the texts that exist only for this paint (what block
  // references show, the lines of an MTEXT) kept alive until they are drawn.
  struct TScene {
    const TDrawing& Drawing;
    const TViewport& View;
    const RECT& Area;
    TBlockExtents Blocks;
    TBounds Visible;
    std::deque<TTextProps> Kept;
  };
  // Adds an entity to `layer`. `lasting`: the entity outlives the paint (else its texts are
  // copied); `ownAttributes`: a block reference's attributes are drawn from the drawing (a
  // pasted reference brings copies of its own).
  void AddEntity(TScene& scene, const TEntity& entity, TLayer& layer, bool lasting, bool ownAttributes);
  void AddSegment(TBatch& batch, const TViewport& view, const RECT& area, const TPoint& a, const TPoint& b);
  void DrawBatch(HDC dc, const TBatch& batch, COLORREF colour);
  void DrawText(HDC dc, const TTextProps& text, const TViewport& view, const RECT& area, COLORREF colour, TBatch& small);
  HFONT Font(int em, int width, int tenths);

  std::map<std::tuple<int, int, int>, kav::TFontHandle> fonts_;
};

}  // namespace kav::sim::com
