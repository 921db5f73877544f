#include "app/DesktopIdentity.h"

#include <QApplication>

#include "document/Version.h"

// Resources of a static library must be initialised by name, outside any namespace.
static void InitIconResource() {
#ifdef TASKWELL_HAS_ICON_RESOURCE
  Q_INIT_RESOURCE(taskwell_icon);
#endif
}

namespace taskwell {

QIcon ProgramIcon() {
  InitIconResource();
  return QIcon::fromTheme(QStringLiteral("taskwell"), QIcon(QStringLiteral(":/taskwell/icon.png")));
}

void ApplyDesktopIdentity() {
  QCoreApplication::setApplicationName(QStringLiteral("Taskwell"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  QGuiApplication::setDesktopFileName(QStringLiteral("taskwell"));
  QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace taskwell
