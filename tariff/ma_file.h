// The MA data file ma.zlk as text: two header lines, then blocks of one MA
// each (its header line, its prefixes, the prefixes of its adjacent MAs), then
// "end". Both the MA list and the prefix search read it through this reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text.h"

namespace zelk {

// The first line of every MA data file: the program accepts no other.
inline constexpr std::string_view kMaIdentificationLine =
    "This file is the NTT MA data list for the zelk program.";
static_assert(kMaIdentificationLine.size() == 55);
inline constexpr std::string_view kMaVersionLine = "Version 3.51";
inline constexpr std::string_view kMaFileName = "ma.zlk";

// A line of the file holds at most 255 bytes.
inline constexpr std::size_t kMaLineBuffer = 256;

// One block as it stands in the file.
struct MaBlock {
  std::string header;                  // name, prefecture, X, Y separated by TABs
  std::vector<std::string> prefixes;   // at most 19, each at most 6 bytes
  std::vector<std::string> adjacent;   // at most 65, each at most 6 bytes
};

// The fields of a block's header line.
struct MaHeader {
  std::string name;  // at most 12 bytes
  int prefecture = 0;
  int x = 0;
  int y = 0;
};

// Splits a header line at runs of TABs; a missing field reads as 0 (an empty
// name), numbers skip leading blanks and stop at the first non-digit.
MaHeader parseMaHeader(std::string_view line);

// True when `prefix` is the leading part of `number`.
inline bool prefixMatches(std::string_view prefix, std::string_view number) {
  return number.substr(0, prefix.size()) == prefix;
}

// Everything a reading from the top can meet: the complete blocks in file
// order and how the reading ends after the last of them, either at "end" or
// with the fatal condition that stops it there.
struct MaFileImage {
  std::vector<MaBlock> blocks;
  bool ended = false;
  int failureCode = 0;         // when !ended
  std::string failureMessage;  // CP932

  // Raises the fatal condition that ends a reading which passes every block.
  // Only for an image that did not end at "end".
  [[noreturn]] void fail() const;
};

// Reads the whole file at `path`; never throws: a missing or broken file is
// described in the image. `path` also names the file in the messages.
MaFileImage readMaFile(const std::string& path);

// The same from a file already open (`path` only names it in the messages).
MaFileImage readMaFile(LineReader& file, const std::string& path);

}  // namespace zelk
