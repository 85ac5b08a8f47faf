// Feeds arbitrary bytes to every log format: the bytes become a log file and
// each format reads all its calls from it. Beyond memory errors it checks
// what every call must satisfy whatever the log holds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "config/settings.h"
#include "logs/log_layout.h"
#include "logs/log_reader.h"
#include "platform/messages.h"

namespace {

using namespace zelk;

class DiscardSink : public MessageSink {
 public:
  void show(const std::string&, MessageKind) override {}
};

// One scratch file per fuzzing process, removed when it ends.
const std::string& scratchPath() {
  static const std::string path = [] {
    char pattern[] = "/tmp/zelk-log-fuzz-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0) std::abort();
    close(fd);
    std::atexit([] { std::remove(scratchPath().c_str()); });
    return std::string(pattern);
  }();
  return path;
}

void writeScratch(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(scratchPath().c_str(), "wb");
  if (!file) std::abort();
  if (size && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

void require(bool condition) {
  if (!condition) std::abort();
}

bool isNumberText(const std::string& number) {
  if (number.size() > 12) return false;
  for (char c : number)
    if (c < '0' || c > '9') return false;
  return true;
}

void readAllCalls(const FormatLayout& layout, std::size_t size) {
  static auto slots = std::make_unique<LogSlots>();
  ReplaceTables tables;
  tables.nameReplace[0] = {"0312345678", "NIFTY"};
  tables.nameReplaceCount = 1;
  (*slots)[0].declaration = {layout.format, scratchPath()};
  int open = openLogs(*slots, 1, "");
  bool learned = false;
  std::size_t calls = 0;
  try {
    while (readNextCall(0, *slots, open, tables, learned) == 0) {
      const CallRecord& call = (*slots)[0].call;
      require(isNumberText(call.number));
      require(layout.fee.present() ? call.fee >= 0 : call.fee == -1);
      require(call.start.daylight == -1);
      require(++calls <= size);  // a record takes at least one byte
    }
    require(open == 0);
  } catch (const FatalError& error) {
    require(layout.format == LogFormat::R && error.code() == 239);
    (*slots)[0].file.close();
  }
  require(tables.nameReplaceCount >= 1 && tables.nameReplaceCount <= 20);
  for (int i = 0; i < tables.nameReplaceCount; ++i)
    require(tables.nameReplace[i].name.size() <= ReplaceTables::kMaxNameBytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static DiscardSink sink;
  static ScopedMessageSink quiet(sink);
  writeScratch(data, size);
  for (const FormatLayout& layout : allLayouts()) readAllCalls(layout, size);
  return 0;
}
