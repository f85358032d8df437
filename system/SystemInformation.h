#pragma once
// What the information and environment pages show, read from the system, and
// how each value is written. The reader is an interface so the pages can be
// shown with any values.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sysinfo {

// Processor types as the information page knows them.
enum ProcessorType : int { kIntel386 = 386, kIntel486 = 486, kPentium = 586, kMips = 4000, kAlpha = 21064 };

struct OsVersion {
  int platform = -1; // 0, 1, 2 are the known platforms; anything else is unknown
  int major = 0;
  int minor = 0;
};

class SystemInformationSource {
public:
  virtual ~SystemInformationSource() = default;
  virtual std::optional<std::string> ComputerName() const = 0;
  virtual int Processor() const = 0;
  virtual OsVersion Os() const = 0;
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int BitsPerPixel() const = 0;
  virtual std::uint64_t AvailableMemoryBytes() const = 0;
  // "NAME=value" strings in the order the process's environment holds them.
  virtual std::vector<std::string> Environment() const = 0;
};

// The running Linux system.
class LinuxSystemInformation : public SystemInformationSource {
public:
  std::optional<std::string> ComputerName() const override;
  int Processor() const override;
  OsVersion Os() const override;
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int BitsPerPixel() const override;
  std::uint64_t AvailableMemoryBytes() const override;
  std::vector<std::string> Environment() const override;
};

std::string ComputerNameText(const std::optional<std::string> &name);
std::string ProcessorText(int processor);
std::string OsText(const OsVersion &os);
std::string ResolutionText(int width, int height);
std::string ColoursText(int bitsPerPixel);
std::string MemoryText(std::uint64_t availableBytes);

// The available memory from the text of /proc/meminfo (MemAvailable, else MemFree), in bytes.
std::optional<std::uint64_t> ParseAvailableMemory(const std::string &meminfo);

} // namespace sysinfo
