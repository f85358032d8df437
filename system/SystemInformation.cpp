#include "system/SystemInformation.h"

#include <QGuiApplication>
#include <QScreen>
#include <fstream>
#include <sstream>
#include <sys/utsname.h>
#include <unistd.h>

extern char **environ;

namespace sysinfo {

std::optional<std::string> LinuxSystemInformation::ComputerName() const {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
    return std::nullopt;
  return std::string(name);
}

int LinuxSystemInformation::Processor() const {
  utsname info{};
  if (uname(&info) != 0)
    return 0;
  const std::string machine = info.machine;
  // Every x86 processor of today answers as the family's Pentium line.
  if (machine == "x86_64" || machine == "i686" || machine == "i586")
    return kPentium;
  if (machine == "i486")
    return kIntel486;
  if (machine == "i386")
    return kIntel386;
  return 0;
}

OsVersion LinuxSystemInformation::Os() const {
  OsVersion version;
  utsname info{};
  if (uname(&info) == 0)
    std::sscanf(info.release, "%d.%d", &version.major, &version.minor);
  version.platform = 3; // Linux is none of the three known platforms
  return version;
}

int LinuxSystemInformation::ScreenWidth() const {
  QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

int LinuxSystemInformation::ScreenHeight() const {
  QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 0;
}

int LinuxSystemInformation::BitsPerPixel() const {
  QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 0;
}

std::uint64_t LinuxSystemInformation::AvailableMemoryBytes() const {
  std::ifstream file("/proc/meminfo");
  std::stringstream text;
  text << file.rdbuf();
  return ParseAvailableMemory(text.str()).value_or(0);
}

std::vector<std::string> LinuxSystemInformation::Environment() const {
  std::vector<std::string> strings;
  for (char **entry = environ; entry != nullptr && *entry != nullptr; ++entry)
    strings.emplace_back(*entry);
  return strings;
}

std::string ComputerNameText(const std::optional<std::string> &name) { return name ? " " + *name : "不明"; }

std::string ProcessorText(int processor) {
  switch (processor) {
  case kIntel386: return "i386";
  case kIntel486: return "i486";
  case kPentium: return "Pentium";
  case kMips: return "MIPS";
  case kAlpha: return "Alpha";
  default: return "不明";
  }
}

std::string OsText(const OsVersion &os) {
  const char *names[] = {"Win32s", "Windows 95", "Windows NT"};
  const std::string name = os.platform >= 0 && os.platform <= 2 ? names[os.platform] : "不明";
  return name + " " + std::to_string(os.major) + "." + std::to_string(os.minor);
}

std::string ResolutionText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

std::string ColoursText(int bitsPerPixel) { return std::to_string(bitsPerPixel) + " ﾋﾞｯﾄ"; }

std::string MemoryText(std::uint64_t availableBytes) { return std::to_string(availableBytes / 1024) + " KB"; }

std::optional<std::uint64_t> ParseAvailableMemory(const std::string &meminfo) {
  std::optional<std::uint64_t> available, free;
  std::istringstream lines(meminfo);
  std::string key;
  std::uint64_t kilobytes = 0;
  std::string unit;
  while (lines >> key >> kilobytes) {
    std::getline(lines, unit);
    if (key == "MemAvailable:")
      available = kilobytes * 1024;
    else if (key == "MemFree:")
      free = kilobytes * 1024;
  }
  return available ? available : free;
}

} // namespace sysinfo
