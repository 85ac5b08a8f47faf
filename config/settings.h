// The records that hold every setting of zelk.cfg and the command line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ma_lookup.h"
#include "base/plan_codes.h"
#include "base/replace_tables.h"
#include "base/telehodai_numbers.h"

namespace zelk {

inline constexpr const char* kVersionLine = "zelk Version 4.21";

// How zelk.cfg is written on disk; the core always holds CP932.
enum class SettingsFileEncoding : std::uint8_t { Cp932, Utf8, Utf8WithMark };

struct Settings {
  std::int16_t meterDay = 1;         // meter-reading day + 1; 1 means month end
  RegionalCarrier regionalCarrier = RegionalCarrier::None;
  std::int16_t kddi = 0;
  std::int16_t latestMonths = 0;     // =l; 0 and >12 mean 12 in a run
  std::int16_t logCount = 0;
  TelechoiceKind telechoiceKind = TelechoiceKind::None;
  std::string telechoiceText;        // "15011,0222", at most 127 bytes
  std::uint8_t estimate = 0;         // =e
  std::uint8_t showOriginMa = 0;     // =#
  std::uint8_t isdn = 0;             // =i
  std::uint8_t crtOutput = 0;        // =c, kept and written back only
  std::uint8_t fullCalc = 0;         // =f
  std::uint8_t flets = 0;            // =z
  bool backedUp = false;             // zelkcfg.org holds the file as this reading found it
  std::array<std::uint8_t, 12> hiddenFlags{};  // !XY- switches: bit Y of byte X
  std::string programDir;            // ends in the path separator
  SettingsFileEncoding fileEncoding = SettingsFileEncoding::Cp932;  // of zelk.cfg as read
  std::string outputPath;            // =o, at most 127 bytes and a final "\\"

  bool isHidden(int byte, int bit) const {
    return byte >= 0 && byte < 12 && bit >= 0 && bit < 8 && (hiddenFlags[byte] >> bit) & 1;
  }
};

}  // namespace zelk
