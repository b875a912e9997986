#include "ui/qt/resources.h"

#include <QDir>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/qt/ui_text.h"

// The icons are compiled into the library; a static library must register them itself.
static void RegisterIconResources() { Q_INIT_RESOURCE(zelvane); }

namespace zelvane {

QString LoadString(int id) { return FromUtf8(res::LoadUtf8String(id)); }

QIcon LoadIcon(int id) {
  if (id != res::IDR_MAINFRAME) return QIcon();
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
  // One PNG a size, as scripts/render-icons makes them; each file gives its own size.
  QIcon icon;
  const QDir sizes(QStringLiteral(":/icons/mainframe"));
  for (const QString& name : sizes.entryList(QDir::Files)) icon.addFile(sizes.filePath(name));
  return icon;
}

}  // namespace zelvane
