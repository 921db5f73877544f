// Changes made to the task file elsewhere (a sync tool, another window): reloading a list that has
// nothing unsaved, and merging at save when both sides changed.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <exception>
#include <memory>
#include <utility>

#include "document/Errors.h"
#include "document/NullPlatform.h"
#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A list that is only read: nothing it does reaches the user.
NullPlatform& Silent() {
  static NullPlatform platform;
  return platform;
}

// A file with no header says nothing about a project column; it agrees with either.
bool HasHeader(const std::string& bytes) {
  const std::string_view text = TrimBlanksView(bytes);
  return !text.empty() && text != "\xEF\xBB\xBF";
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
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const std::size_t end = bytes.find('\n');
  // Nothing at all, or less than a header line.
  if (end == std::string_view::npos) return true;
  const std::string first = UpperAscii(TrimView(bytes.substr(0, end)));
  return !first.starts_with("\"DATE\"") && !first.starts_with("DATE") &&
         !first.starts_with("\"PROJECT\"") && !first.starts_with("PROJECT");
}

bool ToDoList::CutShortOnDisk(const std::string& theirs) const {
  return LooksCutShort(theirs) && (!SavedRows().empty() || !TaskLines(file_.BaseBytes).empty());
}

std::unique_ptr<ToDoList> ToDoList::LoadedCopy(const DiskBytes& bytes, std::string& failure) const {
  // Loaded by the same rules as the window's, so that the sides of a merge are compared in the
  // one form a save writes: dates, numbers and quoting no longer differ by who wrote them.
  auto copy = std::make_unique<ToDoList>(Silent(), dates_);
  copy->file_.Name = file_.Name;
  try {
    copy->ClearTaskTable();
    copy->LoadTaskFile(&bytes);
  } catch (const std::exception& e) {
    failure = e.what();
    return nullptr;
  }
  return copy;
}

bool ToDoList::FileChangedOnDisk() {
  if (!ChangedOnDisk(file_.Name, file_.DiskStamp)) return false;
  DiskBytes theirs;
  // Gone or unreadable for the moment (a sync tool between its delete and its rename): the next
  // change brings it back.
  if (!ReadWholeFile(file_.Name, theirs.Bytes, &theirs.Stamp)) return false;
  // An emptied or truncated file (a sync tool's partial write, an editor's crash) is no new truth.
  if (CutShortOnDisk(theirs.Bytes)) {
    if (partialReloadTold_ != theirs.Stamp.Hash) {
      partialReloadTold_ = theirs.Stamp.Hash;
      ui_.ShowMessageBox(file_.Title, file_.Name + " was emptied or cut short elsewhere (" +
                                          std::to_string(theirs.Bytes.size()) +
                                          " bytes, no header line). The list still shows its "
                                          "tasks; Save keeps them and keeps the file as it is now "
                                          "as " +
                                          BackupFileName() + ".");
    }
    return false;
  }
  // What the user changed here is merged at the next save, never thrown away by a reload.
  if (!ShowsBaseAsLoaded()) return false;
  std::string failure;
  const std::unique_ptr<ToDoList> loaded = LoadedCopy(theirs, failure);
  if (!loaded) {
    if (partialReloadTold_ != theirs.Stamp.Hash) {
      partialReloadTold_ = theirs.Stamp.Hash;
      ui_.ShowMessageBox(file_.Title,
                         file_.Name + " was changed elsewhere and cannot be loaded completely: " +
                             ErrorReportText(failure) +
                             " The list still shows the tasks as they were. Saving asks before "
                             "it replaces the file.");
    }
    return false;
  }
  ReloadTaskFile(*loaded);
  return true;
}

bool ToDoList::ShowsBaseAsLoaded() {
  // Nothing changed in the table since it showed the base.
  if (file_.BaseRevision == table_.ContentRevision()) return true;
  const std::string shown = SaveBytes();
  if (shown == file_.BaseBytes) return true;
  // A file another program wrote rarely reads back byte for byte as a save writes it (quoting,
  // line ends, number forms), yet the list shows it unchanged: compare with the base as loaded.
  const std::uint64_t baseHash = ContentHash(file_.BaseBytes);
  if (!baseAsLoaded_ || baseAsLoadedHash_ != baseHash) {
    std::string failure;
    const std::unique_ptr<ToDoList> base = LoadedCopy(DiskBytes{file_.BaseBytes, {}}, failure);
    if (!base) return false;
    baseAsLoaded_ = base->FileBytes();
    baseAsLoadedHash_ = baseHash;
  }
  return shown == *baseAsLoaded_;
}

