#include "sync/SyncedList.h"

#include <unistd.h>

#include <stdexcept>

#include "document/SafeFile.h"

namespace taskwell {

SyncedList::SyncedList(const DateFormat& dates, std::string path)
    : dates_(dates), file_(dates, std::move(path)) {}

void SyncedList::Load() {
  loaded_ = LoadedRows{};
  tasks_.clear();
  rowOfTask_.clear();
  if (::access(file_.Name().c_str(), F_OK) == 0) {
    file_.Load(loaded_);
    if (file_.LoadWasPartial())
      throw std::runtime_error(file_.Name() + " was not read whole; nothing was synced");
  }
  // Descriptions go to the server in UTF-8; the save writes single-byte again where it fits.
  file_.RowsToUtf8(loaded_.Rows);
  tasks_ = TasksOfRows(loaded_.Rows, loaded_.HasProjCol, true, dates_, &rowOfTask_).Tasks;
}

void SyncedList::Write(const SyncPlan& plan) {
  if (!plan.RowsChanged) return;
  if (ChangedOnDisk(file_.Name(), file_.DiskStamp()))
    throw std::runtime_error(file_.Name() + " changed during the sync; it was left as it was");
  const TableLayout layout(loaded_.HasProjCol);
  TaskRows rows;
  rows.reserve(plan.Rows.size() + 1);
  rows.push_back(loaded_.Rows.front());
  for (const SyncRow& row : plan.Rows) {
    if (row.Mine >= 0) {
      rows.push_back(
          loaded_.Rows[static_cast<std::size_t>(rowOfTask_[static_cast<std::size_t>(row.Mine)])]);
    } else {
      rows.push_back(row.Theirs.Cells(layout, dates_));
    }
  }
  file_.Save(file_.SaveBytes(rows, loaded_.HasProjCol));
  loaded_.Rows = std::move(rows);
}

}  // namespace taskwell
