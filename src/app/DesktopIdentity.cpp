#include "app/DesktopIdentity.h"

#include <QApplication>
#include <QImageReader>
#include <QPixmap>

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
  // Read as the PNG it is: guessing the format loads every image format plugin at start.
  QImageReader reader(QStringLiteral(":/taskwell/icon.png"), "png");
  reader.setAutoDetectImageFormat(false);
  // The picture the package installs, so no icon theme is asked: reading the theme's index took
  // a seventh of the window's start, and the desktop finds the themed one by the desktop file.
  return QIcon(QPixmap::fromImage(reader.read()));
}

void ApplyDesktopIdentity() {
  QCoreApplication::setApplicationName(QStringLiteral("Taskwell"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  QGuiApplication::setDesktopFileName(QStringLiteral("taskwell"));
  QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace taskwell
