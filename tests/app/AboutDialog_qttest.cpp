#include "app/AboutDialog.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "document/Version.h"
#include "support/QtApp.h"
#include "support/Widgets.h"

namespace taskwell {
namespace {

// Runs check while the box is open modally, then closes it with close.
int ExecWhileChecking(AboutDialog& box, const std::function<void()>& check,
                      const std::function<void()>& close) {
  QTimer::singleShot(0, &box, [&] {
    check();
    close();
  });
  return box.exec();
}

// What the main window writes each time it is shown.
void FillAsTheMainWindowDoes(AboutDialog& box) {
  box.SetTexts(QStringLiteral("Taskwell"), QString(),
               QStringLiteral("V") + QString::fromLatin1(kVersion));
}

TEST(AboutBox, FixedDialogWithTheControlsWhereTheyBelong) {
  AboutDialog box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
  EXPECT_EQ(box.size(), QSize(342, 358));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_TRUE(box.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
  EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

  struct Label {
    QLabel* Control;
    const char* Name;
    QRect Bounds;
    int Points;
  };
  const Label labels[] = {
      {testing::Child<QLabel>(box, "ProductName"), "ProductName", {10, 12, 320, 22}, 14},
      {testing::Child<QLabel>(box, "Comments"), "Comments", {10, 40, 320, 16}, 10},
      {testing::Child<QLabel>(box, "Version"), "Version", {10, 70, 320, 16}, 10},
  };
  for (const Label& l : labels) {
    SCOPED_TRACE(l.Name);
    EXPECT_EQ(l.Control->objectName(), QString::fromLatin1(l.Name));
    EXPECT_EQ(l.Control->geometry(), l.Bounds);
    EXPECT_EQ(l.Control->minimumSize(), l.Bounds.size());
    EXPECT_EQ(l.Control->maximumSize(), l.Bounds.size());
    EXPECT_EQ(l.Control->alignment(), Qt::AlignCenter);
    EXPECT_EQ(l.Control->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(l.Control->font().bold());
    EXPECT_EQ(l.Control->font().pointSize(), l.Points);
    // The text takes the dialog's palette colour (black in a light theme), never a fixed one.
    EXPECT_EQ(l.Control->palette().color(QPalette::WindowText),
              box.palette().color(QPalette::WindowText));
    EXPECT_EQ(box.findChild<QLabel*>(QString::fromLatin1(l.Name)), l.Control);
  }
  EXPECT_TRUE(testing::Child<QLabel>(box, "Comments")->wordWrap());

  EXPECT_EQ(testing::Child<QLabel>(box, "ProgramIcon")->objectName(),
            QStringLiteral("ProgramIcon"));
  EXPECT_EQ(testing::Child<QLabel>(box, "ProgramIcon")->geometry(), QRect(100, 130, 141, 61));
  EXPECT_TRUE(testing::Child<QLabel>(box, "ProgramIcon")->hasScaledContents());
  EXPECT_TRUE(testing::Child<QLabel>(box, "ProgramIcon")->pixmap().isNull());

  EXPECT_EQ(testing::Child<QPushButton>(box, "ContinueButton")->objectName(),
            QStringLiteral("ContinueButton"));
  EXPECT_EQ(testing::Child<QPushButton>(box, "ContinueButton")->geometry(),
            QRect(85, 300, 180, 50));
  EXPECT_EQ(testing::Child<QPushButton>(box, "ContinueButton")->text(),
            QStringLiteral("Click here to continue"));
  EXPECT_EQ(testing::Child<QPushButton>(box, "ContinueButton")->font().family(),
            QStringLiteral("Arial"));
  EXPECT_TRUE(testing::Child<QPushButton>(box, "ContinueButton")->font().bold());
  EXPECT_EQ(testing::Child<QPushButton>(box, "ContinueButton")->font().pointSize(), 10);
}

TEST(AboutBox, OnlyTheButtonTakesTheFocus) {
  AboutDialog box;
  for (QWidget* child : box.findChildren<QWidget*>()) {
    if (child != testing::Child<QPushButton>(box, "ContinueButton")) {
      EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
    }
  }
  EXPECT_NE(testing::Child<QPushButton>(box, "ContinueButton")->focusPolicy(), Qt::NoFocus);
}

TEST(AboutBox, ShownTwiceCentredWithTheSameTexts) {
  QWidget mainWindow;
  mainWindow.setGeometry(20, 30, 300, 200);
  mainWindow.show();
  AboutDialog box(&mainWindow);
  const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();

  struct Showing {
    QPoint MainWindowAt;
    std::function<void()> Close;
    int Result;
  };
  const Showing showings[] = {
      {{20, 30},
       [&] { testing::Child<QPushButton>(box, "ContinueButton")->click(); },
       QDialog::Accepted},
      {{400, 300}, [&] { box.close(); }, QDialog::Rejected},
  };
  for (const Showing& s : showings) {
    mainWindow.move(s.MainWindowAt);
    FillAsTheMainWindowDoes(box);
    QString product, comments, version;
    QRect where;
    QWidget* focused = nullptr;
    const int result = ExecWhileChecking(
        box,
        [&] {
          product = testing::Child<QLabel>(box, "ProductName")->text();
          comments = testing::Child<QLabel>(box, "Comments")->text();
          version = testing::Child<QLabel>(box, "Version")->text();
          where = box.frameGeometry();
          focused = box.focusWidget();
        },
        s.Close);
    EXPECT_EQ(result, s.Result);
    EXPECT_EQ(product, QStringLiteral("Taskwell"));
    EXPECT_EQ(comments, QString());
    EXPECT_EQ(version, QStringLiteral("V") + QString::fromLatin1(kVersion));
    EXPECT_LE((where.center() - screenCentre).manhattanLength(), 1);
    EXPECT_EQ(box.size(), QSize(342, 358));
    EXPECT_EQ(focused, testing::Child<QPushButton>(box, "ContinueButton"));
    EXPECT_FALSE(box.isVisible());
  }
}

}  // namespace
}  // namespace taskwell
