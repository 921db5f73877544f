// Moving the whole task table to and from the task file.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "document/Errors.h"
#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

constexpr int kDiskWriteError = 101;

bool IsProjectWord(const std::string& field) {
  return UpperAscii(field) == "PROJECT";
}

// A load that read every line but could not keep all of their text: the list is usable, and the
// first save keeps the original, as after a load that stopped on a bad field.
class LoadLostText : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Enough of a left-over text to recognise it in a message.
std::string Excerpt(std::string_view text) {
  constexpr std::size_t kMax = 40;
  return text.size() <= kMax ? std::string(text) : std::string(text.substr(0, kMax)) + "...";
}

}  // namespace

void ToDoList::LoadTaskFile(const DiskBytes* from) {
  const DateFormat::YearHold year(dates_);
  SetLayout(false);
  // Whether each task line has a project field; a PROJECT marker line gives the table a project
  // column without one.
  bool projectField = false;
  const TaskTable::UpdateScope update(table_);

  if (from != nullptr) {
    csv_.OpenReadBytes(from->Bytes, from->Stamp);
  } else {
    csv_.OpenRead(file_.Name);
  }
  file_.TextIsUtf8 = csv_.IsUtf8;
  file_.SingleByte = !csv_.IsUtf8;
  csv_.WriteBom = csv_.HadBom;
  file_.DiskStamp = csv_.ReadStamp;
  // The bytes read are the base however the load ends. They are handed over, not copied, once
  // read, unless the reading needs them in another encoding.
  struct KeepBase {
    CsvFile& Csv;
    std::string& Base;
    bool Kept = false;
    void Take() {
      if (!Kept) Base = Csv.TakeContent();
      Kept = true;
    }
    ~KeepBase() { Take(); }
  } base{csv_, file_.BaseBytes};
  if (file_.SingleByte && !WeekdaysFitCp1252()) {
    // The regional weekday names this list shows cannot be written in its encoding: it is read
    // as UTF-8 from the start, and a save writes it single-byte again where its text allows.
    file_.BaseBytes = csv_.Content();
    base.Kept = true;
    csv_.ContentToUtf8();
    file_.TextIsUtf8 = true;
  }
  csv_.ReadLine();
  std::string firstLine = csv_.Line;
  std::string field = csv_.ReadField();
  if (IsProjectWord(field)) {
    SetLayout(true);
    csv_.ReadLine();
    firstLine = csv_.Line;
    field = csv_.ReadField();
  }
  // The header is read over, so a file made by hand without one would lose its first task.
  const bool headerMissing = !TrimView(firstLine).empty() && UpperAscii(TrimView(field)) != "DATE";
  csv_.ReadField();
  csv_.ReadField();
  if (IsProjectWord(csv_.ReadField())) {
    SetLayout(true);
    projectField = true;
    csv_.ReadField();
  }
  const char decimal = dates_.Regional().DecimalSeparator;
  int leftOverLines = 0;
  int firstLeftOverLine = 0;
  std::string firstLeftOver;
  table_.ReserveRows(table_.RowCount() + static_cast<int>(csv_.LinesLeft()));
  while (!csv_.AtEnd) {
    const int r = table_.RowCount();
    table_.SetRowCount(r + 1);
    csv_.ReadLine();
    const double date = csv_.ReadDate();
    table_.SetCell(ColDate, r, dates_.FormatDateText(date));
    const Fixed4 priority = csv_.ReadNumber();
    if (date != 0) {
      table_.SetCell(ColPri, r, WeekdayCell(date));
    } else if (!csv_.LastFieldEmpty) {
      table_.SetCell(ColPri, r, NumberText(priority, decimal));
    }
    const Fixed4 subPriority = csv_.ReadNumber();
    if (subPriority != 0) table_.SetCell(ColSubPri, r, NumberText(subPriority, decimal));
    if (projectField) {
      const Fixed4 project = csv_.ReadNumber();
      if (project != 0) table_.SetCell(ColProj, r, NumberText(project, decimal));
    }
    table_.SetCell(layout_.DescCol(), r, csv_.ReadDescription());
    if (!csv_.LeftOver.empty() && leftOverLines++ == 0) {
      firstLeftOverLine = csv_.LineNumber;
      firstLeftOver = csv_.LeftOver;
    }
  }
  const int ctrlZLine = csv_.CtrlZLine;
  base.Take();
  csv_.Close();

  std::string report;
  if (headerMissing) {
    report += "The first line of " + file_.Name +
              " is not the header line the list expects: " + Excerpt(firstLine) +
              ". It is not in the list.";
  }
  if (leftOverLines > 0) {
    if (!report.empty()) report += " ";
    report +=
        "Line " + std::to_string(firstLeftOverLine) + " of " + file_.Name +
        " has text after its description that the list cannot show: " + Excerpt(firstLeftOver) +
        ".";
    if (leftOverLines > 1)
      report += " " + std::to_string(leftOverLines - 1) + " more lines do too.";
  }
  if (ctrlZLine > 0) {
    if (!report.empty()) report += " ";
    report += file_.Name + " goes on after a Ctrl+Z character in line " +
              std::to_string(ctrlZLine) +
              ". Loading stopped there, so what follows it is not in the list.";
  }
  if (!report.empty()) {
    throw LoadLostText(report + " The first save keeps the whole original file as " +
                       BackupFileName() + ".");
  }
}

