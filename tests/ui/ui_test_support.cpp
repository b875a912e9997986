#include "tests/ui/ui_test_support.h"

#include <QCheckBox>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "res/resource_ids.h"

namespace zelvane::test {

namespace {

const QHash<QString, QByteArray>& SampleNumbers() {
  static const QHash<QString, QByteArray> numbers = {
      {"m1", "13900000001"}, {"m2", "13900000002"}, {"u1", "13000000001"}, {"u2", "13000000002"},
      {"p", "13000000101"},  {"q", "13000000102"},  {"r", "13000000103"},  {"t", "13300000001"},
      {"h", "07550000001"},  {"o", "95588000"},     {"a", "13800000001"},  {"b", "13800000002"},
      {"c", "18600000003"},  {"d", "95599004"},     {"x", "18200000001"},  {"y", "19900000001"},
  };
  return numbers;
}

}  // namespace

std::filesystem::path TestFolder::Write(const QString& name, const QByteArray& bytes) const {
  QFile file(m_dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write a test file");
  return PathOf(name);
}

std::filesystem::path TestFolder::PathOf(const QString& name) const {
  return std::filesystem::path(QFile::encodeName(m_dir.filePath(name)).toStdString());
}

QByteArray TestFolder::Read(const QString& name) const {
  QFile file(m_dir.filePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray SampleNumber(const QString& name) {
  const auto found = SampleNumbers().constFind(name);
  if (found == SampleNumbers().cend()) qFatal("no sample number %s", qPrintable(name));
  return *found;
}

QByteArray SampleFile(const QString& names, const QByteArray& separator) {
  QByteArray bytes;
  for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) bytes += SampleNumber(name) + separator;
  return bytes;
}

QStringList ShownNumbers(const CClassifierDlg& dialog) {
  const NumberListModel& model = *dialog.DlgItem<NumberListView>(res::IDC_NUMBER_LIST)->Model();
  QStringList numbers;
  for (std::size_t item = 0; item < model.size(); ++item) numbers << model.Text(item);
  return numbers;
}

QString ShownNames(const CClassifierDlg& dialog) {
  QStringList names;
  for (const QString& number : ShownNumbers(dialog)) names << SampleNumbers().key(number.toLatin1(), "?" + number);
  return names.join(QLatin1Char(' '));
}

QString Status(const CClassifierDlg& dialog) { return dialog.DlgItem<QLabel>(res::IDC_STATUS)->text(); }

QString Boxes(const CClassifierDlg& dialog) {
  QString boxes;
  for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) boxes += box->isChecked() ? "+" : "-";
  return boxes;
}

QCheckBox* Box(const CClassifierDlg& dialog, const QString& text) {
  const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
  const auto box = std::find_if(boxes.begin(), boxes.end(), [&](QCheckBox* b) { return b->text() == text; });
  return box == boxes.end() ? nullptr : *box;
}

void ClickBoxes(CClassifierDlg& dialog, const QString& texts) {
  for (const QString& text : texts.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    QCheckBox* box = Box(dialog, text);
    if (!box) qFatal("no check box %s", qPrintable(text));
    box->click();
  }
}

void Import(CClassifierDlg& dialog, ScriptedShell& shell, const std::optional<std::filesystem::path>& path) {
  shell.AnswerNextPrompt(path);
  dialog.DlgItem<QPushButton>(res::IDC_IMPORT)->click();
}

void MainWindow::ImportSamples(const QString& names, const QString& file) {
  Import(dialog, shell, folder.Write(file, SampleFile(names)));
}

void MainWindow::Click(int button) const { dialog.DlgItem<QPushButton>(button)->click(); }

void Type(QWidget* widget, const QString& text) {
  for (const char32_t codePoint : text.toUcs4()) {
    const QString character = QString::fromUcs4(&codePoint, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

void Press(QWidget* widget, const QString& keys) {
  for (const QString& step : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QStringList parts = step.split(QLatin1Char('*'));
    const QKeyCombination key = QKeySequence::fromString(parts[0])[0];
    for (int times = parts.size() > 1 ? parts[1].toInt() : 1; times > 0; --times) {
      QTest::keyClick(widget, key.key(), key.keyboardModifiers());
    }
  }
}

void Act(QDialog& dialog, const QString& action) {
  QWidget* focus = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
  if (action == "Enter") {
    QTest::keyClick(focus, Qt::Key_Return);
  } else if (action == "Esc") {
    QTest::keyClick(focus, Qt::Key_Escape);
  } else if (action == "close box") {
    dialog.close();
  } else {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == action) {
        button->click();
        return;
      }
    }
    qFatal("no button %s", qPrintable(action));
  }
}

void AnswerSeparatorDialog(ScriptedShell& shell, const QString& separator, const QString& action) {
  shell.HandleDialogsWith([separator, action](QDialog& dialog) {
    if (dialog.windowTitle() == QStringLiteral("导出格式")) {
      dialog.show();
      Act(dialog, "Enter");
      return dialog.result();
    }
    if (!static_cast<TemplateDialog&>(dialog).DlgItem<QLineEdit>(res::IDC_SEPARATOR_EDIT))
      return int(QDialog::Rejected);
    dialog.show();
    Type(dialog.focusWidget(), separator);  // where the user's typing goes
    Act(dialog, action);
    return dialog.result();
  });
}

QString Describe(const RangeSelection& selection) {
  QStringList ranges;
  for (const RangeSelection::Range& range : selection.Ranges())
    ranges << QStringLiteral("%1-%2").arg(range.begin).arg(range.end);
  return ranges.join(QLatin1Char(' '));
}

NumberView::NumberView(std::size_t count) {
  NumberList numbers;
  for (std::size_t item = 0; item < count; ++item) numbers.Append(std::to_string(13900000000 + item));
  model.ShowComparison(std::move(numbers));
  view.SetModel(&model);
}

}  // namespace zelvane::test
