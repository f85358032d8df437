#pragma once
// A window's state as named columns, and rows of a table written as
// "column=value column=value": a value runs to the next blank and may be empty.
#include <map>
#include <sstream>
#include <string>

namespace testcolumns {

using State = std::map<std::string, std::string>;

inline State Columns(const std::string &row) {
  State state;
  std::istringstream words(row);
  for (std::string word; words >> word;) {
    const auto equals = word.find('=');
    state[word.substr(0, equals)] = word.substr(equals + 1);
  }
  return state;
}

} // namespace testcolumns
