// TEXT and attribute change: the string of one picked TEXT or block attribute (also one
// inside a block) becomes the text to send.
#pragma once

#include <string>

#include "cadlink/CadSession.h"

namespace kav::placement {

inline constexpr const char* kChangeTextPrompt = "\n文字を変更する TEXT、属性を選択 : ";

// `text`: the new string, already trimmed.
void ChangeText(cad::TCadSession& session, const std::string& text);

}  // namespace kav::placement
