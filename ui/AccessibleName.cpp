#include "ui/AccessibleName.h"

#include "ui/Button.h"

namespace kav::ui {
namespace {

// How far a label may stand from what it names, in design pixels.
constexpr int kBesideGap = 40;
constexpr int kAboveGap = 12;

bool OverlapVertically(const TBounds& a, const TBounds& b) {
  return a.Top < b.Top + b.Height && b.Top < a.Top + a.Height;
}

bool OverlapHorizontally(const TBounds& a, const TBounds& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width;
}

}  // namespace

const TLabel* LabelBeside(const TControl& control) {
  const TContainer* parent = control.Parent();
  if (parent == nullptr) return nullptr;
  const TBounds& c = control.Bounds;
  const TLabel* beside = nullptr;
  const TLabel* above = nullptr;
  for (const TControl* sibling : parent->Children()) {
    if (sibling->Kind != TControlKind::Label) continue;
    const auto* label = static_cast<const TLabel*>(sibling);
    const TBounds& l = label->Bounds;
    const int right = l.Left + l.Width;
    if (OverlapVertically(l, c) && right <= c.Left + 2 && c.Left - right <= kBesideGap) {
      if (beside == nullptr || right > beside->Bounds.Left + beside->Bounds.Width) beside = label;
    } else if (OverlapHorizontally(l, c) && l.Top + l.Height <= c.Top + 2 && c.Top - (l.Top + l.Height) <= kAboveGap) {
      if (above == nullptr || l.Top > above->Bounds.Top) above = label;
    }
  }
  return beside != nullptr ? beside : above;
}

std::string AccessibleName(const TControl& control) {
  if (const auto* button = dynamic_cast<const TButton*>(&control)) return button->Caption;
  if (const auto* box = dynamic_cast<const TCheckBox*>(&control)) return box->Caption;
  if (const auto* radio = dynamic_cast<const TRadioButton*>(&control)) return radio->Caption;
  if (const auto* label = dynamic_cast<const TLabel*>(&control)) return label->Caption;
  if (const auto* container = dynamic_cast<const TContainer*>(&control); container != nullptr && !container->Caption.empty())
    return container->Caption;
  if (const TLabel* label = LabelBeside(control); label != nullptr && !label->Caption.empty()) return label->Caption;
  if (!control.Hint.empty()) return control.Hint;
  for (const TContainer* c = control.Parent(); c != nullptr; c = c->Parent())
    if (!c->Caption.empty() && c->Kind != TControlKind::Form) return c->Caption;
  return {};
}

}  // namespace kav::ui
