// The records that hold every setting of zelk.cfg and the command line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/distance_band.h"
#include "tariff/ma_lookup.h"

namespace zelk {

inline constexpr const char* kVersionLine = "zelk Version 4.21";

// Up to two numbers of the flat-rate late-night plan.
struct TelehodaiNumbers {
  static constexpr std::uint8_t kInvalid = 255;
  std::array<std::string, 2> number;  // digits, up to 11 each
  std::uint8_t count = 0;             // in use, 0-2; kInvalid marks the list as invalid
  std::uint8_t adjacent = 0;          // 1 when an accepted number is in an adjacent MA
};

// How zelk.cfg is written on disk; the core always holds CP932.
enum class SettingsFileEncoding : std::uint8_t { Cp932, Utf8, Utf8WithMark };

struct Settings {
  std::int16_t meterDay = 1;         // meter-reading day + 1; 1 means month end
  std::int16_t regionalCarrier = 0;  // 0 none, 1 Tokyo (=t), 2 Kyushu (=q)
  std::int16_t kddi = 0;
  std::int16_t latestMonths = 0;     // =l; 0 and >12 mean 12 in a run
  std::int16_t logCount = 0;
  std::int32_t numberCount = 0;      // rows of the month table in use
  std::int16_t telechoiceKind = 0;   // 0 none, 1 Telechoice 10, 2 15, 3 30
  std::string telechoiceText;        // "15011,0222", at most 127 bytes
  std::uint8_t estimate = 0;         // =e
  std::uint8_t showOriginMa = 0;     // =#
  std::uint8_t isdn = 0;             // =i
  std::uint8_t crtOutput = 0;        // =c, kept and written back only
  std::uint8_t fullCalc = 0;         // =f
  std::uint8_t dirty = 0;            // a table gained an entry: rewrite zelk.cfg
  std::uint8_t flets = 0;            // =z
  bool backedUp = false;             // zelkcfg.org holds the file as this reading found it
  MaLookup originMa;                 // copied in by the calculation run
  TelehodaiNumbers telehodai;        // copied in by the calculation run
  float estimateFactor = 0.0f;
  std::array<std::uint8_t, 12> hiddenFlags{};  // !XY- switches: bit Y of byte X
  std::string programDir;            // ends in the path separator; kept by resetSettings
  SettingsFileEncoding fileEncoding = SettingsFileEncoding::Cp932;  // of zelk.cfg as read
  std::string outputPath;            // =o, at most 127 bytes and a final "\\"

  bool isHidden(int byte, int bit) const {
    return byte >= 0 && byte < 12 && bit >= 0 && bit < 8 && (hiddenFlags[byte] >> bit) & 1;
  }
};

struct NumberReplacement {
  std::string from;  // digits, up to 12
  std::string to;
};

struct AreaSetEntry {
  std::string number;  // digits, up to 12
  DistanceBand band = DistanceBand::Undetermined;  // 0: no band, never used
};

struct NameReplacement {
  std::string number;  // digits, up to 12
  std::string name;    // up to 38 bytes
};

struct ReplaceTables {
  static constexpr std::size_t kMaxNumberReplace = 20;
  static constexpr std::size_t kMaxNameReplace = 20;
  static constexpr std::size_t kMaxNameBytes = 38;

  std::array<NumberReplacement, kMaxNumberReplace> numberReplace;
  std::int16_t numberReplaceCount = 0;
  // Numbers with a fixed distance band. No limit: the calculation adds every
  // number of unknown MA it meets, over all months of a history.
  std::vector<AreaSetEntry> areaSet;
  std::array<NameReplacement, kMaxNameReplace> nameReplace;
  std::int16_t nameReplaceCount = 0;
  // Names met in the logs that a "$" line cannot hold (see lookupName); each
  // is reported once per run.
  std::vector<std::string> unwritableNames;
};

}  // namespace zelk
