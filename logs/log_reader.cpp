#include "logs/log_reader.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "base/text.h"
#include "logs/record_engine.h"
#include "platform/message_forms.h"
#include "platform/paths.h"

namespace zelk {
namespace {

constexpr int kLogNotFoundExit = 255;

int slotsInUse(int count) { return std::clamp<int>(count, 0, static_cast<int>(kMaxLogs)); }

void openOrFail(LineReader& file, const LogDeclaration& declaration, const std::string& programDir) {
  if (!file.open(logFilePath(programDir, declaration.path)))
    failPair(kLogNotFoundExit, "Not found", declaration.path);
}

// The log of slot `index` has ended: the last slot takes its place.
void removeSlot(int index, LogSlots& logs, int& openCount) {
  logs[index].file.close();
  const int last = slotsInUse(openCount) - 1;
  if (index != last) logs[index] = std::move(logs[last]);
  openCount = last;
}

}  // namespace

int openLogs(LogSlots& logs, int declared, const std::string& programDir) {
  const int count = slotsInUse(declared);
  for (int i = 0; i < count; ++i) {
    logs[i].call = CallRecord{};
    openOrFail(logs[i].file, logs[i].declaration, programDir);
  }
  return count;
}

void checkLogExists(const LogDeclaration& declaration, const std::string& programDir) {
  LineReader file;
  openOrFail(file, declaration, programDir);
}

int readNextStart(int slotIndex, LogSlots& logs, int& openCount) {
  if (slotIndex < 0 || slotIndex >= slotsInUse(openCount))
    throw std::out_of_range("readNextCall: no log in slot " + std::to_string(slotIndex));
  LogSource& slot = logs[slotIndex];
  // A format code that names no format reads as a log without records.
  const FormatLayout* layout = layoutOf(slot.declaration.format);
  if (!layout || !findRecord(*layout, slot.file, slot.line)) {
    removeSlot(slotIndex, logs, openCount);
    return -1;
  }
  parseCallStart(*layout, slot.line, slot.call);
  return 0;
}

// Only called after readNextStart found a record, so the format has a layout.
void readCallRest(LogSource& slot, ReplaceTables& tables, bool& namesLearned) {
  slot.call.name.clear();
  if (auto name = parseCallRest(*layoutOf(slot.declaration.format), slot.line, slot.call)) {
    slot.call.number = lookupName(*name, tables, namesLearned);
    slot.call.name = trimRight(*name);
  }
}

std::optional<std::string_view> skippedCallName(const LogSource& slot) {
  return recordName(*layoutOf(slot.declaration.format), slot.line);
}

int readNextCall(int slotIndex, LogSlots& logs, int& openCount, ReplaceTables& tables, bool& namesLearned) {
  if (readNextStart(slotIndex, logs, openCount) != 0) return -1;
  readCallRest(logs[slotIndex], tables, namesLearned);
  return 0;
}

}  // namespace zelk
