// Generates a large, realistic history of calls in five log formats.
#pragma once

#include <string>
#include <vector>

#include "base/log_source.h"

namespace zelk::bench {

struct GeneratedHome {
  std::vector<std::string> logPaths;  // absolute
  std::vector<LogFormat> logFormats;  // of each log
  std::size_t records = 0;
};

// Writes zelk.cfg, the MA data (copied from `maSource`) and five logs with
// `records` calls in all, spread over the ten years up to `lastYear`-12-31;
// the same `seed` gives the same history.
GeneratedHome generateHome(const std::string& home, const std::string& maSource,
                           std::size_t records, int lastYear, unsigned seed = 4021);

}  // namespace zelk::bench