void ToDoList::ReloadTaskFile(ToDoList& loaded) {
  file_.TextIsUtf8 = loaded.file_.TextIsUtf8;
  file_.SingleByte = loaded.file_.SingleByte;
  file_.DiskStamp = loaded.file_.DiskStamp;
  file_.BaseBytes = std::move(loaded.file_.BaseBytes);
  csv_.WriteBom = loaded.csv_.WriteBom;
  ReplaceRowsKeepingView(loaded.table_.TakeRows(), loaded.layout_.HasProjCol());
  file_.BaseRevision = table_.ContentRevision();
  partialReloadTold_.reset();
  // Rendered only when an edit here makes the table differ from it.
  baseAsLoaded_.reset();
}

void ToDoList::ReplaceRowsKeepingView(std::vector<std::vector<std::string>> rows, bool hasProjCol) {
  const int oldRow = table_.Row();
  const int oldCol = table_.Col();
  const std::vector<std::string> cursorTask = table_.RowCells(oldRow);
  std::vector<int> widths;
  widths.reserve(table_.ColCount());
  for (int col = 0; col < table_.ColCount(); ++col) widths.push_back(table_.ColWidth(col));
  const int oldColCount = table_.ColCount();

  ClearTaskTable();
  SetLayout(hasProjCol);
  table_.ReplaceRows(std::move(rows));
  FinishTaskTable();
  file_.LoadWasPartial = false;

  // Widths the user dragged stay while the columns are the same ones.
  if (table_.ColCount() == oldColCount) {
    for (int col = 0; col < oldColCount; ++col) table_.SetColWidth(col, widths[col]);
  }
  // The same task if it is still there (the nearest copy of it), else the same row number.
  const int last = table_.RowCount() - 1;
  int row = std::clamp(oldRow, 1, last);
  int bestDistance = -1;
  for (int r = 1; r <= last; ++r) {
    if (table_.RowCells(r) != cursorTask) continue;
    const int distance = std::abs(r - oldRow);
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      row = r;
    }
  }
  // The new content has no edit pending, so placing the cursor commits nothing.
  DetachSelectHandler();
  table_.SelectCell(std::clamp(oldCol, 0, table_.ColCount() - 1), row);
  AttachSelectHandler();
  sort_.PendingRow = 0;
  EditCursorCell();
}

std::vector<std::string> ToDoList::RowInLayout(int row, const TableLayout& to) const {
  if (to.HasProjCol() == layout_.HasProjCol()) return table_.RowCells(row);
  std::vector<std::string> cells(static_cast<std::size_t>(to.ColCount()));
  for (const int col : {ColDate, ColPri, ColSubPri}) cells[col] = table_.Cell(col, row);
  if (to.HasProjCol() && layout_.HasProjCol()) cells[ColProj] = table_.Cell(ColProj, row);
  cells[static_cast<std::size_t>(to.DescCol())] = table_.Cell(layout_.DescCol(), row);
  return cells;
}

// The task lines of the three sides of a merge, in the form a save writes, and where each of
// theirs can be shown from. The lines are views into the texts kept here.
struct MergeSides {
  std::string MineBytes;
  std::deque<std::string> Rendered;
  std::vector<std::unique_ptr<ToDoList>> Loaded;
  std::vector<std::string_view> Base, Mine, Theirs;
  std::vector<int> MineRows;
  std::vector<std::pair<const ToDoList*, int>> TheirRows;
  // The lines as numbers, where they were numbered while reading the sides.
  std::optional<NumberedLines> Numbered;
};

bool ToDoList::RenderMine(MergeSides& sides) const {
  sides.MineBytes = FileBytes();
  sides.Mine = TaskLines(sides.MineBytes);
  sides.MineRows = SavedRows();
  // Each line must be one row, or the merged lines could not be shown as rows.
  return sides.Mine.size() == sides.MineRows.size();
}

