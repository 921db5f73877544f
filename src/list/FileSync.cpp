#include "list/FileSync.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <exception>
#include <memory>
#include <utility>

#include "document/Errors.h"
#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A file with no header says nothing about a project column; it agrees with either.
bool HasHeader(const std::string& bytes) {
  const std::string_view text = TrimBlanksView(bytes);
  return !text.empty() && text != kByteOrderMark;
}

// The task lines of bytes a save wrote, as views into them.
std::vector<std::string_view> TaskLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t pos = bytes.find(kLineEnd);
  if (pos == std::string_view::npos) return lines;
  pos += kLineEnd.size();
  while (pos < bytes.size()) {
    // A description may hold a lone CR, never a CR LF: each task is one line.
    std::size_t end = bytes.find(kLineEnd, pos);
    if (end == std::string_view::npos) end = bytes.size();
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + kLineEnd.size();
  }
  return lines;
}

}  // namespace

bool LooksCutShort(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  const std::size_t end = bytes.find('\n');
  // Nothing at all, or less than a header line.
  if (end == std::string_view::npos) return true;
  const std::string first = UpperAscii(TrimView(bytes.substr(0, end)));
  return !first.starts_with("\"DATE\"") && !first.starts_with("DATE") &&
         !first.starts_with("\"PROJECT\"") && !first.starts_with("PROJECT");
}

bool FileSync::CutShortOnDisk(const std::string& theirs) const {
  return LooksCutShort(theirs) &&
         (!list_.SavedRows().empty() || !TaskLines(list_.file_.BaseBytes()).empty());
}

// A row of one side of a merge, in that side's layout.
struct SideRow {
  const TaskRows* Rows;
  bool HasProjCol;
  int Row;
};

// What reading another side line by line needs of ours: the header line, the numbering, how
// many numbers are our lines, and the first row that writes each of them.
struct OurLines {
  std::string_view Header;
  LineNumbers& Numbers;
  int Count;
  std::vector<int> MineRowOf;
};

// Bytes of the task file loaded beside the list, by its rules.
struct LoadedFile {
  TaskFile File;
  LoadedRows Rows;

  std::string Bytes() const { return File.Render(Rows.Rows, Rows.HasProjCol); }
  bool RowIsSaved(int row) const {
    return TaskFile::IsSavedRow(Rows.Rows[static_cast<std::size_t>(row)],
                                TableLayout(Rows.HasProjCol).DescCol());
  }
  std::vector<int> SavedRows() const {
    std::vector<int> rows;
    for (int i = 1; i < static_cast<int>(Rows.Rows.size()); ++i) {
      if (RowIsSaved(i)) rows.push_back(i);
    }
    return rows;
  }
};

std::unique_ptr<LoadedFile> FileSync::LoadedCopy(const DiskBytes& bytes, Message& failure) const {
  // Loaded by the same rules as the window's, so that the sides of a merge are compared in the
  // one form a save writes: dates, numbers and quoting no longer differ by who wrote them.
  auto copy =
      std::unique_ptr<LoadedFile>(new LoadedFile{TaskFile(list_.dates_, list_.file_.Name()), {}});
  try {
    copy->File.Load(copy->Rows, &bytes);
  } catch (const std::exception& e) {
    failure = ShownText(e);
    return nullptr;
  }
  return copy;
}

bool FileSync::FileChangedOnDisk() {
  const TaskFile& file = list_.file_;
  if (!ChangedOnDisk(file.Name(), file.DiskStamp())) return false;
  DiskBytes theirs;
  // Gone or unreadable for the moment (a sync tool between its delete and its rename): the next
  // change brings it back.
  if (!ReadWholeFile(file.Name(), theirs.Bytes, &theirs.Stamp)) return false;
  // An emptied or truncated file (a sync tool's partial write, an editor's crash) is no new truth.
  if (CutShortOnDisk(theirs.Bytes)) {
    TellNotReloaded(
        theirs.Stamp.Hash,
        Message::Format("%1 was emptied or cut short elsewhere (%2 bytes, no header line). The "
                        "list still shows its tasks; Save keeps them and keeps the file as it "
                        "is now as %3.",
                        file.Name(), theirs.Bytes.size(), file.BackupName()));
    return false;
  }
  // What the user changed here is merged at the next save, never thrown away by a reload.
  if (!ShowsBaseAsLoaded()) return false;
  Message failure;
  const std::unique_ptr<LoadedFile> loaded = LoadedCopy(theirs, failure);
  if (!loaded) {
    TellNotReloaded(
        theirs.Stamp.Hash,
        Message::Format("%1 was changed elsewhere and cannot be loaded completely: %2 The list "
                        "still shows the tasks as they were. Saving asks before it replaces "
                        "the file.",
                        file.Name(), ErrorReport(failure)));
    return false;
  }
  ReloadTaskFile(loaded->File, loaded->Rows);
  return true;
}

