// The print plug-in's entry point: the window's print dialog with its printer.
#include "plugins/TaskPrintDialog.h"

extern "C" Q_DECL_EXPORT taskwell::PrintDialogPart* taskwell_print_dialog(QWidget* parent) {
  return new taskwell::TaskPrintDialog(parent);  // NOLINT: the window takes it over
}
