#include "run/settings_check.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "base/ma_geography.h"
#include "config/option_line.h"
#include "config/settings_reader.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {
namespace {

constexpr std::size_t kShownLineBytes = 72;

struct FindingText {
  SettingsFinding finding;
  const char* utf8;
};

constexpr FindingText kFindingTexts[] = {
    {SettingsFinding::UnknownOption, "知らないオプションなので読み飛ばします"},
    {SettingsFinding::MeterDayOutOfRange, "検針日は =d1～=d31 か =de で指定してください"},
    {SettingsFinding::LatestMonthsOutOfRange, "=l は1～12で指定してください(このままでは12か月になります)"},
    {SettingsFinding::SixthLog, "ログは5つまでなので、この行は読み飛ばします"},
    {SettingsFinding::TextCut, "長すぎるので切り詰めて読みます(パスなどは127バイト、接続名は38バイトまで)"},
    {SettingsFinding::LineCut, "511バイトを超えた部分は読み飛ばします"},
    {SettingsFinding::TableFull, "この表はいっぱいなので読み飛ばします"},
    {SettingsFinding::MissingEquals, "\"=\" (\"$\" と \"N\" の行は \"==\") がないので読み飛ばします"},
    {SettingsFinding::NoBand, "距離区分が1～8でないので、この行は使われません"},
    {SettingsFinding::OwnNumberEmpty, "自分の電話番号が空です"},
    {SettingsFinding::OwnNumberNotFound, "自分の電話番号のMAがMAデータにありません"},
    {SettingsFinding::TelehodaiOutsideMa,
     "自分のMAにも隣接MAにもない番号なので、テレホーダイの番号がすべて無効になります"},
    {SettingsFinding::TelehodaiListInvalid, "テレホーダイの番号が無効になった後なので読み飛ばします"},
    {SettingsFinding::Unreadable, "Shift-JISで表せない文字があるので読み飛ばします"},
    {SettingsFinding::OtherEncoding, "ファイルのほかの行と違う文字コードで書かれています(その文字コードで読みます)"},
};

std::string findingText(SettingsFinding finding) {
  for (const auto& entry : kFindingTexts)
    if (entry.finding == finding) return sjis(entry.utf8);
  return {};
}

// The "%" digit and the words of each band an area-set entry can hold.
struct BandName {
  DistanceBand band;
  char digit;
  const char* utf8;
};
constexpr BandName kBandNames[] = {
    {DistanceBand::InArea, '1', "同一MA"},       {DistanceBand::Adjacent, '2', "隣接MA(20km以内)"},
    {DistanceBand::Upto30km, '3', "30kmまで"},   {DistanceBand::Upto60km, '4', "60kmまで"},
    {DistanceBand::Upto100km, '5', "100kmまで"}, {DistanceBand::Upto160km, '6', "160kmまで"},
    {DistanceBand::Upto170km, '7', "170kmまで"}, {DistanceBand::Beyond170km, '8', "170km超"},
};

const BandName* bandName(DistanceBand band) {
  for (const auto& name : kBandNames)
    if (name.band == band) return &name;
  return nullptr;
}

// Gathers the findings of the line being read.
class Gatherer : public SettingsObserver {
 public:
  explicit Gatherer(std::vector<SettingsCheckItem>& items) : items_(items) {}

  void startLine(int fileLine, int argument, std::string_view line) {
    current_ = {fileLine, argument, std::string(line), {}};
  }
  void noted(SettingsFinding finding) override {
    // An empty number is not looked for in the MA data as well.
    if (finding == SettingsFinding::OwnNumberNotFound && lastNoted_ == SettingsFinding::OwnNumberEmpty) return;
    lastNoted_ = finding;
    add(findingText(finding));
  }
  void add(std::string text) {
    items_.push_back(current_);
    items_.back().text = std::move(text);
  }
  const SettingsCheckItem& current() const { return current_; }

