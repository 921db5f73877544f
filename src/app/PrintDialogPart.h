#pragma once

#include <QString>
#include <memory>
#include <string>

#include "document/Platform.h"

class QWidget;

namespace taskwell {

// The main window's print dialog and the printer it sets up. It lives in a plug-in of its own
// (Qt Print Support and the print system's libraries), loaded at the first Print.
class PrintDialogPart {
 public:
  PrintDialogPart() = default;
  virtual ~PrintDialogPart() = default;
  PrintDialogPart(const PrintDialogPart&) = delete;
  PrintDialogPart& operator=(const PrintDialogPart&) = delete;

  // The dialog of `parent`, from the plug-in; null with the reason when it cannot be loaded.
  static std::unique_ptr<PrintDialogPart> Make(QWidget* parent, QString& problem);

  // Shows the dialog modally over parent with the choice preset. On OK the choice holds what the
  // user confirmed and the result is true; on cancel both choice and dialog stay as they were.
  virtual bool Exec(QWidget* parent, PrintChoice& choice) = 0;
  // Begins a print job on the printer as last confirmed in the dialog; throws when it cannot.
  virtual std::unique_ptr<PrinterTextStream> OpenStream(const std::string& jobName) = 0;
};

}  // namespace taskwell

extern "C" {
using TaskwellPrintDialogEntry = taskwell::PrintDialogPart* (*)(QWidget* parent);
}
