// The program's own message dialog sizes itself to its message.
#include "app/MessageDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "support/QtApp.h"
#include "support/Widgets.h"

namespace taskwell {
namespace {

QLabel* Message(const MessageDialog& box) {
  return testing::Child<QLabel>(box, "MessageLabel");
}
QPushButton* Continue(const MessageDialog& box) {
  return testing::Child<QPushButton>(box, "ContinueButton");
}

TEST(MessageBoxTest, OneLineMessageSitsTheButtonBelowIt) {
  MessageDialog box;
  box.Prepare(QStringLiteral("Error"), QStringLiteral("Invalid Date - 2/30"));
  const int line = Message(box)->fontMetrics().lineSpacing();
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Error"));
  EXPECT_EQ(Message(box)->y(), 16);
  EXPECT_NEAR(Message(box)->height(), line, 2);
  EXPECT_EQ(Continue(box)->y(), 16 + Message(box)->height() + 10);
  EXPECT_EQ(Continue(box)->geometry(), QRect(85, Continue(box)->y(), 180, 40));
  EXPECT_EQ(Continue(box)->text(), QStringLiteral("Click here to continue"));
  EXPECT_EQ(box.width(), 342);
  EXPECT_EQ(box.height(), Continue(box)->y() + 40 + 35);
}

TEST(MessageBoxTest, LongMessagesWrapAndTheSecondMessageGetsItsOwnSize) {
  MessageDialog box;
  const QString longText =
      QStringLiteral("This message is long enough to wrap over several lines ").repeated(4);
  box.Prepare(QStringLiteral("Increment End"), longText);
  const int tall = box.height();
  const int line = Message(box)->fontMetrics().lineSpacing();
  EXPECT_GE(Message(box)->height(), 4 * line);
  EXPECT_EQ(box.width(), 342);
  box.Prepare(QStringLiteral("Increment Error"), QStringLiteral("No date to increment"));
  EXPECT_LT(box.height(), tall - 2 * line);
  EXPECT_EQ(Message(box)->text(), QStringLiteral("No date to increment"));
}

TEST(MessageBoxTest, ShowsModallyAndTheButtonClosesIt) {
  MessageDialog box;
  bool sawIt = false;
  QTimer::singleShot(0, [&] {
    sawIt = box.isVisible() && box.isModal() && box.focusWidget() == Continue(box);
    Continue(box)->click();
  });
  box.ShowMessageBox(QStringLiteral("Taskwell"), QStringLiteral("x is already being edited."));
  EXPECT_TRUE(sawIt);
  EXPECT_FALSE(box.isVisible());
}

}  // namespace
}  // namespace taskwell