bool ToDoList::LoadMergeSides(const std::string& theirBytes, MergeSides& sides) {
  std::string failure;
  std::unique_ptr<ToDoList> theirList = LoadedCopy(DiskBytes{theirBytes, {}}, failure);
  const std::unique_ptr<ToDoList> baseList = LoadedCopy(DiskBytes{file_.BaseBytes, {}}, failure);
  if (!theirList || !baseList) return false;
  if ((HasHeader(theirBytes) && theirList->HasProjCol() != layout_.HasProjCol()) ||
      (HasHeader(file_.BaseBytes) && baseList->HasProjCol() != layout_.HasProjCol())) {
    return false;
  }
  // Lines compare only in one encoding: UTF-8 when any side is.
  if (file_.TextIsUtf8 || theirList->TextIsUtf8() || baseList->TextIsUtf8()) {
    CellsToUtf8();
    theirList->CellsToUtf8();
    baseList->CellsToUtf8();
  }
  if (!RenderMine(sides)) return false;
  sides.Base = TaskLines(sides.Rendered.emplace_back(baseList->FileBytes()));
  sides.Theirs = TaskLines(sides.Rendered.emplace_back(theirList->FileBytes()));
  const std::vector<int> theirRows = theirList->SavedRows();
  if (sides.Theirs.size() != theirRows.size()) return false;
  for (const int row : theirRows) sides.TheirRows.emplace_back(theirList.get(), row);
  sides.Loaded.push_back(std::move(theirList));
  return true;
}

bool ToDoList::QuickMergeSides(const std::string& theirBytes, MergeSides& sides) {
  if (!file_.TextIsUtf8 || !RenderMine(sides)) return false;
  const std::string_view header =
      std::string_view(sides.MineBytes).substr(0, sides.MineBytes.find(kLineEnd) + 2);
  NumberedLines& numbered = sides.Numbered.emplace();
  LineNumbers numbers(sides.Mine.size() + sides.Mine.size() / 4 + 16);
  numbered.Mine.reserve(sides.Mine.size());
  for (const std::string_view line : sides.Mine) numbered.Mine.push_back(numbers.Number(line));
  // Our lines are the first numbers; each names the first row that writes it.
  const int ours = numbers.Distinct();
  std::vector<int> mineRowOf(static_cast<std::size_t>(ours), 0);
  for (std::size_t i = sides.Mine.size(); i-- > 0;)
    mineRowOf[static_cast<std::size_t>(numbered.Mine[i])] = sides.MineRows[i];

  const auto readSide = [&](const std::string& bytes, std::vector<std::string_view>& lines,
                            std::vector<int>& ids,
                            std::vector<std::pair<const ToDoList*, int>>* rows) {
    // Only a UTF-8 file in this list's own form, with nothing a load would stop at.
    if (!bytes.starts_with(header) || bytes.find('\x1A') != std::string::npos ||
        !IsValidUtf8(bytes)) {
      return false;
    }
    // The header ends in an LF, so lines end at LF, as the loader reads them.
    std::vector<std::string_view> raw;
    for (std::size_t pos = header.size(); pos < bytes.size();)
      raw.push_back(NextTaskFileLine(bytes, pos, false));
    // A line that is one of ours, byte for byte, is already in the form a save writes; only the
    // others are loaded, together, to be read and written by the same rules.
    std::string others(header);
    std::vector<int> ourId(raw.size());
    int otherCount = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      const int id = numbers.Find(raw[i]);
      ourId[i] = id >= 0 && id < ours ? id : -1;
      if (ourId[i] >= 0) continue;
      (others += raw[i]) += kLineEnd;
      ++otherCount;
    }
    const ToDoList* loaded = nullptr;
    std::vector<std::string_view> loadedLines;
    if (otherCount > 0) {
      std::string failure;
      std::unique_ptr<ToDoList> list = LoadedCopy(DiskBytes{std::move(others), {}}, failure);
      if (!list || list->HasProjCol() != layout_.HasProjCol() ||
          list->table_.RowCount() != 1 + otherCount) {
        return false;
      }
      loadedLines = TaskLines(sides.Rendered.emplace_back(list->FileBytes()));
      loaded = sides.Loaded.emplace_back(std::move(list)).get();
    }
    int loadedRow = 0;
    std::size_t loadedLine = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (ourId[i] >= 0) {
        lines.push_back(raw[i]);
        ids.push_back(ourId[i]);
        if (rows != nullptr)
          rows->emplace_back(this, mineRowOf[static_cast<std::size_t>(ourId[i])]);
        continue;
      }
      // One row for each line read; a row without a description writes no line.
      if (!loaded->RowIsSaved(++loadedRow)) continue;
      if (loadedLine == loadedLines.size()) return false;
      lines.push_back(loadedLines[loadedLine++]);
      ids.push_back(numbers.Number(lines.back()));
      if (rows != nullptr) rows->emplace_back(loaded, loadedRow);
    }
    return loadedLine == loadedLines.size();
  };
  if (!readSide(file_.BaseBytes, sides.Base, numbered.Base, nullptr) ||
      !readSide(theirBytes, sides.Theirs, numbered.Theirs, &sides.TheirRows)) {
    return false;
  }
  numbered.Distinct = numbers.Distinct();
  return true;
}

