// The prefix search of the MA data file, as the settings reader and the
// number classification use it. The MA data reader implements it; tests can
// put a fake behind it.
#pragma once

#include <string_view>

#include "base/ma_lookup.h"

namespace zelk {

class MaSearch {
 public:
  virtual ~MaSearch() = default;

  // Single mode: the first MA one of whose prefixes begins `number` (a number
  // without its leading 0). Fills `lookup` and returns its prefix count; when
  // nothing matches, shows the not-found message, empties the lookup except
  // its area list, and returns 0.
  virtual int findSingle(std::string_view number, MaLookup& lookup) = 0;

  // Accumulating mode: appends the found MA's prefixes to `lookup.areaList`
  // and returns the new count of the area list; nothing else changes.
  virtual int findAccumulate(std::string_view number, MaLookup& lookup) = 0;
};

}  // namespace zelk