void FileSync::TellNotReloaded(std::uint64_t hash, const Message& message) {
  if (partialReloadTold_ == hash) return;
  partialReloadTold_ = hash;
  list_.ui_.ShowMessageBox(list_.shown_.Title, message);
}

bool FileSync::HasUnsavedChanges() const {
  // Right after a save, with nothing changed since, a save would write the same bytes again.
  if (list_.shown_.WrittenRevision == list_.table_.ContentRevision()) return false;
  return list_.SaveBytes() != list_.file_.BaseBytes();
}

std::optional<std::uint64_t> FileSync::WrittenRevision() const {
  return list_.shown_.WrittenRevision;
}

bool FileSync::ShowsBaseAsLoaded() {
  // Nothing changed in the table since it showed the base.
  if (list_.shown_.BaseRevision == list_.table_.ContentRevision()) return true;
  const std::string shown = list_.SaveBytes();
  if (shown == list_.file_.BaseBytes()) return true;
  // A file another program wrote rarely reads back byte for byte as a save writes it (quoting,
  // line ends, number forms), yet the list shows it unchanged: compare with the base as loaded.
  const std::uint64_t baseHash = ContentHash(list_.file_.BaseBytes());
  if (!baseAsLoaded_ || baseAsLoadedHash_ != baseHash) {
    Message failure;
    const std::unique_ptr<LoadedFile> base =
        LoadedCopy(DiskBytes{list_.file_.BaseBytes(), {}}, failure);
    if (!base) return false;
    baseAsLoaded_ = base->Bytes();
    baseAsLoadedHash_ = baseHash;
  }
  return shown == *baseAsLoaded_;
}

void FileSync::ReloadTaskFile(TaskFile& loadedFile, LoadedRows& loaded) {
  list_.file_.TakeLoad(std::move(loadedFile));
  ReplaceRowsKeepingView(std::move(loaded.Rows), loaded.HasProjCol);
  list_.shown_.BaseRevision = list_.table_.ContentRevision();
  partialReloadTold_.reset();
  // Rendered only when an edit here makes the table differ from it.
  baseAsLoaded_.reset();
}

void FileSync::ReplaceRowsKeepingView(TaskRows rows, bool hasProjCol) {
  const int oldRow = list_.table_.Row();
  const int oldCol = list_.table_.Col();
  const TaskCells cursorTask = list_.table_.RowCells(oldRow).ToCells();
  std::vector<int> widths;
  widths.reserve(list_.table_.ColCount());
  for (int col = 0; col < list_.table_.ColCount(); ++col)
    widths.push_back(list_.table_.ColWidth(col));
  const int oldColCount = list_.table_.ColCount();

  list_.ClearTaskTable();
  list_.SetLayout(hasProjCol);
  list_.table_.ReplaceRows(std::move(rows));
  list_.FinishTaskTable();

  // Widths the user dragged stay while the columns are the same ones.
  if (list_.table_.ColCount() == oldColCount) {
    for (int col = 0; col < oldColCount; ++col) list_.table_.SetColWidth(col, widths[col]);
  }
  // The same task if it is still there (the nearest copy of it), else the same row number.
  const int last = list_.table_.RowCount() - 1;
  int row = std::clamp(oldRow, 1, last);
  int bestDistance = -1;
  for (int r = 1; r <= last; ++r) {
    if (list_.table_.RowCells(r) != cursorTask) continue;
    const int distance = std::abs(r - oldRow);
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      row = r;
    }
  }
  // The new content has no edit pending, so placing the cursor commits nothing.
  list_.DetachSelectHandler();
  list_.table_.SelectCell(std::clamp(oldCol, 0, list_.table_.ColCount() - 1), row);
  list_.AttachSelectHandler();
  list_.sort_.PendingRow = 0;
  list_.EditCursorCell();
}

