#include "ui/resources.h"

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/ui_text.h"

// The icons are compiled into the library; a static library must register them itself.
static void RegisterIconResources() { Q_INIT_RESOURCE(zelvane); }

namespace zelvane {

QString LoadString(int id) {
  for (const res::StringResource& entry : res::kStringTable) {
    if (entry.id == id) return FromUtf8(entry.text);
  }
  return QString();
}

QIcon LoadIcon(int id) {
  if (id != res::IDR_MAINFRAME) return QIcon();
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/mainframe-32.xpm"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/icons/mainframe-16.xpm"), QSize(16, 16));
  return icon;
}

}  // namespace zelvane
