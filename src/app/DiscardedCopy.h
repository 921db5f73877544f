#pragma once

#include <ctime>
#include <string>

namespace taskwell {

// Where the lists that ended without a save are kept: $XDG_STATE_HOME/taskwell/discarded, with
// ~/.local/state as the default state folder.
std::string DiscardedFolder();

// Writes `bytes` (the list in the task-file format) as "<title>-<date>-<time>.todo" in `folder`,
// readable by the user alone, and keeps only the newest `keep` copies there. Returns the path
// written, or "" when the copy could not be written; nothing is shown either way.
std::string KeepDiscardedCopy(const std::string& folder, const std::string& title,
                              const std::string& bytes, std::time_t now, int keep = 20);

// Ends the program through the window's close, as the close box does, when SIGTERM or SIGHUP
// arrive (the session ending): the close keeps a copy of unsaved edits. Call once the window
// exists; `close` runs in the event loop, never inside the signal handler.
void CloseOnTerminationSignals(void (*close)(void* context), void* context);

// On a crash signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) runs `keep` once, then lets the
// signal end the program as it would have. Best effort: the program is already broken, so an
// alarm ends a `keep` that hangs, and a second crash inside it ends the program at once.
void KeepOnCrashSignals(void (*keep)(void* context), void* context);

}  // namespace taskwell
