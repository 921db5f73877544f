#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace taskwell {

// Runs work the window does not need to show itself once the widget has painted for the first
// time, from the event loop, so that the first paint does not wait for it.
class AfterFirstPaint final : public QObject {
 public:
  // Owned by `widget`; gone once the work has run.
  static void Run(QWidget& widget, std::function<void()> work);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr int kLatestMs = 2000;

  AfterFirstPaint(QWidget& widget, std::function<void()> work);
  void Post();

  std::function<void()> work_;
  bool posted_ = false;
};

}  // namespace taskwell
