#pragma once

#include <iosfwd>
#include <string>

#include "document/Clock.h"
#include "document/Regional.h"

namespace taskwell {

// The printed listing for the tasks due from today to `days` days ahead (and undated tasks of
// priority 0 to `days`), written to `out` as UTF-8 lines: what Print sends to the printer for the
// page range 0 to `days`. Reads the task file and never writes it; problems go to `err`.
// Returns the exit status: 0, or 1 when the file could not be read or was read only in part.
int PrintDueListing(const std::string& file, int days, const RegionalSettings& regional,
                    const Clock& clock, std::ostream& out, std::ostream& err);

}  // namespace taskwell
