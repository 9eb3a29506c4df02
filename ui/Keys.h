// Key codes and modifier flags, with the values Windows uses, so models and peers agree.
#pragma once

#include <cstdint>

namespace kav::ui {

using TKey = std::uint16_t;

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

namespace vk {
constexpr TKey Back = 0x08, Tab = 0x09, Return = 0x0D, Escape = 0x1B, Prior = 0x21, Next = 0x22,
               End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28,
               Insert = 0x2D, Delete = 0x2E, F2 = 0x71, F4 = 0x73;
constexpr TKey Letter(char upper) { return static_cast<TKey>(upper); }
}  // namespace vk

enum class TMouseButton { Left, Right, Middle };

}  // namespace kav::ui
