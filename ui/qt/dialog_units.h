#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "res/dialog_template.h"

namespace zelvane {

// Base units of the dialog font "宋体" 9 pt at 96 dpi. They stay fixed whatever font fontconfig
// finds, so dialogs keep their size and the pixel constants of the main dialog's layout fit.
inline constexpr int kBaseUnitX = 6;
inline constexpr int kBaseUnitY = 12;

// Pixels of a template rectangle; each edge is rounded on its own, half away from zero.
QRect DialogRectToPixels(const res::DialogRect& rect);
QSize DialogSizeToPixels(int cx, int cy);

// "宋体" at 9 points, with the CJK fonts that stand in for it when it is not installed.
QFont DialogFont();

}  // namespace zelvane
