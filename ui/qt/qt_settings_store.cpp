#include "ui/qt/qt_settings_store.h"

namespace zelvane {

namespace {

QString Key(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

}  // namespace

QtSettingsStore::QtSettingsStore() : m_settings(QStringLiteral("Zelvane"), QStringLiteral("Zelvane")) {}

std::optional<std::string> QtSettingsStore::Text(std::string_view name) const {
  const QVariant value = m_settings.value(Key(name));
  if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  return value.toString().toUtf8().toStdString();
}

// Written as text, a number comes back from the file as text.
std::optional<std::int64_t> QtSettingsStore::Number(std::string_view name) const {
  const QVariant value = m_settings.value(Key(name));
  if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::LongLong) return std::nullopt;
  bool ok = false;
  const qlonglong number = value.toLongLong(&ok);
  if (!ok) return std::nullopt;
  return number;
}

void QtSettingsStore::SetText(std::string_view name, std::string_view text) {
  const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
  const QString decoded = QString::fromUtf8(bytes);
  if (decoded.toUtf8() == bytes) {
    m_settings.setValue(Key(name), decoded);
  } else {
    m_settings.setValue(Key(name), bytes);
  }
}

void QtSettingsStore::SetNumber(std::string_view name, std::int64_t number) {
  m_settings.setValue(Key(name), static_cast<qlonglong>(number));
}

}  // namespace zelvane
