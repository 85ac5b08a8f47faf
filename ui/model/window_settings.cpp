#include "ui/model/window_settings.h"

#include <algorithm>

#include <climits>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/cp932.h"
#include "platform/message_forms.h"
#include "platform/staged_file.h"

namespace zelk {
namespace {

// Longest line kept; a longer one is cut (a face name to whole characters).
constexpr std::size_t kLineBuffer = 512;

int readInteger(std::string_view value) {
  const long long number = atoiLike(value);
  if (number > INT_MAX) return INT_MAX;
  if (number < INT_MIN) return INT_MIN;
  return static_cast<int>(number);
}

// A face name is one line of the file: it ends at a line end or NUL, and it
// holds whole characters only. Reading and writing both take it this way, so
// a name read back is the name written.
std::string nameForFile(std::string_view name) {
  name = name.substr(0, name.find_first_of(std::string_view("\r\n\0", 3)));
  return std::string(name.substr(0, cutPosition(name, name.size())));
}

// One key of the file: how its value is read and written.
struct KeyCodec {
  std::string key;
  std::function<void(WindowSettings&, std::string_view)> read;
  std::function<std::string(const WindowSettings&)> write;
};

KeyCodec integerKey(std::string key, std::function<int&(WindowSettings&)> field,
                    std::function<int(const WindowSettings&)> written) {
  return {std::move(key), [field](WindowSettings& s, std::string_view v) { field(s) = readInteger(v); },
          [written](const WindowSettings& s) { return std::to_string(written(s)); }};
}

// Top and left of a placed window, read and written as the same field.
void addPositionKeys(std::vector<KeyCodec>& keys, const std::string& prefix, PlacedWindow window) {
  keys.push_back(integerKey(
      prefix + "T", [window](WindowSettings& s) -> int& { return s.placement.at(window).top; },
      [window](const WindowSettings& s) { return s.placement.at(window).top; }));
  keys.push_back(integerKey(
      prefix + "L", [window](WindowSettings& s) -> int& { return s.placement.at(window).left; },
      [window](const WindowSettings& s) { return s.placement.at(window).left; }));
}

void addFontKeys(std::vector<KeyCodec>& keys, const std::string& prefix, FontSpec DisplayFonts::*font) {
  keys.push_back(integerKey(
      prefix + "C", [font](WindowSettings& s) -> int& { return (s.fonts.*font).colour; },
      [font](const WindowSettings& s) { return (s.fonts.*font).colour; }));
  keys.push_back({prefix + "N",
                  [font](WindowSettings& s, std::string_view v) {
                    (s.fonts.*font).name = nameForFile(v);
                  },
                  [font](const WindowSettings& s) { return nameForFile((s.fonts.*font).name); }});
  keys.push_back(integerKey(
      prefix + "P", [font](WindowSettings& s) -> int& { return (s.fonts.*font).size; },
      [font](const WindowSettings& s) { return (s.fonts.*font).size; }));
  keys.push_back({prefix + "S",
                  [font](WindowSettings& s, std::string_view v) {
                    (s.fonts.*font).style = static_cast<std::uint8_t>(readInteger(v) & kFontStyleMask);
                  },
                  [font](const WindowSettings& s) { return std::to_string((s.fonts.*font).style & kFontStyleMask); }});
}

// The keys in the order the file lists them. F01T to F01W are written from
// the last normal bounds and read into the main window's position and size.
const std::vector<KeyCodec>& keyTable() {
  static const std::vector<KeyCodec> keys = [] {
    std::vector<KeyCodec> k;
    addPositionKeys(k, "F00", PlacedWindow::Form0);
    k.push_back(integerKey(
        "F01T", [](WindowSettings& s) -> int& { return s.placement.at(PlacedWindow::Form1).top; },
        [](const WindowSettings& s) { return s.placement.normalBounds.top; }));
    k.push_back(integerKey(
        "F01L", [](WindowSettings& s) -> int& { return s.placement.at(PlacedWindow::Form1).left; },
        [](const WindowSettings& s) { return s.placement.normalBounds.left; }));
    k.push_back(integerKey(
        "F01H", [](WindowSettings& s) -> int& { return s.placement.mainHeight; },
        [](const WindowSettings& s) { return s.placement.normalBounds.height; }));
    k.push_back(integerKey(
        "F01W", [](WindowSettings& s) -> int& { return s.placement.mainWidth; },
        [](const WindowSettings& s) { return s.placement.normalBounds.width; }));
    k.push_back({"F01S",
                 [](WindowSettings& s, std::string_view v) {
                   if (!v.empty() && v[0] >= '0' && v[0] <= '2')
                     s.placement.mainState = static_cast<WindowState>(v[0] - '0');
                 },
                 [](const WindowSettings& s) {
                   return std::to_string(static_cast<int>(s.placement.mainState));
                 }});
    for (int form = 2; form <= 9; ++form)
      addPositionKeys(k, "F0" + std::to_string(form), static_cast<PlacedWindow>(form));
    addPositionKeys(k, "MAR", PlacedWindow::MaRef);
    addFontKeys(k, "FPM", &DisplayFonts::main);
    addFontKeys(k, "FPS", &DisplayFonts::sub);
    k.push_back(integerKey(
        "PF_P", [](WindowSettings& s) -> int& { return s.placement.feeScrollPosition; },
        [](const WindowSettings& s) { return s.placement.feeScrollPosition; }));
    struct BoundsKey {
      char suffix;
      int WindowBounds::*field;
    };
    for (const auto& [prefix, window] : {std::pair{"F10", &WindowPlacement::yearWindow},
                                         std::pair{"F11", &WindowPlacement::callsWindow}}) {
      for (const BoundsKey& b : {BoundsKey{'T', &WindowBounds::top}, BoundsKey{'L', &WindowBounds::left},
                                 BoundsKey{'W', &WindowBounds::width}, BoundsKey{'H', &WindowBounds::height}}) {
        const auto field = b.field;
        const auto member = window;  // clang before 16 cannot capture a structured binding
        k.push_back(integerKey(
            prefix + std::string(1, b.suffix),
            [member, field](WindowSettings& s) -> int& { return s.placement.*member.*field; },
            [member, field](const WindowSettings& s) { return s.placement.*member.*field; }));
      }
    }
    // A path is kept byte for byte up to its line end: it need not be CP932.
    k.push_back({"F11B",
                 [](WindowSettings& s, std::string_view v) {
                   s.billFolder = std::string(v.substr(0, v.find_first_of(std::string_view("\r\n\0", 3))));
                 },
                 [](const WindowSettings& s) { return s.billFolder.substr(0, s.billFolder.find_first_of(std::string_view("\r\n\0", 3))); }});
    return k;
  }();
  return keys;
}

const char* const kCommentBlock[] = {
    ";[zelkwin.cfg]",
    ";  zelk for Windows用の各種設定をここで行います。",
    ";",
    "; なお、行頭の`;'以降はコメント行とみなします。",
    ";",
    "; 基本的には このファイルをエディタ等でいぢらないで下さい。",
    "; 動作異常を起こすことがあります。",
    ";",
};

}  // namespace

WindowSettings defaultWindowSettings() {
  WindowSettings settings;
  settings.fonts.main = {kWindowTextColour, sjis("ＭＳ ゴシック"), 14, kFontBold};
  settings.fonts.sub = {kWindowTextColour, sjis("ＭＳ 明朝"), 10, 0};
  return settings;
}

std::string windowSettingsPath(const std::string& programDir) { return programDir + kWindowSettingsFileName; }

void readWindowSettings(const std::string& path, WindowSettings& settings) {
  LineReader reader;
  if (reader.open(path)) {
    std::string line;
    while (reader.readLine(line, kLineBuffer)) {
      if (line.size() < 4) continue;
      const std::string_view key = std::string_view(line).substr(0, 4);
      for (const auto& codec : keyTable()) {
        if (codec.key == key) {
          codec.read(settings, std::string_view(line).substr(4));
          break;
        }
      }
    }
  }
  WindowPlacement& p = settings.placement;
  const WindowPosition& main = p.at(PlacedWindow::Form1);
  p.normalBounds = {main.top, main.left, p.mainHeight, p.mainWidth};
}

std::string formatWindowSettings(const WindowSettings& settings) {
  std::string out;
  for (const char* line : kCommentBlock) out += sjis(line) + "\r\n";
  out += ";" + std::string(78, '-') + "\r\n";
  out += ";\r\n";
  for (const auto& codec : keyTable()) out += codec.key + codec.write(settings) + "\r\n";
  return out;
}

void writeWindowSettings(const std::string& path, const WindowSettings& settings) {
  if (!replaceFileContent(path, formatWindowSettings(settings))) failConfigFile(244, "Cannot creat", path);
}

namespace {

int fitted(long long value, long long low, long long high) {
  return static_cast<int>(std::clamp(value, low, std::max(low, high)));
}

}  // namespace

void fitPlacementToScreen(WindowPlacement& p, const ScreenArea& area) {
  const long long right = static_cast<long long>(area.left) + area.width - kMinVisible;
  const long long bottom = static_cast<long long>(area.top) + area.height - kMinVisible;
  auto fitPosition = [&](int& top, int& left) {
    top = fitted(top, area.top, bottom);
    left = fitted(left, area.left, right);
  };
  for (auto& window : p.windows) fitPosition(window.top, window.left);
  p.mainWidth = fitted(p.mainWidth, kMinMainWidth, area.width);
  p.mainHeight = fitted(p.mainHeight, kMinMainHeight, area.height);
  for (WindowBounds* bounds : {&p.normalBounds, &p.yearWindow, &p.callsWindow}) {
    fitPosition(bounds->top, bounds->left);
    bounds->width = fitted(bounds->width, kMinMainWidth, area.width);
    bounds->height = fitted(bounds->height, kMinMainHeight, area.height);
  }
}

void rememberNormalBounds(WindowPlacement& placement, WindowState state, const WindowBounds& bounds) {
  if (state == WindowState::Normal) placement.normalBounds = bounds;
}

}  // namespace zelk
