// The main window's display fonts as Qt fonts and colours, and back.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "ui/model/window_settings.h"

namespace zelk {

QFont toQFont(const FontSpec& fontSpec);

// The font as the rows are drawn: the face this system resolves the stored
// name to (a substitute for a Windows face), with the stored size and style.
QFont displayedQFont(const FontSpec& fontSpec);

// A system colour (high bit set) takes the palette's window-text colour;
// any other value is 0x00BBGGRR.
QColor toQColor(std::int32_t colour, const QPalette& palette);

// 0x00BBGGRR for a colour chosen in the colour dialog.
std::int32_t fromQColor(const QColor& colour);

// Face name, size and style of `font` into `fontSpec`; the colour stays, since
// the font dialog does not choose one. The stored face name stays when `font`
// has the face it is displayed with.
void storeQFont(const QFont& font, FontSpec& fontSpec);

}  // namespace zelk
