// The list's table to and from its task file.
#include <chrono>
#include <filesystem>
#include <thread>

#include "document/Errors.h"
#include "document/Text.h"
#include "list/EarlyLoad.h"
#include "list/ToDoList.h"

namespace taskwell {

void ToDoList::LoadTaskFile(const DiskBytes* from, EarlyLoad* early) {
  LoadedRows loaded;
  loaded.Rows.SetRow(0, table_.RowCells(0));
  // What was read up to a failure is shown all the same.
  const auto show = [&] {
    SetLayout(loaded.HasProjCol);
    table_.ReplaceRows(std::move(loaded.Rows));
  };
  try {
    if (early != nullptr) {
      early->TakeInto(file_, loaded);
    } else {
      file_.Load(loaded, from);
    }
  } catch (...) {
    show();
    throw;
  }
  show();
}

std::string ToDoList::WeekdayCell(double date) const {
  return file_.WeekdayCell(date);
}

void ToDoList::CellsToUtf8() {
  if (file_.TextIsUtf8()) return;
  // First, so that a view told of each changed cell already reads it as UTF-8.
  file_.MarkTextUtf8();
  for (int r = 0; r < table_.RowCount(); ++r) {
    for (int c = 0; c < table_.ColCount(); ++c)
      table_.SetCell(c, r, Cp1252ToUtf8(table_.Cell(c, r)));
  }
  edit_.OldText = Cp1252ToUtf8(edit_.OldText);
  history_.ConvertTexts(Cp1252ToUtf8);
}

bool ToDoList::SaveTaskFile(std::string* rendered) {
  // A single-byte list whose table became UTF-8 is written single-byte again if every description
  // still fits; otherwise only with the user's word, as UTF-8.
  bool toSingleByte = false;
  if (file_.SingleByte() && file_.TextIsUtf8()) {
    std::string missing;
    toSingleByte = TaskFile::DescriptionsFitCp1252(table_.Rows(), layout_.DescCol(), &missing);
    if (!toSingleByte) {
      const char* question =
          missing.empty()
              ? "%1 is stored in the single-byte Windows-1252 encoding, which cannot hold some "
                "characters of the list\r\nSave the file as UTF-8 instead? Programs that expect "
                "the old encoding may then show its accented characters wrongly."
              : "%1 is stored in the single-byte Windows-1252 encoding, which cannot hold some "
                "characters of the list: %2\r\nSave the file as UTF-8 instead? Programs that "
                "expect the old encoding may then show its accented characters wrongly.";
      if (!ui_.Confirm(Message::Format(question, file_.Name(), missing))) {
        return false;
      }
      file_.BecomeUtf8();
    }
  }
  std::vector<std::string> notKept;
  file_.SetBaseAside();
  try {
    std::string bytes =
        rendered != nullptr && !toSingleByte ? std::move(*rendered) : FileBytes(toSingleByte);
    notKept = file_.Save(std::move(bytes));
  } catch (const std::bad_alloc&) {
    file_.RestoreBase();
    throw OutOfMemoryOnSave(file_.Name());
  } catch (const EIncompleteFlush&) {
    // Saved all the same: the table shows what the file holds.
    shown_.BaseRevision = table_.ContentRevision();
    shown_.WrittenRevision = shown_.BaseRevision;
    throw;
  } catch (...) {
    file_.RestoreBase();
    throw;
  }
  shown_.BaseRevision = table_.ContentRevision();
  shown_.WrittenRevision = shown_.BaseRevision;
  // The descriptions lie in the new base as written: the bytes of the load can go, unless the
  // window is about to close.
  if (!closing_)
    table_.MoveBorrowed(file_.SharedBase(), file_.DescriptionsInBase(layout_.HasProjCol()));
  ReportNotKept(notKept);
  return true;
}

void ToDoList::ReportNotKept(const std::vector<std::string>& notKept) {
  // The owner and the group were asked about before the save; anything else is news.
  std::string lost;
  for (const std::string& property : notKept) {
    if (property == "its owner" || property == "its group") continue;
    lost += (lost.empty() ? "" : ", ") + property;
  }
  if (!lost.empty()) {
    ui_.ShowMessageBox(
        shown_.Title,
        Message::Format("The tasks were saved to %1, but the new file could not keep %2.",
                        file_.Name(), lost));
  }
}

std::string ToDoList::SaveBytes() const {
  return file_.SaveBytes(table_.Rows(), layout_.HasProjCol());
}

bool ToDoList::RowIsSaved(int row) const {
  return TaskFile::IsSavedRow(table_.RowCells(row), layout_.DescCol());
}

std::vector<int> ToDoList::SavedRows() const {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(table_.RowCount()));
  for (int i = 1; i < table_.RowCount(); ++i) {
    if (RowIsSaved(i)) rows.push_back(i);
  }
  return rows;
}

std::string ToDoList::FileBytes(bool toSingleByte) const {
  return file_.Render(table_.Rows(), layout_.HasProjCol(), toSingleByte);
}

