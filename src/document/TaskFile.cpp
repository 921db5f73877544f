#include "document/TaskFile.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <future>
#include <span>
#include <stdexcept>
#include <system_error>

#include "document/FieldsOfCells.h"
#include "document/NumberText.h"
#include "document/PlainTaskLine.h"
#include "document/Text.h"

namespace taskwell {
namespace {

bool IsProjectWord(const std::string& field) {
  return UpperAscii(field) == "PROJECT";
}

// A load that read every line but could not keep all of their text: the list is usable, and the
// first save keeps the original, as after a load that stopped on a bad field.
class LoadLostText : public MessageError {
 public:
  using MessageError::MessageError;
};

// Enough of a left-over text to recognise it in a message.
std::string Excerpt(std::string_view text) {
  constexpr std::size_t kMax = 40;
  return text.size() <= kMax ? std::string(text) : std::string(text.substr(0, kMax)) + "...";
}

}  // namespace

TaskFile::TaskFile(const DateFormat& dates, std::string name)
    : dates_(&dates), name_(std::move(name)), csv_(dates) {}

void TaskFile::Open(const DiskBytes* from) {
  if (from != nullptr) {
    csv_.OpenReadBytes(from->Bytes, from->Stamp);
  } else {
    csv_.OpenRead(name_);
  }
  textIsUtf8_ = csv_.IsUtf8;
  singleByte_ = !csv_.IsUtf8;
  writeBom_ = csv_.HadBom;
  stamp_ = csv_.ReadStamp;
}

void TaskFile::Load(LoadedRows& into, const DiskBytes* from) {
  const DateFormat::YearHold year(*dates_);
  into.HasProjCol = false;
  Open(from);
  // The bytes read are the base however the load ends, shared with the rows that borrow them
  // unless the reading needs them in another encoding.
  base_ = csv_.SharedContent();
  struct PartialOnThrow {
    TaskFile& File;
    ~PartialOnThrow() {
      if (std::uncaught_exceptions() > 0) File.loadWasPartial_ = true;
    }
  } partial{*this};
  loadWasPartial_ = false;
  if (singleByte_ && !WeekdaysFitCp1252()) {
    // The regional weekday names this list shows cannot be written in its encoding: it is read
    // as UTF-8 from the start, and a save writes it single-byte again where its text allows.
    csv_.ContentToUtf8();
    textIsUtf8_ = true;
  }
  // Whether each task line has a project field; a PROJECT marker line gives the table a project
  // column without one.
  bool projectField = false;
  bool headerMissing = false;
  std::string firstLine;
  ReadHeader(into, projectField, headerMissing, firstLine);
  LeftOvers leftOvers;
  ReadTaskRows(into, projectField, leftOvers);
  const Message report = LoadReport(headerMissing, firstLine, leftOvers);
  csv_.Close();
  if (!report.Empty()) {
    throw LoadLostText(Message::Format("%1 The first save keeps the whole original file as %2.",
                                       report, BackupName()));
  }
}

namespace {

// The plain lines of content from `from` on, as far as they go unbroken and fit the room: what
// a second thread reads of a long list while the first reads the lines before `from`. Gives where
// the first line it did not read starts.
std::size_t ReadPlainRun(const std::string& content, std::size_t from, bool linesEndAtCr,
                         TaskRows::Room& room, PlainTaskLine reader) {
  std::size_t pos = from;
  while (pos < content.size()) {
    std::size_t next = pos;
    if (!reader.Read(NextTaskFileLine(content, next, linesEndAtCr), room)) break;
    pos = next;
  }
  return pos;
}

}  // namespace

// Every task line after the header, into the rows, noting the first line that had text left
// over past its fields. A long list's second half is read beside the first, on a thread of its
// own, as far as its lines are plain; whatever it left is read after the first half. Each half
// fills room made for it in the rows, where its cells are to stay.
void TaskFile::ReadTaskRows(LoadedRows& into, bool projectField, LeftOvers& leftOvers) {
  const int descCol = TableLayout(into.HasProjCol).DescCol();
  const auto width = static_cast<std::size_t>(descCol) + 1;
  // The lines are counted once, as many before the middle line as after it.
  const std::string& content = csv_.Content();
  const std::size_t from = csv_.Position();
  std::size_t split = csv_.LineStartAfter(from + (content.size() - from) / 2);
  std::size_t firstLines =
      split == std::string::npos ? csv_.LinesFrom(from) : csv_.LinesBefore(split);
  const std::size_t lines =
      split == std::string::npos ? firstLines : firstLines + csv_.LinesFrom(split);
  if (lines < linesToShare_) {
    split = std::string::npos;
    firstLines = lines;
  }
  // The cells' text takes less than the file's bytes, as the dates and numbers are kept once;
  // room that is reserved and never written costs no memory.
  into.Rows.reserve(into.Rows.size() + lines, (into.Rows.size() + lines) * width, content.size());
  // Lines in the form a save writes go straight from their bytes to the rows, which borrow the
  // descriptions that need no unquoting where they lie. Each reader keeps its field texts in the
  // rows it fills: the second thread has a copy of its own.
  into.Rows.Borrow(csv_.SharedContent());
  PlainTaskLine plain(
      *dates_, [this](double date) { return WeekdayCell(date); }, projectField, descCol);
  if (split != std::string::npos) {
    ReadHalves(into, split, firstLines, lines, plain, projectField, leftOvers);
    return;
  }
  TaskRows::Room all = into.Rows.AddRoom(lines, width, false);
  ReadRowsInto(all, split, plain, projectField, descCol, leftOvers, into.Rows);
}

// The lines before `split` here, the ones after it on a thread of its own, each into room of its
// own, as far as they are plain; then the lines the second half left, here.
void TaskFile::ReadHalves(LoadedRows& into, std::size_t split, std::size_t firstLines,
                          std::size_t lines, PlainTaskLine& plain, bool projectField,
                          LeftOvers& leftOvers) {
  const int descCol = TableLayout(into.HasProjCol).DescCol();
  const auto width = static_cast<std::size_t>(descCol) + 1;
  const std::string& content = csv_.Content();
  TaskRows::Room first = into.Rows.AddRoom(firstLines, width, false);
  TaskRows::Room second = into.Rows.AddRoom(lines - firstLines, width, true);
  second.ReserveText(content.size() - split);
  std::future<std::size_t> secondHalf;
  try {
    secondHalf = std::async(std::launch::async, ReadPlainRun, std::cref(content), split,
                            csv_.LinesEndAtCr(), std::ref(second), plain);
  } catch (const std::system_error&) {
    // Without a thread the halves are read one after the other.
  }
  std::size_t end = split;
  bool firstRead = false;
  try {
    ReadRowsUntil(first, split, plain, projectField, descCol, leftOvers);
    firstRead = true;
    end = secondHalf.valid() ? secondHalf.get()
                             : ReadPlainRun(content, split, csv_.LinesEndAtCr(), second, plain);
  } catch (...) {
    // The rows stay as far as they were read: a first half that stopped, even on its last line,
    // drops the second.
    if (secondHalf.valid()) secondHalf.wait();
    into.Rows.EndRoom(first);
    if (firstRead) {
      into.Rows.EndRoom(second);
    } else {
      into.Rows.DropRoom(second);
    }
    throw;
  }
  into.Rows.EndRoom(first);
  into.Rows.EndRoom(second);
  csv_.SkipTo(end, static_cast<int>(second.Filled()));
  TaskRows::Room rest = into.Rows.AddRoom(lines - firstLines - second.Filled(), width, false);
  ReadRowsInto(rest, std::string::npos, plain, projectField, descCol, leftOvers, into.Rows);
}

// Reads the task lines up to byte `end` into the room, and ends it, however the reading ends.
void TaskFile::ReadRowsInto(TaskRows::Room& room, std::size_t end, PlainTaskLine& reader,
                            bool projectField, int descCol, LeftOvers& leftOvers, TaskRows& rows) {
  try {
    ReadRowsUntil(room, end, reader, projectField, descCol, leftOvers);
  } catch (...) {
    rows.EndRoom(room);
    throw;
  }
  rows.EndRoom(room);
}

// The task lines up to byte `end`: plain ones straight to the room, any other field by field
// into one row's cells, reused.
void TaskFile::ReadRowsUntil(TaskRows::Room& into, std::size_t end, PlainTaskLine& reader,
                             bool projectField, int descCol, LeftOvers& leftOvers) {
  TaskCells cells(static_cast<std::size_t>(descCol) + 1);
  while (!csv_.AtEnd && csv_.Position() < end) {
    const std::string_view line = csv_.NextLine();
    if (reader.Read(line, into)) continue;
    for (std::string& cell : cells) cell.clear();
    try {
      csv_.Line = line;
      ReadTask(cells, projectField, descCol);
    } catch (...) {
      // The task that stopped the load stays with what was read of it.
      into.push_back(cells);
      throw;
    }
    into.push_back(cells);
    if (!csv_.LeftOver.empty() && leftOvers.Lines++ == 0) {
      leftOvers.FirstLine = csv_.LineNumber;
      leftOvers.First = csv_.LeftOver;
    }
  }
}

void TaskFile::ReadHeader(LoadedRows& into, bool& projectField, bool& headerMissing,
                          std::string& firstLine) {
  csv_.ReadLine();
  firstLine = csv_.Line;
  std::string field = csv_.ReadField();
  if (IsProjectWord(field)) {
    into.HasProjCol = true;
    csv_.ReadLine();
    firstLine = csv_.Line;
    field = csv_.ReadField();
  }
  // The header is read over, so a file made by hand without one would lose its first task.
  headerMissing = !TrimView(firstLine).empty() && UpperAscii(TrimView(field)) != "DATE";
  csv_.ReadField();
  csv_.ReadField();
  if (IsProjectWord(csv_.ReadField())) {
    into.HasProjCol = true;
    projectField = true;
    csv_.ReadField();
  }
}

void TaskFile::ReadTask(TaskCells& cells, bool projectField, int descCol) {
  const char decimal = dates_->Regional().DecimalSeparator;
  const double date = csv_.ReadDate();
  cells[TableLayout::ColDate] = dates_->FormatDateText(date);
  const Fixed4 priority = csv_.ReadNumber();
  if (date != 0) {
    cells[TableLayout::ColPri] = WeekdayCell(date);
  } else if (!csv_.LastFieldEmpty) {
    cells[TableLayout::ColPri] = NumberText(priority, decimal);
  }
  const Fixed4 subPriority = csv_.ReadNumber();
  if (subPriority != 0) cells[TableLayout::ColSubPri] = NumberText(subPriority, decimal);
  if (projectField) {
    const Fixed4 project = csv_.ReadNumber();
    if (project != 0) cells[TableLayout::ColProj] = NumberText(project, decimal);
  }
  cells[static_cast<std::size_t>(descCol)] = csv_.ReadDescription();
}

Message TaskFile::LoadReport(bool headerMissing, const std::string& firstLine,
                             const LeftOvers& leftOvers) const {
  std::vector<Message> report;
  if (headerMissing) {
    report.push_back(Message::Format(
        "The first line of %1 is not the header line the list expects: %2. It is not in the list.",
        name_, Excerpt(firstLine)));
  }
  if (leftOvers.Lines > 0) {
    report.push_back(Message::Format(
        "Line %1 of %2 has text after its description that the list cannot show: %3.",
        leftOvers.FirstLine, name_, Excerpt(leftOvers.First)));
    if (leftOvers.Lines > 1) {
      report.push_back(Message::Format("%1 more lines do too.", leftOvers.Lines - 1));
    }
  }
  if (csv_.CtrlZLine > 0) {
    report.push_back(Message::Format(
        "%1 goes on after a Ctrl+Z character in line %2. Loading stopped there, so what follows "
        "it is not in the list.",
        name_, csv_.CtrlZLine));
  }
  return Message::Join(report, " ");
}

bool TaskFile::WeekdaysFitCp1252() const {
  std::string bytes;
  return std::ranges::all_of(dates_->Regional().ShortDayNames,
                             [&](const std::string& name) { return TryUtf8ToCp1252(name, bytes); });
}

std::string TaskFile::WeekdayCell(double date) const {
  std::string name = dates_->WeekdayText(date);
  std::string bytes;
  // Single-byte cells hold their weekday names single-byte: the load made sure they fit.
  return !textIsUtf8_ && TryUtf8ToCp1252(name, bytes) ? bytes : name;
}

void TaskFile::RowsToUtf8(TaskRows& rows) {
  if (textIsUtf8_) return;
  textIsUtf8_ = true;
  rows.Convert([](std::string_view cell) { return Cp1252ToUtf8(cell); });
}

TaskCells TaskFile::CellsInLayout(RowView cells, bool fromProjCol, bool toProjCol) {
  if (fromProjCol == toProjCol) return cells.ToCells();
  const TableLayout from(fromProjCol);
  const TableLayout to(toProjCol);
  TaskCells moved(static_cast<std::size_t>(to.ColCount()));
  for (const int col : {TableLayout::ColDate, TableLayout::ColPri, TableLayout::ColSubPri})
    moved[col] = cells[col];
  moved[static_cast<std::size_t>(to.DescCol())] = cells[static_cast<std::size_t>(from.DescCol())];
  return moved;
}

TaskRows::FindLastCell TaskFile::DescriptionsInBase(bool hasProjCol) const {
  const std::shared_ptr<const std::string> bytes = base_;
  const auto descCol = static_cast<std::size_t>(TableLayout(hasProjCol).DescCol());
  // Past the header line; each task line ends in its description, quoted.
  std::size_t pos = bytes ? bytes->find('\n') : std::string::npos;
  pos = pos == std::string::npos ? std::string::npos : pos + 1;
  return [bytes, descCol, pos](std::size_t row, RowView cells) mutable {
    constexpr std::size_t kNone = std::string::npos;
    if (!bytes || row == 0 || cells.size() != descCol + 1 ||
        !IsSavedRow(cells, static_cast<int>(descCol)) || pos >= bytes->size())
      return kNone;
    const std::string_view line = NextTaskFileLine(*bytes, pos, false);
    const std::string_view text = cells[descCol];
    if (line.size() < text.size() + 2 || line.back() != '"' ||
        line[line.size() - text.size() - 2] != '"')
      return kNone;
    const std::string_view written = line.substr(line.size() - text.size() - 1, text.size());
    return written == text ? static_cast<std::size_t>(written.data() - bytes->data()) : kNone;
  };
}

bool TaskFile::IsSavedRow(RowView cells, int descCol) {
  return !TrimBlanksView(cells[static_cast<std::size_t>(descCol)]).empty();
}

bool TaskFile::DescriptionsFitCp1252(const TaskRows& rows, int descCol, std::string* missing) {
  bool fit = true;
  std::string bytes;
  for (std::size_t row = 1; row < rows.size() && (fit || missing != nullptr); ++row) {
    const std::string_view description = rows[row][static_cast<std::size_t>(descCol)];
    if (TryUtf8ToCp1252(description, bytes)) continue;
    fit = false;
    // A few examples are enough for the question.
    if (missing != nullptr && missing->size() < 40) *missing += CharsMissingFromCp1252(description);
  }
  if (missing != nullptr) *missing = CharsMissingFromCp1252(*missing);
  return fit;
}

std::string TaskFile::SaveBytes(const TaskRows& rows, bool hasProjCol) const {
  const int descCol = TableLayout(hasProjCol).DescCol();
  return Render(rows, hasProjCol,
                singleByte_ && textIsUtf8_ && DescriptionsFitCp1252(rows, descCol, nullptr));
}

std::string TaskFile::Render(const TaskRows& rows, bool hasProjCol, bool toSingleByte) const {
  const DateFormat::YearHold year(*dates_);
  const TableLayout layout(hasProjCol);
  CsvFile csv(*dates_);
  csv.WriteBom = writeBom_;
  csv.OpenWriteInMemory();
  // About what was read last, plus room for what was added since.
  const std::size_t last = aside_ ? asideSize_ : BaseBytes().size();
  csv.ReserveWritten(last + last / 8 + 256);
  for (const char* title : {"Date", "Priority", "SubPriority", "Project", "Description"}) {
    if (hasProjCol || std::string_view(title) != "Project") csv.WriteQuoted(title);
  }
  csv.EndLine();
  FieldsOfCells fields(*dates_);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const RowView cells = rows[i];
    if (!IsSavedRow(cells, layout.DescCol())) continue;
    const FieldsOfCells::DateField& date = fields.Date(cells[TableLayout::ColDate]);
    csv.WriteField(date.Text);
    // A dated task's column 1 is its weekday; only an undated task has a priority, and 0 is one.
    csv.WriteField(date.Dated ? std::string_view() : fields.Priority(cells[TableLayout::ColPri]));
    csv.WriteField(fields.Number(cells[TableLayout::ColSubPri]));
    if (hasProjCol) csv.WriteField(fields.Number(cells[TableLayout::ColProj]));
    const std::string_view description = cells[static_cast<std::size_t>(layout.DescCol())];
    if (toSingleByte) {
      std::string bytes;
      TryUtf8ToCp1252(description, bytes);
      csv.WriteQuoted(bytes);
    } else {
      csv.WriteQuoted(description);
    }
    csv.EndLine();
  }
  return csv.TakeWritten();
}

