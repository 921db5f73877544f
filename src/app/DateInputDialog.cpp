#include "app/DateFormUnit.h"

namespace taskwell {

TDateInputForm::TDateInputForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DateInputForm"));
  setWindowTitle(QStringLiteral("Date"));
}

}  // namespace taskwell
