// The area set in its one buffer: the entries come back as they were added,
// a number finds the band of its first entry that has one, and copies are
// independent of one another.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/area_set.h"

namespace zelk {
namespace {

using Band = DistanceBand;

std::vector<AreaSetEntry> entriesOf(const AreaSet& set) {
  std::vector<AreaSetEntry> all;
  for (const AreaSetItem item : set) all.push_back(item);
  return all;
}

TEST(AreaSet, KeepsEveryEntryInOrderAndFindsTheFirstWithABand) {
  const AreaSet set{{"0612", Band::Undetermined}, {"0612", Band::Upto60km}, {"", Band::InArea},
                    {"0612", Band::Beyond170km}, {"045", Band::UnknownDistance}};
  ASSERT_EQ(set.size(), 5u);
  EXPECT_EQ(set[3].number, "0612");
  EXPECT_EQ(set.back().band, Band::UnknownDistance);
  const struct {
    const char* number;
    Band band;
  } lookups[] = {
      {"0612", Band::Upto60km},  // the entry without a band is passed over
      {"", Band::InArea},        {"045", Band::UnknownDistance},
      {"061", Band::Undetermined},  // a prefix is not the number
      {"06123", Band::Undetermined},
  };
  for (const auto& lookup : lookups) EXPECT_EQ(set.bandOf(lookup.number), lookup.band) << lookup.number;
  EXPECT_EQ(AreaSet(entriesOf(set)), set);
}

TEST(AreaSet, CopiesAndTruncationLeaveTheOthersAsTheyWere) {
  AreaSet original;
  for (int i = 0; i < 1000; ++i) original.add(std::to_string(100000 + i), Band::Upto30km);
  AreaSet copy = original;
  copy.add("0999", Band::Beyond170km);
  AreaSet truncated = copy;
  truncated.truncate(10);
  EXPECT_EQ(original.size(), 1000u);
  EXPECT_EQ(original.bandOf("0999"), Band::Undetermined);
  EXPECT_EQ(copy.size(), 1001u);
  EXPECT_EQ(copy.back().number, "0999");
  ASSERT_EQ(truncated.size(), 10u);
  EXPECT_EQ(truncated.back().number, "100009");
  truncated.add("0123", Band::InArea);
  EXPECT_EQ(truncated[10].number, "0123");
  EXPECT_EQ(copy[10].number, "100010");
  truncated.clear();
  EXPECT_TRUE(truncated.empty());
  EXPECT_EQ(truncated.begin(), truncated.end());
  EXPECT_NE(original, copy);
}

}  // namespace
}  // namespace zelk
