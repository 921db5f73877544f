#include "list/DueListing.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "document/Text.h"
#include "list/ConsolePlatform.h"
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
  ConsolePlatform console(err);
  ToDoList list(console, DateFormat(regional, clock));
  const bool loaded = list.Guarded([&] { list.FormCreate(file, ""); });
  PrintChoice choice;
  choice.PrintAll = false;
  choice.From = 0;
  choice.To = days;
  for (const std::string& line : list.ReportLines(choice)) {
    out << (list.TextIsUtf8() ? line : Cp1252ToUtf8(line)) << '\n';
  }
  out.flush();
  if (!out) {
    err << "taskwell: the listing could not be written\n";
    return 1;
  }
  return loaded ? 0 : 1;
}

}  // namespace taskwell
