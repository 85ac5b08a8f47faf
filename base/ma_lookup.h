// The result of a prefix search in the MA data file: the MA that serves a
// number, with its prefixes, its adjacent MAs' prefixes, position and
// prefecture; for the own line also the Telechoice area list.
#pragma once

#include <string>
#include <vector>

namespace zelk {

struct MaLookup {
  static constexpr std::size_t kMaxPrefixes = 19;
  static constexpr std::size_t kMaxAdjacent = 65;
  static constexpr std::size_t kMaxPrefixLength = 6;
  static constexpr std::size_t kMaxNameBytes = 12;

  std::vector<std::string> prefixes;          // area-code prefixes without the leading 0
  std::vector<std::string> adjacentPrefixes;  // prefixes of the adjacent MAs
  std::vector<std::string> areaList;          // Telechoice target prefixes (accumulated)
  std::string name;                           // empty: no MA found
  int x = 0;
  int y = 0;
  int prefecture = 0;

  bool found() const { return !name.empty(); }
  void clear() { *this = MaLookup{}; }
};

}  // namespace zelk
