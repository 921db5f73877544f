#pragma once

#include <string>

namespace taskwell {

// Creates the folders that are missing, readable by the user alone. Folders that exist keep their
// mode: they may be shared ones such as /tmp. False with errno set when one cannot be made.
bool CreatePrivateFolders(const std::string& folder);

// An XDG base folder: the variable's value when it is an absolute path (the base directory rules
// ignore a relative one), else `fallback` under `home`, e.g. "/.local/state".
std::string BaseFolder(const char* variable, const std::string& home, const char* fallback);

// $HOME, or "" without one.
std::string HomeFolder();

}  // namespace taskwell
