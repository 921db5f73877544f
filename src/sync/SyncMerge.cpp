#include "sync/SyncMerge.h"

#include <deque>
#include <map>
#include <optional>
#include <unordered_map>

#include "interchange/ImportedTasks.h"
#include "sync/CalendarItem.h"

namespace taskwell {
namespace {

// More than this share of the list removed by one listing is no longer believed.
constexpr std::size_t kMassRemovalMinimum = 4;

// The description, after the four fields that SyncKey writes before it.
std::string DescriptionOfKey(const std::string& key) {
  std::size_t at = 0;
  for (int field = 0; field < 4 && at != std::string::npos; ++field) at = key.find('|', at) + 1;
  return at == 0 ? key : key.substr(at);
}

}  // namespace

struct SyncMerge::Work {
  struct Remote {
    RemoteChange Change = RemoteChange::Same;
    const ServerChange* Item = nullptr;
    std::optional<TaskFields> Task;
    std::string Key;
  };
  struct Fresh {
    const ServerChange* Item = nullptr;
    TaskFields Task;
    std::string Key;
    bool Taken = false;
  };

  const SyncState& Base;
  const std::vector<TaskFields>& Mine;
  const std::string& Collection;
  std::vector<std::string> MineKeys;
  std::vector<int> BaseToMine;
  std::vector<int> MineToBase;
  std::vector<Remote> Remotes;  // one for each base item
  std::vector<Fresh> New;       // on the server, not in the base
  SyncPlan Plan;

