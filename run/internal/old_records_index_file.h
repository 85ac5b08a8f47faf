// The index kept in zelk.idx: its entries as read, the notes the run makes
// for the next one, the logs' stamps and the digests worked out beside the
// run on threads of their own.
#pragma once

#include <array>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "logs/prefix_index.h"
#include "platform/regular_file.h"
#include "run/internal/old_records_index.h"
#include "run/internal/prefix_notes.h"

namespace zelk {

class OldRecordsIndexFile final : public OldRecordsIndex {
 public:
  // Reads the index of `programDir` (an empty one when it cannot be trusted).
  explicit OldRecordsIndexFile(std::string programDir);

  void logsDeclared(const LogDeclarations& logs, int count) override;
  void skippingBegins(const CalendarTime& start, int meterDay) override;
  std::optional<IndexedStart> startOf(int log) override;
  void startedAt(int log) override;
  DigestTrail* trailOf(int log) override;
  void skipped(int log, std::uint64_t lineAt, const CalendarTime& date, bool valid,
               std::optional<std::string_view> name) override;
  void kept(int log, std::uint64_t lineAt, const CalendarTime& date, bool valid) override;
  void readAgain(int log) override;
  void skippingEnded() override;
  void runEnded() override;

 private:
  struct DeclaredLog {
    std::string path;  // as opened
    LogFormat format = LogFormat::W;
    std::optional<FileStamp> stamp;  // before the run opened it
  };
  const LogPrefixIndex* entryOf(const DeclaredLog& log) const;
  std::optional<std::size_t> trustedCheckpoint(int log);

  std::string programDir_;
  std::string indexPath_;
  PrefixIndex index_;
  std::vector<DeclaredLog> logs_;
  CalendarTime start_;
  int meterDay_ = 1;
  // Whether a log that changed since it was indexed holds its indexed bytes.
  std::array<std::future<bool>, kMaxLogs> stillHolds_;
  std::array<std::optional<PrefixNotes>, kMaxLogs> notes_;
  std::array<std::optional<std::size_t>, kMaxLogs> startCheckpoint_;
  std::array<DigestTrail, kMaxLogs> trails_;  // of the logs scanned from their start
  std::array<int, kMaxLogs> digestOf_{};  // a log's place in the digests, -1 for none
  std::future<std::vector<std::optional<std::uint64_t>>> digests_;
};

}  // namespace zelk
