#pragma once
// What the form descriptions are made of.
#include <string_view>

namespace forms {

// A control's place in its window's client area.
struct Rect {
  int left, top, width, height;
};

// The proportional Japanese font every window uses.
inline constexpr std::string_view kFontFamily = "IPAPGothic";

} // namespace forms