ToDoList::SavePlan ToDoList::PlanSave(const ReplaceCheck& check) {
  SavePlan plan;
  std::vector<Message>& notes = plan.Notes;
  std::optional<MergedFile>& merge = plan.Merge;
  if (check.Exists && file_.LoadWasPartial() && !file_.DiskStamp().Exists) {
    // Nothing was read, so the file cannot have changed "since": say what we know instead.
    notes.push_back(Message::Format(
        "%1 could not be read when this list was opened, so the list does not show the tasks in "
        "it.",
        file_.Name()));
  } else if (!check.Exists && file_.DiskStamp().Exists) {
    notes.push_back(Message::Format(
        "%1 has been deleted by another program since this window read or saved it.",
        file_.Name()));
  } else if (std::string now; ChangedOnDisk(file_.Name(), file_.DiskStamp()) &&
                              ReadWholeFile(file_.Name(), now) && sync_.CutShortOnDisk(now)) {
    plan.CutShort = true;
  } else if (ChangedOnDisk(file_.Name(), file_.DiskStamp()) && !(merge = sync_.PrepareMerge())) {
    // Asked only where a merge cannot be trusted.
    plan.OutsideChange = true;
    notes.push_back(Message::Format(
        "%1 has been changed by another program since this window read or saved it.",
        file_.Name()));
  }
  const std::string backup = file_.BackupName();
  std::error_code error;
  plan.ReplaceBackup = check.Exists && file_.LoadWasPartial() &&
                       std::filesystem::exists(std::filesystem::symlink_status(backup, error));
  if (plan.ReplaceBackup) {
    notes.push_back(Message::Format(
        "Saving keeps the present file as %1, in place of the earlier backup there.", backup));
  } else if (check.Exists && file_.LoadWasPartial() && !notes.empty()) {
    notes.push_back(Message::Format("Saving keeps the present file as %1.", backup));
  }
  if (check.OtherNames > 0) {
    notes.push_back(Message::Format(
        check.OtherNames == 1 ? "%1 has %2 other name (hard links). Saving gives this name a new "
                                "file; the other names keep the old tasks."
                              : "%1 has %2 other names (hard links). Saving gives this name a new "
                                "file; the other names keep the old tasks.",
        file_.Name(), check.OtherNames));
  }
  if (!check.CannotKeep.empty()) {
    std::string lost;
    for (const std::string& property : check.CannotKeep) {
      if (!lost.empty()) lost += " and ";
      lost += property;
    }
    notes.push_back(Message::Format("Saving cannot keep %1 of %2; the new file will be yours.",
                                    lost, file_.Name()));
  }
  return plan;
}

// A sync tool that puts its copy in place by deleting ours first leaves the name missing for a
// moment: the save looks again, for a little while, before it says the file was deleted.
ReplaceCheck ToDoList::CheckReplaceAfterSwap() const {
  constexpr int kLooks = 5;
  constexpr std::chrono::milliseconds kPause{100};
  ReplaceCheck check = CheckReplace(file_.Name());
  for (int look = 0;
       look < kLooks && !check.Exists && check.Refusal.Empty() && file_.DiskStamp().Exists;
       ++look) {
    std::this_thread::sleep_for(kPause);
    check = CheckReplace(file_.Name());
  }
  return check;
}

bool ToDoList::SaveButtonClick() {
  const ReplaceCheck check = CheckReplaceAfterSwap();
  if (!check.Refusal.Empty()) throw EFileError(kFileNotOpen, check.Refusal);
  // Everything the save would do beyond writing the tasks, asked in one question.
  SavePlan plan;
  try {
    plan = PlanSave(check);
  } catch (const WorkCancelled&) {
    // The user stopped the merge with a change made elsewhere: nothing is saved or changed.
    return false;
  }
  if (plan.CutShort) return SaveOverCutShort();
  if (!plan.Notes.empty()) {
    const Message question = Message::Format(plan.Notes.size() == 1 && plan.OutsideChange
                                                 ? "%1\r\nOverwrite it with the tasks shown here?"
                                                 : "%1\r\nSave the tasks shown here?",
                                             Message::Join(plan.Notes, " "));
    if (!ui_.Confirm(question)) return false;
  }
  // The user agreed to give up the earlier backup; keeping it would block the save.
  std::error_code error;
  if (plan.ReplaceBackup) std::filesystem::remove(file_.BackupName(), error);
  if (plan.Merge) return sync_.SaveMerged(*plan.Merge);
  return SaveTaskFile();
}

bool ToDoList::SaveOverCutShort() {
  KeepBackup(file_.Name(), file_.BackupName());
  if (!SaveTaskFile()) return false;
  ui_.ShowMessageBox(shown_.Title,
                     Message::Format("%1 had been emptied or cut short elsewhere. The tasks shown "
                                     "here were saved; the file as it was is kept as %2.",
                                     file_.Name(), file_.BackupName()));
  return true;
}

void ToDoList::CloseButtonClick() {
  struct Closing {
    bool& Flag;
    ~Closing() { Flag = false; }
  } closing{closing_ = true};
  if (SaveButtonClick()) ui_.CloseWindow();
}

void ToDoList::CloseNoSaveButtonClick() {
  ui_.CloseWindow();
}

}  // namespace taskwell
