// Where a TEXT or an attribute stands on the drawing: the frame its characters fill, worked
// out from the alignment, so that the window draws, hit-tests and highlights the same box;
// and the texts that the other kinds with text (attribute definitions, MTEXT) show.
#pragma once

#include <array>
#include <vector>

#include "simcad/SimDrawing.h"

namespace kav::sim {

// The characters run along the baseline from `Origin` at `Angle` (radians), `Width` long
// and `Height` high; every character takes the same share of the width.
struct TTextFrame {
  TPoint Origin;
  double Angle = 0;
  double Width = 0;
  double Height = 0;
};

// The frame of a TEXT as the drawing holds it. For Left the insertion point is the origin;
// for the other alignments the alignment point is held and the frame placed around it.
TTextFrame TextFrame(const TTextProps& text);

// Aligned (3) and Fit (5) fill the baseline from `first` to `second`: Aligned scales the
// height with the width, Fit keeps the height and narrows or widens the characters. A
// degenerate baseline keeps the text's own width and rotation.
TTextFrame TextFrameBetween(const TTextProps& text, const TPoint& first, const TPoint& second);

// Lower left, lower right, upper right, upper left.
std::array<TPoint, 4> FrameCorners(const TTextFrame& frame);

// A point of the frame given as fractions of its width (along the baseline) and height.
TPoint FramePoint(const TTextFrame& frame, double alongWidth, double upHeight);

// The paragraphs of an MTEXT (split at \P), each placed as a TEXT of its own: its attachment
// (alignment 6 to 14) holds the whole stack, lines 5/3 of the height apart as the CAD sets them.
std::vector<TTextProps> MTextLines(const TTextProps& text);

// Calls `visit` with each text the entity shows, placed as a TEXT: a TEXT's or an attribute's
// own; an attribute definition's tag (its value when it is constant, as the references of its
// block show it); each line of an MTEXT. Other kinds show none.
template <typename TVisit>
void ForEachShownText(const TEntity& entity, TVisit&& visit) {
  switch (entity.Type) {
    case TEntityType::Text:
    case TEntityType::Attribute: visit(entity.Text); break;
    case TEntityType::AttributeDefinition: {
      if ((entity.Flags & 2) != 0) {
        visit(entity.Text);
        break;
      }
      TTextProps tag = entity.Text;
      tag.TextString = entity.Tag;
      visit(tag);
      break;
    }
    case TEntityType::MText:
      for (const TTextProps& line : MTextLines(entity.Text)) visit(line);
      break;
    default: break;
  }
}

}  // namespace kav::sim
