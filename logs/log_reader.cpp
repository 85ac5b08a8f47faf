#include "logs/log_reader.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "config/messages.h"
#include "engine/text.h"
#include "logs/record_engine.h"
#include "platform/paths.h"

namespace zelk {
namespace {

constexpr int kLogNotFoundExit = 255;

int slotsInUse(const Settings& settings) {
  return std::clamp<int>(settings.logCount, 0, static_cast<int>(kMaxLogs));
}

void openOrFail(LineReader& file, const LogDeclaration& declaration, const std::string& programDir) {
  if (!file.open(logFilePath(programDir, declaration.path)))
    failPair(kLogNotFoundExit, "Not found", declaration.path);
}

// The log of slot `index` has ended: the last slot takes its place.
void removeSlot(int index, LogSlots& slots, Settings& settings) {
  slots[index].file.close();
  const int last = slotsInUse(settings) - 1;
  if (index != last) slots[index] = std::move(slots[last]);
  settings.logCount = static_cast<std::int16_t>(last);
}

}  // namespace

void openLogs(Settings& settings, LogSlots& slots) {
  settings.logCount = static_cast<std::int16_t>(slotsInUse(settings));
  for (int i = 0; i < settings.logCount; ++i) {
    slots[i].call = CallRecord{};
    openOrFail(slots[i].file, slots[i].declaration, settings.programDir);
  }
}

void checkLogExists(const LogDeclaration& declaration, const std::string& programDir) {
  LineReader file;
  openOrFail(file, declaration, programDir);
}

int readNextCall(int slotIndex, LogSlots& slots, ReplaceTables& tables, Settings& settings) {
  if (slotIndex < 0 || slotIndex >= slotsInUse(settings))
    throw std::out_of_range("readNextCall: no log in slot " + std::to_string(slotIndex));
  LogSource& slot = slots[slotIndex];
  // A format code that names no format reads as a log without records.
  const FormatLayout* layout = layoutOf(slot.declaration.format);
  if (!layout || !findRecord(*layout, slot.file, slot.line)) {
    removeSlot(slotIndex, slots, settings);
    return -1;
  }
  slot.call.name.clear();
  if (auto name = parseRecord(*layout, slot.line, slot.call)) {
    slot.call.number = lookupName(*name, tables, settings);
    slot.call.name = trimRight(*name);
  }
  return 0;
}

}  // namespace zelk
