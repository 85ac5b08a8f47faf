// Fuzzes the MA data reader: any bytes as ma.zlk, read by the list loader
// and by single and accumulating searches. Fatal conditions are expected; a
// crash, a hang or an out-of-bounds access is not.
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/distance_band.h"
#include "base/text.h"
#include "platform/messages.h"
#include "tariff/ma_data.h"
#include "tariff/ma_file.h"

namespace {

class SilentSink : public zelk::MessageSink {
 public:
  void show(const std::string&, zelk::MessageKind) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SilentSink sink;
  zelk::ScopedMessageSink scope(sink);

  // With an odd first byte the input gets the two valid header lines in
  // front, so that most runs reach the blocks.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[0] & 1))
    bytes = std::string(zelk::kMaIdentificationLine) + "\n" +
            std::string(zelk::kMaVersionLine) + "\n" + bytes.substr(1);
  zelk::LineReader reader;  // no file reads as an empty one
  if (!bytes.empty()) {
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!file) return 0;
    reader = zelk::LineReader(file);
  }
  zelk::MaFileImage image = zelk::readMaFile(reader, "fuzz/ma.zlk");

  if (image.ended) {
    const zelk::MaList list(image);
    list.names();
    list.areaCode(0);
    zelk::MaLookup own;
    if (list.size() > 0 && !list.records()[0].prefixes.empty()) own.prefixes = list.records()[0].prefixes;
    list.distanceBandOf("0312345678", own);
    list.findByNumber("6");
  }

  zelk::MaDataFile search(std::move(image));
  zelk::MaLookup lookup;
  const char* numbers[] = {"312345678", "6", "", "9999999999999", "11"};
  for (const char* number : numbers) {
    try {
      search.findSingle(number, lookup);
      search.findAccumulate(number, lookup);
    } catch (const zelk::FatalError&) {
    }
  }
  return 0;
}
