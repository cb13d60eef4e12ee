#include "platform/linux/HidrawSysfs.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/linux/ReportDescriptor.h"

namespace qv {

namespace {

// One hexadecimal field of exactly `digits` digits, or of any length when 0.
template <typename T>
bool hexField(std::string_view text, size_t digits, T& value) {
  if (text.empty() || (digits != 0 && text.size() != digits)) {
    return false;
  }
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return status == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<HidDeviceName> parseHidDeviceName(std::string_view name) {
  // BBBB:VVVV:PPPP.NNNN
  constexpr size_t kIdsLength = 14;
  if (name.size() <= kIdsLength + 1 || name[4] != ':' || name[9] != ':' ||
      name[kIdsLength] != '.') {
    return std::nullopt;
  }
  HidDeviceName parsed;
  if (!hexField(name.substr(0, 4), 4, parsed.bus) ||
      !hexField(name.substr(5, 4), 4, parsed.vendorId) ||
      !hexField(name.substr(10, 4), 4, parsed.productId) ||
      !hexField(name.substr(kIdsLength + 1), 0, parsed.instance)) {
    return std::nullopt;
  }
  return parsed;
}

std::filesystem::path HidrawSysfs::deviceDir(const std::string& nodePath) const {
  return root_ / "class/hidraw" / std::filesystem::path(nodePath).filename() / "device";
}

std::optional<HidDeviceName> HidrawSysfs::device(const std::string& nodePath) const {
  std::error_code error;
  const std::filesystem::path device = std::filesystem::canonical(deviceDir(nodePath), error);
  if (error) {
    return std::nullopt;
  }
  return parseHidDeviceName(device.filename().string());
}

std::optional<std::vector<uint8_t>> HidrawSysfs::reportDescriptor(
    const std::string& nodePath) const {
  std::ifstream file(deviceDir(nodePath) / "report_descriptor", std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>()};
  if (file.bad()) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<HidReportLengths> HidrawSysfs::reportLengths(const std::string& nodePath) const {
  const auto descriptor = reportDescriptor(nodePath);
  if (!descriptor) {
    return std::nullopt;
  }
  return parseReportDescriptor(*descriptor).lengths;
}

bool HidrawSysfs::numberedReports(const std::string& nodePath) const {
  const auto descriptor = reportDescriptor(nodePath);
  return descriptor && parseReportDescriptor(*descriptor).numberedReports;
}

}  // namespace qv