std::vector<std::string> TaskFile::Save(std::string bytes) {
  // After a load that stopped early the file holds tasks the list never saw.
  if (loadWasPartial_ && access(name_.c_str(), F_OK) == 0) KeepBackup(name_, BackupName());
  AtomicFileWriter writer;
  try {
    writer.Open(name_);
    writer.AppendTaken(std::move(bytes));
    // Without an open file the writer throws the reason it could not open one.
    stamp_ = writer.Commit(&bytes);
  } catch (const std::bad_alloc&) {
    writer.Abandon();
    throw OutOfMemoryOnSave(name_);
  } catch (const EIncompleteFlush& e) {
    // The file holds the new bytes: they are the base now, and the warning still goes on.
    stamp_ = e.Written();
    TakeSaved(std::move(bytes));
    throw;
  }
  TakeSaved(std::move(bytes));
  return writer.NotKept();
}

const std::string& TaskFile::BaseBytes() const {
  static const std::string kNothing;
  return base_ ? *base_ : kNothing;
}

void TaskFile::TakeSaved(std::string bytes) {
  TakeBaseBytes(std::make_shared<const std::string>(std::move(bytes)));
}

void TaskFile::TakeBaseBytes(std::shared_ptr<const std::string> bytes) {
  base_ = std::move(bytes);
  aside_ = false;
  baseLost_ = false;
  loadWasPartial_ = false;
}

