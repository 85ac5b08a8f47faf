// One log's records before the months kept, read on their own: what a run
// that skipped them one by one would show and learn (the connection names in
// the order first met and the odd dates, as events), the newest date
// skipped, and where the first record kept begins. A scan touches nothing
// shared but the index's notes of its own log, so two logs can be scanned on
// two threads at once; the run shows and learns from the events afterwards,
// in its own order of the logs.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/calendar.h"
#include "base/log_source.h"
#include "logs/prefix_index.h"
#include "run/internal/old_records_index.h"

namespace zelk {

struct OldRecordsScan {
  // False when the scan gave up (the log could not be opened again, or it
  // holds more names or odd dates than a scan keeps): the log is then read
  // record by record, as without a scan.
  bool complete = false;
  std::vector<SkippedEvent> events;    // a name the first time met, each odd date
  std::optional<CalendarTime> newest;  // the newest normalised date skipped
  // Where reading goes on: the first record kept, the log's end, or a
  // record that could not be scanned (a broken one, which the run reads
  // again itself and ends at, after the events).
  std::uint64_t keptAt = 0;
};

// Scans the log at `path` of `format` (log `log` in declaration order) from
// its start up to its first record later than `start`, telling `index` of
// each record skipped. Returns early, incomplete, once `stop` is set.
OldRecordsScan scanOldRecords(const std::string& path, LogFormat format, int log, const CalendarTime& start,
                              OldRecordsIndex& index, const std::atomic<bool>& stop);

// The open logs' scans, made on two threads: the one that asks for them, in
// the run's order of the logs, and one of its own that begins with the last
// log and works down. A log the other thread has not begun is scanned by the
// one that asks for it, so neither waits while a log is left.
class SideBySideScans {
 public:
  struct Log {
    std::string path;
    LogFormat format = LogFormat::W;
  };
  SideBySideScans(std::vector<Log> logs, const CalendarTime& start, OldRecordsIndex& index);
  // Stops the other thread (a run that ends early) and waits for it.
  ~SideBySideScans();
  SideBySideScans(const SideBySideScans&) = delete;
  SideBySideScans& operator=(const SideBySideScans&) = delete;

  // The scan of log `log` (declaration order), asked for once.
  OldRecordsScan take(int log);

 private:
  enum class State { Waiting, Scanning, Scanned };
  OldRecordsScan scan(int log);
  void work();

  std::vector<Log> logs_;
  CalendarTime start_;
  OldRecordsIndex& index_;
  std::mutex mutex_;
  std::condition_variable scanned_;
  std::array<State, kMaxLogs> states_{};
  std::array<OldRecordsScan, kMaxLogs> scans_;
  std::atomic<bool> stop_{false};
  std::thread worker_;  // made last, once everything it reads is
};

}  // namespace zelk
