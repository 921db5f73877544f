#pragma once

#include <QDialog>

namespace taskwell {

// A date dialog that is created with the other windows and kept, though nothing shows it.
class DateInputDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit DateInputDialog(QWidget* parent = nullptr);
};

}  // namespace taskwell
