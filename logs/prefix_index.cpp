#include "logs/prefix_index.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "logs/log_layout.h"
#include "platform/content_digest.h"
#include "platform/regular_file.h"
#include "platform/staged_file.h"

namespace zelk {
namespace {

// Written by this program only; a new layout gets a new first line.
constexpr std::string_view kMagic = "zelk index 2\n";

constexpr std::size_t kDateBytes = 9 * 4;
constexpr std::size_t kEventBytes = 1;
constexpr std::size_t kCheckpointBytes = 8 + 1 + 8 + 4 + 1;
constexpr std::size_t kEntryFixedBytes = 4 + 1 + 5 * 8 + 1 + 2 * 8 + 2 * 4;
// The largest file the writer can write: a longer one is no index.
constexpr std::size_t kMaxFileBytes =
    kMagic.size() + 4 + 8 +
    kMaxIndexedLogs * (kEntryFixedBytes + kMaxIndexPathBytes + kMaxIndexEvents * (kEventBytes + 4 + kMaxIndexNameBytes) +
                       kMaxIndexCheckpoints * (kCheckpointBytes + kDateBytes));

// The years of a date key: those of a record as read (a four-digit year
// field, before the calendar judged it), so wider than the calendar's.
constexpr int kMinKeyYear = -1900 - 1;
constexpr int kMaxKeyYear = 9999 - 1900 + 10;

class Writer {
 public:
  template <typename Number>
  void number(Number value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
  }
  void text(const std::string& value) {
    number(static_cast<std::uint32_t>(value.size()));
    out += value;
  }
  void date(const CalendarTime& time) {
    for (int field : {time.second, time.minute, time.hour, time.day, time.month, time.year, time.weekday,
                      time.yearDay, time.daylight})
      number(static_cast<std::int32_t>(field));
  }
  std::string out;
};

// Reads what Writer wrote; any read past the end makes it bad, and a bad
// reader reads zeros.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : in_(bytes) {}
  template <typename Number>
  Number number() {
    Number value{};
    if (in_.size() < sizeof value) {
      bad = true;
      in_ = {};
      return value;
    }
    std::memcpy(&value, in_.data(), sizeof value);
    in_.remove_prefix(sizeof value);
    return value;
  }
  // A count of at most `limit` items of at least `itemBytes` bytes each: one
  // over the writer's limit or more than the rest of the input holds is bad,
  // so no count allocates more than the file holds.
  std::size_t count(std::size_t itemBytes, std::size_t limit) {
    const auto value = number<std::uint32_t>();
    if (value > limit || value > in_.size() / itemBytes) bad = true;
    return bad ? 0 : value;
  }
  std::string text(std::size_t limit) {
    const std::size_t size = count(1, limit);
    std::string value(in_.substr(0, size));
    in_.remove_prefix(size);
    return value;
  }
  // A yes-or-no byte: anything but 0 or 1 is not what Writer wrote.
  bool flag() {
    const auto value = number<std::uint8_t>();
    if (value > 1) bad = true;
    return value == 1;
  }
  CalendarTime date() {
    CalendarTime time;
    for (int* field : {&time.second, &time.minute, &time.hour, &time.day, &time.month, &time.year, &time.weekday,
                       &time.yearDay, &time.daylight})
      *field = number<std::int32_t>();
    return time;
  }
  bool atEnd() const { return in_.empty(); }
  bool bad = false;

