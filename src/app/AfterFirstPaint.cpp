#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace taskwell {

AfterFirstPaint::AfterFirstPaint(QWidget& widget, std::function<void()> work)
    : QObject(&widget), work_(std::move(work)) {
  widget.installEventFilter(this);
  // A window that is never painted (kept hidden, say) still gets the work done.
  QTimer::singleShot(kLatestMs, this, [this] { Post(); });
}

void AfterFirstPaint::Run(QWidget& widget, std::function<void()> work) {
  new AfterFirstPaint(widget, std::move(work));
}

bool AfterFirstPaint::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() == QEvent::Paint) Post();
  return false;
}

void AfterFirstPaint::Post() {
  if (posted_) return;
  posted_ = true;
  parent()->removeEventFilter(this);
  // Queued, so that the paint itself and its flush to the screen come first.
  QTimer::singleShot(0, this, [this] {
    const std::function<void()> work = std::move(work_);
    deleteLater();
    work();
  });
}

}  // namespace taskwell
