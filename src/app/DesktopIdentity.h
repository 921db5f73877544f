#pragma once

#include <QIcon>

namespace taskwell {

// The program's icon, the copy built into the program.
QIcon ProgramIcon();

// Name, version, desktop file and icon for the toolkit, so that the desktop matches our windows
// to taskwell.desktop. Call once the application object exists.
void ApplyDesktopIdentity();

}  // namespace taskwell
