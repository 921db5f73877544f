#pragma once

#include <QPointer>
#include <memory>
#include <string>

#include "app/PrintDialogPart.h"
#include "document/Platform.h"

class QPrintDialog;
class QPrinter;
class QWidget;

namespace taskwell {

// The print dialog of the main window and the printer it configures, kept for the window's whole
// life from the first print on: a printer asks the print system for its queues, which a start
// does not need to wait for. Its page range is read as a window of days: pages from 0 to 999 are
// accepted, and the everything-or-range choice carries over from one run to the next.
class TaskPrintDialog final : public PrintDialogPart {
 public:
  // The dialog belongs to `parent` (the main window), so the desktop shows it over that window.
  explicit TaskPrintDialog(QWidget* parent = nullptr);
  ~TaskPrintDialog() override;
  TaskPrintDialog(const TaskPrintDialog&) = delete;
  TaskPrintDialog& operator=(const TaskPrintDialog&) = delete;

  // Shows the dialog modally over parent with the choice preset. On OK the choice holds what the
  // user confirmed and the result is true; on cancel both choice and dialog stay as they were.
  bool Exec(QWidget* parent, PrintChoice& choice) override;
  // Begins a print job on the printer as last confirmed in the dialog; throws when it cannot.
  std::unique_ptr<PrinterTextStream> OpenStream(const std::string& jobName) override;

  // For tests and callers that print without showing the dialog, e.g. to a PDF file.
  QPrinter& Printer();
  QPrintDialog& Dialog();

 private:
  QPointer<QWidget> parent_;
  std::unique_ptr<QPrinter> printer_;
  // The dialog may be parented to the main window, which then deletes it on its own destruction.
  QPointer<QPrintDialog> dialog_;
};

}  // namespace taskwell
