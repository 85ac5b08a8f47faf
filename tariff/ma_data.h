// The MA data file ma.zlk of the program directory, as its two users see it:
// the MA list loaded once at start-up (the MA reference window and the
// settings dialog), and the prefix search of a calculation, which finds the MA
// that serves a number or gathers the prefixes of several MAs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/distance_band.h"
#include "base/ma_lookup.h"
#include "base/ma_search.h"
#include "tariff/ma_file.h"

namespace zelk {

// One MA of the start-up list.
struct MaRecord {
  static constexpr std::size_t kMaxPrefixes = 19;
  std::string name;                   // at most 12 bytes; empty in the "none" record
  std::vector<std::string> prefixes;  // at most 19, without the leading 0
  int prefecture = 0;
  int x = 0;
  int y = 0;
  int prefixCount() const { return static_cast<int>(prefixes.size()); }
};

// The MAs of the file in file order. The list has room for 600 entries, the
// last of them the empty entry that ends it, so it holds at most 599 MAs; a
// block with an empty name ends it as well.
class MaList {
 public:
  static constexpr std::size_t kMaxEntries = 600;

  MaList() = default;
  explicit MaList(const MaFileImage& image);

  const std::vector<MaRecord>& records() const { return records_; }
  std::size_t size() const { return records_.size(); }

  // The MA names in file order (the MA reference window's list).
  std::vector<std::string> names() const;

  // Adds the MA of the next block in file order; false once the list is
  // closed (full, or ended by a block with an empty name).
  bool add(const MaBlock& block);

  // "0" and the first prefix of entry `index` ("0422"); empty when there is
  // no such entry.
  std::string areaCode(std::size_t index) const;

  // The first MA one of whose prefixes begins `number` (a number without its
  // leading 0); a record with an empty name when none does.
  MaRecord findByNumber(std::string_view number) const;

  // The band the area-set page shows for a number: in-area or adjacent from
  // the own MA, else the distance of the number's MA from the own MA, or
  // UnknownDistance when no MA of the list covers it.
  DistanceBand distanceBandOf(std::string_view number, const MaLookup& own) const;

 private:
  std::vector<MaRecord> records_;
  bool closed_ = false;
};

// Loads the list from the file at `path`. A missing or broken file ends the
// process (exit codes 247 to 250).
MaList loadMaList(const std::string& path);

// The prefix search. The file is read once, at the first search, into a
// compact image (see MaBlockStore), and every
// search then answers from memory exactly as a reading of the file from the
// top would: a search that passes every complete block of a broken file meets
// the break and ends the process with its exit code, a search that matches an
// earlier block succeeds.
class MaDataFile : public MaSearch {
 public:
  explicit MaDataFile(std::string path) : path_(std::move(path)) {}
  // A search over a file already read.
  explicit MaDataFile(MaFileImage image) : image_(std::move(image)) {}

  int findSingle(std::string_view number, MaLookup& lookup) override;
  int findAccumulate(std::string_view number, MaLookup& lookup) override;

 private:
  // The first block that covers the number; none (after the not-found
  // message) when the file ends without one.
  std::optional<MaBlock> find(std::string_view number);

  std::string path_;
  std::optional<MaFileImage> image_;
  // The block index found for each number searched (kNoBlock: none). A run
  // searches the same numbers every month, and the file read once never
  // changes, so each number is searched once.
  static constexpr std::size_t kNoBlock = static_cast<std::size_t>(-1);
  std::unordered_map<std::string, std::size_t> found_;
};

}  // namespace zelk
