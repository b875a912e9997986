#include "ui/logic/view_order.h"

#include <QtTest>
#include <random>

namespace zelvane {

namespace {

constexpr char kLetters[] = "MUTPO";  // 移动 联通 电信 小灵通 其他, in category order

// "U0 U1" are the numbers 0 and 1 of the Unicom list.
QString Describe(std::span<const ItemRef> refs) {
  QStringList text;
  for (ItemRef ref : refs) text << QLatin1Char(kLetters[static_cast<int>(ref.source())]) + QString::number(ref.index());
  return text.join(QLatin1Char(' '));
}

// The import as the list view control does it: one insertion per admitted number at its ordinal,
// or at the end when the view is shorter.
std::vector<ItemRef> InsertOneByOne(std::vector<ItemRef> shown, const std::vector<NumberCategory>& imported,
                                    CategoryCounts next, const CategoryFilter& admitted) {
  for (std::size_t ordinal = 0; ordinal < imported.size(); ++ordinal) {
    const std::size_t category = CategoryIndex(imported[ordinal]);
    const ItemRef ref(SourceOf(imported[ordinal]), next[category]++);
    if (admitted[category])
      shown.insert(shown.begin() + static_cast<std::ptrdiff_t>(std::min(ordinal, shown.size())), ref);
  }
  return shown;
}

}  // namespace

class ViewOrderTest : public QObject {
  Q_OBJECT

 private slots:
  // Random views, imports and filters: the merge always ends where one-by-one insertion ends.
  void MatchesInsertingOneByOne() {
    std::mt19937 random(4);
    for (int round = 0; round < 2000; ++round) {
      std::vector<ItemRef> shown(random() % 12);
      for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = ItemRef(ItemSource::Other, 100 + i);
      std::vector<NumberCategory> imported(random() % 16);
      for (NumberCategory& category : imported) category = static_cast<NumberCategory>(random() % kCategoryCount);
      CategoryCounts before{};
      for (auto& count : before) count = random() % 4;
      CategoryFilter admitted{};
      for (bool& admit : admitted) admit = random() % 2;

      QCOMPARE(Describe(MergeImported(shown, imported, before, admitted)),
               Describe(InsertOneByOne(shown, imported, before, admitted)));
    }
  }
};

}  // namespace zelvane

QTEST_GUILESS_MAIN(zelvane::ViewOrderTest)
#include "view_order_test.moc"
