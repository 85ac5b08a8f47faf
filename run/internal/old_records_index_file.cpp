#include "run/internal/old_records_index_file.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string_view>

#include "platform/content_digest.h"
#include "platform/paths.h"

namespace zelk {

std::unique_ptr<OldRecordsIndex> oldRecordsIndexFor(const std::string& programDir, bool wanted) {
  const char* switchedOff = std::getenv("ZELK_NO_INDEX");
  if (!wanted || (switchedOff && std::string_view(switchedOff) == "1")) return std::make_unique<NoOldRecordsIndex>();
  return std::make_unique<OldRecordsIndexFile>(programDir);
}

OldRecordsIndexFile::OldRecordsIndexFile(std::string programDir)
    : programDir_(std::move(programDir)),
      indexPath_(cacheFilePath(programDir_, kPrefixIndexFile)),
      index_(readPrefixIndex(indexPath_)) {
  digestOf_.fill(-1);
}

void OldRecordsIndexFile::logsDeclared(const LogDeclarations& logs, int count) {
  logs_.clear();
  const int declared = std::clamp<int>(count, 0, static_cast<int>(kMaxLogs));
  for (int i = 0; i < declared; ++i) {
    const std::string path = logFilePath(programDir_, logs[static_cast<std::size_t>(i)].path);
    logs_.push_back({path, logs[static_cast<std::size_t>(i)].format, fileStampOf(path)});
  }
}

const LogPrefixIndex* OldRecordsIndexFile::entryOf(const DeclaredLog& log) const {
  const auto entry = std::find_if(index_.begin(), index_.end(), [&](const LogPrefixIndex& each) {
    return each.path == log.path && each.format == log.format;
  });
  return entry == index_.end() ? nullptr : &*entry;
}

// A log whose stamp cannot be trusted alone (it changed since it was indexed,
// or changed too close to the writing of the index) may still hold the bytes
// the entry covers: the digest tells. The logs are read for it side by side,
// before the run needs the first answer.
void OldRecordsIndexFile::skippingBegins(const CalendarTime& start, int meterDay) {
  start_ = start;
  meterDay_ = meterDay;
  for (std::size_t log = 0; log < logs_.size(); ++log) {
    const auto& stamp = logs_[log].stamp;
    const LogPrefixIndex* entry = entryOf(logs_[log]);
    if (!stamp || !entry || (entry->stamp == *stamp && !entry->racy) || stamp->size < entry->digestBytes ||
        !lastCheckpointBefore(*entry, start))
      continue;
    stillHolds_[log] = std::async(std::launch::async, [entry] {
      return digestOfFileStart(entry->path, entry->digestBytes) == entry->digest;
    });
  }
}

std::optional<IndexedStart> OldRecordsIndexFile::startOf(int log) {
  const auto at = static_cast<std::size_t>(log);
  if (at >= logs_.size() || !logs_[at].stamp) return std::nullopt;
  notes_[at].emplace(logs_[at].path, logs_[at].format, *logs_[at].stamp, meterDay_);
  const LogPrefixIndex* entry = entryOf(logs_[at]);
  if (!entry) return std::nullopt;
  const auto checkpoint = lastCheckpointBefore(*entry, start_);
  const bool holds =
      (entry->stamp == *logs_[at].stamp && !entry->racy) || (stillHolds_[at].valid() && stillHolds_[at].get());
  if (!checkpoint || !holds) return std::nullopt;
  startCheckpoint_[at] = checkpoint;
  const PrefixCheckpoint& mark = entry->checkpoints[*checkpoint];
  return IndexedStart{mark.offset, std::span(entry->events).first(mark.eventCount), mark.newest};
}

void OldRecordsIndexFile::startedAt(int log) {
  const auto at = static_cast<std::size_t>(log);
  if (!notes_[at] || !startCheckpoint_[at]) return;
  notes_[at]->resumeAt(*entryOf(logs_[at]), *startCheckpoint_[at]);
}

DigestTrail* OldRecordsIndexFile::trailOf(int log) { return &trails_[static_cast<std::size_t>(log)]; }

void OldRecordsIndexFile::skipped(int log, std::uint64_t lineAt, const CalendarTime& date, bool valid,
                                  std::optional<std::string_view> name) {
  if (auto& notes = notes_[static_cast<std::size_t>(log)]) notes->skipped(lineAt, date, valid, name);
}

void OldRecordsIndexFile::kept(int log, std::uint64_t lineAt, const CalendarTime& date, bool valid) {
  if (auto& notes = notes_[static_cast<std::size_t>(log)]) notes->kept(lineAt, date, valid);
}

void OldRecordsIndexFile::readAgain(int log) {
  const auto at = static_cast<std::size_t>(log);
  if (notes_[at]) notes_[at].emplace(logs_[at].path, logs_[at].format, *logs_[at].stamp, meterDay_);
  trails_[at] = {};
}

// The digests the index wants are worked out on one thread of their own
// while the run reads the months it keeps; a log scanned from its start is
// read again only from the last state its scan left.
void OldRecordsIndexFile::skippingEnded() {
  struct Start {
    std::string path;
    std::uint64_t bytes;
    DigestTrail trail;
  };
  std::vector<Start> starts;
  for (std::size_t log = 0; log < kMaxLogs; ++log) {
    digestOf_[log] = -1;
    if (!notes_[log]) continue;
    if (const auto bytes = notes_[log]->skippingEnded()) {
      digestOf_[log] = static_cast<int>(starts.size());
      starts.push_back({notes_[log]->path(), *bytes, std::move(trails_[log])});
    }
  }
  if (starts.empty()) return;
  digests_ = std::async(std::launch::async, [starts = std::move(starts)] {
    std::vector<std::optional<std::uint64_t>> digests;
    for (const Start& start : starts) digests.push_back(start.trail.digestOfStart(start.path, start.bytes));
    return digests;
  });
}

// What this run learned of its logs' old records, for the next run. A log
// that changed while it was read is left out; one that changed too close to
// this moment is marked, to be trusted only by its digest.
void OldRecordsIndexFile::runEnded() {
  const auto digests = digests_.valid() ? digests_.get() : std::vector<std::optional<std::uint64_t>>{};
  PrefixIndex next;
  const std::int64_t writtenNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  for (std::size_t log = 0; log < kMaxLogs; ++log) {
    const auto& notes = notes_[log];
    if (!notes) continue;
    const auto at = static_cast<std::size_t>(digestOf_[log]);
    auto entry = notes->entry(digestOf_[log] >= 0 && at < digests.size() ? digests[at] : std::nullopt);
    if (!entry || fileStampOf(entry->path) != entry->stamp) continue;
    entry->racy = isRacyStamp(entry->stamp, writtenNs);
    next.push_back(std::move(*entry));
  }
  if (next != index_) writePrefixIndex(indexPath_, next);
}

}  // namespace zelk