bool ToDoList::WeekdaysFitCp1252() const {
  std::string bytes;
  return std::ranges::all_of(dates_.Regional().ShortDayNames,
                             [&](const std::string& name) { return TryUtf8ToCp1252(name, bytes); });
}

std::string ToDoList::WeekdayCell(double date) const {
  std::string name = dates_.WeekdayText(date);
  std::string bytes;
  // A single-byte table holds its weekday names single-byte: the load made sure they fit.
  return !file_.TextIsUtf8 && TryUtf8ToCp1252(name, bytes) ? bytes : name;
}

void ToDoList::CellsToUtf8() {
  if (file_.TextIsUtf8) return;
  // First, so that a view told of each changed cell already reads it as UTF-8.
  file_.TextIsUtf8 = true;
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
  if (file_.SingleByte && file_.TextIsUtf8) {
    std::string missing;
    toSingleByte = DescriptionsFitCp1252(&missing);
    if (!toSingleByte) {
      if (!ui_.Confirm(file_.Name +
                       " is stored in the single-byte Windows-1252 encoding, which cannot hold "
                       "some characters of the list" +
                       (missing.empty() ? std::string() : ": " + missing) +
                       "\r\nSave the file as UTF-8 instead? Programs that expect the old encoding "
                       "may then show its accented characters wrongly.")) {
        return false;
      }
      file_.SingleByte = false;
    }
  }

  // After a load that stopped early the file holds tasks the table never saw.
  if (file_.LoadWasPartial && access(file_.Name.c_str(), F_OK) == 0)
    KeepBackup(file_.Name, BackupFileName());

  AtomicFileWriter writer;
  std::string bytes;
  try {
    bytes = rendered != nullptr && !toSingleByte ? std::move(*rendered) : FileBytes(toSingleByte);
    writer.Open(file_.Name);
    writer.AppendTaken(std::move(bytes));
    // Without an open file the writer throws the reason it could not open one.
    file_.DiskStamp = writer.Commit(&bytes);
  } catch (const std::bad_alloc&) {
    writer.Abandon();
    throw EFileError(kDiskWriteError, "Cannot save " + file_.Name +
                                          ": there is not enough memory. Nothing was written; "
                                          "the file is as it was. Close other programs and save "
                                          "again");
  } catch (const EIncompleteFlush& e) {
    // The file holds the new bytes: they are the base now, and the warning still reaches the user.
    file_.DiskStamp = e.Written();
    SavedAsBase(std::move(bytes));
    throw;
  }
  SavedAsBase(std::move(bytes));
  ReportNotKept(writer.NotKept());
  return true;
}

void ToDoList::SavedAsBase(std::string bytes) {
  file_.BaseBytes = std::move(bytes);
  file_.BaseRevision = table_.ContentRevision();
  file_.WrittenRevision = file_.BaseRevision;
  file_.LoadWasPartial = false;
}

