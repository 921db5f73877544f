#include "app/PrintDialogPart.h"

#include "app/PluginLibrary.h"

namespace taskwell {

std::unique_ptr<PrintDialogPart> PrintDialogPart::Make(QWidget* parent, QString& problem) {
  const auto entry = PluginLibrary::EntryOf<TaskwellPrintDialogEntry>(
      QStringLiteral("taskwell-print.so"), "taskwell_print_dialog", problem);
  return entry != nullptr ? std::unique_ptr<PrintDialogPart>(entry(parent)) : nullptr;
}

}  // namespace taskwell
