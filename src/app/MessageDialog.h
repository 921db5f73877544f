#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace taskwell {

// The program's own message dialog: a caption, a centred bold message that wraps, and one large
// button. Its height follows the message.
class MessageDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit MessageDialog(QWidget* parent = nullptr);

  void ShowMessageBox(const QString& caption, const QString& message);
  // Sets caption and message and sizes the dialog for them, without showing it.
  void Prepare(const QString& caption, const QString& message);

 private:
  void ContinueButtonClick();

  // Named as in the layout; tests find them by these object names.
  QLabel* spacerLabel_;
  QLabel* messageLabel_;
  QPushButton* continueButton_;
};

}  // namespace taskwell
