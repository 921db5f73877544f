#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/DateText.h"
#include "interchange/TaskFields.h"
#include "sync/SyncState.h"

namespace taskwell {

// One item the server reported as new or changed since the last sync, fetched whole.
struct ServerChange {
  std::string Href;
  std::string ETag;
  std::string Text;
};

// What changed on the server since the last sync.
struct ServerSide {
  std::vector<ServerChange> Changed;
  std::vector<std::string> Removed;  // hrefs
};

// A write to the server. Every one is conditional: an update or a delete on the ETag of the last
// sync, a create on there being no item yet.
struct SyncRequest {
  enum class Kind { Create, Update, Delete };
  Kind What = Kind::Create;
  std::string Href;
  std::string IfMatch;   // updates and deletes
  std::string Body;      // creates and updates
  std::size_t Item = 0;  // creates and updates: the index in SyncPlan::Next
  std::string Uid;
};

// A row of the list after the sync: one of ours as it is, or a task from the server.
struct SyncRow {
  int Mine = -1;
  TaskFields Theirs;
};

// How one item changed since the last sync on either side.
enum class LocalChange { Same, Edited, Gone };
enum class RemoteChange { Same, Changed, Gone, Completed };

// What happens to an item that both sides knew at the last sync.
enum class SyncAction {
  Nothing,      // unchanged, or changed the same way on both sides
  Send,         // our edit goes to the server
  Take,         // the server's edit replaces our line
  Remove,       // deleted or completed there: our line goes
  DeleteThere,  // deleted here: the item goes
  KeepBoth,     // both edited: our line is sent as a new item, theirs joins the list
  SendAgain,    // edited here, gone or completed there: ours is sent as a new item
  Restore,      // deleted here, edited there: theirs comes back
  Forget,       // gone on both sides
};

// The whole outcome of one sync, decided before anything is written.
struct SyncPlan {
  std::vector<SyncRow> Rows;
  bool RowsChanged = false;
  std::vector<SyncRequest> Requests;
  // The state once every request is confirmed and the list written, in row order; requests
  // fill in the ETags and places the server gives.
  std::vector<SyncedItem> Next;
  int Sent = 0;
  int Received = 0;
  int Merged = 0;
  // Non-empty when the sync must change nothing: why.
  std::string Refused;
  std::vector<std::string> Notes;

  // "2 sent, 3 received, 1 merged"
  std::string Summary() const;
};

// The three-way rules of the file merge with the last sync as the base: a change on one side is
// taken, changes to different tasks are both taken, the same task changed on both sides is kept
// twice, and an edit wins over a deletion.
class SyncMerge {
 public:
  SyncMerge(const DateFormat& dates, bool hasProjCol, std::int64_t stamp);

  static SyncAction Decide(LocalChange local, RemoteChange remote, bool sameResult);

  // `mine` is the list's tasks in order; `collection` the folder new items go to.
  SyncPlan Plan(const SyncState& base, const std::vector<TaskFields>& mine,
                const ServerSide& server, const std::string& collection) const;

 private:
  struct Work;
  void MatchLines(Work& work) const;
  void ReadServer(Work& work, const ServerSide& server) const;
  void PlanMine(Work& work) const;
  void PlanAdded(Work& work, std::size_t mine) const;
  void PlanKnown(Work& work, std::size_t mine, std::size_t base) const;
  void PlanRest(Work& work) const;
  void Create(Work& work, const TaskFields& task, const std::string& key) const;

  const DateFormat& dates_;
  bool hasProjCol_;
  std::int64_t stamp_;
};

}  // namespace taskwell
