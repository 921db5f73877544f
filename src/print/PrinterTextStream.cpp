#include "print/PrinterTextStream.h"

#include <QFont>
#include <QFontMetrics>
#include <QPointF>
#include <QPrinter>
#include <QString>
#include <stdexcept>

#include "document/Text.h"

namespace taskwell {
namespace {

constexpr int FontPoints = 12;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QString& text) {
  return text.toUtf8().toStdString();
}

std::string CannotBegin(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    return "Could not write the print file " + ToStd(printer.outputFileName());
  }
  const QString name = printer.printerName();
  return "Could not start printing on " +
         (name.isEmpty() ? std::string("the printer") : "printer " + ToStd(name));
}

}  // namespace

QtPrinterTextStream::QtPrinterTextStream(QPrinter& printer, const std::string& jobName)
    : Printer(printer) {
  Printer.setDocName(FromUtf8(jobName));
  if (!Painter.begin(&Printer)) throw std::runtime_error(CannotBegin(Printer));
  // The font only takes the printer's resolution once the job has begun.
  Painter.setFont(QFont(QStringLiteral("Courier New"), FontPoints));
  const QFontMetrics metrics = Painter.fontMetrics();
  const TextMetrics textMetrics{metrics.height(), metrics.height(), metrics.averageCharWidth()};
  Layout = std::make_unique<TextLayout>(
      Printer.width(), Printer.height(), textMetrics,
      [metrics](std::string_view text) { return metrics.horizontalAdvance(FromUtf8(text)); });
}

QtPrinterTextStream::~QtPrinterTextStream() {
  if (Painter.isActive()) Painter.end();
}

void QtPrinterTextStream::WriteLine(std::string_view line) {
  const std::string utf8 =
      IsValidUtf8(line) ? std::string(line)
                        : QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()))
                              .toUtf8()
                              .toStdString();
  for (const LayoutStep& step : Layout->WriteLine(utf8)) Run(step);
}

void QtPrinterTextStream::Run(const LayoutStep& step) {
  if (step.What == LayoutStep::Kind::NewPage) {
    if (!Printer.newPage()) throw std::runtime_error("The printer could not start a new page");
    return;
  }
  // The layout places the top of the text; QPainter draws from the baseline.
  const QPointF baseline(step.X, step.Y + Painter.fontMetrics().ascent());
  Painter.drawText(baseline, FromUtf8(step.Text));
}

void QtPrinterTextStream::Close() {
  if (!Painter.isActive()) return;
  if (!Painter.end()) throw std::runtime_error("The print job could not be finished");
}

}  // namespace taskwell
