#include "ui/model/month_calls.h"

#include <cstdio>
#include <cstdlib>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "run/month_replay.h"

namespace zelk {
namespace {

std::string startText(const CalendarTime& start) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", start.year + 1900, start.month + 1,
                start.day, start.hour, start.minute, start.second);
  return text;
}

const char* bandCaption(DistanceBand band) {
  switch (band) {
    case DistanceBand::InArea: return "区域内";
    case DistanceBand::Adjacent: return "隣接/～20km";
    case DistanceBand::Upto30km: return "～30km";
    case DistanceBand::Upto60km: return "～60km";
    case DistanceBand::Upto100km: return "～100km";
    case DistanceBand::Upto160km: return "～160km";
    case DistanceBand::Upto170km: return "～170km";
    default: return "170km～";
  }
}

// The tariff's three time bands.
const char* timeBandCaption(TimeSlot slot) {
  switch (slot) {
    case TimeSlot::WeekdayDay: return "昼間";
    case TimeSlot::LateNight: return "深夜・早朝";
    default: return "夜間・休日";
  }
}

// A sum in hundredths or tenths of a yen as yen with its fraction.
std::string fractionText(std::int64_t value, int digits) {
  const std::int64_t scale = digits == 1 ? 10 : 100;
  char text[40];
  std::snprintf(text, sizeof text, "%s%lld.%0*lld", value < 0 ? "-" : "", std::llabs(value) / scale, digits,
                std::llabs(value) % scale);
  return text;
}

std::string integerText(std::int64_t value) { return std::to_string(value); }

// The lengths of integerText and fractionText, counted instead of written.
std::size_t integerLength(std::int64_t value) {
  std::size_t length = value < 0 ? 2 : 1;
  for (std::uint64_t rest = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value; rest >= 10; rest /= 10)
    ++length;
  return length;
}

std::size_t fractionLength(std::int64_t value, int digits) {
  const std::int64_t scale = digits == 1 ? 10 : 100;
  return (value < 0 ? 1 : 0) + integerLength(std::llabs(value) / scale) + 1 + static_cast<std::size_t>(digits);
}

struct ColumnInfo {
  CallColumn column;
  const char* caption;
  bool summed;
};

constexpr ColumnInfo kColumnInfo[kCallColumnCount] = {
    {CallColumn::Start, "開始", false},          {CallColumn::Number, "番号", false},
    {CallColumn::Name, "接続名", false},         {CallColumn::Seconds, "秒数", true},
    {CallColumn::Band, "距離", false},           {CallColumn::OutOfPrefecture, "県外", false},
    {CallColumn::TimeBand, "時間帯", false},     {CallColumn::FeeUnits, "計上度数", true},
    {CallColumn::NttUnits, "NTT東西度数", true}, {CallColumn::NttYen, "NTT東西円", true},
    {CallColumn::ComUnits, "NTTコム度数", true}, {CallColumn::CarrierYen, "地域系円", true},
    {CallColumn::KddiYen, "KDDI円", true},       {CallColumn::LoggedFee, "記録料金度数", true},
};

const ColumnInfo& infoOf(CallColumn column) { return kColumnInfo[static_cast<std::size_t>(column)]; }

// Silences the replay: the run showed its messages already.
class DiscardingSink : public MessageSink {
 public:
  void show(const std::string&, MessageKind) override {}
  void showTally(const MessageTally&) override {}
};

}  // namespace

const std::array<CallColumn, kCallColumnCount> kCallColumns = [] {
  std::array<CallColumn, kCallColumnCount> columns{};
  for (std::size_t i = 0; i < kCallColumnCount; ++i) columns[i] = kColumnInfo[i].column;
  return columns;
}();

CallLine callLineOf(const RatedCall& rated) {
  CallLine line;
  line.start = startText(rated.call.start);
  line.number = rated.call.number;
  line.name = rated.call.name;
  line.seconds = (rated.call.duration + 5) / 10;
  line.band = rated.row.band;
  line.outOfPrefecture = rated.row.outOfPrefecture != 0;
  line.slot = rated.slot;
  line.feeUnits = rated.fee;
  line.nttUnits = rated.computedUnits;
  line.comUnits = rated.comUnits;
  line.carrierTenths = rated.relayCharge;
  line.carrierReducedTenths = rated.relayReduced;
  line.kddiHundredths = rated.kddiCharge;
  if (rated.loggedFee >= 0) line.loggedFee = rated.loggedFee;
  return line;
}

std::string columnCaption(CallColumn column) { return sjis(infoOf(column).caption); }

bool isSummed(CallColumn column) { return infoOf(column).summed; }

