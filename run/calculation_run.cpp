#include "run/calculation_run.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/calendar.h"
#include "config/option_line.h"
#include "config/settings_lock.h"
#include "config/settings_reader.h"
#include "config/settings_rewrite.h"
#include "logs/log_reader.h"
#include "logs/name_table.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/message_forms.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "run/number.h"
#include "run/plan_settings_of.h"
#include "tariff/charges.h"
#include "tariff/ma_data.h"
#include "tariff/month_closing.h"

namespace zelk {
namespace {

// The merge orders calls by this key. It is compared unsigned, so a call
// dated before 1980 (a negative key) sorts after every later date.
std::uint32_t dayKey(const CalendarTime& date) {
  return static_cast<std::uint32_t>(date.year * 1000 + date.yearDay - 80000);
}

void showOddLine() { showMessage(sjis("なんか変な行がある(=_=)")); }

bool normaliseCall(CallRecord& call) {
  if (normalise(call.start)) return true;
  showOddLine();
  return false;
}

LocalDate localDateOf(const CalendarTime& date) { return {date.year + 1900, date.month + 1, date.day}; }

[[noreturn]] void failReplay() {
  fatalExit(kMonthNotReplayable,
            sjis("ログが計算のあとで変わったので、この月の通話明細は出せません(-_-)\nもう一度計算してください\n"));
}

[[noreturn]] void failBillingDate() { fatalExit(254, sjis("検針日が設定できません(-_-)\n")); }

BillingPeriod closingDateOrFail(const CalendarTime& date, int meterDay) {
  auto period = closingDateOf(date, meterDay);
  if (!period) failBillingDate();
  return *period;
}

std::string joinedPrefixes(const std::vector<std::string>& prefixes) {
  std::string text;
  for (std::size_t i = 0; i < prefixes.size(); ++i) text += (i ? "/0" : "") + prefixes[i];
  return text;
}

}  // namespace

CalculationRun::CalculationRun(std::string programDir, std::vector<std::string> optionLines, bool useIndex,
                               SettingsWrites writes)
    : programDir_(std::move(programDir)),
      optionLines_(std::move(optionLines)),
      useIndex_(useIndex && writes == SettingsWrites::Allowed),
      writes_(writes) {}

CalculationRun::CalculationRun(const RunInputs& inputs) : programDir_(inputs.settings.programDir), inputs_(inputs) {}

void CalculationRun::run() {
  replayedMonth_.reset();
  onCall_ = nullptr;
  MaDataFile maData(maDataPath(programDir_));
  // Held until the rewrite at the end: a run that starts meanwhile reads the
  // file this run leaves, with whatever this run learned.
  std::optional<SettingsFileLock> settingsLock;
  if (writes_ == SettingsWrites::Allowed) settingsLock.emplace(programDir_);
  readSettings(maData);
  index_ = oldRecordsIndexFor(programDir_, useIndex_);
  execute(maData);
}

void CalculationRun::replayMonth(int monthIndex, std::function<void(const RatedCall&)> onCall) {
  if (monthIndex < 0 || static_cast<std::size_t>(monthIndex) >= kMaxStoredMonths) failReplay();
  replayedMonth_ = monthIndex;
  onCall_ = std::move(onCall);
  index_ = std::make_unique<NoOldRecordsIndex>();
  settings_ = inputs_.settings;
  tables_ = inputs_.tables;
  for (std::size_t i = 0; i < kMaxLogs; ++i) slots_[i].declaration = inputs_.logs[i];
  telehodai_ = inputs_.telehodai;
  origin_ = inputs_.origin;
  table_.clear();
  months_.count = 0;
  MaDataFile maData(maDataPath(programDir_));
  execute(maData);
}

// Reset and settings: the file first, then every command-line option line.
void CalculationRun::readSettings(MaDataFile& maData) {
  settings_.programDir = programDir_;
  resetSettings(settings_, tables_, telehodai_, origin_);
  settings_.meterDay = 1;
  table_.clear();
  readSettingsFile(settings_, tables_, slots_, telehodai_, origin_, maData, writes_);
  for (const auto& line : optionLines_) applyOptionLine(line, settings_, slots_, origin_, maData);
  inputs_ = RunInputs{settings_, tables_, {}, telehodai_, origin_, {}};
  for (std::size_t i = 0; i < kMaxLogs; ++i) inputs_.logs[i] = slots_[i].declaration;
}

void CalculationRun::execute(MaDataFile& maData) {
  const MonthBookmark* resumeFrom = replayedMonth_ ? trustedBookmark(*replayedMonth_) : nullptr;
  if (!replayedMonth_) stampLogs();
  openCount_ = openLogs(slots_, settings_.logCount, programDir_);
  tablesGrew_ = false;
  planSettings_ = planSettingsOf(settings_);

  // What a rewrite of zelk.cfg writes back, as it stood after reading.
  const MaLookup originAsRead = origin_;
  const SettingsSnapshot snapshot = takeSettingsSnapshot(settings_, slots_, telehodai_, origin_);

  if (settings_.telechoiceKind != TelechoiceKind::None) registerTelechoiceAreas(settings_, origin_, maData);
  if (settings_.latestMonths == 0 || settings_.latestMonths > 12) settings_.latestMonths = 12;

  // A replay lists a month of the run, whatever day it is now.
  std::optional<CalendarTime> start = inputs_.start;
  if (!replayedMonth_) {
    start = startDate(today(), settings_.meterDay, settings_.latestMonths);
    if (!start) fatalExit(241, sjis("=l option不良"));
    inputs_.start = start;
  } else if (!start) {
    failReplay();
  }
  auto firstPeriod = firstBillingPeriod(*start, settings_.meterDay);
  if (!firstPeriod) failBillingDate();
  BillingPeriod period = *firstPeriod;

  if (settings_.showOriginMa && !origin_.prefixes.empty()) {
    std::string report = sjis("同一MA#  0") + joinedPrefixes(origin_.prefixes) + "\n";
    if (!origin_.adjacentPrefixes.empty())
      report += sjis("隣接MA#  0") + joinedPrefixes(origin_.adjacentPrefixes) + "\n";
    showMessage(report);
  }

  if (!resumeFrom || !resumeAt(*resumeFrom, *replayedMonth_, period)) skipOldCalls(*start);
  mergeCalls(period, maData);
  if (replayedMonth_ && months_.count <= *replayedMonth_) failReplay();
  noteNewestCallBeforeWindow();
  if (!replayedMonth_) inputs_.bookmarks.tablesAfterRun = tables_;

  if (tablesGrew_ && !replayedMonth_ && writes_ == SettingsWrites::Allowed) rewriteSettingsAfterRun(snapshot, tables_);
  index_->runEnded();
  handedOver_ = RunSettings{settings_, originAsRead, telehodai_};
}

// Most records of a long history lie before the months kept, so a record's
// start is read first and the rest only for a call that is kept. A skipped
// record still has its connection name looked up (an unknown one is shown and
// learned), and a date that cannot be normalised is shown after that, as for
// a call read whole. Each log's skipped records are done before the next
// log's; where the index holds what a log's first records gave, that is shown
// and learned from it and reading starts after them.
void CalculationRun::skipOldCalls(const CalendarTime& start) {
  index_->skippingBegins(start, settings_.meterDay);
  std::array<int, kMaxLogs> logOf{0, 1, 2, 3, 4};  // a slot's log, in declaration order
  std::array<bool, kMaxLogs> begun{};
  int i = 0;
  while (i < openCount_) {
    const int log = logOf[i];
    if (!begun[log]) {
      begun[log] = true;
      startFromIndex(log, slots_[i]);
    }
    const std::uint64_t lineAt = slots_[i].file.offset();
    if (readNextStart(i, slots_, openCount_) != 0) {
      logOf[i] = logOf[openCount_];  // the last log moved into i
      continue;
    }
    LogSource& slot = slots_[i];
    const CalendarTime& date = slot.call.start;
    const bool valid = normalise(slot.call.start);
    const bool kept = isLaterDate(date, start);
    if (kept) {
      readCallRest(slot, tables_, tablesGrew_);
      index_->kept(log, lineAt, date, valid);
    } else {
      const auto name = skippedCallName(slot);
      if (name) lookupName(*name, tables_, tablesGrew_);
      index_->skipped(log, lineAt, date, valid, name);
    }
    if (!valid) showOddLine();
    if (kept) {
      ++i;
    } else if (valid) {
      noteSkippedDate(date);
    }
  }
  index_->skippingEnded();
}

void CalculationRun::noteSkippedDate(const CalendarTime& date) {
  if (!newestSkipped_ || isLaterDate(date, *newestSkipped_)) newestSkipped_ = date;
}

// Before the first record of log `log` (declaration order) is read from
// `slot`: where the index holds what the log's first records gave, that is
// shown and learned from it and reading starts after them.
void CalculationRun::startFromIndex(int log, LogSource& slot) {
  const auto start = index_->startOf(log);
  if (!start) return;
  std::vector<std::string_view> names;
  for (const SkippedEvent& event : start->events)
    if (!event.oddDate) names.push_back(event.name);
  if (!learnsEveryName(names, tables_) || !slot.file.seek(start->offset)) return;
  for (const SkippedEvent& event : start->events) {
    if (event.oddDate) {
      showOddLine();
    } else {
      lookupName(event.name, tables_, tablesGrew_);
    }
  }
  if (start->newest) noteSkippedDate(*start->newest);
  index_->startedAt(log);
}

// Taken before the logs are opened: a log that changes while the run reads
// it differs from its stamp afterwards, and its bookmarks are not trusted.
void CalculationRun::stampLogs() {
  const int declared = std::clamp<int>(settings_.logCount, 0, static_cast<int>(kMaxLogs));
  for (int i = 0; i < declared; ++i)
    inputs_.bookmarks.logStamps[i] = fileStampOf(logFilePath(programDir_, slots_[i].declaration.path));
  index_->logsDeclared(inputs_.logs, declared);
}

// The first call of a month is about to be taken: every slot still holds its call.
void CalculationRun::bookmarkMonth(const BillingPeriod& period) {
  if (months_.count < 0 || static_cast<std::size_t>(months_.count) >= kMaxStoredMonths) return;
  MonthBookmark& mark = inputs_.bookmarks.months[static_cast<std::size_t>(months_.count)].emplace();
  mark.openCount = openCount_;
  for (int i = 0; i < openCount_; ++i)
    mark.logs[i] = {slots_[i].declaration, slots_[i].file.offset(), slots_[i].call};
  mark.period = period;
  mark.areaSetSize = tables_.areaSet.size();
  mark.unwritableNameCount = tables_.unwritableNames.size();
  mark.nameReplaceCount = tables_.nameReplaceCount;
}

// The bookmark of the month when the run ended and every log is as it was
// when the run opened it; nullptr otherwise.
const MonthBookmark* CalculationRun::trustedBookmark(int monthIndex) const {
  const RunBookmarks& bookmarks = inputs_.bookmarks;
  if (!bookmarks.tablesAfterRun || monthIndex < 0 || static_cast<std::size_t>(monthIndex) >= kMaxStoredMonths)
    return nullptr;
  const auto& mark = bookmarks.months[static_cast<std::size_t>(monthIndex)];
  if (!mark) return nullptr;
  const int declared = std::clamp<int>(settings_.logCount, 0, static_cast<int>(kMaxLogs));
  for (int i = 0; i < declared; ++i) {
    const auto stamp = fileStampOf(logFilePath(programDir_, slots_[i].declaration.path));
    if (!stamp || stamp != bookmarks.logStamps[i]) return nullptr;
  }
  return &*mark;
}

// Puts the logs, the tables and the month count where they stood as the
// month began. False, with the logs opened from their start again, when a
// log cannot go back to its place.
bool CalculationRun::resumeAt(const MonthBookmark& mark, int monthIndex, BillingPeriod& period) {
  for (std::size_t i = 0; i < kMaxLogs; ++i) slots_[i].file.close();
  for (int i = 0; i < mark.openCount; ++i) slots_[i].declaration = mark.logs[i].declaration;
  openCount_ = openLogs(slots_, mark.openCount, programDir_);
  for (int i = 0; i < openCount_; ++i) {
    if (!slots_[i].file.seek(mark.logs[i].nextLine)) {
      for (std::size_t j = 0; j < kMaxLogs; ++j) slots_[j].declaration = inputs_.logs[j];
      openCount_ = openLogs(slots_, settings_.logCount, programDir_);
      return false;
    }
    slots_[i].call = mark.logs[i].call;
  }
  tables_ = *inputs_.bookmarks.tablesAfterRun;
  tables_.areaSet.truncate(mark.areaSetSize);
  tables_.unwritableNames.resize(mark.unwritableNameCount);
  tables_.nameReplaceCount = mark.nameReplaceCount;
  months_.count = static_cast<std::int16_t>(monthIndex);
  period = mark.period;
  return true;
}

// A first run on old logs keeps none of their months; the user is to learn
// the date that shows them.
void CalculationRun::noteNewestCallBeforeWindow() {
  if (months_.count > 0 || !newestSkipped_) return;
  const auto closing = closingDateOf(*newestSkipped_, settings_.meterDay);
  if (!closing) return;
  newestCallBeforeWindow_ = NewestCallBeforeWindow{localDateOf(*newestSkipped_), localDateOf(*closing)};
}

void CalculationRun::mergeCalls(BillingPeriod period, MaSearch& maData) {
  RowContext rows{table_, tables_, tablesGrew_, origin_, called_, maData};
  while (openCount_ > 0) {
    int chosen = 0;
    std::uint32_t smallest = std::numeric_limits<std::uint32_t>::max();
    for (int i = 0; i < openCount_; ++i) {
      std::uint32_t key = dayKey(slots_[i].call.start);
      if (key < smallest) {
        smallest = key;
        chosen = i;
      }
    }
    CallRecord& call = slots_[chosen].call;

    if (isLaterDate(call.start, period)) {
      closeMonthIfAny(period);
      period = closingDateOrFail(call.start, settings_.meterDay);
    }
    if (replayedMonth_ && months_.count > *replayedMonth_) return;
    if (!replayedMonth_ && table_.used == 0) bookmarkMonth(period);

    if (replayedMonth_ && months_.count == *replayedMonth_ && table_.used == 0) checkReplayedMonth(period);
    NumberTotals& row = table_.rows[static_cast<std::size_t>(resolveRow(call, rows))];
    if (!replayedMonth_ || months_.count == *replayedMonth_) accumulateCall(call, row);

    if (readNextCall(chosen, slots_, openCount_, tables_, tablesGrew_) == 0) normaliseCall(slots_[chosen].call);
  }
  closeMonthIfAny(period);
}

// Before the first call of the replayed month is handed out: a log changed
// since the run may have moved its months, and the calls of another month
// must never be listed under this month's title.
void CalculationRun::checkReplayedMonth(const BillingPeriod& period) {
  const auto& stored = inputs_.monthPeriods[static_cast<std::size_t>(*replayedMonth_)];
  if (!stored || *stored != period) failReplay();
}

void CalculationRun::closeMonthIfAny(const BillingPeriod& period) {
  if (table_.used == 0) return;
  if (!replayedMonth_) {
    if (static_cast<std::size_t>(months_.count) < kMaxStoredMonths)
      inputs_.monthPeriods[static_cast<std::size_t>(months_.count)] = period;
    closeMonth(period, table_, planSettings_, origin_, telehodai_, months_);
  } else if (static_cast<std::size_t>(months_.count) < kMaxStoredMonths) {
    ++months_.count;  // only counted: the replay finds its month by the count
  }
  table_.clear();
}

// Everything the call costs under each carrier. The replay also wants the
// tariff's units beside a logged fee; the run itself computes them only when
// it counts them.
RatedCall CalculationRun::rateCall(CallRecord& call, const NumberTotals& row, const RunningClock& start) const {
  const std::int32_t duration = call.duration;
  RatedCall rated{call, row};
  rated.loggedFee = call.fee;
  if (settings_.fullCalc || call.fee == -1 || onCall_) rated.computedUnits = nttUnits(start, duration, row.band);
  if (settings_.fullCalc || call.fee == -1) call.fee = rated.computedUnits;
  rated.fee = call.fee;
  rated.comUnits = comUnits(start, duration, row.band);
  rated.slot = timeSlotOf(call.start);
  if (settings_.regionalCarrier == RegionalCarrier::Tokyo) {
    rated.relayCharge = ttnetCharge(start, duration, row.band, row.outOfPrefecture);
  } else if (settings_.regionalCarrier == RegionalCarrier::Kyushu) {
    rated.relayCharge = qtnetCharge(start, duration, row.band, row.outOfPrefecture);
    rated.relayReduced = kyushuReduced(*rated.relayCharge, row.number);
  }
  if (settings_.kddi) rated.kddiCharge = kddiCharge(call.start, duration, row.band, row.outOfPrefecture);
  return rated;
}

void CalculationRun::accumulateCall(CallRecord& call, NumberTotals& row) {
  const RunningClock start(call.start);
  const RatedCall rated = rateCall(call, row, start);
  if (onCall_) onCall_(rated);

  const std::int32_t duration = call.duration;
  const std::uint32_t fee = static_cast<std::uint32_t>(rated.fee);
  const std::uint32_t com = static_cast<std::uint32_t>(rated.comUnits);
  const TimeSlot slot = rated.slot;
  const bool late = rated.lateNight();
  auto add = [late](std::uint32_t& lateField, std::uint32_t& restField, std::uint32_t value) {
    (late ? lateField : restField) += value;
  };

  add(row.feeLate, row.feeRest, fee);
  add(row.comUnitsLate, row.comUnitsRest, com);
  if (slot == TimeSlot::LateNight || slot == TimeSlot::HolidayDay) row.comUnitsOffPeak += com;
  if (slot == TimeSlot::WeekdayDay || slot == TimeSlot::Evening)
    row.peakCharge += row.outOfPrefecture ? com : fee;
  if (rated.relayCharge)
    add(row.relayChargeLate, row.relayChargeRest, static_cast<std::uint32_t>(*rated.relayCharge));
  if (rated.relayReduced)
    add(row.relayReducedLate, row.relayReducedRest, static_cast<std::uint32_t>(*rated.relayReduced));
  if (row.band == DistanceBand::InArea) {
    add(row.localFeeLate, row.localFeeRest, fee);
    add(row.localPlanUnitsLate, row.localPlanUnitsRest,
        static_cast<std::uint32_t>(localPlanUnits(start, duration)));
  } else if (row.band == DistanceBand::Adjacent) {
    add(row.adjacentFeeLate, row.adjacentFeeRest, fee);
    add(row.adjacentAsLocalUnitsLate, row.adjacentAsLocalUnitsRest,
        static_cast<std::uint32_t>(nttUnits(start, duration, DistanceBand::InArea)));
  }
  if (rated.kddiCharge)
    add(row.kddiChargeLate, row.kddiChargeRest, static_cast<std::uint32_t>(*rated.kddiCharge));
  row.feeTotal += fee;
  row.comUnitsTotal += com;
}

}  // namespace zelk
