#include "app/DateInputDialog.h"

#include <QCoreApplication>

namespace taskwell {

DateInputDialog::DateInputDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DateInputForm"));
  setWindowTitle(QCoreApplication::translate("taskwell", "Date"));
}

}  // namespace taskwell
