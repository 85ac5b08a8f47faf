// The tables of zelk.cfg that change what a call is: numbers replaced by
// others, numbers with a fixed distance band, and connection names with their
// numbers. The logs look names up here and the run numbers and bands.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/area_set.h"
#include "base/distance_band.h"

namespace zelk {

struct NumberReplacement {
  std::string from;  // digits, up to 12
  std::string to;
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
  AreaSet areaSet;
  std::array<NameReplacement, kMaxNameReplace> nameReplace;
  std::int16_t nameReplaceCount = 0;
  // Names met in the logs that a "$" line cannot hold (see lookupName); each
  // is reported once per run.
  std::vector<std::string> unwritableNames;
};

}  // namespace zelk