void ToDoList::ReportNotKept(const std::vector<std::string>& notKept) {
  // The owner and the group were asked about before the save; anything else is news.
  std::string lost;
  for (const std::string& property : notKept) {
    if (property == "its owner" || property == "its group") continue;
    lost += (lost.empty() ? "" : ", ") + property;
  }
  if (!lost.empty()) {
    ui_.ShowMessageBox(file_.Title, "The tasks were saved to " + file_.Name +
                                        ", but the new file could not keep " + lost + ".");
  }
}

bool ToDoList::DescriptionsFitCp1252(std::string* missing) const {
  bool fit = true;
  std::string bytes;
  for (int row = 1; row < table_.RowCount() && (fit || missing != nullptr); ++row) {
    const std::string& description = table_.Cell(layout_.DescCol(), row);
    if (TryUtf8ToCp1252(description, bytes)) continue;
    fit = false;
    // A few examples are enough for the question.
    if (missing != nullptr && missing->size() < 40) *missing += CharsMissingFromCp1252(description);
  }
  if (missing != nullptr) *missing = CharsMissingFromCp1252(*missing);
  return fit;
}

std::string ToDoList::SaveBytes() const {
  // A single-byte list is written single-byte again while every description still fits.
  return FileBytes(file_.SingleByte && file_.TextIsUtf8 && DescriptionsFitCp1252(nullptr));
}

bool ToDoList::HasUnsavedChanges() const {
  // Right after a save, with nothing changed since, a save would write the same bytes again.
  if (file_.WrittenRevision == table_.ContentRevision()) return false;
  return SaveBytes() != file_.BaseBytes;
}

bool ToDoList::RowIsSaved(int row) const {
  return !TrimBlanksView(table_.Cell(layout_.DescCol(), row)).empty();
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
  const DateFormat::YearHold year(dates_);
  CsvFile csv(dates_);
  csv.WriteBom = csv_.WriteBom;
  csv.OpenWriteInMemory();
  // About what was read last, plus room for what was added since.
  csv.ReserveWritten(file_.BaseBytes.size() + file_.BaseBytes.size() / 8 + 256);
  const char decimal = dates_.Regional().DecimalSeparator;
  const auto numberOrZero = [decimal](std::string_view text) {
    Fixed4 value = 0;
    return TryTextToNumber(text, decimal, value) ? value : 0;
  };
  csv.WriteQuoted("Date");
  csv.WriteQuoted("Priority");
  csv.WriteQuoted("SubPriority");
  if (layout_.HasProjCol()) csv.WriteQuoted("Project");
  csv.WriteQuoted("Description");
  csv.EndLine();
  for (int i = 1; i < table_.RowCount(); ++i) {
    if (!RowIsSaved(i)) continue;
    double date = 0;
    ReadRowDate(table_, i, dates_, date);
    csv.WriteDate(date);

    const std::string_view priority =
        date != 0 ? std::string_view() : TrimView(table_.Cell(ColPri, i));
    const Fixed4 priorityValue = priority.empty() ? 0 : numberOrZero(priority);
    if (priorityValue != 0 || priority == "0") {
      csv.WriteNumber(priorityValue);
    } else {
      csv.WriteField("");
    }
    const auto writeOptionalNumber = [&](int col) {
      const std::string_view text = TrimView(table_.Cell(col, i));
      const Fixed4 value = text.empty() ? 0 : numberOrZero(text);
      if (value != 0) {
        csv.WriteNumber(value);
      } else {
        csv.WriteField("");
      }
    };
    writeOptionalNumber(ColSubPri);
    if (layout_.HasProjCol()) writeOptionalNumber(ColProj);
    if (toSingleByte) {
      std::string bytes;
      TryUtf8ToCp1252(table_.Cell(layout_.DescCol(), i), bytes);
      csv.WriteQuoted(bytes);
    } else {
      csv.WriteQuoted(table_.Cell(layout_.DescCol(), i));
    }
    csv.EndLine();
  }
  return csv.TakeWritten();
}

}  // namespace taskwell
