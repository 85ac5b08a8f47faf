#include <gtest/gtest.h>

#include "platform/messages.h"
#include "support/test_support.h"
#include "ui/model/area_set_list.h"

namespace zelk {
namespace {

using test::sj;

AreaSetList listOf(std::vector<AreaSetEntry> entries) {
  ReplaceTables tables;
  tables.areaSet = std::move(entries);
  return AreaSetList::fromTables(tables);
}

AreaSetList fullList() {
  std::vector<AreaSetEntry> entries;
  for (int i = 0; i < 50; ++i) entries.push_back({"0570" + std::to_string(100000 + i), DistanceBand::Upto60km});
  return listOf(entries);
}

// Records what the fee-table window was asked and gives a fixed answer.
struct FeeWindow {
  explicit FeeWindow(std::optional<DistanceBand> given) : answer(given) {}
  std::optional<DistanceBand> answer;
  std::vector<std::pair<std::string, DistanceBand>> asked;
  BandQuestion question() {
    return [this](const std::string& number, DistanceBand preselect) {
      asked.emplace_back(number, preselect);
      return answer;
    };
  }
};

BandProposal proposing(DistanceBand band, std::vector<std::string>* seen = nullptr) {
  return [band, seen](std::string_view number) {
    if (seen) seen->emplace_back(number);
    return band;
  };
}

class AreaSetRules : public ::testing::Test {
 protected:
  RecordingSink sink;
  ScopedMessageSink scope{sink};
};

TEST_F(AreaSetRules, AddsANewNumberWithTheChosenBand) {
  AreaSetList list = listOf({{"0312345678", DistanceBand::Upto100km}});
  FeeWindow window{DistanceBand::Upto160km};
  std::vector<std::string> proposed;
  EXPECT_EQ(changeAreaEntry(list, "0570-01-2345", proposing(DistanceBand::Upto30km, &proposed), window.question()),
            AreaChange::Added);
  EXPECT_EQ(proposed, std::vector<std::string>{"0570012345"});
  ASSERT_EQ(window.asked.size(), 1u);
  EXPECT_EQ(window.asked[0], std::make_pair(std::string("0570012345"), DistanceBand::Upto30km));
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list.at(1).number, "0570012345");
  EXPECT_EQ(list.at(1).band, DistanceBand::Upto160km);
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(AreaSetRules, AnExistingNumberChangesItsBandAndPreselectsIt) {
  AreaSetList list = listOf({{"0312345678", DistanceBand::Upto100km}, {"0612345678", DistanceBand::Adjacent}});
  FeeWindow window{DistanceBand::Beyond170km};
  EXPECT_EQ(changeAreaEntry(list, "06-1234-5678", proposing(DistanceBand::InArea), window.question()),
            AreaChange::Changed);
  EXPECT_EQ(window.asked[0].second, DistanceBand::Adjacent);
  EXPECT_EQ(list.size(), 2);
  EXPECT_EQ(list.at(1).band, DistanceBand::Beyond170km);
}

TEST_F(AreaSetRules, TheLastOfTwoEqualNumbersIsTheOneChanged) {
  AreaSetList list = listOf({{"0612345678", DistanceBand::Adjacent}, {"0612345678", DistanceBand::Upto60km}});
  FeeWindow window{DistanceBand::InArea};
  changeAreaEntry(list, "0612345678", proposing(DistanceBand::InArea), window.question());
  EXPECT_EQ(window.asked[0].second, DistanceBand::Upto60km);
  EXPECT_EQ(list.at(0).band, DistanceBand::Adjacent);
  EXPECT_EQ(list.at(1).band, DistanceBand::InArea);
}

TEST_F(AreaSetRules, CancellingTheFeeWindowChangesNothing) {
  AreaSetList list = listOf({{"0612345678", DistanceBand::Adjacent}});
  FeeWindow window{std::nullopt};
  EXPECT_EQ(changeAreaEntry(list, "0612345678", proposing(DistanceBand::InArea), window.question()),
            AreaChange::Cancelled);
  EXPECT_EQ(changeAreaEntry(list, "0999", proposing(DistanceBand::InArea), window.question()),
            AreaChange::Cancelled);
  EXPECT_EQ(list.size(), 1);
  EXPECT_EQ(list.at(0).band, DistanceBand::Adjacent);
}

TEST_F(AreaSetRules, EmptyOrDigitlessTextsAskNothing) {
  struct Case {
    const char* text;
    AreaChange outcome;
    const char* message;
  };
  const Case cases[] = {
      {"", AreaChange::NoText, "番号を入力または選択して下さい"},
      {"abc-", AreaChange::NoDigits, "番号を入力してください"},
  };
  for (const Case& c : cases) {
    sink.messages.clear();
    AreaSetList list;
    FeeWindow window{DistanceBand::InArea};
    EXPECT_EQ(changeAreaEntry(list, c.text, proposing(DistanceBand::InArea), window.question()), c.outcome);
    EXPECT_EQ(sink.messages, std::vector<std::string>{sj(c.message)});
    EXPECT_TRUE(window.asked.empty());
    EXPECT_EQ(list.size(), 0);
  }
}

TEST_F(AreaSetRules, ANewNumberBeyondFiftyIsRefusedWithoutAQuestion) {
  // Also when the calculation left more than 50 entries behind.
  for (int extra : {0, 7}) {
    sink.messages.clear();
    AreaSetList list = fullList();
    for (int i = 0; i < extra; ++i) list.add({"0990" + std::to_string(i), DistanceBand::Beyond170km});
    FeeWindow window{DistanceBand::Upto30km};
    EXPECT_EQ(changeAreaEntry(list, "0120000000", proposing(DistanceBand::UnknownDistance), window.question()),
              AreaChange::OverLimit);
    EXPECT_EQ(sink.messages, std::vector<std::string>{sj("登録限度を超えてます")});
    EXPECT_TRUE(window.asked.empty());
    EXPECT_EQ(list.size(), 50 + extra);
    EXPECT_EQ(list.find("0120000000"), -1);
  }
}

TEST_F(AreaSetRules, AFullListStillChangesAnExistingNumber) {
  AreaSetList list = fullList();
  FeeWindow window{DistanceBand::Upto170km};
  EXPECT_EQ(changeAreaEntry(list, "0570100049", proposing(DistanceBand::InArea), window.question()),
            AreaChange::Changed);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(list.at(49).band, DistanceBand::Upto170km);
}

TEST_F(AreaSetRules, DeleteMovesTheLastEntryIntoTheSlot) {
  AreaSetList list = listOf({{"031", DistanceBand::InArea}, {"062", DistanceBand::Adjacent}, {"093", DistanceBand::Upto30km}});
  EXPECT_EQ(deleteAreaEntry(list, "03-1"), AreaDelete::Deleted);
  EXPECT_EQ(list.numbers(), (std::vector<std::string>{"093", "062"}));
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(AreaSetRules, DeleteMessages) {
  AreaSetList list = listOf({{"031", DistanceBand::InArea}});
  EXPECT_EQ(deleteAreaEntry(list, ""), AreaDelete::NoText);
  EXPECT_EQ(deleteAreaEntry(list, "032"), AreaDelete::NotFound);
  EXPECT_EQ(sink.messages,
            (std::vector<std::string>{sj("番号を入力または選択して下さい"), sj("該当番号は登録してありません")}));
  EXPECT_EQ(list.size(), 1);
}

TEST_F(AreaSetRules, StoreReplacesTheWholeTable) {
  ReplaceTables tables;
  tables.areaSet = {{"031", DistanceBand::InArea}, {"062", DistanceBand::Adjacent}};
  AreaSetList list = AreaSetList::fromTables(tables);
  list.remove(0);
  list.storeInto(tables);
  ASSERT_EQ(tables.areaSet.size(), 1u);
  EXPECT_EQ(tables.areaSet[0].number, "062");
}

}  // namespace
}  // namespace zelk
