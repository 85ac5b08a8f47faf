// zelk.cfg saved in UTF-8: which files count as UTF-8, and a UTF-8 file read
// into CP932 and written back in UTF-8.
#include <gtest/gtest.h>

#include "config/settings_encoding.h"
#include "config_test_support.h"
#include "platform/cp932.h"
#include "support/test_support.h"

namespace zelk::test {
namespace {

using Encoding = SettingsFileEncoding;

TEST(SettingsEncoding, DecidedByTheWholeFile) {
  const struct {
    const char* what;
    std::string bytes;
    Encoding encoding;
  } cases[] = {
      {"ASCII only", "zelk Version 4.21\r\n=d5\r\n", Encoding::Cp932},
      {"CP932 Japanese", sj("$会社==0663452290\r\n;  接続名の電話番号\r\n"), Encoding::Cp932},
      {"UTF-8 Japanese", "$会社==0663452290\r\n", Encoding::Utf8},
      {"byte-order mark alone decides", "\xEF\xBB\xBFzelk\r\n", Encoding::Utf8WithMark},
      {"byte-order mark before invalid bytes", "\xEF\xBB\xBF\x82\xA0", Encoding::Utf8WithMark},
      // Half-width katakana "ﾃｽ" in CP932 is C3 BD, valid UTF-8 for "ý";
      // two-byte sequences never decide.
      {"half-width katakana pair", sj("$ﾃｽ==1\r\n"), Encoding::Cp932},
      {"UTF-8 with one bad byte", "$会社==1\r\n\x82\xA0\r\n", Encoding::Cp932},
      {"overlong form is not UTF-8", "\xE0\x80\xAF", Encoding::Cp932},
      {"surrogate is not UTF-8", "\xED\xA0\x80", Encoding::Cp932},
      {"cut sequence at the end", "$会社\xE4\xBC", Encoding::Cp932},
  };
  // A file is read in blocks of 64 KiB: the same bytes behind a padding that
  // puts their sequences across a block edge decide the same way.
  ScratchDir dir;
  for (const auto& c : cases) {
    EXPECT_EQ(settingsEncodingOf(c.bytes), c.encoding) << c.what;
    dir.write("zelk.cfg", c.bytes);
    EXPECT_EQ(settingsFileEncoding(dir.path() + "zelk.cfg"), c.encoding) << c.what;
    if (c.encoding == Encoding::Utf8WithMark) continue;
    for (std::size_t pad : {65534u, 65535u, 65536u - 4u}) {
      dir.write("zelk.cfg", std::string(pad, 'x') + c.bytes);
      EXPECT_EQ(settingsFileEncoding(dir.path() + "zelk.cfg"), c.encoding) << c.what << " after " << pad;
    }
  }
}

TEST(SettingsEncoding, Utf8FileIsReadAsCp932AndRewrittenInUtf8) {
  for (const bool mark : {false, true}) {
    SCOPED_TRACE(mark ? "with byte-order mark" : "without");
    ScratchDir dir;
    const std::string start = mark ? "\xEF\xBB\xBF" : "";
    // An old version line makes the reader rewrite the file at once.
    dir.write("zelk.cfg", start + crlfLines({"zelk Version 4.00", "$会社==06-6345-2290", "$한국==0312345678",
                                             "%8=0612345678", "=d5"}));
    TestConfiguration r(dir.path());
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    r.read();

    ASSERT_EQ(r.tables.nameReplaceCount, 1);
    EXPECT_EQ(r.tables.nameReplace[0].name, sj("会社"));
    EXPECT_EQ(r.settings.meterDay, 6);
    ASSERT_EQ(r.tables.areaSet.size(), 1u);
    EXPECT_EQ(sink.messages,
              std::vector<std::string>{sj("zelk.cfgの3行目にはShift-JISで表せない文字があるので、その行は読み飛ばします\n")});

    const std::string written = readFile(dir.path() + "zelk.cfg");
    EXPECT_EQ(written.rfind(start + "zelk Version 4.21\r\n", 0), 0u);
    EXPECT_NE(written.find("\r\n$会社==0663452290\r\n"), std::string::npos);
    EXPECT_EQ(settingsEncodingOf(written), mark ? Encoding::Utf8WithMark : Encoding::Utf8);

    // Read again: the same records, and no more messages.
    sink.messages.clear();
    TestConfiguration again(dir.path());
    again.read();
    EXPECT_EQ(describe(again.tables), describe(r.tables));
    EXPECT_TRUE(sink.messages.empty());
  }
}

TEST(SettingsEncoding, Cp932FileStaysCp932) {
  ScratchDir dir;
  dir.write("zelk.cfg", crlfLines({"zelk Version 4.00", sj("$会社==0663452290")}));
  TestConfiguration r(dir.path());
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  r.read();
  ASSERT_EQ(r.tables.nameReplaceCount, 1);
  EXPECT_EQ(r.tables.nameReplace[0].name, sj("会社"));
  EXPECT_NE(readFile(dir.path() + "zelk.cfg").find(sj("\r\n$会社==0663452290\r\n")), std::string::npos);
}

// Lines appended from an editor that saves in the other encoding: each is
// read in the encoding it is valid in, told once with its line number, and a
// rewrite leaves a file valid throughout in the file's own encoding; a line
// that has no form in it is left out, with a message.
TEST(SettingsEncoding, ALineInTheOtherEncodingIsReadInItAndRewrittenInTheFilesOwn) {
  const struct {
    const char* what;
    std::string bytes;
    Encoding encoding;
    std::vector<std::string> messages;  // UTF-8
  } cases[] = {
      {"UTF-8 lines appended to a Shift-JIS file",
       crlfLines({"zelk Version 4.00", sj("$大学==0298532111"), "$会社==0312345678", "$絵文字😀==0612345678"}),
       Encoding::Cp932,
       {"zelk.cfgの3行目はUTF-8で書かれているので、UTF-8として読みます(書き直すときはShift-JISにします)\n",
        "zelk.cfgの4行目にはShift-JISで表せない文字があるので、その行は読み飛ばします\n"}},
      {"a Shift-JIS line in a UTF-8 file with its mark",
       "\xEF\xBB\xBF" + crlfLines({"zelk Version 4.00", "$大学==0298532111", sj("$会社==0312345678")}),
       Encoding::Utf8WithMark,
       {"zelk.cfgの3行目はShift-JISで書かれているので、Shift-JISとして読みます(書き直すときはUTF-8にします)\n"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    dir.write("zelk.cfg", c.bytes);
    TestConfiguration r(dir.path());
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    r.read();  // the old version line rewrites the file at once
    ASSERT_EQ(r.tables.nameReplaceCount, 2);
    EXPECT_EQ(r.tables.nameReplace[0].name, sj("大学"));
    EXPECT_EQ(r.tables.nameReplace[1].name, sj("会社"));
    std::vector<std::string> messages;
    for (const auto& message : sink.messages) messages.push_back(toUtf8(message));
    EXPECT_EQ(messages, c.messages);

    const std::string written = readFile(dir.path() + "zelk.cfg");
    EXPECT_EQ(settingsEncodingOf(written), c.encoding);
    const std::string asCp932 = c.encoding == Encoding::Cp932 ? written : toCp932(written.substr(3));
    EXPECT_EQ(toUtf8(asCp932).find("\xEF\xBF\xBD"), std::string::npos) << "not valid in its encoding";
    EXPECT_NE(asCp932.find(sj("\r\n$会社==0312345678\r\n")), std::string::npos);
    EXPECT_EQ(toUtf8(asCp932).find("絵文字"), std::string::npos);

    // The rewritten file is of one encoding: read again, nothing to tell.
    sink.messages.clear();
    TestConfiguration again(dir.path());
    again.read();
    EXPECT_EQ(again.tables.nameReplaceCount, 2);
    EXPECT_TRUE(sink.messages.empty());
  }
}

}  // namespace
}  // namespace zelk::test
