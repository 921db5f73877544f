#include "app/QtPrinterTextStream.h"

#include <unistd.h>

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPointF>
#include <QPrinter>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cerrno>
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

std::string CannotWrite(const QString& path, const QString& reason) {
  return "Could not write the print file " + ToStd(path) + ": " + ToStd(reason);
}

std::string CannotStart(const QPrinter& printer) {
  const QString name = printer.printerName();
  return "Could not start printing on " +
         (name.isEmpty() ? std::string("the printer") : "printer " + ToStd(name));
}

bool IsPrintableAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

}  // namespace

TextLayout::Measure PrintedTextWidth(const QFont& font, QPaintDevice* device) {
  const QFontMetrics metrics(font, device);
  const QFontMetricsF exact(font, device);
  const qreal advance = exact.horizontalAdvance(QLatin1Char(' '));
  bool sameAdvance = advance > 0;
  for (char c = '!'; c <= '~' && sameAdvance; ++c) {
    sameAdvance = exact.horizontalAdvance(QLatin1Char(c)) == advance;
  }
  return [metrics, advance, sameAdvance](std::string_view text) {
    if (sameAdvance && IsPrintableAscii(text)) {
      return qRound(static_cast<qreal>(text.size()) * advance);
    }
    return metrics.horizontalAdvance(FromUtf8(text));
  };
}

QtPrinterTextStream::QtPrinterTextStream(QPrinter& printer, const std::string& jobName)
    : Printer(printer) {
  Printer.setDocName(FromUtf8(jobName));
  if (Printer.outputFileName().isEmpty()) {
    if (!Painter.begin(&Printer)) throw std::runtime_error(CannotStart(Printer));
    Device = &Printer;
  } else {
    File = std::make_unique<QSaveFile>(Printer.outputFileName());
    if (!File->open(QIODevice::WriteOnly)) FailWriting(File->errorString());
    // The same page, resolution and PDF flavour as the printer would have used, so the layout is
    // the same.
    Writer = std::make_unique<QPdfWriter>(File.get());
    Writer->setPageLayout(Printer.pageLayout());
    Writer->setResolution(Printer.resolution());
    Writer->setPdfVersion(Printer.pdfVersion());
    Writer->setTitle(Printer.docName());
    if (!Printer.creator().isEmpty()) Writer->setCreator(Printer.creator());
    if (!Painter.begin(Writer.get())) FailWriting(File->errorString());
    Device = Writer.get();
  }
  // The font only takes the device's resolution once the job has begun.
  Painter.setFont(QFont(QStringLiteral("Courier New"), FontPoints));
  const QFontMetrics metrics = Painter.fontMetrics();
  Ascent = metrics.ascent();
  const TextMetrics textMetrics{metrics.height(), metrics.height(), metrics.averageCharWidth()};
  Layout = std::make_unique<TextLayout>(Device->width(), Device->height(), textMetrics,
                                        PrintedTextWidth(Painter.font(), Device));
}

QtPrinterTextStream::~QtPrinterTextStream() {
  // An unfinished print file is dropped with the job: the file is only replaced at Close.
  if (Painter.isActive()) Painter.end();
}

void QtPrinterTextStream::WriteLine(std::string_view line) {
  const std::string utf8 = IsValidUtf8(line) ? std::string(line) : Cp1252ToUtf8(line);
  for (const LayoutStep& step : Layout->WriteLine(utf8)) Run(step);
}

void QtPrinterTextStream::Run(const LayoutStep& step) {
  // After a failure the job has ended; nothing more reaches the device.
  if (!Painter.isActive()) return;
  if (step.What == LayoutStep::Kind::NewPage) {
    if (Device->newPage()) return;
    if (File) FailWriting(File->errorString());
    throw std::runtime_error("The printer could not start a new page");
  }
  // The layout places the top of the text; QPainter draws from the baseline.
  Painter.drawText(QPointF(step.X, step.Y + Ascent), FromUtf8(step.Text));
}

void QtPrinterTextStream::Close() {
  if (!Painter.isActive()) return;
  const bool ended = Painter.end();
  if (!File) {
    if (!ended) throw std::runtime_error("The print job could not be finished");
    return;
  }
  // The PDF writer ignores failed writes, so the file's own error state is what tells. The data
  // is also forced to the disk here, where a late failure (a full disk, a quota) still shows.
  if (!File->flush() || File->error() != QFileDevice::NoError) FailWriting(File->errorString());
  if (::fsync(File->handle()) != 0) FailWriting(qt_error_string(errno));
  if (!ended) FailWriting(QStringLiteral("the print job could not be finished"));
  if (!File->commit()) FailWriting(File->errorString());
}

void QtPrinterTextStream::FailWriting(const QString& reason) {
  const std::string message = CannotWrite(Printer.outputFileName(), reason);
  // The unfinished file is dropped with the stream, leaving whatever the name held before.
  if (Painter.isActive()) Painter.end();
  if (File->isOpen()) File->cancelWriting();
  throw std::runtime_error(message);
}

}  // namespace taskwell
