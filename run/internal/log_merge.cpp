#include "run/internal/log_merge.h"

#include <limits>

#include "base/calendar.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "run/internal/month_bookmark.h"

namespace zelk {
namespace {

// The merge orders calls by this key. It is compared unsigned, so a call
// dated before 1980 (a negative key) sorts after every later date.
std::uint32_t dayKey(const CalendarTime& date) {
  return static_cast<std::uint32_t>(date.year * 1000 + date.yearDay - 80000);
}

}  // namespace

void showOddLine() { showMessage(sjis("なんか変な行がある(=_=)")); }

LogMerge::LogMerge(std::string programDir, LearnedTables& tables)
    // The read buffers are filled before they are read: not cleared first.
    : programDir_(std::move(programDir)), tables_(tables), slots_(std::make_unique_for_overwrite<LogSlots>()) {}

void LogMerge::open(const LogDeclarations& logs, int count) {
  for (std::size_t i = 0; i < kMaxLogs; ++i) (*slots_)[i].declaration = logs[i];
  openCount_ = openLogs(*slots_, count, programDir_);
}

bool LogMerge::openAt(std::span<const SlotBookmark> marks) {
  for (auto& slot : *slots_) slot.file.close();
  for (std::size_t i = 0; i < marks.size(); ++i) (*slots_)[i].declaration = marks[i].declaration;
  openCount_ = openLogs(*slots_, static_cast<int>(marks.size()), programDir_);
  for (int i = 0; i < openCount_; ++i) {
    LogSource& source = slot(i);
    if (!source.file.seek(marks[static_cast<std::size_t>(i)].nextLine)) return false;
    source.call = marks[static_cast<std::size_t>(i)].call;
  }
  return true;
}

int LogMerge::earliestSlot() const {
  int chosen = 0;
  std::uint32_t smallest = std::numeric_limits<std::uint32_t>::max();
  for (int i = 0; i < openCount_; ++i) {
    const std::uint32_t key = dayKey(slot(i).call.start);
    if (key < smallest) {
      smallest = key;
      chosen = i;
    }
  }
  return chosen;
}

void LogMerge::advance(int index) {
  if (readNextCall(index, *slots_, openCount_, tables_.tables, tables_.grew) != 0) return;
  if (!normalise(slot(index).call.start)) showOddLine();
}


}  // namespace zelk