std::int64_t cellValue(const CallLine& call, CallColumn column) {
  switch (column) {
    case CallColumn::Seconds: return call.seconds;
    case CallColumn::FeeUnits: return call.feeUnits;
    case CallColumn::NttUnits: return call.nttUnits;
    case CallColumn::NttYen: return std::int64_t{call.nttUnits} * 10;
    case CallColumn::ComUnits: return call.comUnits;
    case CallColumn::CarrierYen: return call.carrierTenths.value_or(0);
    case CallColumn::KddiYen: return call.kddiHundredths.value_or(0);
    case CallColumn::LoggedFee: return call.loggedFee.value_or(0);
    case CallColumn::Band: return static_cast<int>(call.band);
    case CallColumn::OutOfPrefecture: return call.outOfPrefecture;
    case CallColumn::TimeBand: return static_cast<int>(call.slot);
    default: return 0;
  }
}

std::string cellText(const CallLine& call, CallColumn column) {
  switch (column) {
    case CallColumn::Start: return call.start;
    case CallColumn::Number: return call.number;
    case CallColumn::Name: return call.name;
    case CallColumn::Band: return sjis(bandCaption(call.band));
    case CallColumn::OutOfPrefecture: return call.outOfPrefecture ? sjis("県外") : "";
    case CallColumn::TimeBand: return sjis(timeBandCaption(call.slot));
    case CallColumn::CarrierYen: return call.carrierTenths ? fractionText(*call.carrierTenths, 1) : "";
    case CallColumn::KddiYen: return call.kddiHundredths ? fractionText(*call.kddiHundredths, 2) : "";
    case CallColumn::LoggedFee: return call.loggedFee ? integerText(*call.loggedFee) : "";
    default: return integerText(cellValue(call, column));
  }
}

namespace {

// cellText(call, column).size() without making the text.
std::size_t cellTextLength(const CallLine& call, CallColumn column) {
  switch (column) {
    case CallColumn::Start: return call.start.size();
    case CallColumn::Number: return call.number.size();
    case CallColumn::Name: return call.name.size();
    case CallColumn::Band: return sjis(bandCaption(call.band)).size();
    case CallColumn::OutOfPrefecture: return call.outOfPrefecture ? sjis("県外").size() : 0;
    case CallColumn::TimeBand: return sjis(timeBandCaption(call.slot)).size();
    case CallColumn::CarrierYen: return call.carrierTenths ? fractionLength(*call.carrierTenths, 1) : 0;
    case CallColumn::KddiYen: return call.kddiHundredths ? fractionLength(*call.kddiHundredths, 2) : 0;
    case CallColumn::LoggedFee: return call.loggedFee ? integerLength(*call.loggedFee) : 0;
    default: return integerLength(cellValue(call, column));
  }
}

}  // namespace

WidestCells widestCells(const MonthCalls& calls) {
  WidestCells widest;
  for (std::size_t row = 0; row < calls.calls.size(); ++row) {
    for (std::size_t i = 0; i < kCallColumnCount; ++i) {
      const std::size_t length = cellTextLength(calls.calls[row], kCallColumns[i]);
      if (length > widest.length[i]) {
        widest.length[i] = length;
        widest.row[i] = row;
      }
    }
  }
  return widest;
}

std::int64_t MonthCalls::total(CallColumn column) const {
  std::int64_t sum = 0;
  for (const auto& call : calls) sum += cellValue(call, column);
  return sum;
}

std::string MonthCalls::totalText(CallColumn column) const { return sumText(column, total(column)); }

std::string sumText(CallColumn column, std::int64_t sum) {
  if (!isSummed(column)) return "";
  if (column == CallColumn::CarrierYen) return fractionText(sum, 1);
  if (column == CallColumn::KddiYen) return fractionText(sum, 2);
  return integerText(sum);
}

MonthCalls monthCalls(const RunResult& run, int monthIndex) {
  DiscardingSink quiet;
  ScopedMessageSink sink(quiet);
  MonthCalls result;
  replayMonth(run, monthIndex, [&result](const RatedCall& rated) { result.calls.push_back(callLineOf(rated)); });
  return result;
}

std::string callsCsv(const MonthCalls& calls) {
  auto field = [](const std::string& cp932) {
    std::string text = toUtf8(cp932);
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
  };
  std::string csv = "\xEF\xBB\xBF";
  auto addLine = [&](auto cellOf) {
    for (std::size_t i = 0; i < kCallColumnCount; ++i) csv += (i ? "," : "") + field(cellOf(kCallColumns[i]));
    csv += "\r\n";
  };
  addLine([](CallColumn column) { return columnCaption(column); });
  for (const auto& call : calls.calls) addLine([&call](CallColumn column) { return cellText(call, column); });
  return csv;
}

}  // namespace zelk
