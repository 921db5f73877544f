#include "app/MessageDialog.h"

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
      SpacerLabel(new QLabel(this)),
      MessageLabel(new QLabel(this)),
      ContinueButton(new QPushButton(this)) {
  setObjectName(QStringLiteral("MessageBox"));
  setModal(true);
  SpacerLabel->setObjectName(QStringLiteral("SpacerLabel"));
  SpacerLabel->setGeometry(0, 0, kClientWidth, kSpacerHeight);
  MessageLabel->setObjectName(QStringLiteral("MessageLabel"));
  MessageLabel->setFont(BoldArial());
  MessageLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  MessageLabel->setWordWrap(true);
  // The text colour is the palette's, so the message reads in dark themes as well.
  MessageLabel->setFocusPolicy(Qt::NoFocus);
  ContinueButton->setObjectName(QStringLiteral("ContinueButton"));
  ContinueButton->setFont(BoldArial());
  ContinueButton->setDefault(true);
  connect(ContinueButton, &QPushButton::clicked, this, &MessageDialog::ContinueButtonClick);
  Prepare(QString(), QString());
}

void MessageDialog::Prepare(const QString& caption, const QString& message) {
  ContinueButton->setVisible(true);
  ContinueButton->setText(QStringLiteral("Click here to continue"));
  setWindowTitle(caption);
  MessageLabel->setText(message);
  // The label takes the height its wrapped text needs at the full client width.
  const int labelHeight = MessageLabel->heightForWidth(kClientWidth);
  MessageLabel->setGeometry(0, kSpacerHeight, kClientWidth, labelHeight);
  const int buttonTop = MessageLabel->y() + MessageLabel->height() + 10;
  ContinueButton->setGeometry(85, buttonTop, 180, 40);
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
  ContinueButton->setFocus();
  exec();
}

void MessageDialog::ContinueButtonClick() {
  accept();
}

}  // namespace taskwell
