// The index of the old records of the logs (zelk.idx, beside zelk.cfg or, when
// zelk.cfg is in the user's configuration folder, in the user's cache folder:
// the run finds it through cacheFilePath).
//
// Most records of a long history lie before the months a run keeps, and a
// run reads them only to show what is odd in them and to learn their
// connection names. The index keeps, for each log, places in it where a new
// month of records begins, with what the records before each place gave: the
// names met for the first time and the dates that could not be normalised, in
// the order met, the latest date and the newest valid date. A later run on
// the same bytes shows and learns the same from the index and starts reading
// at the last place before its months.
//
// The index is only ever an aid: a missing, damaged or outdated file is read
// as an empty index, and writing it may fail without harm.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/calendar.h"
#include "base/log_source.h"
#include "logs/log_layout.h"
#include "platform/regular_file.h"

namespace zelk {

// One thing a skipped record gave: the first record of the log with this
// connection name (looked up), or a record whose date cannot be normalised.
struct SkippedEvent {
  bool oddDate = false;
  std::string name;  // as the record holds it, when not oddDate
  bool operator==(const SkippedEvent&) const = default;
};

// The date order of the run's kept-or-skipped test: year, then day of the year.
struct DateKey {
  int year = 0;
  int yearDay = 0;
  auto operator<=>(const DateKey&) const = default;
};

// A record where a new month begins, and what the records before it gave.
struct PrefixCheckpoint {
  std::uint64_t offset = 0;        // where the record's line starts
  std::optional<DateKey> latest;   // the latest date of the records before it
  std::uint32_t eventCount = 0;    // the events of the records before it
  std::optional<CalendarTime> newest;  // the newest normalised date before it
  bool operator==(const PrefixCheckpoint&) const = default;
};

struct LogPrefixIndex {
  std::string path;  // the file opened
  LogFormat format = LogFormat::W;
  FileStamp stamp;   // the file as it was read
  // The file changed too close to the writing of the index for its stamp to
  // tell a later change: trusted only when the digest still holds.
  bool racy = false;
  // The digest of the file's first `digestBytes` bytes (up to the last
  // checkpoint): a log that only grew at its end keeps its checkpoints.
  std::uint64_t digestBytes = 0;
  std::uint64_t digest = 0;
  std::vector<SkippedEvent> events;
  std::vector<PrefixCheckpoint> checkpoints;  // by offset
  bool operator==(const LogPrefixIndex&) const = default;
};

using PrefixIndex = std::vector<LogPrefixIndex>;

// What a run can write, and so all a reader takes: a file holding more, or a
// name, a date or an offset no run can produce, is read as an empty index,
// whatever its digest says (the digest finds damage, it proves no writer).
inline constexpr std::size_t kMaxIndexedLogs = kMaxLogs;
inline constexpr std::size_t kMaxIndexEvents = 4096;        // per log
inline constexpr std::size_t kMaxIndexCheckpoints = 2400;   // per log: 200 years of months
inline constexpr std::size_t kMaxIndexNameBytes = kLogLineBuffer - 1;  // a whole log line
inline constexpr std::size_t kMaxIndexPathBytes = 4096;     // what the system opens

// A connection name the index can hold: as a log line holds it, without
// control bytes (which no settings line may ever receive).
bool isIndexableName(std::string_view name);

// File systems keep times as coarse as 2 seconds (FAT); on them an edit in
// the same tick as the stamp leaves the stamp as it was.
inline constexpr std::int64_t kCoarsestStampNs = 2'000'000'000;

// Whether a log with `stamp`, indexed at `writtenNs` (nanoseconds since the
// epoch), could still change without changing its stamp.
bool isRacyStamp(const FileStamp& stamp, std::int64_t writtenNs);

// The file's name in the program directory.
inline constexpr const char* kPrefixIndexFile = "zelk.idx";

std::string encodePrefixIndex(const PrefixIndex& index);
// Empty for anything that is not an index this program wrote whole.
PrefixIndex decodePrefixIndex(std::string_view bytes);

// Someone else's index must not steer a run: the file is read only when it
// is the user's own regular file (not a link) in a folder others cannot
// write to, or that has the sticky bit; it is written with mode 0600, and
// not at all where it would not be read.
PrefixIndex readPrefixIndex(const std::string& path);
bool writePrefixIndex(const std::string& path, const PrefixIndex& index);

}  // namespace zelk
