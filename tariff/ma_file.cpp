#include "tariff/ma_file.h"


#include <algorithm>
#include <limits>

#include "base/ma_lookup.h"
#include "platform/cp932.h"
#include "platform/message_forms.h"
#include "platform/regular_file.h"
#include "platform/messages.h"

namespace zelk {
namespace {

// The fatal conditions of the file, each raised where a reading meets it.
struct Failure {
  int code;
  std::string message;
};

Failure cannotOpen(const std::string& path) { return {250, formatPair("Cannot find", path)}; }
Failure brokenFile(const std::string& path) { return {249, formatPair("broken file", path)}; }
Failure badHeader(int lineNumber) {
  return {248, "\"ma.zlk\"'s header'" + std::to_string(lineNumber) + "' is illegal."};
}
Failure tokenMissing() { return {247, "\"ma.zlk\"'s token is not got."}; }

int clampToInt(long long value) {
  return value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                 : static_cast<int>(value);
}

// Reads the file line by line; every read past the end is a broken file.
class BlockReader {
 public:
  BlockReader(LineReader& file, const std::string& path) : file_(file), path_(path) {}

  // The next line; false (and `failure` set) at the end of the file.
  bool line(std::string& text) {
    if (file_.readLine(text, kMaLineBuffer)) return true;
    failure = brokenFile(path_);
    return false;
  }

  // A count line and as many lines after it. Only the first `keep` lines are
  // kept, cut to the longest prefix: a block with more lines than its record
  // has slots stays readable (the rest of its lines are read and dropped)
  // instead of writing past the slots.
  bool list(std::vector<std::string>& kept, std::size_t keep) {
    std::string text;
    if (!line(text)) return false;
    const long long count = readDecimal(text);
    for (long long i = 0; i < count; ++i) {
      if (!line(text)) return false;
      if (kept.size() < keep) kept.push_back(text.substr(0, MaLookup::kMaxPrefixLength));
    }
    return true;
  }

  Failure failure{0, {}};

 private:
  LineReader& file_;
  const std::string& path_;
};

}  // namespace

MaHeader parseMaHeader(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (fields.size() < 4) {
    while (pos < line.size() && line[pos] == '\t') ++pos;
    if (pos >= line.size()) break;
    std::size_t end = line.find('\t', pos);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  fields.resize(4);
  MaHeader header;
  header.name = cutText(fields[0], MaLookup::kMaxNameBytes);
  header.prefecture = clampToInt(readDecimal(fields[1]));
  header.x = clampToInt(readDecimal(fields[2]));
  header.y = clampToInt(readDecimal(fields[3]));
  return header;
}

void MaFileEnd::fail() const { fatalExit(failureCode, failureMessage); }

void MaBlockStore::add(const MaBlock& block) {
  Entry entry{text_.size(), static_cast<std::uint8_t>(std::min<std::size_t>(block.header.size(), 255)),
              static_cast<std::uint8_t>(block.prefixes.size()),
              static_cast<std::uint8_t>(block.adjacent.size())};
  text_.append(block.header, 0, entry.headerLength);
  for (const auto* list : {&block.prefixes, &block.adjacent}) {
    for (const auto& prefix : *list) {
      text_ += static_cast<char>(prefix.size());
      text_ += prefix;
    }
  }
  entries_.push_back(entry);
}

MaBlock MaBlockStore::block(std::size_t index) const {
  const Entry& entry = entries_[index];
  MaBlock block;
  std::size_t pos = entry.offset;
  block.header = text_.substr(pos, entry.headerLength);
  pos += entry.headerLength;
  auto readList = [&](std::vector<std::string>& list, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t length = static_cast<unsigned char>(text_[pos]);
      list.push_back(text_.substr(pos + 1, length));
      pos += 1 + length;
    }
  };
  readList(block.prefixes, entry.prefixCount);
  readList(block.adjacent, entry.adjacentCount);
  return block;
}

bool MaBlockStore::covers(std::size_t index, std::string_view number) const {
  const Entry& entry = entries_[index];
  std::size_t pos = entry.offset + entry.headerLength;
  for (std::size_t i = 0; i < entry.prefixCount; ++i) {
    const std::size_t length = static_cast<unsigned char>(text_[pos]);
    if (prefixMatches(std::string_view(text_).substr(pos + 1, length), number)) return true;
    pos += 1 + length;
  }
  return false;
}

MaFileEnd readMaBlocks(const std::string& path, const std::function<void(const MaBlock&)>& onBlock) {
  LineReader file;
  if (!file.open(path)) {
    MaFileEnd end;
    const Failure failure = cannotOpen(path);
    end.failureCode = failure.code;
    end.failureMessage = failure.message;
    return end;
  }
  return readMaBlocks(file, path, onBlock);
}

MaFileEnd readMaBlocks(LineReader& file, const std::string& path,
                       const std::function<void(const MaBlock&)>& onBlock) {
  MaFileEnd end;
  BlockReader reader(file, path);
  auto stop = [&end](const Failure& failure) {
    end.failureCode = failure.code;
    end.failureMessage = failure.message;
    return std::move(end);
  };

  const std::string_view expectedHeader[] = {kMaIdentificationLine, kMaVersionLine};
  std::string text;
  for (int i = 0; i < 2; ++i) {
    if (!reader.line(text)) return stop(reader.failure);
    if (text != expectedHeader[i]) return stop(badHeader(i + 1));
  }

  MaBlock block;
  for (;;) {
    if (!reader.line(text)) return stop(reader.failure);
    if (text != "#####") return stop(tokenMissing());
    if (!reader.line(text)) return stop(reader.failure);
    if (text == "end") {
      end.ended = true;
      return end;
    }
    block.header = text;
    block.prefixes.clear();
    block.adjacent.clear();
    if (!reader.list(block.prefixes, MaLookup::kMaxPrefixes)) return stop(reader.failure);
    if (!reader.line(text)) return stop(reader.failure);
    if (text != "#") return stop(tokenMissing());
    if (!reader.list(block.adjacent, MaLookup::kMaxAdjacent)) return stop(reader.failure);
    onBlock(block);
  }
}

namespace {

MaFileImage imageOf(const std::function<MaFileEnd(const std::function<void(const MaBlock&)>&)>& read,
                    std::size_t sizeHint) {
  MaFileImage image;
  image.blocks.reserveText(sizeHint);
  static_cast<MaFileEnd&>(image) = read([&image](const MaBlock& block) { image.blocks.add(block); });
  return image;
}

}  // namespace

MaFileImage readMaFile(const std::string& path) {
  // The kept text never exceeds the file, so the file's size is room enough.
  const std::size_t size = static_cast<std::size_t>(regularFileSize(path).value_or(0));
  return imageOf([&path](const auto& onBlock) { return readMaBlocks(path, onBlock); }, size);
}

MaFileImage readMaFile(LineReader& file, const std::string& path) {
  return imageOf([&](const auto& onBlock) { return readMaBlocks(file, path, onBlock); }, 0);
}

}  // namespace zelk
