#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/messages.h"
#include "support/test_support.h"
#include "ui/model/window_settings.h"

namespace zelk {
namespace {

using test::crlfLines;
using test::readFile;
using test::ScratchDir;
using test::sj;

WindowSettings readFrom(const std::string& content) {
  ScratchDir dir;
  const std::string path = dir.write("zelkwin.cfg", content);
  WindowSettings settings = defaultWindowSettings();
  readWindowSettings(path, settings);
  return settings;
}

TEST(WindowSettings, DefaultsAreWrittenAsTheFileLayoutSays) {
  std::vector<std::string> lines = {
      ";[zelkwin.cfg]",
      sj(";  zelk for Windows用の各種設定をここで行います。"),
      ";",
      sj("; なお、行頭の`;'以降はコメント行とみなします。"),
      ";",
      sj("; 基本的には このファイルをエディタ等でいぢらないで下さい。"),
      sj("; 動作異常を起こすことがあります。"),
      ";",
      ";" + std::string(78, '-'),
      ";",
      "F00T100", "F00L200", "F01T100", "F01L200", "F01H480", "F01W640", "F01S0",
  };
  for (int form = 2; form <= 9; ++form) {
    lines.push_back("F0" + std::to_string(form) + "T100");
    lines.push_back("F0" + std::to_string(form) + "L200");
  }
  for (const char* line : {"MART100", "MARL200", "FPMC-2147483640"}) lines.push_back(line);
  lines.push_back("FPMN" + sj("ＭＳ ゴシック"));
  for (const char* line : {"FPMP14", "FPMS1", "FPSC-2147483640"}) lines.push_back(line);
  lines.push_back("FPSN" + sj("ＭＳ 明朝"));
  for (const char* line : {"FPSP10", "FPSS0", "PF_P0", "F10T100", "F10L200", "F10W640", "F10H480", "F11T100",
                           "F11L200", "F11W1100", "F11H480", "F11B"})
    lines.push_back(line);
  EXPECT_EQ(formatWindowSettings(defaultWindowSettings()), crlfLines(lines));
}

TEST(WindowSettings, WhatIsWrittenIsReadBack) {
  WindowSettings written = defaultWindowSettings();
  auto& p = written.placement;
  for (std::size_t i = 0; i < kPlacedWindowCount; ++i)
    p.windows[i] = {static_cast<int>(i) * 10 - 30, static_cast<int>(i) * 7 + 1};
  p.normalBounds = {-8, 1930, 700, 1024};
  p.at(PlacedWindow::Form1) = {-8, 1930};
  p.mainHeight = 700;
  p.mainWidth = 1024;
  p.mainState = WindowState::Maximised;
  p.feeScrollPosition = 77;
  p.yearWindow = {-5, 40, 333, 777};
  p.callsWindow = {12, -34, 567, 890};
  written.fonts.main = {0x00FF00, "Noto Sans CJK JP", 11, kFontItalic | kFontStrikeOut};
  written.fonts.sub = {0, sj("ＭＳ Ｐゴシック"), 9, kFontBold | kFontUnderline};
  written.billFolder = "/home/me/明細 2001";  // UTF-8 bytes, kept as they are

  ScratchDir dir;
  const std::string path = windowSettingsPath(dir.path());
  writeWindowSettings(path, written);
  EXPECT_EQ(readFile(path), formatWindowSettings(written));
  WindowSettings read = defaultWindowSettings();
  readWindowSettings(path, read);
  EXPECT_EQ(read, written);
  EXPECT_TRUE(read.fonts.sub.has(kFontUnderline));
  EXPECT_FALSE(read.fonts.sub.has(kFontItalic));
}

TEST(WindowSettings, LastNormalBoundsAreWrittenForTheMainWindow) {
  WindowSettings s = defaultWindowSettings();
  rememberNormalBounds(s.placement, WindowState::Normal, {10, 20, 300, 400});
  rememberNormalBounds(s.placement, WindowState::Maximised, {0, 0, 1000, 2000});
  s.placement.mainState = WindowState::Maximised;
  const std::string text = formatWindowSettings(s);
  for (const char* line : {"\r\nF01T10\r\n", "\r\nF01L20\r\n", "\r\nF01H300\r\n", "\r\nF01W400\r\n", "\r\nF01S2\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(WindowSettings, SingleKeysOverTheDefaults) {
  WindowSettings s = readFrom("F01S2\r\n");
  EXPECT_EQ(s.placement.mainState, WindowState::Maximised);
  EXPECT_EQ(s.placement.at(PlacedWindow::Form1), (WindowPosition{100, 200}));
  EXPECT_EQ(s.placement.normalBounds, (WindowBounds{100, 200, 480, 640}));
  EXPECT_EQ(s.placement.yearWindow, (WindowBounds{100, 200, 480, 640}));  // an earlier version's file
  EXPECT_EQ(readFrom("F10W900\r\nF10T-3").placement.yearWindow, (WindowBounds{-3, 200, 480, 900}));
  EXPECT_EQ(s.placement.callsWindow, (WindowBounds{100, 200, 480, 1100}));

  EXPECT_EQ(readFrom("F01S5").placement.mainState, WindowState::Normal);
  EXPECT_EQ(readFrom("F01S2\nF01S\n").placement.mainState, WindowState::Maximised);  // empty: unchanged
  EXPECT_EQ(readFrom("FPMS15").fonts.main.style, kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut);
  EXPECT_EQ(readFrom("FPMS16").fonts.main.style, 0);
  EXPECT_EQ(readFrom("f01s2").placement.mainState, WindowState::Normal);  // keys are case-sensitive
  EXPECT_EQ(readFrom("F00T 50").placement.at(PlacedWindow::Form0).top, 50);
  EXPECT_EQ(readFrom("FPSN Arial").fonts.sub.name, " Arial");
  EXPECT_EQ(readFrom("FPMN").fonts.main.name, "");
  EXPECT_EQ(readFrom("MART-7\nMARL+9").placement.at(PlacedWindow::MaRef), (WindowPosition{-7, 9}));
  EXPECT_EQ(readFrom("PF_P33\nPF_P44").placement.feeScrollPosition, 44);  // the later line wins

  const WindowSettings main = readFrom(crlfLines({"F01T5", "F01L6", "F01H300", "F01W400"}));
  EXPECT_EQ(main.placement.normalBounds, (WindowBounds{5, 6, 300, 400}));
  EXPECT_EQ(main.placement.mainHeight, 300);
}

TEST(WindowSettings, BrokenFilesReadWithoutHarm) {
  const WindowSettings defaults = defaultWindowSettings();
  WindowSettings missing = defaults;
  readWindowSettings("/nonexistent/zelkwin.cfg", missing);
  EXPECT_EQ(missing, defaults);

  const char garbage[] = "\x00\xFF\x81\r\n;F01T\n\n F01T9\nF0\n";
  EXPECT_EQ(readFrom(std::string(garbage, sizeof garbage - 1)), defaults);
  const WindowSettings junk = readFrom("F01Habc\nFPMPx12\nF02T99999999999999\nFPSC-99999999999999");
  EXPECT_EQ(junk.placement.mainHeight, 0);
  EXPECT_EQ(junk.fonts.main.size, 0);
  EXPECT_EQ(junk.placement.at(PlacedWindow::Form2).top, 2147483647);
  EXPECT_EQ(junk.fonts.sub.colour, -2147483647 - 1);

  // A 100 000-byte line is cut, its tail is not read as a line of its own,
  // and the next line still counts.
  const WindowSettings longLine =
      readFrom("FPMN" + std::string(99990, 'x') + "F00T7\r\nF00L8\r\n");
  EXPECT_EQ(longLine.fonts.main.name, std::string(507, 'x'));
  EXPECT_EQ(longLine.placement.at(PlacedWindow::Form0), (WindowPosition{100, 8}));

  // A face name is never cut inside a double-byte character.
  const WindowSettings cut = readFrom("FPSN" + std::string(506, 'a') + sj("明") + "\n");
  EXPECT_EQ(cut.fonts.sub.name, std::string(506, 'a'));
}

TEST(WindowSettings, PositionsAndSizesAreFittedToTheScreen) {
  // Values edited by hand must reach the toolkit as a window one can see and
  // grab: near 2^31 they overflow its geometry, a width of 0 hides the window.
  const ScreenArea screen{0, 30, 1280, 994};
  WindowSettings s = readFrom(crlfLines({"F01T-2147483648", "F01L2147483647", "F01W0", "F01Hjunk",
                                         "F02T99999999999", "F02L-5", "MART500", "MARL600", "F11T-900",
                                         "F11L5000", "F11W0", "F11H5000"}));
  fitPlacementToScreen(s.placement, screen);
  const WindowPlacement& p = s.placement;
  EXPECT_EQ(p.at(PlacedWindow::Form1), (WindowPosition{30, 1280 - kMinVisible}));
  EXPECT_EQ(p.mainWidth, kMinMainWidth);
  EXPECT_EQ(p.mainHeight, kMinMainHeight);
  EXPECT_EQ(p.normalBounds, (WindowBounds{30, 1280 - kMinVisible, kMinMainHeight, kMinMainWidth}));
  EXPECT_EQ(p.at(PlacedWindow::Form2), (WindowPosition{994 + 30 - kMinVisible, 0}));
  EXPECT_EQ(p.at(PlacedWindow::MaRef), (WindowPosition{500, 600}));  // already on the screen
  EXPECT_EQ(p.callsWindow, (WindowBounds{30, 1280 - kMinVisible, 994, kMinMainWidth}));
  WindowSettings huge = readFrom(crlfLines({"F01W99999", "F01H99999"}));
  fitPlacementToScreen(huge.placement, screen);
  EXPECT_EQ(huge.placement.mainWidth, 1280);
  EXPECT_EQ(huge.placement.mainHeight, 994);
}

TEST(WindowSettings, ANameReadBackIsTheNameWritten) {
  // Found by fuzzing: a NUL behind a lead byte used to leave a name whose
  // written form, read again, lost one more byte.
  const char input[] = "FPSN\xFF\x9A\xD4\x9A\x9A\x9A\0\0\x9A\x9A";
  const WindowSettings first = readFrom(std::string(input, sizeof input - 1));
  EXPECT_EQ(first.fonts.sub.name, "\xFF\x9A\xD4\x9A\x9A");
  EXPECT_EQ(readFrom(formatWindowSettings(first)), first);
}

TEST(WindowSettings, ANameWithALineEndCannotBreakTheFile) {
  WindowSettings s = defaultWindowSettings();
  s.fonts.main.name = "Evil\r\nF01S1";
  const std::string text = formatWindowSettings(s);
  EXPECT_NE(text.find("\r\nFPMNEvil\r\nFPMP14\r\n"), std::string::npos);
  EXPECT_EQ(text.find("F01S1"), std::string::npos);
}

TEST(WindowSettings, UnwritableFileEndsWith244AndKeepsTheOldOne) {
  ScratchDir dir;
  dir.write("file", "x");
  const std::string path = windowSettingsPath(dir.path() + "file/");
  try {
    writeWindowSettings(path, defaultWindowSettings());
    FAIL() << "no fatal error";
  } catch (const FatalError& error) {
    EXPECT_EQ(error.code(), 244);
    EXPECT_EQ(error.message(), "Cannot creat config. file : " + path + "\n\n");
  }

  // A directory in the file's place cannot be replaced: 244, and nothing is
  // left beside it.
  std::filesystem::create_directory(dir.path() + "zelkwin.cfg");
  EXPECT_THROW(writeWindowSettings(windowSettingsPath(dir.path()), defaultWindowSettings()), FatalError);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2u);
}

TEST(WindowSettings, RewritingReplacesTheWholeFile) {
  ScratchDir dir;
  const std::string path = dir.write("zelkwin.cfg", std::string(10000, 'z'));
  writeWindowSettings(path, defaultWindowSettings());
  EXPECT_EQ(readFile(path), formatWindowSettings(defaultWindowSettings()));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace zelk
