// The main window's display fonts as Qt fonts and colours, and back.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "ui/model/window_settings.h"

namespace zelk {

QFont toQFont(const FontSpec& fontSpec);

// A system colour (high bit set) takes the palette's window-text colour;
// any other value is 0x00BBGGRR.
QColor toQColor(std::int32_t colour, const QPalette& palette);

// Face name, size and style of `font` into `fontSpec`; the colour stays, since
// the font dialog does not choose one.
void storeQFont(const QFont& font, FontSpec& fontSpec);

}  // namespace zelk
