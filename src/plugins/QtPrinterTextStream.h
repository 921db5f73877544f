#pragma once

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "document/Platform.h"
#include "print/TextLayout.h"

class QFont;
class QPagedPaintDevice;
class QPaintDevice;
class QPdfWriter;
class QPrinter;
class QSaveFile;

namespace taskwell {

// How wide a text prints in the font on the device, in device units. Shaping every line only to
// measure it is the costliest part of a long printout, and nearly all task text is plain ASCII in
// a fixed-pitch font: when every printable ASCII character of the font has the same advance, such
// text is as wide as its length times that advance, rounded as the font's own measurement rounds.
// Anything else is shaped.
TextLayout::Measure PrintedTextWidth(const QFont& font, QPaintDevice* device);

// A print job on a QPrinter that takes whole lines of text in a fixed-pitch font, wrapping long
// lines and breaking pages itself. The job begins when the stream is constructed and ends at
// Close; a stream dropped without Close (after a failure) ends the job with what it has, except
// that a print file is then discarded. A print file replaces the file of that name only once it is
// written in full, so a failure leaves no half-written file behind.
class QtPrinterTextStream final : public PrinterTextStream {
 public:
  // A print file as the printer would have written it: the same page, resolution and PDF flavour,
  // so the layout is the same. Plain values, so that another thread may draw it.
  struct PrintFile {
    QString Path;
    QPageLayout Layout;
    int Resolution = 0;
    QPagedPaintDevice::PdfVersion Version = QPagedPaintDevice::PdfVersion_1_4;
    QString Title;
    QString Creator;
    static PrintFile Of(const QPrinter& printer, const std::string& jobName);
  };

  // Throws std::runtime_error when the printer cannot begin the job.
  QtPrinterTextStream(QPrinter& printer, const std::string& jobName);
  // A print file drawn on the thread that makes the stream; throws as a failed write does.
  explicit QtPrinterTextStream(const PrintFile& file);
  ~QtPrinterTextStream() override;
  QtPrinterTextStream(const QtPrinterTextStream&) = delete;
  QtPrinterTextStream& operator=(const QtPrinterTextStream&) = delete;

  // Lines are UTF-8; a line that is not is read as Windows-1252, as the grid shows such text.
  void WriteLine(std::string_view line) override;
  // Throws std::runtime_error naming the file and the reason when a print file could not be
  // written; the file is then left as it was before the job.
  void Close() override;

 private:
  void BeginFile(const PrintFile& file);
  void BeginText();
  void Run(const LayoutStep& step);
  [[noreturn]] void FailWriting(const QString& reason);

  // The print file's name; empty for a printer.
  QString path_;
  // Printing to a file goes through our own file, whose write errors we can see; the printer's
  // own file output does not report them.
  std::unique_ptr<QSaveFile> file_;
  std::unique_ptr<QPdfWriter> writer_;
  QPagedPaintDevice* device_ = nullptr;
  // Declared after the devices so that it is destroyed before them.
  QPainter painter_;
  int ascent_ = 0;
  std::unique_ptr<TextLayout> layout_;
};

}  // namespace taskwell
