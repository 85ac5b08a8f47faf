// Texts at the boundary between the core (CP932 bytes) and the widgets
// (QString), and the fonts the Japanese face names stand for on this
// platform.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zelk {

// A CP932 text for a widget.
QString qtText(std::string_view cp932);

// A CP932 text in which the byte 0x5C is the yen sign (amounts, the plan
// captions with their monthly charge). The fonts here draw 0x5C as a
// backslash, so it becomes "¥"; the trail byte 0x5C of a double-byte
// character is part of that character and stays. File paths use qtText.
QString qtAmountText(std::string_view cp932);

// A widget's text for the core. Characters CP932 cannot hold become "?".
std::string cp932Text(const QString& text);

// The Windows face names of the windows' fonts ("ＭＳ ゴシック", "ＭＳ 明朝",
// "ＭＳ Ｐゴシック") are not installed here; they are drawn with the Noto CJK
// faces, while the settings keep the names as the user chose them.
void installFontSubstitutions();

}  // namespace zelk
