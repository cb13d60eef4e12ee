#include "engine/KeyTable.h"

#include <charconv>

#include "engine/MappingRows.h"
#include "engine/NamedTexts.h"

namespace qv {

namespace {

std::string conversionMessage(std::string_view text) {
  std::string message = "'";
  message += text;
  message += "' is not a valid integer value";
  return message;
}

// A colour item's text as the light pattern; the text must match exactly.
bool colourPattern(std::string_view colour, std::string& pattern) {
  struct Colour {
    std::string_view item;
    std::string_view pattern;
  };
  static constexpr std::array<Colour, 4> kColours{
      {{"None", "0"}, {"Green", "7"}, {"Red", "56"}, {"Amber", "127"}}};
  for (const Colour& c : kColours) {
    if (colour == c.item) {
      pattern = c.pattern;
      return true;
    }
  }
  return false;
}

void buildGearLightStep(TKeyPressRec& rec, const NamedTexts& texts, std::string_view durationBox) {
  rec.presses = 0;
  rec.pressed = 0;
  rec.pulses = StrToInt(texts.text(durationBox));
  rec.deviceid = 1;
  rec.reportid = 0;
  rec.outtype = u'F';
  rec.action = u'G';
}

const GearLightRow& gearRow(int id) {
  for (const GearLightRow& row : kGearLightRows) {
    if (row.id == id) {
      return row;
    }
  }
  throw std::logic_error("no gear-light row for this id");
}

// Builds record id on a copy and stores it only when every box converted, so
// a failing record keeps all of its previous values rather than a mix (a
// new modifier with the old key count would send the modifier alone).
template <typename Build>
void storeWhole(KeyArray& keyarray, int id, Build build) {
  TKeyPressRec& stored = keyarray.at(static_cast<size_t>(id));
  TKeyPressRec rec = stored;
  build(rec);
  stored = std::move(rec);
}

void buildColourStep(KeyArray& keyarray, const NamedTexts& texts, int id, const char* name) {
  const GearLightRow& row = gearRow(id);
  storeWhole(keyarray, id, [&](TKeyPressRec& rec) {
    if (name != nullptr) {
      rec.name = name;
    }
    buildGearLightStep(rec, texts, row.duration);
    // A text that is none of the four colours leaves the pattern as it was.
    static_cast<void>(colourPattern(texts.text(row.colour), rec.value));
  });
}

void fillKeystroke(TKeyPressRec& rec, int kf, std::string_view Modkeys, std::string_view KeyCode,
                   std::string_view presses, std::string_view pulses) {
  int modifiers = 0;
  for (const char letter : Modkeys) {
    if (letter == ' ') {
      break;
    }
    uint16_t code = 0;
    switch (letter) {
      case 'C':
        code = kVkControl;
        break;
      case 'S':
        code = kVkShift;
        break;
      case 'A':
        code = kVkAlt;
        break;
      default:
        break;
    }
    if (code == 0 || modifiers == 2) {
      continue;
    }
    (modifiers == 0 ? rec.key1 : rec.key2) = code;
    ++modifiers;
  }
  // Codes are 16-bit; a larger number keeps its low 16 bits.
  const auto keyCode = static_cast<uint16_t>(StrToInt(KeyCode));
  switch (modifiers) {
    case 0:
      rec.key1 = keyCode;
      break;
    case 1:
      rec.key2 = keyCode;
      break;
    default:
      rec.key3 = keyCode;
      break;
  }
  rec.keys = modifiers + 1;
  rec.functionid = kf;
  rec.presses = StrToInt(presses);
  rec.pressed = rec.presses;
  rec.pulses = StrToInt(pulses);
  rec.pulseno = rec.pulses;
  rec.deviceid = 0;
  rec.outtype = u'K';
  rec.action = u'K';
}

void buildKeystroke(KeyArray& keyarray, const NamedTexts& texts, const KeystrokeRow& row,
                    std::string_view name) {
  storeWhole(keyarray, row.id, [&](TKeyPressRec& rec) {
    rec.name = name;
    fillKeystroke(rec, row.id, texts.text(row.modifier), texts.text(row.code),
                  texts.text(row.presses), texts.text(row.duration));
  });
}

}  // namespace

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error(conversionMessage(text)), text_(text) {}

int32_t StrToInt(std::string_view text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) {
    throw ConversionError(text);
  }
  int64_t magnitude = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') {
      throw ConversionError(text);
    }
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) {
      throw ConversionError(text);
    }
  }
  const int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX) {
    throw ConversionError(text);
  }
  return static_cast<int32_t>(result);
}

void AddKeyToRec(KeyArray& keyarray, int kf, std::string_view Modkeys, std::string_view KeyCode,
                 std::string_view presses, std::string_view pulses) {
  storeWhole(keyarray, kf,
             [&](TKeyPressRec& rec) { fillKeystroke(rec, kf, Modkeys, KeyCode, presses, pulses); });
}

void populatekeyarray(KeyArray& keyarray, const NamedTexts& texts) {
  const auto keystrokeRow = [](int id) -> const KeystrokeRow& {
    for (const KeystrokeRow& row : kKeystrokeRows) {
      if (row.id == id) {
        return row;
      }
    }
    throw std::logic_error("no keystroke row for this id");
  };

  buildKeystroke(keyarray, texts, keystrokeRow(1), "Landing Gear Up");
  buildColourStep(keyarray, texts, 2, "LG Up LED Seq 1");
  buildColourStep(keyarray, texts, 3, "LG Up LED Seq 2");

  storeWhole(keyarray, 4, [&](TKeyPressRec& close) {
    close.name = "LG Up LED Close";
    buildGearLightStep(close, texts, gearRow(3).duration);
    close.value = "0";
  });

  buildKeystroke(keyarray, texts, keystrokeRow(5), "Landing Gear Down");
  buildColourStep(keyarray, texts, 6, nullptr);
  buildColourStep(keyarray, texts, 7, nullptr);

  for (int id = 8; id <= kLastUsedFunction; ++id) {
    const KeystrokeRow& row = keystrokeRow(id);
    buildKeystroke(keyarray, texts, row, texts.text(row.nameBox));
  }
}

}  // namespace qv
