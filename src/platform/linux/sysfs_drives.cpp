#include "platform/linux/sysfs_drives.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string_view>

namespace platform {
namespace {

constexpr const char* kBlockClass = "/sys/class/block";
constexpr unsigned kScsiTypeRom = 5;
// sr plus at most five digits: far more drives than a machine has, and no overflow.
constexpr size_t kLongestSrName = 7;

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal number no larger than `limit`; none for anything else.
std::optional<unsigned long> Number(std::string_view text, unsigned long limit) {
  if (!AllDigits(text) || text.size() > 10) return std::nullopt;
  unsigned long value = 0;
  for (char c : text) value = value * 10 + static_cast<unsigned long>(c - '0');
  if (value > limit) return std::nullopt;
  return value;
}

bool IsSrName(const std::string& name) {
  return name.size() > 2 && name.size() <= kLongestSrName && name.rfind("sr", 0) == 0 &&
         AllDigits(std::string_view(name).substr(2));
}

std::string DeviceDir(const std::string& name) {
  return std::string(kBlockClass) + "/" + name + "/device";
}

}  // namespace

std::vector<std::string> SrDeviceNames(KernelCalls& kernel) {
  std::vector<std::string> names;
  if (auto entries = kernel.ReadDir(kBlockClass)) {
    std::copy_if(entries->begin(), entries->end(), std::back_inserter(names), IsSrName);
  }
  const auto number = [](const std::string& name) { return std::stoul(name.substr(2)); };
  std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return number(a) != number(b) ? number(a) < number(b) : a < b;
  });
  return names;
}

DriveType SrDriveType(KernelCalls& kernel, const std::string& name) {
  const auto type = kernel.ReadFirstLine(DeviceDir(name) + "/type");
  return type && Number(*type, std::numeric_limits<unsigned>::max()) == kScsiTypeRom
             ? DriveType::Cdrom
             : DriveType::NoRootDir;
}

std::optional<ScsiAddress> ParseHctl(const std::string& text) {
  unsigned long parts[4] = {};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t end = i < 3 ? text.find(':', start) : text.size();
    if (end == std::string::npos) return std::nullopt;
    // The address fields are bytes; a larger number would name another drive.
    const auto value = Number(std::string_view(text).substr(start, end - start), UINT8_MAX);
    if (!value) return std::nullopt;
    parts[i] = *value;
    start = end + 1;
  }
  ScsiAddress address;
  address.Length = 8;
  address.PortNumber = static_cast<uint8_t>(parts[0]);
  address.PathId = static_cast<uint8_t>(parts[1]);
  address.TargetId = static_cast<uint8_t>(parts[2]);
  address.Lun = static_cast<uint8_t>(parts[3]);
  return address;
}

std::optional<ScsiAddress> SrScsiAddress(KernelCalls& kernel, const std::string& name) {
  const auto target = kernel.ReadLink(DeviceDir(name));
  if (!target) return std::nullopt;
  const size_t slash = target->rfind('/');
  return ParseHctl(slash == std::string::npos ? *target : target->substr(slash + 1));
}

std::string SrSgNode(KernelCalls& kernel, const std::string& name) {
  const auto entries = kernel.ReadDir(DeviceDir(name) + "/scsi_generic");
  if (!entries) return {};
  for (const std::string& entry : *entries) {
    if (entry.size() > 2 && entry.rfind("sg", 0) == 0 &&
        AllDigits(std::string_view(entry).substr(2))) {
      return "/dev/" + entry;
    }
  }
  return {};
}

}  // namespace platform
