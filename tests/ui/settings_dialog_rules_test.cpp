#include <gtest/gtest.h>

#include "platform/messages.h"
#include "support/test_support.h"
#include "ui/model/settings_form.h"

namespace zelk {
namespace {

using test::sj;

// Two MAs: Tokyo (3) with the adjacent 42 and 44, and Osaka (6).
class TwoMas : public MaSearch {
 public:
  int findSingle(std::string_view number, MaLookup& lookup) override {
    searched.emplace_back(number);
    for (const MaLookup& ma : mas()) {
      for (const auto& prefix : ma.prefixes) {
        if (number.substr(0, prefix.size()) == prefix) {
          auto areas = lookup.areaList;
          lookup = ma;
          lookup.areaList = areas;
          return static_cast<int>(ma.prefixes.size());
        }
      }
    }
    showMessage("not found");
    auto areas = lookup.areaList;
    lookup.clear();
    lookup.areaList = areas;
    return 0;
  }
  int findAccumulate(std::string_view, MaLookup& lookup) override { return static_cast<int>(lookup.areaList.size()); }

  static MaLookup tokyo() {
    MaLookup ma;
    ma.name = "Tokyo";
    ma.prefixes = {"3"};
    ma.adjacentPrefixes = {"42", "44"};
    return ma;
  }
  static std::vector<MaLookup> mas() {
    MaLookup osaka;
    osaka.name = "Osaka";
    osaka.prefixes = {"6"};
    return {tokyo(), osaka};
  }
  std::vector<std::string> searched;
};

class SettingsDialogRules : public ::testing::Test {
 protected:
  SettingsForm loaded() {
    SettingsForm form;
    loadSettingsForm(records, form);
    return form;
  }
  bool store(const SettingsForm& form) { return storeSettingsForm(form, records, mas); }