  void Keep(int mine, SyncedItem item) {
    Plan.Rows.push_back({mine, {}});
    Plan.Next.push_back(std::move(item));
  }
  void Add(const TaskFields& task, SyncedItem item) {
    Plan.Rows.push_back({-1, task});
    Plan.Next.push_back(std::move(item));
    Plan.RowsChanged = true;
  }
};

std::string SyncPlan::Summary() const {
  return std::to_string(Sent) + " sent, " + std::to_string(Received) + " received, " +
         std::to_string(Merged) + " merged";
}

SyncMerge::SyncMerge(const DateFormat& dates, bool hasProjCol, std::int64_t stamp)
    : dates_(dates), hasProjCol_(hasProjCol), stamp_(stamp) {}

SyncAction SyncMerge::Decide(LocalChange local, RemoteChange remote, bool sameResult) {
  using L = LocalChange;
  using R = RemoteChange;
  const bool gone = remote == R::Gone || remote == R::Completed;
  switch (local) {
    case L::Same:
      if (remote == R::Same) return SyncAction::Nothing;
      return remote == R::Changed ? SyncAction::Take : SyncAction::Remove;
    case L::Edited:
      if (remote == R::Same) return SyncAction::Send;
      if (gone) return SyncAction::SendAgain;
      return sameResult ? SyncAction::Nothing : SyncAction::KeepBoth;
    case L::Gone:
      if (remote == R::Same) return SyncAction::DeleteThere;
      return gone ? SyncAction::Forget : SyncAction::Restore;
  }
  return SyncAction::Nothing;
}

// Lines are matched to the base as the file merge matches them: the same text first, then an
// edit as a removal and an addition at the same spot, then the same description elsewhere (a
// sort moved the edited line).
void SyncMerge::MatchLines(Work& work) const {
  const std::size_t bases = work.Base.Items.size();
  work.BaseToMine.assign(bases, -1);
  work.MineToBase.assign(work.Mine.size(), -1);
  std::unordered_map<std::string_view, std::deque<int>> byKey;
  for (std::size_t j = 0; j < work.Mine.size(); ++j) {
    work.MineKeys.push_back(SyncKey(work.Mine[j]));
  }
  for (std::size_t j = 0; j < work.Mine.size(); ++j)
    byKey[work.MineKeys[j]].push_back(static_cast<int>(j));
  for (std::size_t i = 0; i < bases; ++i) {
    auto found = byKey.find(work.Base.Items[i].Key);
    if (found == byKey.end() || found->second.empty()) continue;
    work.BaseToMine[i] = found->second.front();
    work.MineToBase[static_cast<std::size_t>(found->second.front())] = static_cast<int>(i);
    found->second.pop_front();
  }
  // Edits: the line before them is the same on both sides.
  std::map<int, std::deque<int>> bySpot;
  int before = -1;
  for (std::size_t i = 0; i < bases; ++i) {
    if (work.BaseToMine[i] >= 0) {
      before = work.BaseToMine[i];
    } else {
      bySpot[before].push_back(static_cast<int>(i));
    }
  }
  const auto pair = [&work](int base, std::size_t mine) {
    work.BaseToMine[static_cast<std::size_t>(base)] = static_cast<int>(mine);
    work.MineToBase[mine] = base;
  };
  before = -1;
  for (std::size_t j = 0; j < work.Mine.size(); ++j) {
    if (work.MineToBase[j] >= 0 &&
        work.BaseToMine[static_cast<std::size_t>(work.MineToBase[j])] == static_cast<int>(j)) {
      before = static_cast<int>(j);
      continue;
    }
    auto& spot = bySpot[before];
    if (spot.empty()) continue;
    pair(spot.front(), j);
    spot.pop_front();
  }
  std::unordered_map<std::string, std::deque<int>> byDescription;
  for (std::size_t i = 0; i < bases; ++i) {
    if (work.BaseToMine[i] >= 0) continue;
    byDescription[DescriptionOfKey(work.Base.Items[i].Key)].push_back(static_cast<int>(i));
  }
  for (std::size_t j = 0; j < work.Mine.size(); ++j) {
    if (work.MineToBase[j] >= 0) continue;
    auto found = byDescription.find(work.Mine[j].Description);
    if (found == byDescription.end() || found->second.empty()) continue;
    pair(found->second.front(), j);
    found->second.pop_front();
  }
}

void SyncMerge::ReadServer(Work& work, const ServerSide& server) const {
  work.Remotes.assign(work.Base.Items.size(), {});
  std::unordered_map<std::string_view, std::size_t> byHref;
  for (std::size_t i = 0; i < work.Base.Items.size(); ++i) byHref[work.Base.Items[i].Href] = i;
  for (const std::string& href : server.Removed) {
    if (auto found = byHref.find(href); found != byHref.end())
      work.Remotes[found->second].Change = RemoteChange::Gone;
  }
  for (const ServerChange& change : server.Changed) {
    const auto found = byHref.find(change.Href);
    if (found != byHref.end() && work.Base.Items[found->second].ETag == change.ETag) continue;
    std::optional<TaskFields> task;
    try {
      task = CalendarItem::Read(change.Text, dates_, hasProjCol_);
    } catch (const ImportError& error) {
      throw ImportError(error.Line(), change.Href + ": " + error.what());
    }
    if (found == byHref.end()) {
      if (task) work.New.push_back({&change, *task, SyncKey(*task)});
      continue;
    }
    Work::Remote& remote = work.Remotes[found->second];
    remote.Item = &change;
    remote.Change = task ? RemoteChange::Changed : RemoteChange::Completed;
    if (task) remote.Key = SyncKey(*task);
    remote.Task = std::move(task);
  }
}

void SyncMerge::Create(Work& work, const TaskFields& task, const std::string& key) const {
  SyncRequest request;
  request.What = SyncRequest::Kind::Create;
  request.Uid = CalendarItem::NewUid();
  request.Href = work.Collection + request.Uid + ".ics";
  request.Body = CalendarItem::Create(task, request.Uid, hasProjCol_, dates_, stamp_);
  request.Item = work.Plan.Next.size() - 1;
  work.Plan.Next.back() = {request.Uid, request.Href, "", key, request.Body};
  work.Plan.Requests.push_back(std::move(request));
  ++work.Plan.Sent;
}

void SyncMerge::PlanMine(Work& work) const {
  for (std::size_t j = 0; j < work.Mine.size(); ++j) {
    if (work.MineToBase[j] < 0) {
      PlanAdded(work, j);
    } else {
      PlanKnown(work, j, static_cast<std::size_t>(work.MineToBase[j]));
    }
  }
}

void SyncMerge::PlanAdded(Work& work, std::size_t j) const {
  const int mine = static_cast<int>(j);
  const std::string& key = work.MineKeys[j];
  // A line added here that the server got meanwhile too (an earlier sync cut short, or the same
  // list set up twice) is that item, not a second one.
  for (Work::Fresh& fresh : work.New) {
    if (fresh.Taken || fresh.Key != key) continue;
    fresh.Taken = true;
    work.Keep(mine, {CalendarItem::UidOf(fresh.Item->Text), fresh.Item->Href, fresh.Item->ETag, key,
                     fresh.Item->Text});
    return;
  }
  work.Keep(mine, {});
  Create(work, work.Mine[j], key);
}

void SyncMerge::PlanKnown(Work& work, std::size_t j, std::size_t b) const {
  const int mine = static_cast<int>(j);
  const std::string& key = work.MineKeys[j];
  const SyncedItem& base = work.Base.Items[b];
  const Work::Remote& remote = work.Remotes[b];
  const LocalChange local = key == base.Key ? LocalChange::Same : LocalChange::Edited;
  SyncedItem item = base;
  if (remote.Item != nullptr) {
    item.ETag = remote.Item->ETag;
    item.Copy = remote.Item->Text;
  }
  switch (Decide(local, remote.Change, remote.Key == key)) {
    case SyncAction::Nothing:
      item.Key = key;
      work.Keep(mine, std::move(item));
      break;
    case SyncAction::Send: {
      item.Key = key;
      item.Copy = CalendarItem::Patch(base.Copy, work.Mine[j], hasProjCol_, dates_, stamp_);
      work.Keep(mine, item);
      work.Plan.Requests.push_back({SyncRequest::Kind::Update, base.Href, base.ETag, item.Copy,
                                    work.Plan.Next.size() - 1, base.Uid});
      ++work.Plan.Sent;
      break;
    }
    case SyncAction::Take:
      item.Key = remote.Key;
      work.Add(*remote.Task, std::move(item));
      ++work.Plan.Received;
      break;
    case SyncAction::Remove:
      work.Plan.RowsChanged = true;
      ++work.Plan.Received;
      break;
    case SyncAction::KeepBoth:
      work.Keep(mine, {});
      Create(work, work.Mine[j], key);
      item.Key = remote.Key;
      work.Add(*remote.Task, std::move(item));
      ++work.Plan.Merged;
      --work.Plan.Sent;  // counted as merged
      work.Plan.Notes.push_back("\"" + work.Mine[j].Description +
                                "\" was changed here and on the server: both versions kept");
      break;
    default:  // SendAgain: edited here, gone there
      work.Keep(mine, {});
      Create(work, work.Mine[j], key);
      break;
  }
}

void SyncMerge::PlanRest(Work& work) const {
  for (std::size_t i = 0; i < work.Base.Items.size(); ++i) {
    if (work.BaseToMine[i] >= 0) continue;
    const SyncedItem& base = work.Base.Items[i];
    const Work::Remote& remote = work.Remotes[i];
    const SyncAction action = Decide(LocalChange::Gone, remote.Change, false);
    if (action == SyncAction::DeleteThere) {
      work.Plan.Requests.push_back(
          {SyncRequest::Kind::Delete, base.Href, base.ETag, {}, 0, base.Uid});
      ++work.Plan.Sent;
    } else if (action == SyncAction::Restore) {
      SyncedItem item = base;
      item.ETag = remote.Item->ETag;
      item.Copy = remote.Item->Text;
      item.Key = remote.Key;
      work.Add(*remote.Task, std::move(item));
      ++work.Plan.Received;
      work.Plan.Notes.push_back("\"" + remote.Task->Description +
                                "\" was deleted here but changed on the server: it is back");
    }
  }
  for (const Work::Fresh& fresh : work.New) {
    if (fresh.Taken) continue;
    work.Add(fresh.Task, {CalendarItem::UidOf(fresh.Item->Text), fresh.Item->Href, fresh.Item->ETag,
                          fresh.Key, fresh.Item->Text});
    ++work.Plan.Received;
  }
}

SyncPlan SyncMerge::Plan(const SyncState& base, const std::vector<TaskFields>& mine,
                         const ServerSide& server, const std::string& collection) const {
  Work work{base, mine, collection, {}, {}, {}, {}, {}, {}};
  ReadServer(work, server);
  std::size_t removedThere = 0;
  for (const Work::Remote& remote : work.Remotes) {
    if (remote.Change == RemoteChange::Gone || remote.Change == RemoteChange::Completed)
      ++removedThere;
  }
  if (base.Items.size() >= kMassRemovalMinimum && removedThere * 2 > base.Items.size()) {
    work.Plan.Refused = "the server would remove " + std::to_string(removedThere) + " of the " +
                        std::to_string(base.Items.size()) +
                        " tasks at once; nothing was changed on either side";
    return std::move(work.Plan);
  }
  if (base.Items.size() >= kMassRemovalMinimum && mine.empty()) {
    work.Plan.Refused = "the list is empty, which would remove all " +
                        std::to_string(base.Items.size()) +
                        " tasks from the server; nothing was changed on either side";
    return std::move(work.Plan);
  }
  MatchLines(work);
  PlanMine(work);
  PlanRest(work);
  return std::move(work.Plan);
}

}  // namespace taskwell
