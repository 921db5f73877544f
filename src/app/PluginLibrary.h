#pragma once

#include <QLibrary>
#include <QString>

namespace taskwell {

// Our own plug-ins: parts of the program that bring large libraries with them, loaded when first
// used. Looked for in TASKWELL_PLUGIN_DIR when set, beside the program (a build tree), and in
// lib/taskwell beside its bin/ (an installed tree); never unloaded, as the objects they make live
// on in the program.
class PluginLibrary {
 public:
  // The plug-in's entry point, or null with the reason in `problem`.
  static QFunctionPointer Entry(const QString& file, const char* entry, QString& problem);
  // The same, as the function type the plug-in's header declares for it.
  template <typename Function>
  static Function EntryOf(const QString& file, const char* entry, QString& problem) {
    return reinterpret_cast<Function>(Entry(file, entry, problem));  // NOLINT: dlsym's way
  }
};

}  // namespace taskwell
