#include "list/EarlyLoad.h"

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <utility>

namespace taskwell {

EarlyLoad::EarlyLoad(const DateFormat& dates, std::string name, std::uintmax_t fromSize)
    : dates_(dates), name_(std::move(name)), file_(dates_, name_) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(name_, error);
  if (error || !std::filesystem::is_regular_file(status)) return;
  const std::uintmax_t size = std::filesystem::file_size(name_, error);
  if (error || size < fromSize) return;
  // The window's own start keeps one core busy meanwhile: a list read in about the time it takes
  // is read on this thread alone.
  file_.ShareLinesFrom(kLinesToShareEarly);
  try {
    reader_ = std::thread([this] {
      // The window's start goes first where the two want the same core: it waits for the read
      // only once it has nothing else to do.
      setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kReaderNice);
      try {
        file_.Load(rows_);
      } catch (...) {
        failure_ = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    // No thread to be had: the window reads the file itself.
  }
}

EarlyLoad::~EarlyLoad() {
  if (reader_.joinable()) reader_.join();
}

bool EarlyLoad::Reads(const std::string& name, const DateFormat& dates) const {
  return reader_.joinable() && name == name_ &&
         dates.TwoDigitYearWindow == dates_.TwoDigitYearWindow;
}

void EarlyLoad::TakeInto(TaskFile& file, LoadedRows& into) {
  reader_.join();
  const TaskCells header = into.Rows.front().ToCells();
  into = std::move(rows_);
  into.Rows.SetRow(0, header);
  file.TakeLoad(std::move(file_));
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace taskwell
