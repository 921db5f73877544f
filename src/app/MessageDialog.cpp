#include "app/MessageDialog.h"

#include <QCoreApplication>

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace taskwell {
namespace {

constexpr int kClientWidth = 342;
constexpr int kSpacerHeight = 16;

QFont BoldArial() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  font.setBold(true);
  return font;
}

}  // namespace

MessageDialog::MessageDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      spacerLabel_(new QLabel(this)),
      messageLabel_(new QLabel(this)),
      continueButton_(new QPushButton(this)) {
  setObjectName(QStringLiteral("MessageBox"));
  setModal(true);
  spacerLabel_->setObjectName(QStringLiteral("SpacerLabel"));
  spacerLabel_->setGeometry(0, 0, kClientWidth, kSpacerHeight);
  messageLabel_->setObjectName(QStringLiteral("MessageLabel"));
  messageLabel_->setFont(BoldArial());
  messageLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  messageLabel_->setWordWrap(true);
  // The text colour is the palette's, so the message reads in dark themes as well.
  messageLabel_->setFocusPolicy(Qt::NoFocus);
  continueButton_->setObjectName(QStringLiteral("ContinueButton"));
  continueButton_->setFont(BoldArial());
  continueButton_->setDefault(true);
  connect(continueButton_, &QPushButton::clicked, this, &MessageDialog::ContinueButtonClick);
  Prepare(QString(), QString());
}

void MessageDialog::Prepare(const QString& caption, const QString& message) {
  continueButton_->setVisible(true);
  continueButton_->setText(QCoreApplication::translate("taskwell", "Click here to continue"));
  setWindowTitle(caption);
  messageLabel_->setText(message);
  // The label takes the height its wrapped text needs at the full client width.
  const int labelHeight = messageLabel_->heightForWidth(kClientWidth);
  messageLabel_->setGeometry(0, kSpacerHeight, kClientWidth, labelHeight);
  const int buttonTop = messageLabel_->y() + messageLabel_->height() + 10;
  continueButton_->setGeometry(85, buttonTop, 180, 40);
  // The outer height is the button's bottom plus 35; the frame takes its share of those 35.
  const int frame = frameGeometry().height() - geometry().height();
  setFixedSize(kClientWidth, buttonTop + 40 + 35 - frame);
}

void MessageDialog::ShowMessageBox(const QString& caption, const QString& message) {
  Prepare(caption, message);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  continueButton_->setFocus();
  exec();
}

void MessageDialog::ContinueButtonClick() {
  accept();
}

}  // namespace taskwell
