// The MA data file ma.zlk as text: two header lines, then blocks of one MA
// each (its header line, its prefixes, the prefixes of its adjacent MAs), then
// "end". Both the MA list and the prefix search read it through this reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

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

// The blocks of a file in file order, kept compactly: all that the searches
// need is the header line and the kept prefixes, so each block costs one
// 16-byte entry plus those bytes (each prefix with a length byte) in one shared
// text, never more than the block took in the file. Memory stays below about
// twice the file's size however the file is made.
class MaBlockStore {
 public:
  // Room for `bytes` of header and prefix text, so that the text is not
  // copied while it grows (the whole file's size is always enough).
  void reserveText(std::size_t bytes) { text_.reserve(bytes); }
  void add(const MaBlock& block);

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // Block `index` as the file holds it.
  MaBlock block(std::size_t index) const;
  // True when one of block `index`'s prefixes is the leading part of `number`.
  bool covers(std::size_t index, std::string_view number) const;

 private:
  struct Entry {
    std::uint64_t offset;  // of the header in text_
    std::uint8_t headerLength;
    std::uint8_t prefixCount;
    std::uint8_t adjacentCount;
  };
  std::string text_;
  std::deque<Entry> entries_;  // grows in chunks, never copied whole
};

// How a reading of the file from the top ends after its last complete block:
// at "end", or with the fatal condition that stops it there.
struct MaFileEnd {
  bool ended = false;
  int failureCode = 0;         // when !ended
  std::string failureMessage;  // CP932

  // Raises the fatal condition that ends a reading which passes every block.
  // Only for a reading that did not end at "end".
  [[noreturn]] void fail() const;
};

// Everything a reading from the top can meet: the complete blocks and how the
// reading ends.
struct MaFileImage : MaFileEnd {
  MaBlockStore blocks;
};

// Reads the file at `path` block by block, handing each complete block to
// `onBlock` (which may keep what it needs; the block is reused). Never throws:
// a missing or broken file is described in the result. `path` also names
// the file in the messages.
MaFileEnd readMaBlocks(const std::string& path, const std::function<void(const MaBlock&)>& onBlock);
MaFileEnd readMaBlocks(LineReader& file, const std::string& path,
                       const std::function<void(const MaBlock&)>& onBlock);

// Reads the whole file at `path` into an image; never throws.
MaFileImage readMaFile(const std::string& path);

// The same from a file already open (`path` only names it in the messages).
MaFileImage readMaFile(LineReader& file, const std::string& path);

}  // namespace zelk
