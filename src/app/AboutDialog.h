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

  QLabel* const ProductName;
  QLabel* const Comments;
  QLabel* const Version;
  QLabel* const ProgramIcon;
  QPushButton* const ContinueButton;

  void ContinueButtonClick();

 protected:
  // Centres the box on the screen each time, wherever the main window is.
  void showEvent(QShowEvent* event) override;
};

}  // namespace taskwell