 private:
  std::string_view in_;
};

void writeEntry(Writer& out, const LogPrefixIndex& entry) {
  out.text(entry.path);
  out.number(static_cast<std::uint8_t>(entry.format));
  out.number(entry.stamp.size);
  out.number(entry.stamp.modifiedNs);
  out.number(entry.stamp.changedNs);
  out.number(entry.stamp.inode);
  out.number(entry.stamp.device);
  out.number(static_cast<std::uint8_t>(entry.racy));
  out.number(entry.digestBytes);
  out.number(entry.digest);
  out.number(static_cast<std::uint32_t>(entry.events.size()));
  for (const SkippedEvent& event : entry.events) {
    out.number(static_cast<std::uint8_t>(event.oddDate));
    if (!event.oddDate) out.text(event.name);
  }
  out.number(static_cast<std::uint32_t>(entry.checkpoints.size()));
  for (const PrefixCheckpoint& mark : entry.checkpoints) {
    out.number(mark.offset);
    out.number(static_cast<std::uint8_t>(mark.latest.has_value()));
    const DateKey latest = mark.latest.value_or(DateKey{});
    out.number(static_cast<std::int32_t>(latest.year));
    out.number(static_cast<std::int32_t>(latest.yearDay));
    out.number(mark.eventCount);
    out.number(static_cast<std::uint8_t>(mark.newest.has_value()));
    if (mark.newest) out.date(*mark.newest);
  }
}

bool isKeyDate(const DateKey& key) {
  return key.year >= kMinKeyYear && key.year <= kMaxKeyYear && key.yearDay >= 0 && key.yearDay <= 365;
}

// A date the run normalised: within the calendar's years (1900-2100).
bool isRunDate(const CalendarTime& date) { return isNormalised(date); }

// The checkpoints must lie in order within the bytes the digest covers, and
// count events the entry has; names and dates must be ones a run produces.
bool isConsistent(const LogPrefixIndex& entry) {
  if (static_cast<std::size_t>(entry.format) >= kFormatCodes || !layoutOf(entry.format)) return false;
  if (entry.digestBytes > entry.stamp.size) return false;
  for (const SkippedEvent& event : entry.events)
    if (!event.oddDate && !isIndexableName(event.name)) return false;
  std::uint64_t offset = 0;
  std::uint32_t events = 0;
  for (const PrefixCheckpoint& mark : entry.checkpoints) {
    if (mark.offset <= offset || mark.offset > entry.digestBytes || mark.eventCount < events ||
        mark.eventCount > entry.events.size())
      return false;
    if ((mark.latest && !isKeyDate(*mark.latest)) || (mark.newest && !isRunDate(*mark.newest))) return false;
    offset = mark.offset;
    events = mark.eventCount;
  }
  return entry.checkpoints.empty() || entry.checkpoints.back().offset == entry.digestBytes;
}

std::optional<LogPrefixIndex> readEntry(Reader& in) {
  LogPrefixIndex entry;
  entry.path = in.text(kMaxIndexPathBytes);
  entry.format = static_cast<LogFormat>(in.number<std::uint8_t>());
  entry.stamp.size = in.number<std::uint64_t>();
  entry.stamp.modifiedNs = in.number<std::int64_t>();
  entry.stamp.changedNs = in.number<std::int64_t>();
  entry.stamp.inode = in.number<std::uint64_t>();
  entry.stamp.device = in.number<std::uint64_t>();
  entry.racy = in.flag();
  entry.digestBytes = in.number<std::uint64_t>();
  entry.digest = in.number<std::uint64_t>();
  entry.events.resize(in.count(kEventBytes, kMaxIndexEvents));
  for (SkippedEvent& event : entry.events) {
    event.oddDate = in.flag();
    if (!event.oddDate) event.name = in.text(kMaxIndexNameBytes);
  }
  entry.checkpoints.resize(in.count(kCheckpointBytes, kMaxIndexCheckpoints));
  for (PrefixCheckpoint& mark : entry.checkpoints) {
    mark.offset = in.number<std::uint64_t>();
    const bool hasLatest = in.flag();
    const DateKey latest{in.number<std::int32_t>(), in.number<std::int32_t>()};
    if (hasLatest) {
      mark.latest = latest;
    } else if (latest != DateKey{}) {
      in.bad = true;
    }
    mark.eventCount = in.number<std::uint32_t>();
    if (in.flag()) mark.newest = in.date();
  }
  if (in.bad || !isConsistent(entry)) return std::nullopt;
  return entry;
}

}  // namespace

bool isRacyStamp(const FileStamp& stamp, std::int64_t writtenNs) {
  return std::max(stamp.modifiedNs, stamp.changedNs) > writtenNs - kCoarsestStampNs;
}

bool isIndexableName(std::string_view name) {
  return name.size() <= kMaxIndexNameBytes &&
         std::none_of(name.begin(), name.end(), [](char byte) { return byte >= 0 && byte < 0x20; }) &&
         name.find('\x7f') == std::string_view::npos;
}

std::string encodePrefixIndex(const PrefixIndex& index) {
  Writer out;
  out.out = kMagic;
  out.number(static_cast<std::uint32_t>(index.size()));
  for (const LogPrefixIndex& entry : index) writeEntry(out, entry);
  out.number(digestOf(out.out));
  return std::move(out.out);
}

PrefixIndex decodePrefixIndex(std::string_view bytes) {
  if (bytes.size() < kMagic.size() + 8 || bytes.substr(0, kMagic.size()) != kMagic) return {};
  const std::string_view payload = bytes.substr(0, bytes.size() - 8);
  Reader trailer(bytes.substr(payload.size()));
  if (trailer.number<std::uint64_t>() != digestOf(payload)) return {};
  Reader in(payload.substr(kMagic.size()));
  PrefixIndex index(in.count(1, kMaxIndexedLogs));
  for (LogPrefixIndex& entry : index) {
    auto read = readEntry(in);
    if (!read) return {};
    entry = std::move(*read);
  }
  if (!in.atEnd()) return {};
  return index;
}

PrefixIndex readPrefixIndex(const std::string& path) {
  const int descriptor = openOwnRegularFile(path);
  if (descriptor < 0) return {};
  std::string bytes;
  char block[1 << 16];
  ssize_t got;
  while ((got = ::read(descriptor, block, sizeof block)) > 0 && bytes.size() <= kMaxFileBytes)
    bytes.append(block, static_cast<std::size_t>(got));
  ::close(descriptor);
  if (got < 0 || bytes.size() > kMaxFileBytes) return {};
  return decodePrefixIndex(bytes);
}

bool writePrefixIndex(const std::string& path, const PrefixIndex& index) {
  // Never written through a link: in a folder others can write to, a link
  // would make this write someone's file.
  // Nor where the reader would not take it.
  if (isSomethingElseThanRegularFile(path)) return false;
  if (othersMayReplaceIn(path)) return false;
  StagedFile file(path);
  file.keepPrivate();
  return file.commit(encodePrefixIndex(index), StagedFile::Flush::NotAwaited);
}

}  // namespace zelk