std::optional<MergedFile> ToDoList::PrepareMerge() {
  DiskBytes theirs;
  if (!ReadWholeFile(file_.Name, theirs.Bytes, &theirs.Stamp)) return std::nullopt;
  return PrepareMergeWith(std::move(theirs));
}

std::optional<LineMergeResult> ToDoList::MergeFromCopy(DiskBytes theirs,
                                                       const std::string& sharedBase,
                                                       bool isTheFile) {
  std::string base = std::exchange(file_.BaseBytes, sharedBase);
  std::optional<MergedFile> merged = PrepareMergeWith(std::move(theirs));
  file_.BaseBytes = std::move(base);
  if (!merged) return std::nullopt;
  ReplaceRowsKeepingView(std::move(merged->Rows), layout_.HasProjCol());
  if (isTheFile) {
    // The file as it is now is what the next save is measured against.
    file_.DiskStamp = merged->Theirs.Stamp;
    file_.BaseBytes = std::move(merged->Theirs.Bytes);
  }
  baseAsLoaded_.reset();
  return std::move(merged->Result);
}

std::optional<MergedFile> ToDoList::PrepareMergeWith(DiskBytes theirBytes) {
  MergedFile merged;
  DiskBytes& theirs = merged.Theirs;
  theirs = std::move(theirBytes);
  MergeSides sides;
  if (!QuickMergeSides(theirs.Bytes, sides)) {
    sides = MergeSides();
    if (!LoadMergeSides(theirs.Bytes, sides)) return std::nullopt;
  }
  merged.Result =
      MergeLines(sides.Base, sides.Mine, sides.Theirs, sides.Numbered ? &*sides.Numbered : nullptr);
  // A file rewritten with the same tasks (a sync tool's copy) is no news to the user.
  merged.ChangedElsewhere = sides.Theirs != sides.Base;
  merged.Rows.reserve(merged.Result.Sources.size() + 1);
  merged.Rows.emplace_back();
  // Each row writes the line it came from, so the lines are the bytes its save writes.
  const std::string_view mineBytes = sides.MineBytes;
  merged.Bytes = mineBytes.substr(0, mineBytes.find(kLineEnd) + kLineEnd.size());
  merged.Bytes.reserve(mineBytes.size() + mineBytes.size() / 8);
  for (std::size_t i = 0; i < merged.Result.Sources.size(); ++i) {
    const MergedLineSource& source = merged.Result.Sources[i];
    const auto [list, row] = source.Theirs ? sides.TheirRows[source.Index]
                                           : std::pair(this, sides.MineRows[source.Index]);
    merged.Rows.push_back(list->RowInLayout(row, layout_));
    merged.Bytes += merged.Result.Lines[i];
    merged.Bytes += kLineEnd;
  }
  return merged;
}

bool ToDoList::SaveMerged(MergedFile& merged) {
  ReplaceRowsKeepingView(std::move(merged.Rows), layout_.HasProjCol());
  // The file on disk is what the next change is measured against.
  file_.DiskStamp = merged.Theirs.Stamp;
  file_.BaseBytes = std::move(merged.Theirs.Bytes);
  if (!SaveTaskFile(&merged.Bytes)) return false;
  if (merged.ChangedElsewhere) ui_.ShowMessageBox(file_.Title, MergeSummary(merged.Result));
  return true;
}

}  // namespace taskwell
