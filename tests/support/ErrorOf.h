#pragma once
// The text of the exception an action raises, or "" when it raises none.
#include <exception>
#include <functional>
#include <string>

namespace testsupport {

inline std::string ErrorOf(const std::function<void()> &action) {
  try {
    action();
  } catch (const std::exception &error) {
    return error.what();
  }
  return "";
}

} // namespace testsupport