  Configuration records;
  TwoMas mas;
  RecordingSink sink;
  ScopedMessageSink scope{sink};
};

TEST_F(SettingsDialogRules, MeterDayItems) {
  struct Case {
    std::int16_t meterDay;
    int item;
  };
  const Case cases[] = {{6, 0}, {11, 1}, {16, 2}, {21, 3}, {26, 4}, {1, 5}, {15, -1}, {0, -1}};
  for (const Case& c : cases) {
    records.settings.meterDay = c.meterDay;
    SettingsForm form = loaded();
    EXPECT_EQ(form.deadline, c.item) << c.meterDay;
    form.telnum = "03";
    ASSERT_TRUE(store(form));
    // An item stores its day; no item keeps the day that was read.
    EXPECT_EQ(records.settings.meterDay, c.meterDay) << c.meterDay;
  }
  SettingsForm form = loaded();
  form.deadline = 2;
  store(form);
  EXPECT_EQ(records.settings.meterDay, 16);
}

TEST_F(SettingsDialogRules, TelechoiceButtonsStoreKindAndPrefix) {
  struct Case {
    int button;
    std::int16_t kind;
    const char* text;
  };
  const Case cases[] = {{0, 0, ""}, {1, 1, "10011,06"}, {2, 2, "15011,06"}, {3, 3, "30011,06"}};
  for (const Case& c : cases) {
    SettingsForm form = loaded();
    form.telnum = "03";
    form.telechoice = c.button;
    form.telechoiceAreas = "011,06";
    ASSERT_TRUE(store(form));
    EXPECT_EQ(static_cast<int>(records.settings.telechoiceKind), c.kind);
    EXPECT_EQ(records.settings.telechoiceText, c.text);
    // Loading gives the button and the areas back (none keeps no areas).
    SettingsForm again = loaded();
    EXPECT_EQ(again.telechoice, c.button);
    EXPECT_EQ(again.telechoiceAreas, c.button == 0 ? "" : "011,06");
  }
}

TEST_F(SettingsDialogRules, TelechoiceTextIsCutTo127Bytes) {
  SettingsForm form = loaded();
  form.telnum = "03";
  form.telechoice = kTelechoice15;
  form.telechoiceAreas = std::string(200, '1');
  store(form);
  EXPECT_EQ(records.settings.telechoiceText.size(), 127u);
}

TEST_F(SettingsDialogRules, RegionalCarrierItems) {
  struct Case {
    std::int16_t carrier;
    int item;
  };
  for (const Case& c : {Case{1, 0}, Case{2, 1}, Case{0, 2}}) {
    records.settings.regionalCarrier = static_cast<RegionalCarrier>(c.carrier);
    SettingsForm form = loaded();
    EXPECT_EQ(form.ttnet, c.item);
    records.settings.regionalCarrier = static_cast<RegionalCarrier>(7);
    form.telnum = "03";
    store(form);
    EXPECT_EQ(static_cast<int>(records.settings.regionalCarrier), c.carrier);
  }
}

TEST_F(SettingsDialogRules, FlagItemsBothWays) {
  // Each flag on and off: load gives the item, store gives the flag back.
  for (int on = 0; on <= 1; ++on) {
    Settings& s = records.settings;
    s.fullCalc = s.isdn = s.estimate = s.flets = static_cast<std::uint8_t>(on);
    s.kddi = static_cast<std::int16_t>(on);
    SettingsForm form = loaded();
    EXPECT_EQ(form.zelkFee, on);
    EXPECT_EQ(form.isdn, on);
    EXPECT_EQ(form.estimation, on);
    EXPECT_EQ(form.kdd, 1 - on);     // "KDDI利用" is the first item
    EXPECT_EQ(form.fletsi, 1 - on);  // "指定あり" is the first item
    s.fullCalc = s.isdn = s.estimate = s.flets = static_cast<std::uint8_t>(1 - on);
    s.kddi = static_cast<std::int16_t>(1 - on);
    form.telnum = "03";
    store(form);
    EXPECT_EQ(s.fullCalc, on);
    EXPECT_EQ(s.isdn, on);
    EXPECT_EQ(s.estimate, on);
    EXPECT_EQ(s.flets, on);
    EXPECT_EQ(s.kddi, on);
  }
}

TEST_F(SettingsDialogRules, LatestMonths) {
  records.settings.latestMonths = 6;
  SettingsForm form = loaded();
  EXPECT_EQ(form.last, 1);
  EXPECT_EQ(form.lastMonths, "6");

  // "全データ出力" keeps the edit's text for the next opening.
  records.settings.latestMonths = 0;
  loadSettingsForm(records, form);
  EXPECT_EQ(form.last, 0);
  EXPECT_EQ(form.lastMonths, "6");
  form.telnum = "03";
  store(form);
  EXPECT_EQ(records.settings.latestMonths, 0);

  form.last = 1;
  form.lastMonths = " 12 ";
  store(form);
  EXPECT_EQ(records.settings.latestMonths, 12);
}

TEST_F(SettingsDialogRules, MonthCountMustBeANumber) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {{"0", 0},          {"12", 12},           {"  3", 3},           {"32767", 32767},
                        {"", std::nullopt}, {"abc", std::nullopt}, {"1 2", std::nullopt}, {"-1", std::nullopt},
                        {"32768", std::nullopt}, {"123456", std::nullopt}, {"１２", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(monthCountOf(c.text), c.value) << c.text;
}

TEST_F(SettingsDialogRules, ANonNumericMonthCountStoresNothing) {
  records.settings.meterDay = 16;
  records.settings.latestMonths = 3;
  records.tables.numberReplaceCount = 0;
  SettingsForm form = loaded();
  form.telnum = "06";
  form.deadline = 0;
  form.logs.append(0, "x");
  form.replaceNo[0] = {"1", "2"};
  form.lastMonths = "twelve";
  ASSERT_TRUE(settingsFormProblem(form).has_value());
  EXPECT_FALSE(store(form));
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], *settingsFormProblem(form));
  EXPECT_TRUE(mas.searched.empty());
  EXPECT_EQ(records.settings.meterDay, 16);
  EXPECT_EQ(records.settings.latestMonths, 3);
  EXPECT_EQ(records.settings.logCount, 0);
  EXPECT_EQ(records.tables.numberReplaceCount, 0);

