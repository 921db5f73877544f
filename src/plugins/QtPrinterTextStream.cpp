#include "plugins/QtPrinterTextStream.h"

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

std::string CannotWrite(const QString& path, const QString& reason) {
  return "Could not write the print file " + path.toStdString() + ": " + reason.toStdString();
}

std::string CannotStart(const QPrinter& printer) {
  const QString name = printer.printerName();
  return "Could not start printing on " +
         (name.isEmpty() ? std::string("the printer") : "printer " + name.toStdString());
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

QtPrinterTextStream::PrintFile QtPrinterTextStream::PrintFile::Of(const QPrinter& printer,
                                                                  const std::string& jobName) {
  return {printer.outputFileName(), printer.pageLayout(), printer.resolution(),
          printer.pdfVersion(),     FromUtf8(jobName),    printer.creator()};
}

QtPrinterTextStream::QtPrinterTextStream(QPrinter& printer, const std::string& jobName) {
  printer.setDocName(FromUtf8(jobName));
  if (printer.outputFileName().isEmpty()) {
    if (!painter_.begin(&printer)) throw std::runtime_error(CannotStart(printer));
    device_ = &printer;
  } else {
    BeginFile(PrintFile::Of(printer, jobName));
  }
}

QtPrinterTextStream::QtPrinterTextStream(const PrintFile& file) {
  BeginFile(file);
}

void QtPrinterTextStream::BeginFile(const PrintFile& file) {
  path_ = file.Path;
  file_ = std::make_unique<QSaveFile>(path_);
  if (!file_->open(QIODevice::WriteOnly)) FailWriting(file_->errorString());
  writer_ = std::make_unique<QPdfWriter>(file_.get());
  writer_->setPageLayout(file.Layout);
  writer_->setResolution(file.Resolution);
  writer_->setPdfVersion(file.Version);
  writer_->setTitle(file.Title);
  if (!file.Creator.isEmpty()) writer_->setCreator(file.Creator);
  if (!painter_.begin(writer_.get())) FailWriting(file_->errorString());
  device_ = writer_.get();
}

// Only at the first line: the font takes the device's resolution once the job has begun, and on
// a thread of its own it is loaded afresh, which the start of the job need not wait for.
void QtPrinterTextStream::BeginText() {
  painter_.setFont(QFont(QStringLiteral("Courier New"), FontPoints));
  const QFontMetrics metrics = painter_.fontMetrics();
  ascent_ = metrics.ascent();
  const TextMetrics textMetrics{metrics.height(), metrics.height(), metrics.averageCharWidth()};
  layout_ = std::make_unique<TextLayout>(device_->width(), device_->height(), textMetrics,
                                         PrintedTextWidth(painter_.font(), device_));
}

QtPrinterTextStream::~QtPrinterTextStream() {
  // An unfinished print file is dropped with the job: the file is only replaced at Close.
  if (painter_.isActive()) painter_.end();
}

void QtPrinterTextStream::WriteLine(std::string_view line) {
  // After a failure the job has ended; nothing more reaches the device.
  if (!painter_.isActive()) return;
  if (!layout_) BeginText();
  const std::string utf8 = IsValidUtf8(line) ? std::string(line) : Cp1252ToUtf8(line);
  for (const LayoutStep& step : layout_->WriteLine(utf8)) Run(step);
}

void QtPrinterTextStream::Run(const LayoutStep& step) {
  // After a failure the job has ended; nothing more reaches the device.
  if (!painter_.isActive()) return;
  if (step.What == LayoutStep::Kind::NewPage) {
    if (device_->newPage()) return;
    if (file_) FailWriting(file_->errorString());
    throw std::runtime_error("The printer could not start a new page");
  }
  // The layout places the top of the text; QPainter draws from the baseline.
  painter_.drawText(QPointF(step.X, step.Y + ascent_), FromUtf8(step.Text));
}

void QtPrinterTextStream::Close() {
  if (!painter_.isActive()) return;
  const bool ended = painter_.end();
  if (!file_) {
    if (!ended) throw std::runtime_error("The print job could not be finished");
    return;
  }
  // The PDF writer ignores failed writes, so the file's own error state is what tells. The data
  // is also forced to the disk here, where a late failure (a full disk, a quota) still shows.
  if (!file_->flush() || file_->error() != QFileDevice::NoError) FailWriting(file_->errorString());
  if (::fsync(file_->handle()) != 0) FailWriting(qt_error_string(errno));
  if (!ended) FailWriting(QStringLiteral("the print job could not be finished"));
  if (!file_->commit()) FailWriting(file_->errorString());
}

void QtPrinterTextStream::FailWriting(const QString& reason) {
  const std::string message = CannotWrite(path_, reason);
  // The unfinished file is dropped with the stream, leaving whatever the name held before.
  if (painter_.isActive()) painter_.end();
  if (file_->isOpen()) file_->cancelWriting();
  throw std::runtime_error(message);
}

}  // namespace taskwell
