#include "list/DueListing.h"

#include <ostream>

#include "document/Text.h"
#include "list/HeadlessList.h"
#include "list/ToDoList.h"

namespace taskwell {

int PrintDueListing(const std::string& file, int days, const RegionalSettings& regional,
                    const Clock& clock, std::ostream& out, std::ostream& err) {
  HeadlessList headless(regional, clock, err);
  const HeadlessList::Loaded loaded = headless.Load(file);
  if (loaded == HeadlessList::Loaded::Not) return 1;
  const ToDoList& list = headless.List();
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
  return loaded == HeadlessList::Loaded::Whole ? 0 : 1;
}

}  // namespace taskwell
