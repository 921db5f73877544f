#pragma once

#include <QObject>
#include <chrono>
#include <functional>

#include "app/WorkProgress.h"

class QWidget;
class QAction;

namespace taskwell {

class ToDoList;
class Platform;

// Import… and Export… in the grid's context menu, with their keys (Ctrl+Shift+I, Ctrl+Shift+E)
// anywhere in the window: the standard file dialog, then the list's own import or export.
class ExchangeMenu final : public QObject {
  Q_OBJECT

 public:
  using Runner = std::function<bool(const std::function<void()>&)>;

  // `run` is the window's guarded way into the list; `commit` commits the cell being edited.
  ExchangeMenu(ToDoList& list, Platform& ui, QWidget& grid, Runner run,
               std::function<bool()> commit);

  void ImportClick();
  void ExportClick();
  // The work after the file dialog. One that runs long shows its progress, with Cancel: a
  // cancelled import changes nothing, a cancelled export leaves no file.
  void ImportFrom(const QString& path);
  void ExportTo(const QString& path);
  // How long the work runs before its progress shows.
  void SetProgressAfter(std::chrono::milliseconds after) { progressAfter_ = after; }

 private:
  QAction* AddAction(const char* name, const QString& text, const QKeySequence& keys);

  ToDoList& list_;
  Platform& ui_;
  QWidget& grid_;
  Runner run_;
  std::function<bool()> commit_;
  std::chrono::milliseconds progressAfter_ = WorkProgress::kShowAfter;
};

}  // namespace taskwell
