// Changes made to the task file elsewhere (a sync tool, another window): reloading a list that has
// nothing unsaved, and merging at save when both sides changed.
#include <algorithm>
#include <cstdlib>
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

// The first line (with a byte-order mark, if any) and the task lines of bytes a save wrote.
std::pair<std::string, std::vector<std::string>> SplitTaskLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t pos = bytes.find(kLineEnd);
  if (pos == std::string::npos) return {bytes, lines};
  std::string header = bytes.substr(0, pos + kLineEnd.size());
  pos += kLineEnd.size();
  while (pos < bytes.size()) {
    // A description may hold a lone CR, never a CR LF: each task is one line.
    std::size_t end = bytes.find(kLineEnd, pos);
    if (end == std::string::npos) end = bytes.size();
    lines.emplace_back(bytes, pos, end - pos);
    pos = end + kLineEnd.size();
  }
  return {std::move(header), std::move(lines)};
}

}  // namespace

std::unique_ptr<ToDoList> ToDoList::LoadedCopy(const DiskBytes& bytes, std::string& failure) const {
  // Loaded by the same rules as the window's, so that the sides of a merge are compared in the
  // one form a save writes: dates, numbers and quoting no longer differ by who wrote them.
  auto copy = std::make_unique<ToDoList>(Silent(), dates_);
  copy->file_.Name = file_.Name;
  try {
    copy->LoadTaskFile(&bytes);
  } catch (const std::exception& e) {
    failure = e.what();
    return nullptr;
  }
  return copy;
}

bool ToDoList::FileChangedOnDisk() {
  if (!ChangedOnDisk(file_.Name, file_.DiskStamp)) return false;
  // What the user changed here is merged at the next save, never thrown away by a reload.
  if (!ShowsBaseAsLoaded()) return false;
  DiskBytes theirs;
  // Gone or unreadable for the moment (a sync tool between its delete and its rename): the next
  // change brings it back.
  if (!ReadWholeFile(file_.Name, theirs.Bytes, &theirs.Stamp)) return false;
  std::string failure;
  if (!LoadedCopy(theirs, failure)) {
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
  ReloadTaskFile(theirs);
  return true;
}

bool ToDoList::ShowsBaseAsLoaded() {
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

void ToDoList::ReloadTaskFile(const DiskBytes& from) {
  LoadKeepingView(from);
  partialReloadTold_.reset();
  baseAsLoaded_ = FileBytes();
  baseAsLoadedHash_ = ContentHash(file_.BaseBytes);
}

void ToDoList::LoadKeepingView(const DiskBytes& from) {
  const int oldRow = table_.Row();
  const int oldCol = table_.Col();
  const std::vector<std::string> cursorTask = table_.RowCells(oldRow);
  std::vector<int> widths;
  widths.reserve(table_.ColCount());
  for (int col = 0; col < table_.ColCount(); ++col) widths.push_back(table_.ColWidth(col));
  const int oldColCount = table_.ColCount();

  InitTaskTable(&from);
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

std::optional<MergedFile> ToDoList::PrepareMerge() {
  MergedFile merged;
  DiskBytes& theirs = merged.Content;
  if (!ReadWholeFile(file_.Name, theirs.Bytes, &theirs.Stamp)) return std::nullopt;
  std::string failure;
  const std::unique_ptr<ToDoList> theirList = LoadedCopy(theirs, failure);
  const std::unique_ptr<ToDoList> baseList = LoadedCopy(DiskBytes{file_.BaseBytes, {}}, failure);
  if (!theirList || !baseList) return std::nullopt;
  if ((HasHeader(theirs.Bytes) && theirList->HasProjCol() != layout_.HasProjCol()) ||
      (HasHeader(file_.BaseBytes) && baseList->HasProjCol() != layout_.HasProjCol())) {
    return std::nullopt;
  }
  // Lines compare only in one encoding: UTF-8 when any side is.
  if (file_.TextIsUtf8 || theirList->TextIsUtf8() || baseList->TextIsUtf8()) {
    CellsToUtf8();
    theirList->CellsToUtf8();
    baseList->CellsToUtf8();
  }
  auto [header, mine] = SplitTaskLines(FileBytes());
  const std::vector<std::string> base = SplitTaskLines(baseList->FileBytes()).second;
  const std::vector<std::string> their = SplitTaskLines(theirList->FileBytes()).second;
  merged.Result = MergeLines(base, mine, their);
  // A file rewritten with the same tasks (a sync tool's copy) is no news to the user.
  merged.ChangedElsewhere = their != base;
  merged.TheirBytes = std::move(theirs.Bytes);
  theirs.Bytes = std::move(header);
  for (const std::string& line : merged.Result.Lines) {
    theirs.Bytes += line;
    theirs.Bytes += kLineEnd;
  }
  return merged;
}

bool ToDoList::SaveMerged(MergedFile& merged) {
  const bool singleByte = file_.SingleByte;
  LoadKeepingView(merged.Content);
  // The file on disk is what the next change is measured against, and a single-byte list stays
  // single-byte where it can.
  file_.BaseBytes = std::move(merged.TheirBytes);
  file_.SingleByte = singleByte || file_.SingleByte;
  if (!SaveTaskFile()) return false;
  if (merged.ChangedElsewhere) ui_.ShowMessageBox(file_.Title, MergeSummary(merged.Result));
  return true;
}

}  // namespace taskwell
