#pragma once
// System information the test chooses, in place of this Linux system's.
#include "system/SystemInformation.h"

namespace systemtest {

struct FakeInformation : sysinfo::SystemInformationSource {
  std::optional<std::string> name = "box";
  int processor = sysinfo::kPentium;
  sysinfo::OsVersion os{2, 5, 1};
  int width = 640, height = 480, bits = 16;
  std::uint64_t memory = 1 << 20;
  std::vector<std::string> environment;

  std::optional<std::string> ComputerName() const override { return name; }
  int Processor() const override { return processor; }
  sysinfo::OsVersion Os() const override { return os; }
  int ScreenWidth() const override { return width; }
  int ScreenHeight() const override { return height; }
  int BitsPerPixel() const override { return bits; }
  std::uint64_t AvailableMemoryBytes() const override { return memory; }
  std::vector<std::string> Environment() const override { return environment; }
};

} // namespace systemtest
