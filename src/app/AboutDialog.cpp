#include "app/AboutDialog.h"

#include <QCoreApplication>

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QShowEvent>

#include "document/Version.h"

namespace taskwell {
namespace {

constexpr int ClientWidth = 342;
constexpr int ClientHeight = 358;

QFont BoldArial(int points) {
  QFont font(QStringLiteral("Arial"), points);
  font.setBold(true);
  return font;
}

// A label of fixed size that centres its text and never sizes itself to it.
QLabel* FixedLabel(QWidget* parent, const char* name, const QRect& bounds, int points) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(bounds);
  label->setFixedSize(bounds.size());
  label->setAlignment(Qt::AlignCenter);
  label->setFont(BoldArial(points));
  // The palette's own text colour: black on the usual light dialog, and readable on a dark one.
  return label;
}

QLabel* PictureBox(QWidget* parent) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(QStringLiteral("ProgramIcon"));
  picture->setGeometry(100, 130, 141, 61);
  picture->setFixedSize(141, 61);
  picture->setScaledContents(true);
  return picture;
}

QPushButton* Button(QWidget* parent) {
  auto* button =
      new QPushButton(QCoreApplication::translate("taskwell", "Click here to continue"), parent);
  button->setObjectName(QStringLiteral("ContinueButton"));
  button->setGeometry(85, 300, 180, 50);
  button->setFont(BoldArial(10));
  button->setDefault(true);
  return button;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      productName_(FixedLabel(this, "ProductName", QRect(10, 12, 320, 22), 14)),
      comments_(FixedLabel(this, "Comments", QRect(10, 40, 320, 16), 10)),
      version_(FixedLabel(this, "Version", QRect(10, 70, 320, 16), 10)),
      programIcon_(PictureBox(this)),
      continueButton_(Button(this)) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QCoreApplication::translate("taskwell", "About"));
  setFont(QFont(QStringLiteral("System"), 10));
  setFixedSize(ClientWidth, ClientHeight);
  comments_->setWordWrap(true);
  // The texts the main window writes anyway; the box is never shown blank.
  productName_->setText(QStringLiteral("Taskwell"));
  version_->setText(QStringLiteral("V") + QString::fromLatin1(kVersion));
  connect(continueButton_, &QPushButton::clicked, this, &AboutDialog::ContinueButtonClick);
}

void AboutDialog::SetTexts(const QString& productName, const QString& comments,
                           const QString& version) {
  productName_->setText(productName);
  comments_->setText(comments);
  version_->setText(version);
}

void AboutDialog::ContinueButtonClick() {
  accept();
}

void AboutDialog::showEvent(QShowEvent* event) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
  continueButton_->setFocus();
}

}  // namespace taskwell
