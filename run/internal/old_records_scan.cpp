#include "run/internal/old_records_scan.h"

#include <string_view>
#include <system_error>
#include <unordered_set>

#include "logs/log_layout.h"
#include "logs/record_dates.h"
#include "logs/record_engine.h"
#include "platform/messages.h"

namespace zelk {
namespace {

// A log of nothing but new names or odd dates is read record by record
// instead: what a scan keeps stays small.
constexpr std::size_t kMaxScanEvents = 1024;

// The names a log's records give, met over and over: a record whose name is
// the previous record's is not looked for in the set, and a name is copied
// only the first time it is met.
class NamesMet {
 public:
  // True the first time `name` is met.
  bool firstMet(std::string_view name) {
    if (name == previous_) return false;
    previous_.assign(name);
    if (met_.find(name) != met_.end()) return false;
    met_.emplace(name);
    return true;
  }

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::string previous_;
  std::unordered_set<std::string, NameHash, std::equal_to<>> met_;
};

void noteNewest(std::optional<CalendarTime>& newest, const CalendarTime& date) {
  if (!newest || isLaterDate(date, *newest)) newest = date;
}

}  // namespace

OldRecordsScan scanOldRecords(const std::string& path, LogFormat format, int log, const CalendarTime& start,
                              OldRecordsIndex& index, const std::atomic<bool>& stop) {
  OldRecordsScan scan;
  // A format code that names no format reads as a log without records.
  const FormatLayout* layout = layoutOf(format);
  if (!layout) {
    scan.complete = true;
    return scan;
  }
  LineReader file;
  if (!file.open(path)) return scan;
  if (DigestTrail* trail = index.trailOf(log)) file.addBytesReadTo(*trail);
  NamesMet names;
  RecordDates dates(*layout);
  CalendarTime date;
  std::string_view line;
  try {
    for (;;) {
      if (stop.load(std::memory_order_relaxed) || scan.events.size() > kMaxScanEvents) return scan;
      const std::uint64_t lineAt = file.offset();
      scan.keptAt = lineAt;
      if (!findRecord(*layout, file, line)) break;
      const bool valid = dates.startOf(line, date);
      if (isLaterDate(date, start)) break;
      const auto name = recordName(*layout, line);
      if (name && names.firstMet(*name)) scan.events.push_back({false, std::string(*name)});
      index.skipped(log, lineAt, date, valid, name);
      if (!valid) {
        scan.events.push_back({true, {}});
      } else {
        noteNewest(scan.newest, date);
      }
    }
  } catch (const FatalError&) {
    // A broken record: keptAt is its line.
  }
  scan.complete = true;
  return scan;
}

SideBySideScans::SideBySideScans(std::vector<Log> logs, const CalendarTime& start, OldRecordsIndex& index)
    : logs_(std::move(logs)), start_(start), index_(index) {
  // One core, or no thread to be had: the asking thread scans every log.
  if (logs_.size() < 2 || std::thread::hardware_concurrency() == 1) return;
  try {
    worker_ = std::thread([this] { work(); });
  } catch (const std::system_error&) {
  }
}

SideBySideScans::~SideBySideScans() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

OldRecordsScan SideBySideScans::scan(int log) {
  const Log& each = logs_[static_cast<std::size_t>(log)];
  try {
    return scanOldRecords(each.path, each.format, log, start_, index_, stop_);
  } catch (...) {  // out of memory: the log is read record by record
    return {};
  }
}

OldRecordsScan SideBySideScans::take(int log) {
  const auto at = static_cast<std::size_t>(log);
  std::unique_lock lock(mutex_);
  if (states_[at] == State::Waiting) {
    states_[at] = State::Scanning;
    lock.unlock();
    return scan(log);
  }
  scanned_.wait(lock, [&] { return states_[at] == State::Scanned; });
  return std::move(scans_[at]);
}

void SideBySideScans::work() {
  for (int log = static_cast<int>(logs_.size()) - 1; log >= 0; --log) {
    const auto at = static_cast<std::size_t>(log);
    {
      std::lock_guard lock(mutex_);
      if (states_[at] != State::Waiting) continue;  // the asking thread has it
      states_[at] = State::Scanning;
    }
    OldRecordsScan done = scan(log);
    {
      std::lock_guard lock(mutex_);
      scans_[at] = std::move(done);
      states_[at] = State::Scanned;
    }
    scanned_.notify_all();
  }
}

}  // namespace zelk
