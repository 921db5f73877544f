#include "plugins/TaskPrintDialog.h"

#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <utility>

#include "plugins/PrintJob.h"

namespace taskwell {
namespace {

constexpr int LowestPage = 0;
constexpr int HighestPage = 999;

// Qt's dialog never offers page 0, yet "from 0 to 0" means "due today". Its own page fields are
// reached by their object names; where a Qt version names them differently, the dialog's
// standard range (from 1) still works.
class DayRangePrintDialog final : public QPrintDialog {
 public:
  DayRangePrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {}

  void Preset(const PrintChoice& choice) { Shown = choice; }

  // What the user confirmed, read from the fields themselves because the printer drops a range
  // that starts at 0.
  PrintChoice Confirmed() const {
    QSpinBox* from = findChild<QSpinBox*>(QStringLiteral("from"));
    QSpinBox* to = findChild<QSpinBox*>(QStringLiteral("to"));
    QRadioButton* range = findChild<QRadioButton*>(QStringLiteral("printRange"));
    if (from == nullptr || to == nullptr || range == nullptr) {
      return {printRange() != QAbstractPrintDialog::PageRange, fromPage(), toPage()};
    }
    return {!range->isChecked(), from->value(), std::max(from->value(), to->value())};
  }

  // The dialog refills its fields whenever it is shown, so they are adjusted afterwards.
  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    if (visible) AllowDayZero();
  }

 private:
  void AllowDayZero() {
    const std::pair<const char*, int> fields[] = {{"from", Shown.From}, {"to", Shown.To}};
    for (const auto& [name, value] : fields) {
      if (auto* box = findChild<QSpinBox*>(QString::fromLatin1(name))) {
        box->setMinimum(LowestPage);
        box->setValue(value);
      }
    }
    // A free-form page list cannot say 0 either; the from-to fields are the range.
    for (const char* name : {"pagesRadioButton", "pagesLineEdit"}) {
      if (auto* widget = findChild<QWidget*>(QString::fromLatin1(name))) widget->hide();
    }
  }

  PrintChoice Shown;
};

}  // namespace

TaskPrintDialog::TaskPrintDialog(QWidget* parent) : parent_(parent) {}

QPrinter& TaskPrintDialog::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

TaskPrintDialog::~TaskPrintDialog() {
  delete dialog_.data();
}

QPrintDialog& TaskPrintDialog::Dialog() {
  if (dialog_.isNull()) {
    auto* dialog = new DayRangePrintDialog(&Printer(), parent_.data());
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog->setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog->setMinMax(LowestPage, HighestPage);
    dialog_ = dialog;
  }
  return *dialog_;
}

bool TaskPrintDialog::Exec(QWidget* parent, PrintChoice& choice) {
  auto& dialog = static_cast<DayRangePrintDialog&>(Dialog());
  if (parent != dialog.parentWidget()) dialog.setParent(parent, dialog.windowFlags());
  dialog.setPrintRange(choice.PrintAll ? QAbstractPrintDialog::AllPages
                                       : QAbstractPrintDialog::PageRange);
  dialog.setFromTo(LowestPage, LowestPage);
  dialog.Preset(choice);
  if (dialog.exec() != QDialog::Accepted) return false;
  choice = dialog.Confirmed();
  return true;
}

std::unique_ptr<PrinterTextStream> TaskPrintDialog::OpenStream(const std::string& jobName) {
  return std::make_unique<PrintJob>(Printer(), jobName, parent_.data());
}

}  // namespace taskwell
