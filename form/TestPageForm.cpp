#include <array>
#include <tuple>

#include "form/Form.h"

namespace qv {

namespace {

struct IndicatorPlace {
  std::string_view name;
  int left;
  int top;
};

constexpr std::array<IndicatorPlace, 18> kIndicatorPlaces{{
    {"sspmag1", 23, 62},
    {"sspmag2", 36, 47},
    {"sspmag3", 54, 43},
    {"sspmag4", 76, 46},
    {"sspmag5", 87, 59},
    {"sspbtsw1red", 133, 42},
    {"sspbtsw2red", 154, 42},
    {"sspbtsw1blk", 187, 42},
    {"sspbtsw2blk", 213, 42},
    {"sspbtsw3blk", 240, 42},
    {"sspbtsw4blk", 263, 42},
    {"sspbbsw1", 96, 107},
    {"sspbbsw2", 136, 107},
    {"sspbbsw3", 161, 107},
    {"sspbbsw4", 187, 107},
    {"sspbbsw5", 213, 107},
    {"sspbbsw6", 239, 107},
    {"sspbbsw7", 265, 107},
}};

constexpr std::array<std::string_view, 4> kLightItems{"Off", "Green", "Red", "Amber"};
constexpr std::array<std::string_view, 3> kQueueColumns{"FnId", "pulses", "actionid"};
// Until the simulator side colours them, the light copies show the panel's face.
constexpr Rgb kButtonFace{240, 240, 240};

}  // namespace

Form testPageForm() {
  Form rows;
  rows.push_back({.kind = Kind::Panel,
                  .name = "SwitchPanelPanel",
                  .parent = "Test",
                  .x = 11,
                  .y = 16,
                  .width = 413,
                  .height = 171});
  rows.push_back({.kind = Kind::Picture,
                  .name = "saitekswitchpanelimage",
                  .parent = "SwitchPanelPanel",
                  .x = 1,
                  .y = 0,
                  .width = 409,
                  .height = 161,
                  .flags = flag::kStretch});
  for (const IndicatorPlace& place : kIndicatorPlaces) {
    rows.push_back({.kind = Kind::Label,
                    .name = place.name,
                    .parent = "SwitchPanelPanel",
                    .x = place.left,
                    .y = place.top,
                    .width = 12,
                    .height = 29,
                    .text = "*",
                    .font = {"MS Sans Serif", 24, true},
                    .textColour = Rgb{255, 255, 0}});
  }
  rows.push_back({.kind = Kind::Picture,
                  .name = "gearupimage",
                  .parent = "SwitchPanelPanel",
                  .x = 338,
                  .y = 57,
                  .width = 49,
                  .height = 78,
                  .flags = flag::kHidden});

  rows.push_back({.kind = Kind::Button,
                  .name = "sswptestSpeedButton1",
                  .parent = "Test",
                  .x = 11,
                  .y = 173,
                  .width = 90,
                  .height = 22,
                  .text = "Test Lights"});
  for (const auto& [name, caption, left] :
       std::array<std::tuple<std::string_view, std::string_view, int>, 3>{
           {{"RadioGroup1", "Nose", 10},
            {"RadioGroup2", "Rigth", 98},
            {"RadioGroup3", "Left", 186}}}) {
    rows.push_back({.kind = Kind::RadioGroup,
                    .name = name,
                    .parent = "Test",
                    .x = left,
                    .y = 216,
                    .width = 82,
                    .height = 95,
                    .text = caption,
                    .items = kLightItems});
  }
  // Laid over the picture's gear lights, so they sit above the panel.
  for (const auto& [name, left, top] : std::array<std::tuple<std::string_view, int, int>, 3>{
           {{"LLN", 314, 82}, {"LLR", 296, 114}, {"LLL", 330, 114}}}) {
    rows.push_back({.kind = Kind::Panel,
                    .name = name,
                    .parent = "Test",
                    .x = left,
                    .y = top,
                    .width = 18,
                    .height = 17,
                    .colour = kButtonFace,
                    .bevel = Bevel::Lowered});
  }

  rows.push_back({.kind = Kind::Memo,
                  .name = "Memo1",
                  .parent = "Test",
                  .x = 433,
                  .y = 16,
                  .width = 320,
                  .height = 60});
  rows.push_back({.kind = Kind::Label,
                  .name = "Label38",
                  .parent = "Test",
                  .x = 430,
                  .y = 82,
                  .width = 323,
                  .height = 32,
                  .text = "Click in the box with the mouse to test key assignments by pressing "
                          "switches on the device.",
                  .flags = flag::kWordWrap});
  rows.push_back({.kind = Kind::Grid,
                  .name = "DBGrid1",
                  .parent = "Test",
                  .x = 434,
                  .y = 137,
                  .width = 319,
                  .height = 112,
                  .flags = flag::kHidden,
                  .items = kQueueColumns});
  rows.push_back({.kind = Kind::Memo,
                  .name = "LogMemo",
                  .parent = "Test",
                  .x = 186,
                  .y = 228,
                  .width = 438,
                  .height = 129,
                  .flags = flag::kHidden});
  return rows;
}

}  // namespace qv