// The task lines of the three sides of a merge, in the form a save writes, and where each of
// theirs can be shown from. The lines are views into the texts kept here.
struct MergeSides {
  std::string MineBytes;
  std::deque<std::string> Rendered;
  std::vector<std::unique_ptr<LoadedFile>> Loaded;
  std::vector<std::string_view> Base, Mine, Theirs;
  std::vector<int> MineRows;
  // Where each of theirs' lines can be shown from: the rows of a side, and the row there.
  std::vector<SideRow> TheirRows;
  // The lines as numbers, where they were numbered while reading the sides.
  std::optional<NumberedLines> Numbered;
};

bool FileSync::RenderMine(MergeSides& sides) const {
  sides.MineBytes = list_.FileBytes();
  sides.Mine = TaskLines(sides.MineBytes);
  sides.MineRows = list_.SavedRows();
  // Each line must be one row, or the merged lines could not be shown as rows.
  return sides.Mine.size() == sides.MineRows.size();
}

bool FileSync::LoadMergeSides(const std::string& base, const std::string& theirBytes,
                              MergeSides& sides, const Progress& progress) {
  Message failure;
  std::unique_ptr<LoadedFile> theirList = LoadedCopy(DiskBytes{theirBytes, {}}, failure);
  progress.Tell(1, 4);
  const std::unique_ptr<LoadedFile> baseList = LoadedCopy(DiskBytes{base, {}}, failure);
  progress.Tell(2, 4);
  if (!theirList || !baseList) return false;
  if ((HasHeader(theirBytes) && theirList->Rows.HasProjCol != list_.layout_.HasProjCol()) ||
      (HasHeader(base) && baseList->Rows.HasProjCol != list_.layout_.HasProjCol())) {
    return false;
  }
  // Lines compare only in one encoding: UTF-8 when any side is.
  if (list_.file_.TextIsUtf8() || theirList->File.TextIsUtf8() || baseList->File.TextIsUtf8()) {
    list_.CellsToUtf8();
    theirList->File.RowsToUtf8(theirList->Rows.Rows);
    baseList->File.RowsToUtf8(baseList->Rows.Rows);
  }
  if (!RenderMine(sides)) return false;
  progress.Tell(3, 4);
  sides.Base = TaskLines(sides.Rendered.emplace_back(baseList->Bytes()));
  sides.Theirs = TaskLines(sides.Rendered.emplace_back(theirList->Bytes()));
  const std::vector<int> theirRows = theirList->SavedRows();
  if (sides.Theirs.size() != theirRows.size()) return false;
  for (const int row : theirRows)
    sides.TheirRows.push_back({&theirList->Rows.Rows, theirList->Rows.HasProjCol, row});
  sides.Loaded.push_back(std::move(theirList));
  return true;
}

bool FileSync::QuickMergeSides(const std::string& base, const std::string& theirBytes,
                               MergeSides& sides, const Progress& progress) {
  if (!list_.file_.TextIsUtf8() || !RenderMine(sides)) return false;
  progress.Tell(1, 4);
  const std::string_view header =
      std::string_view(sides.MineBytes).substr(0, sides.MineBytes.find(kLineEnd) + 2);
  NumberedLines& numbered = sides.Numbered.emplace();
  LineNumbers numbers(sides.Mine.size() + sides.Mine.size() / 4 + 16);
  numbered.Mine.reserve(sides.Mine.size());
  for (const std::string_view line : sides.Mine) {
    numbered.Mine.push_back(numbers.Number(line));
    progress.Part(0.25, 0.4).Step(numbered.Mine.size(), sides.Mine.size());
  }
  // Our lines are the first numbers; each names the first row that writes it.
  const int ours = numbers.Distinct();
  std::vector<int> mineRowOf(static_cast<std::size_t>(ours), 0);
  for (std::size_t i = sides.Mine.size(); i-- > 0;)
    mineRowOf[static_cast<std::size_t>(numbered.Mine[i])] = sides.MineRows[i];

  const OurLines ourLines{header, numbers, ours, std::move(mineRowOf)};
  if (!ReadQuickSide(ourLines, base, sides, sides.Base, numbered.Base, nullptr,
                     progress.Part(0.4, 0.7)) ||
      !ReadQuickSide(ourLines, theirBytes, sides, sides.Theirs, numbered.Theirs, &sides.TheirRows,
                     progress.Part(0.7, 1))) {
    return false;
  }
  numbered.Distinct = numbers.Distinct();
  return true;
}

