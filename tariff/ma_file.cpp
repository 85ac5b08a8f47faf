#include "tariff/ma_file.h"

#include <limits>

#include "config/messages.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "tariff/ma_lookup.h"

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

int clampToInt(long value) {
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
    const long count = readDecimal(text);
    for (long i = 0; i < count; ++i) {
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

void MaFileImage::fail() const { fatalExit(failureCode, failureMessage); }

MaFileImage readMaFile(const std::string& path) {
  LineReader file;
  if (!file.open(path)) {
    MaFileImage image;
    const Failure failure = cannotOpen(path);
    image.failureCode = failure.code;
    image.failureMessage = failure.message;
    return image;
  }
  return readMaFile(file, path);
}

MaFileImage readMaFile(LineReader& file, const std::string& path) {
  MaFileImage image;
  BlockReader reader(file, path);
  auto stop = [&image](const Failure& failure) {
    image.failureCode = failure.code;
    image.failureMessage = failure.message;
    return std::move(image);
  };

  const std::string_view expectedHeader[] = {kMaIdentificationLine, kMaVersionLine};
  std::string text;
  for (int i = 0; i < 2; ++i) {
    if (!reader.line(text)) return stop(reader.failure);
    if (text != expectedHeader[i]) return stop(badHeader(i + 1));
  }

  for (;;) {
    if (!reader.line(text)) return stop(reader.failure);
    if (text != "#####") return stop(tokenMissing());
    if (!reader.line(text)) return stop(reader.failure);
    if (text == "end") {
      image.ended = true;
      return image;
    }
    MaBlock block;
    block.header = text;
    if (!reader.list(block.prefixes, MaLookup::kMaxPrefixes)) return stop(reader.failure);
    if (!reader.line(text)) return stop(reader.failure);
    if (text != "#") return stop(tokenMissing());
    if (!reader.list(block.adjacent, MaLookup::kMaxAdjacent)) return stop(reader.failure);
    image.blocks.push_back(std::move(block));
  }
}

}  // namespace zelk
