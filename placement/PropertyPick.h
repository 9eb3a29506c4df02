// Text property pick: the height, width factor and justification of a picked TEXT or
// attribute, handed to the window's creation settings.
#pragma once

#include <functional>

#include "cadlink/CadSession.h"

namespace kav::placement {

inline constexpr const char* kPropertyPickPrompt = "\n文字高さと幅列を取得する TEXT、属性を選択 : ";
inline constexpr const char* kZeroDimScaleMessage = "DIMSCALE が 0 のため、文字高さを取得できません";

struct TTextProperties {
  double Height = 0;        // the TEXT's height divided by DIMSCALE
  double WidthFactor = 0;
  int Alignment = 0;
};

// `show` gets the properties of the picked TEXT as soon as they are read, before the CAD's
// pending input is cancelled. A drawing whose DIMSCALE is 0 gives nothing to show: the user
// is told why instead.
void PickTextProperties(cad::TCadSession& session, const std::function<void(const TTextProperties&)>& show);

}  // namespace kav::placement
