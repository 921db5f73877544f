#include "plugins/PrintJob.h"

#include <QCoreApplication>
#include <QPrinter>
#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

#include "app/WorkProgress.h"

namespace taskwell {
namespace {

// How often the window's thread looks at the drawing thread: well within a frame.
constexpr std::chrono::milliseconds kPoll{5};

}  // namespace

PrintJob::PrintJob(QPrinter& printer, const std::string& jobName, QWidget* window)
    : printer_(printer), file_(QtPrinterTextStream::PrintFile::Of(printer, jobName)) {
  if (window != nullptr) {
    shown_ = std::make_unique<WorkProgress>(
        *window, QCoreApplication::translate("taskwell", "Printing tasks..."),
        QCoreApplication::translate("taskwell", "Cancel"));
    progress_ = shown_->Of();
  }
  if (file_.Path.isEmpty()) {
    printerJob_ = std::make_unique<QtPrinterTextStream>(printer, jobName);
    return;
  }
  // A file that cannot be begun says so now, as a printer does.
  std::promise<void> begun;
  std::future<void> began = begun.get_future();
  drawer_ = std::thread([this, &begun] { Draw(begun); });
  try {
    began.get();
  } catch (...) {
    drawer_.join();
    throw;
  }
}

PrintJob::~PrintJob() {
  // A job that never reached its end prints nothing of what it had.
  if (printerJob_) printer_.abort();
  if (drawer_.joinable()) {
    if (!told_) go_.set_value(false);
    cancelled_ = true;
    drawer_.join();
  }
}

void PrintJob::WriteLine(std::string_view line) {
  text_.append(line);
  ends_.push_back(text_.size());
  // How many lines will come is not known yet.
  progress_.Step(ends_.size(), 0, 1);
}

std::string_view PrintJob::Line(std::size_t index) const {
  const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(begin, ends_[index] - begin);
}

void PrintJob::Close() {
  if (printerJob_) return DrawHere();
  DrawElsewhere();
}

void PrintJob::DrawHere() {
  try {
    for (std::size_t i = 0; i < ends_.size(); ++i) {
      printerJob_->WriteLine(Line(i));
      progress_.Step(i, ends_.size());
    }
  } catch (const WorkCancelled&) {
    printer_.abort();
    printerJob_.reset();
    throw;
  }
  printerJob_->Close();
  printerJob_.reset();
}

// The PDF engine, its compression and the text shaping are most of a long print's time; they run
// beside the window's thread, which only watches and repaints.
void PrintJob::Draw(std::promise<void>& begun) {
  std::unique_ptr<QtPrinterTextStream> stream;
  try {
    stream = std::make_unique<QtPrinterTextStream>(file_);
  } catch (...) {
    begun.set_exception(std::current_exception());
    return;
  }
  std::future<bool> go = go_.get_future();
  begun.set_value();
  try {
    if (go.get()) {
      for (std::size_t i = 0; i < ends_.size() && !cancelled_; ++i) {
        stream->WriteLine(Line(i));
        drawn_ = i + 1;
      }
      // A cancelled file is dropped with the stream, leaving whatever the name held before.
      if (!cancelled_) stream->Close();
    }
    stream.reset();
  } catch (...) {
    failure_ = std::current_exception();
  }
  finished_ = true;
}

void PrintJob::DrawElsewhere() {
  told_ = true;
  go_.set_value(true);
  try {
    while (!finished_) {
      progress_.Tell(drawn_, ends_.size());
      std::this_thread::sleep_for(kPoll);
    }
  } catch (...) {
    cancelled_ = true;
    drawer_.join();
    throw;
  }
  drawer_.join();
  if (failure_) std::rethrow_exception(failure_);
}

}  // namespace taskwell
