#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <limits>

#include "document/Platform.h"
#include "document/Progress.h"

class QProgressDialog;
class QWidget;

namespace taskwell {

// Shows how far a long piece of work has come: once it has run for a while, a progress dialog
// with Cancel over the window. While the work runs the window keeps repainting; a press of
// Cancel makes the next step throw WorkCancelled.
class WorkProgress final : public ShownWork {
 public:
  static constexpr std::chrono::milliseconds kShowAfter{500};

  // `label` says what runs; `cancel` is the caption of its Cancel button.
  WorkProgress(QWidget& window, QString label, QString cancel,
               std::chrono::milliseconds showAfter = kShowAfter);
  ~WorkProgress() override;
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;

  // What the work is told; valid while this lives.
  Progress Of() const override { return Progress(listener_); }
  // Whether a change from the background (a reload, a sync's result) must wait: under a modal
  // dialog, and while work that lets the window's events run still reads the list.
  static bool ListBusy();

 private:
  void Tell(double share);

  QWidget& window_;
  QString label_;
  QString cancel_;
  std::chrono::milliseconds showAfter_;
  QElapsedTimer clock_;
  // When the window last ran its events; the first step runs them at once.
  qint64 lastEvents_ = std::numeric_limits<qint64>::min() / 2;
  QPointer<QProgressDialog> dialog_;
  Progress::Listener listener_;
  static inline int live_ = 0;
};

}  // namespace taskwell
