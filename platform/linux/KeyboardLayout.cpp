#include "platform/linux/KeyboardLayout.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>
#include <utility>

namespace qv {

namespace {

constexpr const char* kKeyboardSettingsFile = "/etc/default/keyboard";

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string unquoted(std::string_view value) {
  value = trimmed(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

KeyboardLayoutNames parseKeyboardSettings(std::string_view text) {
  KeyboardLayoutNames names;
  const std::array<std::pair<std::string_view, std::string*>, 4> fields{{
      {"XKBMODEL", &names.model},
      {"XKBLAYOUT", &names.layout},
      {"XKBVARIANT", &names.variant},
      {"XKBOPTIONS", &names.options},
  }};
  std::istringstream lines{std::string(text)};
  for (std::string line; std::getline(lines, line);) {
    const std::string_view assignment = trimmed(line);
    const auto equals = assignment.find('=');
    if (assignment.empty() || assignment.front() == '#' || equals == std::string_view::npos) {
      continue;
    }
    const std::string_view key = trimmed(assignment.substr(0, equals));
    for (const auto& [name, target] : fields) {
      if (key == name) {
        *target = unquoted(assignment.substr(equals + 1));
      }
    }
  }
  return names;
}

std::optional<KeyboardLayoutNames> xServerKeyboardLayout() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return std::nullopt;
  }
  std::optional<KeyboardLayoutNames> names;
  const Atom property = XInternAtom(display, "_XKB_RULES_NAMES", True);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (property != None &&
      XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, XA_STRING,
                         &type, &format, &count, &remaining, &data) == Success &&
      data != nullptr && format == 8) {
    // Rules, model, layout, variant and options, each ended by a NUL.
    const std::string_view all(reinterpret_cast<const char*>(data), count);
    std::array<std::string, 5> parts;
    size_t start = 0;
    for (std::string& part : parts) {
      if (start > all.size()) {
        break;
      }
      const size_t end = std::min(all.find('\0', start), all.size());
      part = std::string(all.substr(start, end - start));
      start = end + 1;
    }
    if (!parts[2].empty()) {
      names = KeyboardLayoutNames{parts[0], parts[1], parts[2], parts[3], parts[4]};
    }
  }
  if (data != nullptr) {
    XFree(data);
  }
  XCloseDisplay(display);
  return names;
}

KeyboardLayoutNames systemKeyboardLayout(bool waylandSession) {
  if (auto names = waylandSession ? std::nullopt : xServerKeyboardLayout()) {
    return *names;
  }
  std::ifstream file(kKeyboardSettingsFile);
  std::stringstream text;
  text << file.rdbuf();
  return parseKeyboardSettings(text.str());
}

}  // namespace qv
