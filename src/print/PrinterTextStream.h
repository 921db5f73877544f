#pragma once

#include <QPainter>
#include <memory>
#include <string>
#include <string_view>

#include "document/Platform.h"
#include "print/TextLayout.h"

class QPrinter;

namespace taskwell {

// A print job on a QPrinter that takes whole lines of text in a fixed-pitch font, wrapping long
// lines and breaking pages itself. The job begins when the stream is constructed and ends at
// Close; a stream dropped without Close (after a failure) ends the job with what it has.
class QtPrinterTextStream final : public PrinterTextStream {
 public:
  // Throws std::runtime_error when the printer cannot begin the job.
  QtPrinterTextStream(QPrinter& printer, const std::string& jobName);
  ~QtPrinterTextStream() override;
  QtPrinterTextStream(const QtPrinterTextStream&) = delete;
  QtPrinterTextStream& operator=(const QtPrinterTextStream&) = delete;

  // Lines are UTF-8; a line that is not is read as Latin-1, as the grid shows such text.
  void WriteLine(std::string_view line) override;
  void Close() override;

 private:
  void Run(const LayoutStep& step);

  QPrinter& Printer;
  QPainter Painter;
  std::unique_ptr<TextLayout> Layout;
};

}  // namespace taskwell