bool FileSync::ReadQuickSide(const OurLines& ours, const std::string& bytes, MergeSides& sides,
                             std::vector<std::string_view>& lines, std::vector<int>& ids,
                             std::vector<SideRow>* rows, const Progress& progress) {
  // Only a UTF-8 file in this list's own form, with nothing a load would stop at.
  if (!bytes.starts_with(ours.Header) || bytes.find('\x1A') != std::string::npos ||
      !IsValidUtf8(bytes)) {
    return false;
  }
  // The header ends in an LF, so lines end at LF, as the loader reads them.
  std::vector<std::string_view> raw;
  for (std::size_t pos = ours.Header.size(); pos < bytes.size();) {
    raw.push_back(NextTaskFileLine(bytes, pos, false));
    progress.Part(0, 0.3).Step(raw.size(), pos, bytes.size());
  }
  // A line that is one of ours, byte for byte, is already in the form a save writes; only the
  // others are loaded, together, to be read and written by the same rules.
  std::string others(ours.Header);
  std::vector<int> ourId(raw.size());
  int otherCount = 0;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    progress.Part(0.3, 0.7).Step(i, raw.size());
    const int id = ours.Numbers.Find(raw[i]);
    ourId[i] = id >= 0 && id < ours.Count ? id : -1;
    if (ourId[i] >= 0) continue;
    (others += raw[i]) += kLineEnd;
    ++otherCount;
  }
  const LoadedFile* loaded = nullptr;
  std::vector<std::string_view> loadedLines;
  if (otherCount > 0) {
    Message failure;
    std::unique_ptr<LoadedFile> list = LoadedCopy(DiskBytes{std::move(others), {}}, failure);
    if (!list || list->Rows.HasProjCol != list_.layout_.HasProjCol() ||
        list->Rows.Rows.size() != static_cast<std::size_t>(otherCount) + 1) {
      return false;
    }
    loadedLines = TaskLines(sides.Rendered.emplace_back(list->Bytes()));
    loaded = sides.Loaded.emplace_back(std::move(list)).get();
  }
  int loadedRow = 0;
  std::size_t loadedLine = 0;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    progress.Part(0.7, 1).Step(i, raw.size());
    if (ourId[i] >= 0) {
      lines.push_back(raw[i]);
      ids.push_back(ourId[i]);
      if (rows != nullptr)
        rows->push_back({&list_.table_.Rows(), list_.layout_.HasProjCol(),
                         ours.MineRowOf[static_cast<std::size_t>(ourId[i])]});
      continue;
    }
    // One row for each line read; a row without a description writes no line.
    if (!loaded->RowIsSaved(++loadedRow)) continue;
    if (loadedLine == loadedLines.size()) return false;
    lines.push_back(loadedLines[loadedLine++]);
    ids.push_back(ours.Numbers.Number(lines.back()));
    if (rows != nullptr) rows->push_back({&loaded->Rows.Rows, loaded->Rows.HasProjCol, loadedRow});
  }
  return loadedLine == loadedLines.size();
}

std::optional<MergedFile> FileSync::PrepareMerge() {
  // Without a base no merge can tell their changes from ours: the save asks instead.
  if (list_.file_.BaseLost()) return std::nullopt;
  DiskBytes theirs;
  if (!ReadWholeFile(list_.file_.Name(), theirs.Bytes, &theirs.Stamp)) return std::nullopt;
  return PrepareMergeWith(list_.file_.BaseBytes(), std::move(theirs));
}

std::optional<LineMergeResult> FileSync::MergeFromCopy(DiskBytes theirs,
                                                       const std::string& sharedBase,
                                                       bool isTheFile) {
  std::optional<MergedFile> merged = PrepareMergeWith(sharedBase, std::move(theirs));
  if (!merged) return std::nullopt;
  // For the file itself, the file as it is now is what the next save is measured against.
  if (isTheFile) {
    list_.file_.TakeBase(std::move(merged->Theirs));
    baseAsLoaded_.reset();
  }
  ReplaceRowsKeepingView(std::move(merged->Rows), list_.layout_.HasProjCol());
  return std::move(merged->Result);
}

