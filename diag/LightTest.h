#pragma once

#include <cstdint>

namespace qv {

class HistoryLog;
class PanelFeaturePort;

// The radio items of the light test groups, in order; -1 is "nothing selected".
enum LightItem : int { kLightNone = -1, kLightOff = 0, kLightGreen, kLightRed, kLightAmber };

// The light byte of the light test: one value per group, summed. The left
// group's "Amber" is 82, which lights bit 6 as well.
uint8_t lightTestByte(int noseItem, int rightItem, int leftItem);

// Sends report id 0, the light byte and byte2 (the console's dvrEdit3) as a
// feature report of the panel's feature length, then adds an empty history
// line. Without a bound panel nothing happens at all; a panel whose feature
// length cannot be read (0) gets no report, as no report id fits.
void runLightTest(PanelFeaturePort* panel, HistoryLog* history, uint8_t lightByte, uint8_t byte2);

}  // namespace qv
