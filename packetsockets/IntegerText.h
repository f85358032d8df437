#pragma once
// Decimal text to integer: optional blanks around an optional sign and
// digits; anything else raises the conversion error.
#include <string>

namespace Zev {

// "'abc' は有効な整数値ではありません."
int StrToInt(const std::string &text);

} // namespace Zev
