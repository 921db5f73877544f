#include "list/DueListing.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "document/Errors.h"
#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {

int PrintDueListing(const std::string& file, int days, const RegionalSettings& regional,
                    const Clock& clock, std::ostream& out, std::ostream& err) {
  // The window would start from an empty list here; a listing of nothing would hide a mistyped
  // name from a cron job.
  if (!std::ifstream(file, std::ios::binary)) {
    err << "taskwell: cannot read " << file << ": " << std::strerror(errno) << '\n';
    return 1;
  }
  const DateFormat dates(regional, clock);
  TaskFile taskFile(dates, file);
  LoadedRows list;
  bool loaded = true;
  try {
    taskFile.Load(list);
  } catch (const std::exception& e) {
    // What was read before the failure is listed all the same.
    err << "taskwell: " << ErrorReportText(e.what()) << '\n';
    loaded = false;
  }
  PrintChoice choice;
  choice.PrintAll = false;
  choice.From = 0;
  choice.To = days;
  for (const std::string& line : ListingLines(ToDoList::ListTitleOf(file), list, dates, choice)) {
    out << (taskFile.TextIsUtf8() ? line : Cp1252ToUtf8(line)) << '\n';
  }
  out.flush();
  if (!out) {
    err << "taskwell: the listing could not be written\n";
    return 1;
  }
  return loaded ? 0 : 1;
}

}  // namespace taskwell
