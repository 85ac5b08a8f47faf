// The 32 x 32 images of the main window's tool buttons, drawn at run time.
#pragma once

#include <QIcon>

namespace zelk {

enum class ToolIcon { PreviousMonth, NextMonth, Estimate, Help };

QIcon toolIcon(ToolIcon kind);

}  // namespace zelk
