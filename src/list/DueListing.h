#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "document/Clock.h"
#include "document/Platform.h"
#include "document/Regional.h"
#include "document/TaskFile.h"

namespace taskwell {

// The printed listing's lines for a list read from its file: the title, the heading, the rule and
// one line for each task the choice takes.
std::vector<std::string> ListingLines(const std::string& title, const LoadedRows& list,
                                      const DateFormat& dates, const PrintChoice& choice);

// The printed listing for the tasks due from today to `days` days ahead (and undated tasks of
// priority 0 to `days`), written to `out` as UTF-8 lines: what Print sends to the printer for the
// page range 0 to `days`. Reads the task file and never writes it; problems go to `err`.
// Returns the exit status: 0, or 1 when the file could not be read or was read only in part.
int PrintDueListing(const std::string& file, int days, const RegionalSettings& regional,
                    const Clock& clock, std::ostream& out, std::ostream& err);

}  // namespace taskwell
