#include "app/WorkProgress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

namespace taskwell {
namespace {

constexpr int kSteps = 1000;
// Often enough for the window to repaint within a frame or three, seldom enough to cost nothing.
constexpr qint64 kEventsEveryMs = 30;
constexpr int kMinimumWidth = 360;

}  // namespace

WorkProgress::WorkProgress(QWidget& window, QString label, QString cancel,
                           std::chrono::milliseconds showAfter)
    : window_(window),
      label_(std::move(label)),
      cancel_(std::move(cancel)),
      showAfter_(showAfter),
      listener_([this](double share) { Tell(share); }) {
  clock_.start();
  ++live_;
}

WorkProgress::~WorkProgress() {
  --live_;
  delete dialog_.data();
}

bool WorkProgress::ListBusy() {
  return live_ > 0 || QApplication::activeModalWidget() != nullptr;
}

void WorkProgress::Tell(double share) {
  const qint64 now = clock_.elapsed();
  if (dialog_.isNull() && now >= showAfter_.count()) {
    dialog_ = new QProgressDialog(label_, cancel_, 0, kSteps, &window_);
    dialog_->setObjectName(QStringLiteral("WorkProgress"));
    dialog_->setWindowTitle(window_.windowTitle());
    dialog_->setWindowModality(Qt::WindowModal);
    // Wide enough for the window's title, which it repeats.
    dialog_->setMinimumWidth(kMinimumWidth);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->show();
    lastEvents_ = -kEventsEveryMs;
  }
  if (now - lastEvents_ < kEventsEveryMs) return;
  lastEvents_ = now;
  if (dialog_.isNull()) {
    // Before the dialog shows, nothing may reach the window that would change the list.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  dialog_->setValue(static_cast<int>(share * kSteps));
  QCoreApplication::processEvents();
  if (dialog_->wasCanceled()) throw WorkCancelled();
}

}  // namespace taskwell
