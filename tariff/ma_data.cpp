#include "tariff/ma_data.h"

#include "base/ma_geography.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

bool coversNumber(const std::vector<std::string>& prefixes, std::string_view number) {
  for (const auto& prefix : prefixes)
    if (prefixMatches(prefix, number)) return true;
  return false;
}

std::string notFoundMessage(std::string_view number) {
  return sjis("なんか、該当dataがないのぉ(:_;)") + "[0" + std::string(number) + "]";
}

}  // namespace

MaList::MaList(const MaFileImage& image) {
  for (std::size_t i = 0; i < image.blocks.size(); ++i)
    if (!add(image.blocks.block(i))) break;
}

bool MaList::add(const MaBlock& block) {
  MaHeader header;
  if (!closed_ && records_.size() < kMaxEntries - 1) header = parseMaHeader(block.header);
  if (header.name.empty()) {
    closed_ = true;
    return false;
  }
  MaRecord record;
  record.name = std::move(header.name);
  record.prefixes = block.prefixes;
  record.prefecture = header.prefecture;
  record.x = header.x;
  record.y = header.y;
  records_.push_back(std::move(record));
  return true;
}

std::vector<std::string> MaList::names() const {
  std::vector<std::string> result;
  result.reserve(records_.size());
  for (const auto& record : records_) result.push_back(record.name);
  return result;
}

std::string MaList::areaCode(std::size_t index) const {
  if (index >= records_.size()) return {};
  const auto& prefixes = records_[index].prefixes;
  return "0" + (prefixes.empty() ? std::string() : prefixes.front());
}

MaRecord MaList::findByNumber(std::string_view number) const {
  for (const auto& record : records_)
    if (coversNumber(record.prefixes, number)) return record;
  return MaRecord{};
}

DistanceBand MaList::distanceBandOf(std::string_view number, const MaLookup& own) const {
  const DistanceBand near = originBand(number, own);
  if (near != DistanceBand::Undetermined) return near;
  // originBand has answered every number that does not begin with "0".
  const MaRecord record = findByNumber(number.substr(1));
  MaLookup called;
  called.name = record.name;
  called.x = record.x;
  called.y = record.y;
  return distanceBand(called, own.x, own.y);
}

MaList loadMaList(const std::string& path) {
  // The loader reads to "end", so any break of the file stops it; it keeps
  // only the listed MAs, whatever the size of the file.
  MaList list;
  const MaFileEnd end = readMaBlocks(path, [&list](const MaBlock& block) { list.add(block); });
  if (!end.ended) end.fail();
  return list;
}

std::optional<MaBlock> MaDataFile::find(std::string_view number) {
  if (!image_) image_ = readMaFile(path_);
  const MaBlockStore& blocks = image_->blocks;
  auto [known, isNew] = found_.try_emplace(std::string(number), kNoBlock);
  if (isNew) {
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      if (blocks.covers(i, number)) {
        known->second = i;
        break;
      }
    }
  }
  if (known->second != kNoBlock) return blocks.block(known->second);
  if (!image_->ended) image_->fail();
  showMessage(notFoundMessage(number));
  return std::nullopt;
}

int MaDataFile::findSingle(std::string_view number, MaLookup& lookup) {
  const std::optional<MaBlock> block = find(number);
  if (!block) {
    // Nothing of the last block read may stay behind: an unknown origin would
    // otherwise pass for the file's last MA.
    std::vector<std::string> areaList = std::move(lookup.areaList);
    lookup.clear();
    lookup.areaList = std::move(areaList);
    return 0;
  }
  const MaHeader header = parseMaHeader(block->header);
  lookup.prefixes = block->prefixes;
  lookup.adjacentPrefixes = block->adjacent;
  lookup.name = header.name;
  lookup.prefecture = header.prefecture;
  lookup.x = header.x;
  lookup.y = header.y;
  return static_cast<int>(lookup.prefixes.size());
}

int MaDataFile::findAccumulate(std::string_view number, MaLookup& lookup) {
  const std::optional<MaBlock> block = find(number);
  if (!block) return 0;
  lookup.areaList.insert(lookup.areaList.end(), block->prefixes.begin(), block->prefixes.end());
  return static_cast<int>(lookup.areaList.size());
}

}  // namespace zelk
