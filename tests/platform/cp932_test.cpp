#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/paths.h"

namespace zelk {
namespace {

struct Cp932Case {
  const char* utf8;
  const char* cp932;
};

TEST(Cp932, FixedCharactersConvertBothWays) {
  const Cp932Case cases[] = {
      {"～", "\x81\x60"},          // FULLWIDTH TILDE is 0x8160 in CP932
      {"ｉ", "\x82\x89"},          // full-width Latin small i
      {"ｱｲｳ", "\xB1\xB2\xB3"},     // half-width katakana: one byte each
      {"\\", "\x5C"},              // the yen byte stays a backslash byte
      {"〆分", "\x81\x59\x95\xAA"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toCp932(c.utf8), c.cp932) << c.utf8;
    EXPECT_EQ(toUtf8(c.cp932), c.utf8) << c.utf8;
  }
}

// Both builds convert alike: iconv on Linux, code page 932 on Windows.
TEST(Cp932, InvalidBytesBecomeReplacementCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\x81", "a\xEF\xBF\xBD"},                 // a lead byte at the end
      {"\xFF\x41", "\xEF\xBF\xBD" "A"},
      {"\x80|\xA0|\xFD|\xFE", "\xEF\xBF\xBD|\xEF\xBF\xBD|\xEF\xBF\xBD|\xEF\xBF\xBD"},
      {"\x85\x40", "\xEF\xBF\xBD@"},             // an unassigned pair: its trail byte is read afresh
      {"\x87\x40\xED\x40", "①纊"},                 // NEC and IBM extensions are CP932's own
  };
  for (const auto& [cp932, utf8] : cases) EXPECT_EQ(toUtf8(cp932), utf8) << cp932;
}

// The JIS forms of some signs, which Japanese input gives, are written as
// CP932's own characters (one way: they read back as those).
TEST(Cp932, JisFormsOfSignsAreWrittenAsTheirCp932Twins) {
  const Cp932Case cases[] = {
      {"¥", "\x5C"},     {"‾", "\x7E"},     {"—", "\x81\x5C"}, {"‖", "\x81\x61"}, {"−", "\x81\x7C"},
      {"〜", "\x81\x60"}, {"¢", "\x81\x91"}, {"£", "\x81\x92"}, {"¬", "\x81\xCA"},
  };
  for (const auto& c : cases) EXPECT_EQ(toCp932(c.utf8), c.cp932) << c.utf8;
}

TEST(Cp932, UnrepresentableTextIsAnError) {
  EXPECT_THROW(toCp932("\xF0\x9F\x98\x80"), std::runtime_error);  // an emoji
}

TEST(Cp932, CutsNeverSplitADoubleByteCharacter) {
  const std::string text = toCp932("あいう");  // 6 bytes
  EXPECT_EQ(cutText(text, 5), toCp932("あい"));
  EXPECT_EQ(cutText(text, 6), text);
  EXPECT_EQ(cutText("abc", 2), "ab");
  EXPECT_EQ(cutText(std::string("a\x82", 2), 2), "a");  // a lone lead byte at the end
}

TEST(Paths, DeclaredPathsOpenAsWindowsWouldOpenThem) {
  const std::pair<const char*, const char*> cases[] = {
      {"logs\\telfee.tel", "logs/telfee.tel"},
      {"ntsub\\..\\log3_nt.txt", "log3_nt.txt"},
      {"sub\\..\\..\\x.log", "../x.log"},
      {"/abs/./dir//f", "/abs/dir/f"},
      {"\x95\x5C\\a.log", "\x95\x5C/a.log"},  // 0x5C as a trail byte stays
  };
  for (const auto& [declared, native] : cases) EXPECT_EQ(nativePath(declared), native) << declared;
}

TEST(Paths, DefaultFileNameAfterSeparatorsAndDrives) {
  EXPECT_TRUE(needsDefaultFileName(""));
  EXPECT_TRUE(needsDefaultFileName("c:\\"));
  EXPECT_TRUE(needsDefaultFileName("d:"));
  EXPECT_TRUE(needsDefaultFileName("logs/"));
  EXPECT_FALSE(needsDefaultFileName("logs/a.tel"));
  EXPECT_FALSE(needsDefaultFileName("\x95\x5C"));  // ends in a trail byte, not a separator
}

}  // namespace
}  // namespace zelk
