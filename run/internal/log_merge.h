// The declared logs read side by side: the open logs' slots, each holding its
// next call, and the choice of the call that comes first by date. Connection
// names become numbers through the run's tables, which learn the names met.
// The slots live on the heap: each carries a read buffer of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/log_source.h"
#include "logs/log_reader.h"
#include "run/internal/learned_tables.h"

namespace zelk {

struct SlotBookmark;

class LogMerge {
 public:
  // `programDir` ends in "/"; relative log paths are taken from it.
  LogMerge(std::string programDir, LearnedTables& tables);

  // Opens the first `count` of `logs` (at most five); "Not found", exit 255,
  // when one cannot be opened.
  void open(const LogDeclarations& logs, int count);
  // Closes the open logs, opens the logs the bookmarks name and puts each
  // where its bookmark says, holding the call it held then. False when a log
  // cannot go back to its place: the caller opens the logs again.
  bool openAt(std::span<const SlotBookmark> marks);

  int openCount() const { return openCount_; }
  const std::string& programDir() const { return programDir_; }
  LearnedTables& tables() { return tables_; }
  LogSource& slot(int index) { return (*slots_)[static_cast<std::size_t>(index)]; }
  const LogSource& slot(int index) const { return (*slots_)[static_cast<std::size_t>(index)]; }

  // The open slot whose call comes first by date; of calls of one day, the
  // one in the lowest slot.
  int earliestSlot() const;
  // Reads the next call of slot `index` whole (its date normalised, an odd
  // one shown) or, at the end of its log, closes the slot: the last slot
  // takes its place.
  void advance(int index);
  // The first step of `advance`, for calls that may be skipped by their date:
  // only the start of the next record. False at the end of the log, with the
  // slot closed as by `advance`.
  bool readStart(int index) { return readNextStart(index, *slots_, openCount_) == 0; }

 private:
  std::string programDir_;
  LearnedTables& tables_;
  std::unique_ptr<LogSlots> slots_;
  int openCount_ = 0;
};

// Shown for a record whose date cannot be normalised.
void showOddLine();

}  // namespace zelk
