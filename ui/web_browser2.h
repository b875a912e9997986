#pragma once

#include <QFrame>
#include <QString>

namespace zelvane {

// The advertisement pane: it takes the one navigation the dialog makes and remembers the
// address, shows a quiet empty panel, and never goes on the network.
class CWebBrowser2 : public QFrame {
  Q_OBJECT

 public:
  explicit CWebBrowser2(QWidget* parent = nullptr);

  void Navigate(const QString& url) { m_locationUrl = url; }

  // The address of the last navigation; empty before the first.
  const QString& LocationUrl() const { return m_locationUrl; }

 private:
  QString m_locationUrl;
};

}  // namespace zelvane
