#include "ui/view_order.h"

#include <QtTest>
#include <random>

#include "tests/ui/ui_test_support.h"

namespace zelvane {

namespace {

constexpr char kLetters[] = "MUTPO";  // 移动 联通 电信 小灵通 其他, in category order

NumberCategory CategoryOf(QChar letter) {
  return static_cast<NumberCategory>(QByteArray(kLetters).indexOf(static_cast<char>(letter.toLatin1())));
}

// "U0 U1" are the numbers 0 and 1 of the Unicom list.
std::vector<ItemRef> Refs(const QString& text) {
  std::vector<ItemRef> refs;
  for (const QString& ref : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    refs.emplace_back(SourceOf(CategoryOf(ref[0])), ref.mid(1).toULongLong());
  }
  return refs;
}

QString Describe(std::span<const ItemRef> refs) {
  QStringList text;
  for (ItemRef ref : refs) text << QLatin1Char(kLetters[static_cast<int>(ref.source())]) + QString::number(ref.index());
  return text.join(QLatin1Char(' '));
}

std::vector<NumberCategory> Categories(const QString& letters) {
  std::vector<NumberCategory> categories;
  for (QChar letter : letters) categories.push_back(CategoryOf(letter));
  return categories;
}

CategoryFilter Filter(const QString& letters) {
  CategoryFilter filter{};
  for (NumberCategory category : Categories(letters)) filter[CategoryIndex(category)] = true;
  return filter;
}

// "U3" means the Unicom list held 3 numbers before the import.
CategoryCounts Counts(const QString& text) {
  CategoryCounts counts{};
  for (const QString& count : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    counts[CategoryIndex(CategoryOf(count[0]))] = count.mid(1).toULongLong();
  }
  return counts;
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
  void MergesAnImportIntoTheView_data() {
    test::Columns<QString, QString, QString, QString, QString>({"shown", "imported", "before", "admitted", "expected"});
    // The view holds p, q, r; only 联通 is ticked; the file holds 移动, u1, 移动, u2.
    QTest::newRow("p u1 q u2 r") << "U0 U1 U2" << "MUMU" << "U3" << "U" << "U0 U3 U1 U4 U2";
    QTest::newRow("all admitted: the import goes first") << "M0 M1" << "UT" << "M2" << "MUTPO" << "U0 T0 M0 M1";
    QTest::newRow("into an empty view: file order") << "" << "MUOU" << "" << "UO" << "U0 O0 U1";
    QTest::newRow("nothing admitted: the view stays") << "M0" << "UU" << "M1" << "" << "M0";
    QTest::newRow("ordinal past the view's end: appended") << "U0" << "OOOU" << "U1" << "U" << "U0 U1";
    QTest::newRow("indexes continue the lists") << "U0" << "UMU" << "U5 M2" << "UM" << "U5 M2 U6 U0";
    QTest::newRow("an empty import changes nothing") << "P0 T0" << "" << "P1 T1" << "MUTPO" << "P0 T0";
  }

  void MergesAnImportIntoTheView() {
    QFETCH(QString, shown);
    QFETCH(QString, imported);
    QFETCH(QString, before);
    QFETCH(QString, admitted);
    QFETCH(QString, expected);
    QCOMPARE(Describe(MergeImported(Refs(shown), Categories(imported), Counts(before), Filter(admitted))), expected);
  }

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

      // Storage prepared for the merge may hold anything and any room.
      ItemRefs storage(random() % 3, ItemRef(ItemSource::Comparison, 9));
      storage.reserve(random() % 40);

      QCOMPARE(Describe(MergeImported(shown, imported, before, admitted, std::move(storage))),
               Describe(InsertOneByOne(shown, imported, before, admitted)));
    }
  }

  void ListsACategoryInListOrder() {
    CategoryLists lists;
    lists[NumberCategory::Telecom].Append("13300000001");
    lists[NumberCategory::Telecom].Append("13300000002");
    ItemRefs refs = {ItemRef(ItemSource::Mobile, 7)};
    AppendCategoryRefs(lists, NumberCategory::Telecom, refs);
    AppendCategoryRefs(lists, NumberCategory::Phs, refs);
    QCOMPARE(Describe(refs), QStringLiteral("M7 T0 T1"));
  }
};

}  // namespace zelvane

QTEST_GUILESS_MAIN(zelvane::ViewOrderTest)
#include "view_order_test.moc"