  // With "全データ出力" the edit is not read.
  form.last = 0;
  EXPECT_FALSE(settingsFormProblem(form).has_value());
}

TEST_F(SettingsDialogRules, OriginIsLookedUpWithoutItsFirstCharacter) {
  records.origin = TwoMas::tokyo();
  SettingsForm form = loaded();
  EXPECT_EQ(form.telnum, "03");
  form.telnum = "0612345678";
  store(form);
  EXPECT_EQ(mas.searched, std::vector<std::string>{"612345678"});
  EXPECT_EQ(records.origin.name, "Osaka");
}

TEST_F(SettingsDialogRules, AnEmptyOriginIsRefusedAndKept) {
  records.origin = TwoMas::tokyo();
  SettingsForm form = loaded();
  form.telnum.clear();
  store(form);
  EXPECT_TRUE(mas.searched.empty());
  EXPECT_EQ(records.origin.name, "Tokyo");
  EXPECT_EQ(sink.messages, std::vector<std::string>{sj(
                               "=[tel#]にzelkが判別できない番号、あるいは不正な番号が入力されました\n"
                               "[zelk.cfg]へは登録はしません。")});
  EXPECT_EQ(loaded().telnum, "03");
}

TEST_F(SettingsDialogRules, TelehodaiEligibility) {
  struct Case {
    std::array<std::string, 2> edits;
    int count;
    int adjacent;
    std::array<std::string, 2> numbers;
  };
  const Case cases[] = {
      {{"03-3200-1111", ""}, 1, 0, {"0332001111", ""}},
      {{"", "0422-11-1111"}, 1, 1, {"0422111111", ""}},
      {{"0612345678", "0332001111"}, 1, 0, {"0332001111", ""}},  // Osaka is dropped
      {{"0332001111", "0441234567"}, 2, 1, {"0332001111", "0441234567"}},
      {{"3200-1111", ""}, 1, 0, {"32001111", ""}},  // no area code: in the own MA
      {{"--", "06"}, 0, 0, {"", ""}},
      {{"033200111122", ""}, 1, 0, {"03320011112", ""}},  // 11 digits at most
  };
  for (const Case& c : cases) {
    const TelehodaiNumbers t = telehodaiFromEdits(c.edits, TwoMas::tokyo());
    EXPECT_EQ(t.count, c.count) << c.edits[0] << "|" << c.edits[1];
    EXPECT_EQ(t.adjacent, c.adjacent) << c.edits[0] << "|" << c.edits[1];
    EXPECT_EQ(t.number, c.numbers) << c.edits[0] << "|" << c.edits[1];
  }
}

TEST_F(SettingsDialogRules, TelehodaiIsClassifiedAgainstTheNewOrigin) {
  records.origin = TwoMas::tokyo();
  SettingsForm form = loaded();
  form.telnum = "06";
  form.telehodai = {"0612345678", "0332001111"};
  store(form);
  EXPECT_EQ(records.telehodai.count, 1);
  EXPECT_EQ(records.telehodai.number[0], "0612345678");
}

TEST_F(SettingsDialogRules, TelehodaiEditsFollowTheList) {
  records.telehodai.count = 2;
  records.telehodai.number = {"0332001111", "0422111111"};
  SettingsForm form = loaded();
  EXPECT_EQ(form.telehodai, (std::array<std::string, 2>{"0332001111", "0422111111"}));
  records.telehodai = {};
  loadSettingsForm(records, form);
  EXPECT_EQ(form.telehodai, (std::array<std::string, 2>{}));
}

TEST_F(SettingsDialogRules, NumberReplaceGridSkipsHalfRowsAndClosesUp) {
  ReplaceGrid grid;  // every cell empty
  grid[0] = {"0081-028-651", "651-3026"};
  grid[1] = {"", ""};
  grid[2] = {"123", ""};
  grid[3] = {"", "456"};
  grid[4] = {"abc", "789"};  // no digits in the logged number
  grid[7] = {"0,312", "(03)999"};
  grid[19] = {"5", "6"};
  ReplaceTables tables;
  tables.numberReplace[5] = {"stale", "stale"};
  numberReplaceFromGrid(grid, tables);
  ASSERT_EQ(tables.numberReplaceCount, 3);
  EXPECT_EQ(tables.numberReplace[0].from, "0081028651");
  EXPECT_EQ(tables.numberReplace[0].to, "6513026");
  EXPECT_EQ(tables.numberReplace[1].from, "312");
  EXPECT_EQ(tables.numberReplace[1].to, "03999");
  EXPECT_EQ(tables.numberReplace[2].from, "5");
  EXPECT_EQ(tables.numberReplace[5].from, "");
}

TEST_F(SettingsDialogRules, NameReplaceGridCutsNamesTo38Bytes) {
  ReplaceGrid grid;  // every cell empty
  grid[1] = {"NIFTY 2", "03-3200-0000"};
  grid[2] = {"So-net", ""};
  grid[3] = {"nothing", "none"};
  grid[5] = {std::string(40, 'n'), "1234567"};
  grid[6] = {std::string(37, 'x') + sj("東京"), "7"};
  ReplaceTables tables;
  nameReplaceFromGrid(grid, tables);
  ASSERT_EQ(tables.nameReplaceCount, 3);
  EXPECT_EQ(tables.nameReplace[0].name, "NIFTY 2");
  EXPECT_EQ(tables.nameReplace[0].number, "0332000000");
  EXPECT_EQ(tables.nameReplace[1].name, std::string(38, 'n'));
  EXPECT_EQ(tables.nameReplace[2].name, std::string(37, 'x'));
}

TEST_F(SettingsDialogRules, GridsLoadTheirTablesAndEmptyTheRest) {
  records.tables.numberReplace[0] = {"1", "2"};
  records.tables.numberReplaceCount = 1;
  records.tables.nameReplace[0] = {"0999", "PPP"};
  records.tables.nameReplaceCount = 1;
  SettingsForm form;
  form.replaceNo[4] = {"left", "over"};
  loadSettingsForm(records, form);
  EXPECT_EQ(form.replaceNo[0], (std::array<std::string, 2>{"1", "2"}));
  EXPECT_EQ(form.replaceNo[4], (std::array<std::string, 2>{}));
  EXPECT_EQ(form.replaceName[0], (std::array<std::string, 2>{"PPP", "0999"}));
}

TEST_F(SettingsDialogRules, LoadThenStoreKeepsEveryRecord) {
  Settings& s = records.settings;
  s.meterDay = 21;
  s.regionalCarrier = RegionalCarrier::Kyushu;
  s.kddi = 1;
  s.latestMonths = 12;
  s.telechoiceKind = TelechoiceKind::Plan15;
  s.telechoiceText = "15011,0252";
  s.estimate = 1;
  s.isdn = 1;
  s.flets = 1;
  s.outputPath = "m:\\out\\";
  s.hiddenFlags[6] = 0x80;
  s.logCount = 2;
  records.logs[0] = {LogFormat::A1, "c:\\ac\\access.log"};
  records.logs[1] = {LogFormat::W, "wterm.tel"};
  records.origin = TwoMas::tokyo();
  records.telehodai.count = 2;
  records.telehodai.adjacent = 1;
  records.telehodai.number = {"0332001111", "0422111111"};
  records.tables.numberReplace[0] = {"0081028651", "6513026"};
  records.tables.numberReplaceCount = 1;
  records.tables.nameReplace[0] = {"0332000000", "NIFTY 2"};
  records.tables.nameReplaceCount = 1;
  records.tables.areaSet = {{"0570123456", DistanceBand::Beyond170km}};
  const Configuration before = records;

  ASSERT_TRUE(store(loaded()));
  const Settings& a = records.settings;
  EXPECT_EQ(a.meterDay, 21);
  EXPECT_EQ(a.regionalCarrier, RegionalCarrier::Kyushu);
  EXPECT_EQ(a.kddi, 1);
  EXPECT_EQ(a.latestMonths, 12);
  EXPECT_EQ(a.telechoiceKind, TelechoiceKind::Plan15);
  EXPECT_EQ(a.telechoiceText, "15011,0252");
  EXPECT_EQ(a.estimate, 1);
  EXPECT_EQ(a.isdn, 1);
  EXPECT_EQ(a.flets, 1);
  EXPECT_EQ(a.fullCalc, 0);
  EXPECT_EQ(a.outputPath, before.settings.outputPath);
  EXPECT_EQ(a.hiddenFlags, before.settings.hiddenFlags);
  EXPECT_EQ(a.logCount, 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(records.logs[i].format, before.logs[i].format);
    EXPECT_EQ(records.logs[i].path, before.logs[i].path);
  }
  EXPECT_EQ(records.origin.name, "Tokyo");
  EXPECT_EQ(records.telehodai.count, 2);
  EXPECT_EQ(records.telehodai.adjacent, 1);
  EXPECT_EQ(records.telehodai.number, before.telehodai.number);
  EXPECT_EQ(records.tables.numberReplace[0].to, "6513026");
  EXPECT_EQ(records.tables.nameReplace[0].name, "NIFTY 2");
  EXPECT_EQ(records.tables.areaSet.size(), 1u);
  EXPECT_EQ(records.tables.areaSet[0].band, DistanceBand::Beyond170km);
  EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
}  // namespace zelk