std::optional<MergedFile> FileSync::PrepareMergeWith(const std::string& base,
                                                     DiskBytes theirBytes) {
  // At a million tasks a merge takes a second or more; Cancel stops it with nothing changed.
  const std::unique_ptr<ShownWork> shown =
      list_.ui_.ShowWork("Merging the changes made elsewhere...");
  const Progress progress = shown ? shown->Of() : Progress();
  MergedFile merged;
  DiskBytes& theirs = merged.Theirs;
  theirs = std::move(theirBytes);
  MergeSides sides;
  if (!QuickMergeSides(base, theirs.Bytes, sides, progress.Part(0, 0.7))) {
    sides = MergeSides();
    if (!LoadMergeSides(base, theirs.Bytes, sides, progress.Part(0, 0.7))) return std::nullopt;
  }
  merged.Result =
      MergeLines(sides.Base, sides.Mine, sides.Theirs, sides.Numbered ? &*sides.Numbered : nullptr);
  progress.Tell(75, 100);
  // A file rewritten with the same tasks (a sync tool's copy) is no news to the user.
  merged.ChangedElsewhere = sides.Theirs != sides.Base;
  merged.Rows.reserve(merged.Result.Sources.size() + 1);
  merged.Rows.push_back(TaskCells{});
  // Each row writes the line it came from, so the lines are the bytes its save writes.
  const std::string_view mineBytes = sides.MineBytes;
  merged.Bytes = mineBytes.substr(0, mineBytes.find(kLineEnd) + kLineEnd.size());
  merged.Bytes.reserve(mineBytes.size() + mineBytes.size() / 8);
  for (std::size_t i = 0; i < merged.Result.Sources.size(); ++i) {
    progress.Part(0.75, 1).Step(i, merged.Result.Sources.size());
    const MergedLineSource& source = merged.Result.Sources[i];
    const SideRow from = source.Theirs ? sides.TheirRows[source.Index]
                                       : SideRow{&list_.table_.Rows(), list_.layout_.HasProjCol(),
                                                 sides.MineRows[source.Index]};
    merged.Rows.push_back(TaskFile::CellsInLayout((*from.Rows)[static_cast<std::size_t>(from.Row)],
                                                  from.HasProjCol, list_.layout_.HasProjCol()));
    merged.Bytes += merged.Result.Lines[i];
    merged.Bytes += kLineEnd;
  }
  return merged;
}

bool FileSync::SaveMerged(MergedFile& merged) {
  ReplaceRowsKeepingView(std::move(merged.Rows), list_.layout_.HasProjCol());
  // The file on disk is what the next change is measured against.
  list_.file_.TakeBase(std::move(merged.Theirs));
  if (!list_.SaveTaskFile(&merged.Bytes)) return false;
  if (merged.ChangedElsewhere)
    list_.ui_.ShowMessageBox(list_.shown_.Title, MergeSummary(merged.Result));
  return true;
}

void FileSync::RestoreJournal(const std::string& bytes) {
  // Read by the same rules as the file, so that the journal's cells are in the table's form.
  TaskFile journal(list_.dates_, list_.file_.Name());
  LoadedRows loaded;
  std::string failure;
  try {
    const DiskBytes from{bytes, {}};
    journal.Load(loaded, &from);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (!failure.empty() || loaded.HasProjCol != list_.layout_.HasProjCol()) {
    throw EFileError(kFileNotOpen, "The unsaved changes kept for " + list_.file_.Name() +
                                       " cannot be restored into the list" +
                                       (failure.empty() ? std::string() : ": " + failure) +
                                       ". They stay kept aside in the recovery journal");
  }
  // The rows compare only in one encoding: UTF-8 when either side is.
  if (list_.file_.TextIsUtf8() && !journal.TextIsUtf8()) journal.RowsToUtf8(loaded.Rows);
  if (journal.TextIsUtf8()) list_.CellsToUtf8();
  const ToDoList::StepScope step(list_, &ToDoList::CursorMark);
  // Cell by cell, so that the undo step holds only what differs.
  list_.DetachSelectHandler();
  const TaskRows& from = loaded.Rows;
  list_.table_.SetRowCount(static_cast<int>(from.size()));
  for (int row = 1; row < static_cast<int>(from.size()); ++row) {
    const RowView cells = from[static_cast<std::size_t>(row)];
    for (int col = 0; col < list_.table_.ColCount(); ++col) {
      const auto at = static_cast<std::size_t>(col);
      const std::string_view cell = at < cells.size() ? cells[at] : std::string_view();
      if (list_.table_.Cell(col, row) != cell) list_.table_.SetCell(col, row, cell);
    }
  }
  list_.table_.SelectCell(
      std::clamp(list_.table_.Col(), 0, list_.table_.ColCount() - 1),
      std::clamp(list_.table_.Row(), 1, std::max(1, list_.table_.RowCount() - 1)));
  list_.AttachSelectHandler();
  list_.EditCursorCell();
  list_.window_.FitWindowToRows();
  list_.ui_.Repaint();
}

}  // namespace taskwell
