#pragma once

#include <optional>
#include <string>

namespace taskwell {

// Which lists sync with which CalDAV collection: one line per list, keyed by its absolute path,
// in `configHome`/taskwell/sync.conf. It never holds a password.
class SyncSettings {
 public:
  explicit SyncSettings(std::string configHome);

  std::optional<std::string> UrlFor(const std::string& taskFile) const;
  // An empty URL ends the list's sync. Throws when the file cannot be written.
  void SetUrl(const std::string& taskFile, const std::string& url) const;

 private:
  std::string path_;
};

// A login for a host from ~/.netrc, for machines without a keyring. A file that others may read
// is refused with a message, since it holds passwords.
struct NetrcLogin {
  std::string Login;
  std::string Password;
};
// Nothing when the file or the machine is missing; throws when the file may not be used.
std::optional<NetrcLogin> ReadNetrc(const std::string& path, const std::string& host,
                                    const std::string& login);

}  // namespace taskwell
