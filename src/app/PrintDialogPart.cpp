#include "app/PrintDialogPart.h"

#include "app/PluginLibrary.h"

namespace taskwell {

std::unique_ptr<PrintDialogPart> PrintDialogPart::Make(QWidget* parent, QString& problem) {
  static QString failure;
  static const auto entry = PluginLibrary::EntryOf<TaskwellPrintDialogEntry>(
      QStringLiteral("taskwell-print.so"), "taskwell_print_dialog", failure);
  if (entry == nullptr) {
    problem = failure;
    return nullptr;
  }
  return std::unique_ptr<PrintDialogPart>(entry(parent));
}

}  // namespace taskwell
