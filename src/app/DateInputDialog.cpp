#include "app/DateInputDialog.h"

namespace taskwell {

DateInputDialog::DateInputDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DateInputForm"));
  setWindowTitle(QStringLiteral("Date"));
}

}  // namespace taskwell
