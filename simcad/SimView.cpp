#include "simcad/SimView.h"

#include <algorithm>

namespace kav::sim {

void TViewport::Resize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

TScreenPoint TViewport::ToScreen(const TPoint& p) const {
  return TScreenPoint{(p.X - centreX_) * scale_ + width_ / 2.0, height_ / 2.0 - (p.Y - centreY_) * scale_};
}

TPoint TViewport::ToDrawing(double x, double y) const {
  return TPoint{centreX_ + (x - width_ / 2.0) / scale_, centreY_ - (y - height_ / 2.0) / scale_, 0};
}

TBounds TViewport::Visible() const { return TBounds::Of(ToDrawing(0, height_), ToDrawing(width_, 0)); }

void TViewport::Fit(const TBounds& bounds, double margin) {
  if (bounds.Empty()) {
    centreX_ = centreY_ = 0;
    scale_ = 1;
    return;
  }
  const double w = std::max(bounds.MaxX - bounds.MinX, 1e-9), h = std::max(bounds.MaxY - bounds.MinY, 1e-9);
  const double areaW = std::max(width_ - 2 * margin, 1.0), areaH = std::max(height_ - 2 * margin, 1.0);
  scale_ = std::clamp(std::min(areaW / w, areaH / h), kMinScale, kMaxScale);
  centreX_ = (bounds.MinX + bounds.MaxX) / 2;
  centreY_ = (bounds.MinY + bounds.MaxY) / 2;
}

void TViewport::ZoomAt(double x, double y, double factor) {
  if (!(factor > 0)) return;
  const TPoint held = ToDrawing(x, y);
  scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
  // Put the held point back under (x, y).
  centreX_ = held.X - (x - width_ / 2.0) / scale_;
  centreY_ = held.Y + (y - height_ / 2.0) / scale_;
}

void TViewport::Pan(double dx, double dy) {
  centreX_ -= dx / scale_;
  centreY_ += dy / scale_;
}

}  // namespace kav::sim
