#pragma once

#include <string>

#include "document/Clock.h"
#include "document/Regional.h"

namespace taskwell {

// taskwell --remind [FILE]: one desktop notification of what is overdue and due today in the list
// (`file` as given, empty for the default one in `home`). Needs the session bus, not a display;
// takes no lock and never writes the task file. While the server can act on it, the notification's
// "Open" starts the window on the list. Returns the exit status.
int RunRemindCommand(const std::string& file, const std::string& home,
                     const RegionalSettings& regional, const Clock& clock);

}  // namespace taskwell
