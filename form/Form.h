#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qv {

// A colour as red, green and blue.
struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// A control's own font; an empty family takes the parent's font.
struct FontSpec {
  std::string_view family;
  int pixels = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

enum class Kind {
  Window,  // a top-level window or dialog; its text is the caption
  Button,
  Edit,
  Combo,
  Label,
  Heading,  // a column heading: a label in the heading font
  Group,    // a captioned frame
  RadioGroup,
  List,
  Memo,
  Panel,
  Picture,
  Pages,  // the page control; its pages follow it in tab order
  Page,
  CheckBox,
  Grid,
};

enum class Bevel { None, Raised, Lowered };

// Flags of a control row.
namespace flag {
inline constexpr unsigned kHidden = 1U << 0U;
inline constexpr unsigned kReadOnly = 1U << 1U;
inline constexpr unsigned kDigitsOnly = 1U << 2U;  // only digits from the keyboard
inline constexpr unsigned kDisabled = 1U << 3U;
inline constexpr unsigned kAutoSize = 1U << 4U;  // a label as wide as its text, at least width
inline constexpr unsigned kWordWrap = 1U << 5U;
inline constexpr unsigned kToggle = 1U << 6U;      // a button that stays down
inline constexpr unsigned kStretch = 1U << 7U;     // a picture stretched to the control
inline constexpr unsigned kEditable = 1U << 8U;    // a combo box whose text can be typed
inline constexpr unsigned kCentred = 1U << 9U;     // a panel's caption in its middle
inline constexpr unsigned kFixedSize = 1U << 10U;  // a window that cannot be resized
}  // namespace flag

inline constexpr int kControlHeight = 21;

// One control of a form: what it is, where it sits within its parent, and
// how it starts. Rows come parents first.
struct Control {
  Kind kind = Kind::Label;
  std::string_view name;
  std::string_view parent;  // empty: the form's window itself
  int x = 0;
  int y = 0;
  int width = 0;
  int height = kControlHeight;
  std::string_view text;
  FontSpec font;
  std::optional<Rgb> colour;      // background; none: the look's own
  std::optional<Rgb> textColour;  // none: the look's own
  unsigned flags = 0;
  int typingLimit = 0;  // characters that can be typed; 0: no limit
  std::span<const std::string_view> items;
  Bevel bevel = Bevel::None;

  [[nodiscard]] bool has(unsigned f) const { return (flags & f) != 0; }
  void set(unsigned f, bool on) { flags = on ? flags | f : flags & ~f; }
};

using Form = std::vector<Control>;

// Each page and panel of the main window; mainWindowForm() holds them all.
Form topPanelForm();
Form landingGearPageForm();
Form magnetoPageForm();
Form panelKeysPageForm();
Form bottomPanelKeysPageForm();
Form testPageForm();
Form infoPageForm();
Form debugPageForm();
Form consoleForm();
const Form& mainWindowForm();

// The information dialog.
const Form& infoDialogForm();

// The row of `name` in `form`; nullptr when there is none.
const Control* findRow(const Form& form, std::string_view name);

}  // namespace qv
