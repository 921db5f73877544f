#pragma once

#include <QString>
#include <QUrl>

namespace taskwell {

// The password for a collection's user: from the desktop's Secret Service, or where no keyring
// runs (a server, a timer) from ~/.netrc, which must be private to its owner. It is never taken
// from the command line or the environment, and never written to our files or shown.
class SyncLogin {
 public:
  // The user is the URL's, or the one given.
  static QString UserOf(const QUrl& url);
  // False with the reason in `problem` when no password could be found.
  static bool Find(const QUrl& url, const QString& home, QString& password, QString& problem);
  // Whether a Secret Service may be reached (a session bus runs).
  static bool HasKeyring();
  // The password typed at the terminal without echo, or piped in; empty when none came.
  static QString Typed(const QUrl& url);
  // Keeps the password in the Secret Service; false with the reason when there is none.
  static bool Store(const QUrl& url, const QString& user, const QString& password,
                    QString& problem);
};

}  // namespace taskwell
