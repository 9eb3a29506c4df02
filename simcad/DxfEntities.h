// The entity records of a DXF file turned into the drawing's entities. A record is the
// "0 TYPE" pair and the groups up to the next "0"; points in an object coordinate system
// (group 210) are put into world coordinates.
#pragma once

#include <span>
#include <string_view>

#include "simcad/DxfText.h"
#include "simcad/DxfTokenizer.h"
#include "simcad/SimDrawing.h"

namespace kav::sim {

class TDxfEntityBuilder {
 public:
  TDxfEntityBuilder(TDrawing& drawing, const TDxfTextDecoder& text) : drawing_(drawing), text_(text) {}

  // Takes one record into model space (`block` 0) or into block definition `block`.
  // ATTRIB, VERTEX and SEQEND records join the block reference or polyline before them;
  // entities of paper space are left out.
  void Add(std::string_view type, std::span<const TDxfPair> groups, int block);
  // Closes an open reference or polyline: the end of a section or a block.
  void EndSequence();

  int PaperSpaceSkipped() const { return paperSpace_; }

 private:
  enum class TOpen { None, Reference, Polyline, RawPolyline };

  int Store(TEntity entity, int block);
  void AddAttribute(std::span<const TDxfPair> groups);
  void AddVertex(std::span<const TDxfPair> groups);

  TDrawing& drawing_;
  const TDxfTextDecoder& text_;
  TOpen open_ = TOpen::None;
  int openId_ = 0;      // the reference or polyline that ATTRIB or VERTEX records join
  int openBlock_ = 0;
  TPoint openNormal_{0, 0, 1};   // a 2D polyline's extrusion and elevation, for its vertices
  double openElevation_ = 0;
  int paperSpace_ = 0;
};

}  // namespace kav::sim
