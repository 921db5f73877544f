#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/CsvFile.h"
#include "document/DateText.h"
#include "document/PlainTaskLine.h"
#include "document/SafeFile.h"
#include "document/TableLayout.h"
#include "document/TaskRows.h"

namespace taskwell {

// A file's bytes as read at one moment, with its stamp then.
struct DiskBytes {
  std::string Bytes;
  FileStamp Stamp;
};

// What a load gives: the rows in the table's own form (the header row first, as it was before
// the load) and whether the list has a project column.
struct LoadedRows {
  TaskRows Rows{TaskCells{}};
  bool HasProjCol = false;
};

// The task file: its bytes turned into rows in the table's form and back, with what it takes to
// write them as they were read: the encoding, the byte-order mark, the bytes last read or written
// (the base of any merge), the stamp that tells a change made elsewhere, and the rule that a
// load that stopped early keeps the original as "<file>.bak" at the next save. It knows nothing
// of windows or tables, so a command without a window reads and writes lists through it.
class TaskFile {
 public:
  TaskFile(const DateFormat& dates, std::string name);

  const std::string& Name() const { return name_; }
  // The list's file is named once the command line is read.
  void SetName(std::string name) { name_ = std::move(name); }
  std::string BackupName() const { return name_ + ".bak"; }
  const FileStamp& DiskStamp() const { return stamp_; }
  // Whether the cells hold UTF-8 (else the file's single-byte text as it is).
  bool TextIsUtf8() const { return textIsUtf8_; }
  // Whether the file is single-byte (Windows-1252) text. The cells may hold UTF-8 all the same,
  // once a typed character needed it; saving then asks before the file becomes UTF-8.
  bool SingleByte() const { return singleByte_; }
  bool LoadWasPartial() const { return loadWasPartial_; }
  // The bytes last read from or written to the file.
  const std::string& BaseBytes() const;
  // The same bytes, shared.
  std::shared_ptr<const std::string> SharedBase() const { return base_; }
  // Where each row's description lies in the base as a save wrote it, asked for every row in
  // order: for TaskRows::MoveBorrowed, so that rows name their descriptions there.
  TaskRows::FindLastCell DescriptionsInBase(bool hasProjCol) const;
  // Frees the base while a save renders and writes the new bytes, which at a million tasks
  // would otherwise lie beside the old ones. A save that fails then calls RestoreBase.
  void SetBaseAside();
  // After a failed save: the base read back from the file, which the failed save left as it
  // was. Where the file changed meanwhile, the base is lost.
  void RestoreBase() noexcept;
  // Nothing says what the file held when the list last matched it: a save must ask before it
  // replaces the file, as no merge can tell what changed where.
  bool BaseLost() const { return baseLost_; }

  // Reads the file, or bytes already read from it, into `into`, task rows after its header row.
  // Throws what stopped the load; `into` then holds what was read up to there, and the next save
  // keeps the original.
  void Load(LoadedRows& into, const DiskBytes* from = nullptr);
  // From this many lines on, a load reads the second half of the file on a thread of its own.
  void ShareLinesFrom(std::size_t lines) { linesToShare_ = lines; }
  // A load that ended early for a reason found outside Load.
  void MarkPartial() { loadWasPartial_ = true; }
  // The cells hold UTF-8 from now on, as a typed character needed.
  void MarkTextUtf8() { textIsUtf8_ = true; }
  // Rows loaded from this file re-encoded as UTF-8, which the cells hold from then on.
  void RowsToUtf8(TaskRows& rows);

  // Whether a save writes a task with these cells: a description of control characters alone is
  // still a task.
  static bool IsSavedRow(RowView cells, int descCol);
  // A task's cells in a list with or without a project column (the project empty where the
  // other has none).
  static TaskCells CellsInLayout(RowView cells, bool fromProjCol, bool toProjCol);
  // The bytes a save writes for these rows (single-byte descriptions when toSingleByte).
  std::string Render(const TaskRows& rows, bool hasProjCol, bool toSingleByte = false) const;
  // What a save writes: in the file's own encoding while every description still fits.
  std::string SaveBytes(const TaskRows& rows, bool hasProjCol) const;
  // Whether every description of UTF-8 rows fits Windows-1252; `missing` gets the characters
  // that do not, each once.
  static bool DescriptionsFitCp1252(const TaskRows& rows, int descCol, std::string* missing);
  // The regional weekday name of a date in the cells' own encoding.
  std::string WeekdayCell(double date) const;

  // Replaces the file with these bytes, atomically; they become the base. After a partial load
  // the original is kept as the backup first. Returns what the new file could not keep of the
  // old one's properties. Throws when nothing was written.
  std::vector<std::string> Save(std::string bytes);
  // The file as another program left it becomes the base, as if it had been loaded whole.
  void TakeBase(DiskBytes theirs);
  // Another load of this file becomes this one's: its bytes are the base, its encoding ours.
  void TakeLoad(TaskFile&& loaded);
  // The file will be UTF-8 from the next save on, as the user agreed.
  void BecomeUtf8() { singleByte_ = false; }

 private:
  friend struct ListTestAccess;  // tests set up a list's state through one small helper

  // Starts reading the file, or bytes read from it, and takes its encoding and stamp.
  void Open(const DiskBytes* from);
  void ReadHeader(LoadedRows& into, bool& projectField, bool& headerMissing,
                  std::string& firstLine);
  void ReadTask(TaskCells& cells, bool projectField, int descCol);
  // The lines that had text left over past their fields: how many, and the first of them.
  struct LeftOvers {
    int Lines = 0;
    int FirstLine = 0;
    std::string First;
  };
  void ReadTaskRows(LoadedRows& into, bool projectField, LeftOvers& leftOvers);
  void ReadHalves(LoadedRows& into, std::size_t split, std::size_t firstLines, std::size_t lines,
                  PlainTaskLine& plain, bool projectField, LeftOvers& leftOvers);
  void ReadRowsInto(TaskRows::Room& room, std::size_t end, PlainTaskLine& reader, bool projectField,
                    int descCol, LeftOvers& leftOvers, TaskRows& rows);
  void ReadRowsUntil(TaskRows::Room& into, std::size_t end, PlainTaskLine& reader,
                     bool projectField, int descCol, LeftOvers& leftOvers);
  Message LoadReport(bool headerMissing, const std::string& firstLine,
                     const LeftOvers& leftOvers) const;
  bool WeekdaysFitCp1252() const;
  // Bytes now in the file, or about to be, become the base.
  void TakeSaved(std::string bytes);
  void TakeBaseBytes(std::shared_ptr<const std::string> bytes);

  const DateFormat* dates_;
  std::string name_;
  CsvFile csv_;
  FileStamp stamp_;
  bool textIsUtf8_ = true;
  bool singleByte_ = false;
  bool writeBom_ = false;
  bool loadWasPartial_ = false;
  // Below this many lines a second thread costs more than it saves.
  std::size_t linesToShare_ = 20000;
  // Rows loaded from the file borrow its bytes from the base.
  std::shared_ptr<const std::string> base_;
  // The base set aside for a save: its size and content hash.
  bool aside_ = false;
  std::size_t asideSize_ = 0;
  std::uint64_t asideHash_ = 0;
  bool baseLost_ = false;
};

}  // namespace taskwell
