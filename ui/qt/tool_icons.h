// The 32 x 32 images of the main window's tool buttons and the application's
// icon (the picture of the desktop entry's zelk.svg), drawn at run time.
#pragma once

#include <QIcon>

namespace zelk {

enum class ToolIcon { PreviousMonth, NextMonth, Estimate, Help, Year };

QIcon toolIcon(ToolIcon kind);

// The handset and yen sign of packaging/zelk.svg, at the sizes window
// managers ask for; drawn here, as this Qt may have no SVG support.
QIcon applicationIcon();

}  // namespace zelk
