// The window-settings file zelkwin.cfg: where each window stood, the main
// window's size and state, its two display fonts and the scroll position of
// the fee area. Read once at start-up, written once when the main window
// closes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zelk {

inline constexpr const char* kWindowSettingsFileName = "zelkwin.cfg";

enum class WindowState : std::uint8_t { Normal = 0, Minimised = 1, Maximised = 2 };

// Style bits as the file stores them.
enum FontStyle : std::uint8_t {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeOut = 8,
};
inline constexpr std::uint8_t kFontStyleMask = 15;

// The toolkit's window-text system colour; the view maps it to the palette.
inline constexpr std::int32_t kWindowTextColour = static_cast<std::int32_t>(0x80000008u);

struct FontSpec {
  std::int32_t colour = kWindowTextColour;  // 0x00BBGGRR or a system colour
  std::string name;                         // face name, CP932
  int size = 0;                             // points
  std::uint8_t style = 0;                   // FontStyle bits
  bool has(FontStyle bit) const { return (style & bit) != 0; }
  bool operator==(const FontSpec&) const = default;
};

struct DisplayFonts {
  FontSpec main;  // fee rows and the cheapest plan
  FontSpec sub;   // count rows and the call list
  bool operator==(const DisplayFonts&) const = default;
};

// The windows whose positions are kept, in the file's order of keys.
enum class PlacedWindow : std::uint8_t {
  Form0, Form1, Form2, Form3, Form4, Form5, Form6, Form7, Form8, Form9, MaRef,
};
inline constexpr std::size_t kPlacedWindowCount = 11;

struct WindowPosition {
  int top = 100;
  int left = 200;
  bool operator==(const WindowPosition&) const = default;
};

struct WindowBounds {
  int top = 100;
  int left = 200;
  int height = 480;
  int width = 640;
  bool operator==(const WindowBounds&) const = default;
};

struct WindowPlacement {
  std::array<WindowPosition, kPlacedWindowCount> windows{};
  int mainHeight = 480;
  int mainWidth = 640;
  WindowState mainState = WindowState::Normal;
  // The main window's last bounds in the normal state. They start as the
  // position and size that are applied at start-up, so a window that is
  // never normal during a run writes back what it was given.
  WindowBounds normalBounds{};
  int feeScrollPosition = 0;
  // The year comparison window (F10T, F10L, F10W, F10H, after PF_P; a file
  // of an earlier version lacks them and keeps these defaults).
  WindowBounds yearWindow{};
  // 通話明細 (F11T, F11L, F11W, F11H, after the year window's; likewise
  // absent from an earlier file).
  WindowBounds callsWindow{100, 200, 480, 1100};

  WindowPosition& at(PlacedWindow window) { return windows[static_cast<std::size_t>(window)]; }
  const WindowPosition& at(PlacedWindow window) const { return windows[static_cast<std::size_t>(window)]; }
  bool operator==(const WindowPlacement&) const = default;
};

struct WindowSettings {
  WindowPlacement placement;
  DisplayFonts fonts;
  // The folder 通話明細 last opened a bill in (F11B, a path as the file
  // system spells it; absent from an earlier file).
  std::string billFolder;
  bool operator==(const WindowSettings&) const = default;
};

// Every window at top 100, left 200; the main window 480 x 640, normal;
// "ＭＳ ゴシック" 14 points bold and "ＭＳ 明朝" 10 points, window-text colour.
WindowSettings defaultWindowSettings();

// programDir (ending in "/") + "zelkwin.cfg".
std::string windowSettingsPath(const std::string& programDir);

// Reads the file over `settings` (the defaults, as a rule). A missing or
// unreadable file leaves them as they are. Afterwards the normal bounds are
// the main window's position and size as read.
void readWindowSettings(const std::string& path, WindowSettings& settings);

// The file's content: the comment block and one line per key, CR LF each.
std::string formatWindowSettings(const WindowSettings& settings);

// Writes the file in full or not at all (the old file stays when anything
// fails). When it cannot be written: "Cannot creat config. file : <path>",
// exit code 244.
void writeWindowSettings(const std::string& path, const WindowSettings& settings);

// The part of the screen that windows may take (without panels and docks).
struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The smallest main window that still shows its panels, and how much of any
// window must stay on the screen so that it can be grabbed.
inline constexpr int kMinMainWidth = 200;
inline constexpr int kMinMainHeight = 150;
inline constexpr int kMinVisible = 100;

// Brings every position and size read from the file within `area`: the main
// window between the minimum size and the area's size, every window with at
// least kMinVisible pixels of it inside the area. A file edited by hand (a
// width of 0, a position near 2^31) never reaches the toolkit as it stands.
void fitPlacementToScreen(WindowPlacement& placement, const ScreenArea& area);

// Copies the main window's bounds into the normal bounds when it is normal.
void rememberNormalBounds(WindowPlacement& placement, WindowState state, const WindowBounds& bounds);

}  // namespace zelk