 private:
  std::vector<SettingsCheckItem>& items_;
  SettingsCheckItem current_;
  std::optional<SettingsFinding> lastNoted_;
};

// Where each area-set entry was read, in the order of the table.
using AreaSetSource = SettingsCheckItem;

void checkBeyond170km(const ReplaceTables& tables, const std::vector<AreaSetSource>& sources,
                      const MaLookup& origin, MaSearch& maSearch,
                      std::vector<SettingsCheckItem>& items) {
  if (!origin.found()) return;  // no distance without the own MA: reported already
  MaLookup called;
  std::size_t i = 0;
  for (auto at = tables.areaSet.begin(); at != tables.areaSet.end() && i < sources.size(); ++at, ++i) {
    const AreaSetItem entry = *at;
    if (entry.band != DistanceBand::Beyond170km || entry.number.empty()) continue;
    called.clear();
    maSearch.findSingle(std::string_view(entry.number).substr(1), called);
    if (!called.found()) continue;
    DistanceBand band = originBand(entry.number, origin);
    if (band == DistanceBand::Undetermined) band = distanceBand(called, origin.x, origin.y);
    const BandName* name = bandName(band);
    if (!name) continue;
    std::string text = sjis("MAデータで場所が分かります: ") + called.name + " " + sjis(name->utf8);
    text += band == DistanceBand::Beyond170km
                ? sjis("なので、この行はなくても同じです")
                : sjis("。\"%") + name->digit + "=" + std::string(entry.number) + sjis("\" と書き直せます");
    items.push_back(sources[i]);
    items.back().text = std::move(text);
  }
}

}  // namespace

std::vector<SettingsCheckItem> checkSettings(const std::string& programDir,
                                             const std::vector<std::string>& optionLines,
                                             MaSearch& maSearch) {
  // The reading's own messages (not found, too long name) are told as items.
  RecordingSink quiet;
  ScopedMessageSink sink(quiet);

  Configuration configuration = defaultConfiguration(programDir);
  const ReplaceTables& tables = configuration.tables;
  const MaLookup& origin = configuration.origin;

  std::vector<SettingsCheckItem> items;
  Gatherer gatherer(items);
  std::vector<AreaSetSource> areaSetSources;
  auto noteAreaSetSources = [&] {
    while (areaSetSources.size() < tables.areaSet.size())
      areaSetSources.push_back(gatherer.current());
  };

  const std::string path = programDir + "zelk.cfg";
  const auto state = readSettingsLines(path, configuration.settings, [&](const SettingsFileLine& line) {
    gatherer.startLine(line.number, 0, line.text);
    if (line.unreadable) return gatherer.noted(SettingsFinding::Unreadable);
    if (line.otherEncoding) gatherer.noted(SettingsFinding::OtherEncoding);
    if (line.cut) gatherer.noted(SettingsFinding::LineCut);
    applySettingsFileLine(line.text, configuration, maSearch, &gatherer);
    noteAreaSetSources();
  });
  if (state == SettingsFileState::Missing) {
    gatherer.startLine(0, 0, "");
    gatherer.add(sjis("ファイルがありません(実行すると既定の設定で作ります)"));
  }
  for (std::size_t i = 0; i < optionLines.size(); ++i) {
    gatherer.startLine(0, static_cast<int>(i + 1), optionLines[i]);
    applyOptionLine(optionLines[i], configuration, maSearch, &gatherer);
  }

  const bool ownNumberTold = std::any_of(items.begin(), items.end(), [](const SettingsCheckItem& item) {
    return item.text == findingText(SettingsFinding::OwnNumberEmpty) ||
           item.text == findingText(SettingsFinding::OwnNumberNotFound);
  });
  if (!origin.found() && !ownNumberTold) {
    gatherer.startLine(0, 0, "");
    gatherer.add(sjis("自分の電話番号 (=0...) がありません。距離が決まらないので料金を計算できません"));
  }
  checkBeyond170km(tables, areaSetSources, origin, maSearch, items);
  // The file line by line, then the option lines given.
  std::stable_sort(items.begin(), items.end(), [](const SettingsCheckItem& a, const SettingsCheckItem& b) {
    return std::pair(a.argument, a.fileLine) < std::pair(b.argument, b.fileLine);
  });
  return items;
}

std::string checkReportText(const std::vector<SettingsCheckItem>& items) {
  std::string text;
  for (const auto& item : items) {
    if (item.argument > 0)
      text += sjis("引数") + std::to_string(item.argument) + ": ";
    else
      text += "zelk.cfg" + (item.fileLine > 0 ? ":" + std::to_string(item.fileLine) : "") + ": ";
    // A long line is shown by its beginning: the place says which it is.
    if (item.line.size() > kShownLineBytes)
      text += cutText(item.line, kShownLineBytes) + "...: ";
    else if (!item.line.empty())
      text += item.line + ": ";
    text += item.text + "\n";
  }
  return text;
}

}  // namespace zelk
