#pragma once

#include <string>
#include <vector>

namespace taskwell {

// One server item as it stood at the last sync: where it lives, its version, the task line it
// was in the list then (as SyncKey writes it) and the item's text, so that an edit made here is
// sent back with everything else the item holds.
struct SyncedItem {
  std::string Uid;
  std::string Href;
  std::string ETag;
  std::string Key;
  std::string Copy;

  bool operator==(const SyncedItem&) const = default;
};

// What the last sync left: the items in list order, and the server's token or ctag then. It is
// written after each request the server confirmed, so an interrupted sync loses nothing.
struct SyncState {
  std::string Token;
  std::string CTag;
  std::vector<SyncedItem> Items;

  bool operator==(const SyncState&) const = default;

  // The state of the list `taskFile` (an absolute path) lives under `stateHome`/taskwell/sync/.
  static std::string PathFor(const std::string& stateHome, const std::string& taskFile);
  // An absent file is an empty state (the first sync); a damaged one throws.
  static SyncState Load(const std::string& path);
  // Atomically; throws when nothing was written.
  void Save(const std::string& path) const;

  const SyncedItem* FindHref(const std::string& href) const;
  SyncedItem* FindUid(const std::string& uid);
};

}  // namespace taskwell
