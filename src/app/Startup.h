#pragma once

namespace taskwell {

// The whole program: the instance lock on the first argument, the four windows in their order,
// then either the main window's message loop or the "already being edited" message.
int RunTaskwell(int argc, char** argv);

}  // namespace taskwell
