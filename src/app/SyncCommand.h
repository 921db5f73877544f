#pragma once

#include <QString>
#include <QUrl>
#include <string>

#include "document/Clock.h"
#include "document/Regional.h"

namespace taskwell {

// Where a list's sync setting and state live, from the XDG variables or their defaults in `home`.
struct SyncPlaces {
  std::string TaskFile;  // absolute
  std::string ConfigHome;
  std::string StateHome;

  static SyncPlaces Of(const std::string& file, const std::string& home);
  std::string StatePath() const;
  // Records the list's collection ("" for none). The state of an earlier one goes: a new
  // collection starts from a first sync.
  void Remember(const std::string& url) const;
};

// taskwell --sync [FILE]: one two-way sync without a display; prints the summary and returns 0,
// or the reason and 1. While a window holds the list it leaves the list to the window.
int RunSyncCommand(const std::string& file, const std::string& home,
                   const RegionalSettings& regional, const Clock& clock);

// taskwell --sync-setup URL|off [FILE]: checks the collection (it exists, holds tasks, the login
// works) and records it for the list, or ends the list's sync. A principal's address is answered
// with its task collections.
int RunSyncSetup(const std::string& url, const std::string& file, const std::string& home);

// What checking a collection found: empty `Problem` when it is a task collection, whose name is
// in `Name`; otherwise the reason, with the task collections found instead in `Found`.
struct CollectionCheck {
  QString Problem;
  QString Name;
  QStringList Found;
  // The problem as told to the user, with the collections found instead on lines of their own.
  QString Told() const;
};
// Checks `url` with the login given, running the event loop until the answers are in.
CollectionCheck CheckCollection(const QUrl& url, const QString& password, int timeoutMs);

// The timeout of each request: TASKWELL_SYNC_TIMEOUT seconds when set, else 30.
int SyncTimeoutMs();

}  // namespace taskwell
