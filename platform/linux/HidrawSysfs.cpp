#include "platform/linux/HidrawSysfs.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace qv {

namespace {

std::filesystem::path hidDeviceDir(const std::string& nodePath) {
  return std::filesystem::path("/sys/class/hidraw") / std::filesystem::path(nodePath).filename() /
         "device";
}

}  // namespace

std::optional<uint32_t> hidrawInstanceId(const std::string& nodePath) {
  std::error_code error;
  const std::filesystem::path device = std::filesystem::canonical(hidDeviceDir(nodePath), error);
  if (error) {
    return std::nullopt;
  }
  const std::string name = device.filename().string();
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) {
    return std::nullopt;
  }
  uint32_t id = 0;
  const char* first = name.data() + dot + 1;
  const char* last = name.data() + name.size();
  const auto [end, status] = std::from_chars(first, last, id, 16);
  if (status != std::errc() || end != last || first == last) {
    return std::nullopt;
  }
  return id;
}

std::optional<std::vector<uint8_t>> hidrawReportDescriptor(const std::string& nodePath) {
  std::ifstream file(hidDeviceDir(nodePath) / "report_descriptor", std::ios::binary);
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

}  // namespace qv
