// Every dialog's texts read in a light and in a dark theme: sampled text pixels contrast with the
// background around them by at least 4.5:1.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyleFactory>
#include <filesystem>
#include <functional>

#include "app/AboutDialog.h"
#include "app/DateInputDialog.h"
#include "app/MainWindow.h"
#include "app/MessageDialog.h"
#include "grid/DueState.h"
#include "support/FakePlatform.h"
#include "support/QtApp.h"
#include "support/Widgets.h"

namespace taskwell {
namespace {

Rgb ToRgb(QRgb pixel) {
  return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

// The background is the area's corner; the text is its pixel that stands out most from it.
double TextContrast(QWidget& window, const QRect& area) {
  const QImage image = window.grab(area).toImage();
  const Rgb background = ToRgb(image.pixel(0, 0));
  double best = 1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      best = std::max(best, ContrastRatio(ToRgb(image.pixel(x, y)), background));
  return best;
}

QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::ButtonText, Qt::white);
  dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
  dark.setColor(QPalette::HighlightedText, Qt::black);
  return dark;
}

class ContrastTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(GetParam() ? DarkPalette() : QApplication::style()->standardPalette());
  }
  void TearDown() override { QApplication::setPalette(QApplication::style()->standardPalette()); }

  void ExpectReadable(QWidget& window, const std::vector<QWidget*>& texts) {
    window.show();
    QApplication::processEvents();
    for (QWidget* text : texts) {
      SCOPED_TRACE(text->objectName().toStdString());
      const QRect area(text->mapTo(&window, QPoint(0, 0)), text->size());
      EXPECT_GE(TextContrast(window, area), 4.5);
    }
  }
};

TEST_P(ContrastTest, DialogsAndTheMainWindowRead) {
  MessageDialog message;
  message.Prepare(QStringLiteral("Error"), QStringLiteral("Invalid Date - 2/30"));
  ExpectReadable(message, {testing::Child<QLabel>(message, "MessageLabel"),
                           testing::Child<QPushButton>(message, "ContinueButton")});

  AboutDialog about;
  ExpectReadable(about, {testing::Child<QLabel>(about, "ProductName"),
                         testing::Child<QLabel>(about, "Version"),
                         testing::Child<QPushButton>(about, "ContinueButton")});

  // The date dialog has no text; it must at least take the theme's background.
  DateInputDialog dateForm;
  dateForm.resize(100, 60);
  dateForm.show();
  QApplication::processEvents();
  EXPECT_EQ(dateForm.grab().toImage().pixelColor(50, 30),
            QApplication::palette().color(QPalette::Window));

  const auto folder = std::filesystem::temp_directory_path() / "taskwell-contrast";
  std::filesystem::create_directories(folder);
  const FixedClock clock(testing::Day(2026, 6, 10));
  MainWindow form({}, clock, (folder / "none.todo").string(), folder.string());
  // The offscreen screen is small; keep the labels inside it.
  form.setGeometry(10, 10, 780, 500);
  ExpectReadable(
      form, {testing::Child<QLabel>(form, "Label1"), testing::Child<QLabel>(form, "MessageLabel")});
  std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, ContrastTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

}  // namespace
}  // namespace taskwell
