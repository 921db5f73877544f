#include "app/FileWatcher.h"

#include <QFileInfo>
#include <QStringList>

namespace taskwell {

FileWatcher::FileWatcher(const QString& path, QObject* parent)
    : QObject(parent), path_(path), settle_(this) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] {
    Rewatch();
    emit Settled();
  });
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatcher::Changed);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileWatcher::Changed);
  Rewatch();
}

void FileWatcher::Changed() {
  // Every change restarts the wait: a file being written is not read half-way.
  settle_.start();
}

void FileWatcher::Rewatch() {
  const QFileInfo file(path_);
  QStringList paths;
  if (file.exists()) paths << path_;
  paths << file.absolutePath();
  const QString target = file.canonicalFilePath();
  if (!target.isEmpty()) paths << QFileInfo(target).absolutePath();
  const QStringList watched = watcher_.files() + watcher_.directories();
  for (const QString& p : paths) {
    if (!watched.contains(p)) watcher_.addPath(p);
  }
}

}  // namespace taskwell
