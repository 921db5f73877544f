#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QShowEvent;

namespace taskwell {

// The About box: product name, comments and version, and one button that closes it. The main
// window writes the three texts each time it is shown and opens the box with exec().
class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  void SetTexts(const QString& productName, const QString& comments, const QString& version);
  void ContinueButtonClick();

 protected:
  // Centres the box on the screen each time, wherever the main window is.
  void showEvent(QShowEvent* event) override;

 private:
  // Named as in the layout; tests find them by these object names.
  QLabel* const productName_;
  QLabel* const comments_;
  QLabel* const version_;
  QLabel* const programIcon_;
  QPushButton* const continueButton_;
};

}  // namespace taskwell
