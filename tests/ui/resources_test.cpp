#include <QtTest>
#include <algorithm>

#include "res/resource_ids.h"
#include "ui/qt/resources.h"

namespace zelvane {

class ResourcesTest : public QObject {
  Q_OBJECT

 private slots:
  // Every size scripts/render-icons makes, once: a PNG whose pixels differ from its name's size
  // would show up twice or under another size.
  void MainFrameIconHasEveryRenderedSize() {
    QList<QSize> sizes = LoadIcon(res::IDR_MAINFRAME).availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    const QList<QSize> expected = {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    QCOMPARE(sizes, expected);
  }
};

}  // namespace zelvane

QTEST_MAIN(zelvane::ResourcesTest)
#include "resources_test.moc"
