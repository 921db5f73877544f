#include "list/DueListing.h"

#include <ostream>

#include "document/Text.h"
#include "list/HeadlessList.h"

namespace taskwell {

int PrintDueListing(const std::string& file, int days, const RegionalSettings& regional,
                    const Clock& clock, std::ostream& out, std::ostream& err) {
  HeadlessList list(regional, clock, file);
  const HeadlessList::Loaded loaded = list.Load(err);
  if (loaded == HeadlessList::Loaded::Not) return 1;
  PrintChoice choice;
  choice.PrintAll = false;
  choice.From = 0;
  choice.To = days;
  for (const std::string& line : ListingLines(list.Title(), list.Rows(), list.Dates(), choice)) {
    out << (list.File().TextIsUtf8() ? line : Cp1252ToUtf8(line)) << '\n';
  }
  out.flush();
  if (!out) {
    err << "taskwell: the listing could not be written\n";
    return 1;
  }
  return loaded == HeadlessList::Loaded::Whole ? 0 : 1;
}

}  // namespace taskwell
