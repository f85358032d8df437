#pragma once
// What the benchmarks that run the program itself share: a data folder like
// the game's, and the process's resident memory.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace benchmarks {

// A folder `root`/`name` of links to the game folder's data files, less the
// program and `leaveOut`.
inline std::filesystem::path LinkedGameFolder(const std::filesystem::path &root, const std::string &name,
                                              const std::set<std::string> &leaveOut = {}) {
  namespace fs = std::filesystem;
  const fs::path folder = root / name;
  fs::create_directories(folder);
  for (const auto &entry : fs::directory_iterator(MARVOK_GAME_DIR)) {
    const std::string file = entry.path().filename().string();
    if (file != "MarvokZT" && leaveOut.count(file) == 0)
      fs::create_symlink(entry.path(), folder / file);
  }
  return folder;
}

// This process's resident memory (VmRSS), in KiB.
inline long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0)
      return std::atol(line.c_str() + 6);
  return 0;
}

} // namespace benchmarks
