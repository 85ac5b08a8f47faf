// Builds the MA data file ma.zlk from the facts table data/ma-source.tsv
// (one MA a row: name, prefecture, 2-km grid square, number prefixes). The
// table has no adjacency and some MAs have more prefixes than a block may
// hold; how the builder fills those gaps is written up in data/README.md.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

// One row of the facts table.
struct MaSourceRow {
  std::string name;  // UTF-8
  int prefecture = 0;
  int x = 0;  // may be negative (islands)
  int y = 0;
  std::vector<std::string> prefixes;  // without the leading 0
};

// Parses the TAB-separated table (a header line, then one row per MA).
// Throws std::runtime_error naming the line of a malformed row.
std::vector<MaSourceRow> parseMaSource(std::string_view tsvUtf8);

struct MaZlkOptions {
  int coordinateOffset = 300;   // added to every X and Y: the file holds no sign
  double adjacentKm = 20.0;     // MAs within this distance count as adjacent
  std::size_t maxPrefixes = 19;
  std::size_t maxAdjacent = 65;
};

struct MaZlkBuild {
  std::string file;                // the whole ma.zlk, CP932, CR LF
  std::vector<std::string> notes;  // UTF-8: every merge of prefixes, for the maintainer
};

// Writes the table in the ma.zlk format: MAs with too many prefixes get
// shorter prefixes that also cover some numbers of a neighbour, and blocks
// are ordered so that the first block matching a number is always its own
// MA. Throws std::runtime_error when the table cannot be written (a name too
// long, a coordinate still negative, an MA that cannot be merged).
MaZlkBuild buildMaZlk(const std::vector<MaSourceRow>& rows, const MaZlkOptions& options = {});

}  // namespace zelk
