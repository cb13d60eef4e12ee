#include "form/Form.h"

namespace qv {

namespace {

constexpr int kRowHeight = 17;
constexpr int kCaptionWidth = 94;
constexpr int kValueOffset = 96;

void caption(Form& rows, std::string_view name, std::string_view text, int x, int y) {
  rows.push_back({.kind = Kind::Label,
                  .name = name,
                  .parent = "hidform",
                  .x = x,
                  .y = y,
                  .width = kCaptionWidth,
                  .height = kRowHeight,
                  .text = text});
}

// A caption and the value label beside it.
void value(Form& rows, std::string_view name, std::string_view captionName,
           std::string_view captionText, int x, int y, int width, std::string_view text = {}) {
  caption(rows, captionName, captionText, x, y);
  rows.push_back({.kind = Kind::Label,
                  .name = name,
                  .parent = "hidform",
                  .x = x + kValueOffset,
                  .y = y,
                  .width = width,
                  .height = kRowHeight,
                  .text = text});
}

Form build() {
  Form rows{{.kind = Kind::Window,
             .name = "hidform",
             .width = 357,
             .height = 357,
             .text = "Info",
             .flags = flag::kFixedSize}};
  value(rows, "Vid", "lblVid", "VID:", 12, 12, 100);
  value(rows, "Pid", "lblPid", "PID:", 12, 32, 100);
  value(rows, "Vers", "lblVers", "Version:", 12, 52, 100);
  caption(rows, "lblRepLength", "Rep Length", 220, 12);
  value(rows, "InputLen", "lblInput", "Input:", 220, 32, 40, "0");
  value(rows, "OutputLen", "lblOutput", "Output:", 220, 52, 40, "0");
  value(rows, "FeatureLen", "lblFeature", "Feature:", 220, 72, 40, "0");
  value(rows, "VendorName", "lblVendorName", "Vendor name:", 12, 100, 245);
  value(rows, "ProductName", "lblProductName", "Product name:", 12, 120, 245);
  value(rows, "SerialNo", "lblSerialNo", "Serial No:", 12, 140, 245);
  caption(rows, "lblStrings", "Strings", 12, 166);
  rows.push_back({.kind = Kind::List,
                  .name = "DevStrings",
                  .parent = "hidform",
                  .x = 12,
                  .y = 184,
                  .width = 220,
                  .height = 117});
  caption(rows, "lblLang", "Lang", 244, 166);
  rows.push_back({.kind = Kind::List,
                  .name = "LangStrings",
                  .parent = "hidform",
                  .x = 244,
                  .y = 184,
                  .width = 101,
                  .height = 117});
  // The simulator the link talks to, kept current while the dialog is away.
  value(rows, "SimName", "lblSimName", "Simulator:", 12, 310, 245);
  value(rows, "AircraftTitle", "lblAircraftTitle", "Aircraft:", 12, 330, 245);
  return rows;
}

}  // namespace

const Form& infoDialogForm() {
  static const Form form = build();
  return form;
}

}  // namespace qv