void TaskFile::SetBaseAside() {
  if (aside_) return;
  const std::string& base = BaseBytes();
  asideSize_ = base.size();
  // The stamp's hash is the base's wherever the base came from the file or went to it.
  asideHash_ = stamp_.Hashed && stamp_.Size == base.size() ? stamp_.Hash : ContentHash(base);
  aside_ = true;
  // Rows that borrow the base's bytes keep them until they no longer name them.
  base_.reset();
}

void TaskFile::RestoreBase() noexcept {
  if (!aside_) return;
  aside_ = false;
  try {
    DiskBytes now;
    // The read hashes what it read, as every stamp does.
    if (ReadWholeFile(name_, now.Bytes, &now.Stamp) && now.Stamp.Size == asideSize_ &&
        now.Stamp.Hash == asideHash_) {
      base_ = std::make_shared<const std::string>(std::move(now.Bytes));
      return;
    }
  } catch (...) {
    // Not even the memory to read it back: the base is lost, as below.
  }
  base_.reset();
  baseLost_ = true;
}

void TaskFile::TakeBase(DiskBytes theirs) {
  stamp_ = theirs.Stamp;
  TakeSaved(std::move(theirs.Bytes));
}

void TaskFile::TakeLoad(TaskFile&& loaded) {
  textIsUtf8_ = loaded.textIsUtf8_;
  singleByte_ = loaded.singleByte_;
  writeBom_ = loaded.writeBom_;
  stamp_ = loaded.stamp_;
  TakeBaseBytes(std::move(loaded.base_));
}

}  // namespace taskwell
