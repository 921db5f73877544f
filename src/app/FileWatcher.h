#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace taskwell {

// Tells when a file has changed on disk and then stayed still for a while. Sync tools replace a
// file by renaming a new one over it, which ends a watch on the file itself, so its folder (and
// the folder a symbolic link leads to) is watched too, and the file is watched again each time.
class FileWatcher final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSettleMs = 300;

  explicit FileWatcher(const QString& path, QObject* parent = nullptr);

 signals:
  // The file (or its folder) changed, and nothing has changed since for kSettleMs.
  void Settled();

 private:
  void Changed();
  void Rewatch();

  QString path_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
};

}  // namespace taskwell
