#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Reports are handled in a buffer of the report id and up to 64 data bytes.
inline constexpr size_t kReportBufferSize = 65;

// A text of the console read as a hexadecimal number, low 8 bits; a text
// that is no hexadecimal number (empty, stray characters, more than 32 bits)
// counts as 0.
uint8_t hexTextByte(std::string_view text);

// "%.2X" of a byte.
std::string hexPair(uint8_t value);

// The write of the console: byte 0 from the ReportID text, byte i from editor
// i - 1, for an output report of `outputLength` bytes (report id included).
// A report longer than the buffer is cut to its 65 bytes; editors that do not
// exist count as empty. The result always holds the report id; the bytes to
// write are the first outputWriteLength(outputLength).
std::vector<uint8_t> buildOutputReport(std::string_view reportIdText,
                                       const std::vector<std::string>& editorTexts,
                                       uint16_t outputLength);

size_t outputWriteLength(uint16_t outputLength);

// The history line of a write of which `written` bytes went out:
// "W %.2X  " with the report id, then "%.2X " for bytes 1 to written - 1.
std::string writeHistoryLine(const std::vector<uint8_t>& report, uint32_t written);

}  // namespace qv
