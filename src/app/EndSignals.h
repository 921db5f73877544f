#pragma once

#include <functional>

namespace taskwell {

// SIGTERM, SIGHUP, SIGINT and SIGQUIT end the program through the event loop: the handler only
// writes the signal's number to a socket that the event loop watches, and `end` runs there with
// that number. Crash signals keep their default action. Call once the event loop exists.
void EndThroughEventLoop(std::function<void(int signal)> end);

}  // namespace taskwell
