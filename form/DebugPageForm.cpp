#include <array>

#include "form/Form.h"

namespace qv {

namespace {

struct CheckPlace {
  std::string_view name;
  int top;
  std::string_view caption;
};

constexpr std::array<CheckPlace, 3> kChecks{{
    {"cbShowSimCEvents", 3, "Show Sim connect Events"},
    {"cbShowSimVersion", 26, "Show Sim connect Version"},
    {"cbDumpSimCData", 49, "Dump SimConnect PlaneData"},
}};

struct BoxPlace {
  std::string_view name;
  int left;
  int top;
  int width;
  std::string_view text;
};

constexpr std::array<BoxPlace, 15> kBoxes{{
    {"Edit113", 448, 88, 81, "Battery"},
    {"Edit114", 535, 88, 31, "0"},
    {"Edit115", 572, 88, 93, "No of Engines"},
    {"Edit116", 671, 88, 31, "0"},
    {"Edit117", 448, 118, 81, "L Taxi"},
    {"Edit160", 535, 118, 31, "0"},
    {"Edit162", 572, 118, 93, "L Panel"},
    {"Edit161", 671, 118, 31, "0"},
    {"Edit163", 448, 148, 81, "Gear Warn"},
    {"Edit164", 535, 148, 46, "0"},
    {"Edit165", 671, 148, 46, "0"},
    {"Edit169", 449, 178, 80, "LVAL"},
    {"Edit168", 535, 178, 46, "0"},
    {"Edit166", 642, 178, 46, "0"},
    {"Edit167", 694, 178, 46, "0"},
}};

}  // namespace

Form debugPageForm() {
  Form rows;
  rows.push_back({.kind = Kind::Memo,
                  .name = "Memo4",
                  .parent = "TabSheet6",
                  .x = 3,
                  .y = 3,
                  .width = 430,
                  .height = 283});
  for (const CheckPlace& place : kChecks) {
    rows.push_back({.kind = Kind::CheckBox,
                    .name = place.name,
                    .parent = "TabSheet6",
                    .x = 448,
                    .y = place.top,
                    .width = 225,
                    .height = 17,
                    .text = place.caption});
  }
  for (const BoxPlace& place : kBoxes) {
    rows.push_back({.kind = Kind::Edit,
                    .name = place.name,
                    .parent = "TabSheet6",
                    .x = place.left,
                    .y = place.top,
                    .width = place.width,
                    .height = 24,
                    .text = place.text});
  }
  return rows;
}

}  // namespace qv
