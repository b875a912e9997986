#include "ui/qt/dialog_units.h"

#include <QStringList>
#include <cmath>

namespace zelvane {

namespace {

int ToPixelsX(int units) { return static_cast<int>(std::lround(units * kBaseUnitX / 4.0)); }
int ToPixelsY(int units) { return static_cast<int>(std::lround(units * kBaseUnitY / 8.0)); }

}  // namespace

QRect DialogRectToPixels(const res::DialogRect& rect) {
  const int left = ToPixelsX(rect.x);
  const int top = ToPixelsY(rect.y);
  return QRect(left, top, ToPixelsX(rect.x + rect.cx) - left, ToPixelsY(rect.y + rect.cy) - top);
}

QSize DialogSizeToPixels(int cx, int cy) { return QSize(ToPixelsX(cx), ToPixelsY(cy)); }

QFont DialogFont() {
  QFont font;
  font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                    QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(12);
  return font;
}

}  // namespace zelvane
