// Moving the whole task table to and from the task file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "document/Errors.h"
#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

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

void ToDoList::LoadTaskFile() {
  DescCol = 3;
  HasProjCol = false;
  bool marker = false;
  Grid.BeginUpdate();
  // Also when a field fails: the marker already gave the table its project column, which must
  // then be saved as one.
  struct Finish {
    ToDoList& List;
    const bool& Marker;
    ~Finish() {
      if (Marker) List.HasProjCol = true;
      List.Grid.EndUpdate();
    }
  } finish{*this, marker};

  CSV.OpenRead(TaskFileName);
  TextIsUtf8 = CSV.IsUtf8;
  SingleByteFile = !CSV.IsUtf8;
  CSV.WriteBom = CSV.HadBom;
  DiskStamp = CSV.ReadStamp;
  CSV.ReadLine();
  std::string field = CSV.ReadField();
  if (IsProjectWord(field)) {
    marker = true;
    CSV.ReadLine();
    field = CSV.ReadField();
    DescCol = 4;
    Grid.SetColCount(5);
  }
  CSV.ReadField();
  CSV.ReadField();
  if (IsProjectWord(CSV.ReadField())) {
    DescCol = 4;
    HasProjCol = true;
    CSV.ReadField();
    Grid.SetColCount(5);
  }
  const char decimal = Dates.Regional().DecimalSeparator;
  int leftOverLines = 0;
  int firstLeftOverLine = 0;
  std::string firstLeftOver;
  while (!CSV.AtEnd) {
    const int r = Grid.RowCount();
    Grid.SetRowCount(r + 1);
    CSV.ReadLine();
    const double date = CSV.ReadDate();
    Grid.SetCell(ColDate, r, Dates.FormatDateText(date));
    const Fixed4 priority = CSV.ReadNumber();
    if (date != 0) {
      Grid.SetCell(ColPri, r, Dates.WeekdayText(date));
    } else if (!CSV.LastFieldEmpty) {
      Grid.SetCell(ColPri, r, NumberText(priority, decimal));
    }
    const Fixed4 subPriority = CSV.ReadNumber();
    if (subPriority != 0) Grid.SetCell(ColSubPri, r, NumberText(subPriority, decimal));
    if (HasProjCol) {
      const Fixed4 project = CSV.ReadNumber();
      if (project != 0) Grid.SetCell(ColProj, r, NumberText(project, decimal));
    }
    Grid.SetCell(DescCol, r, CSV.ReadDescription());
    if (!CSV.LeftOver.empty() && leftOverLines++ == 0) {
      firstLeftOverLine = CSV.LineNumber;
      firstLeftOver = CSV.LeftOver;
    }
  }
  const int ctrlZLine = CSV.CtrlZLine;
  CSV.Close();

  std::string report;
  if (leftOverLines > 0) {
    report +=
        "Line " + std::to_string(firstLeftOverLine) + " of " + TaskFileName +
        " has text after its description that the list cannot show: " + Excerpt(firstLeftOver) +
        ".";
    if (leftOverLines > 1)
      report += " " + std::to_string(leftOverLines - 1) + " more lines do too.";
  }
  if (ctrlZLine > 0) {
    if (!report.empty()) report += " ";
    report += TaskFileName + " goes on after a Ctrl+Z character in line " +
              std::to_string(ctrlZLine) +
              ". Loading stopped there, so what follows it is not in the list.";
  }
  if (!report.empty()) {
    throw LoadLostText(report + " The first save keeps the whole original file as " +
                       BackupFileName() + ".");
  }
}

void ToDoList::CellsToUtf8() {
  if (TextIsUtf8) return;
  // First, so that a view told of each changed cell already reads it as UTF-8.
  TextIsUtf8 = true;
  for (int r = 0; r < Grid.RowCount(); ++r) {
    for (int c = 0; c < Grid.ColCount(); ++c) Grid.SetCell(c, r, Cp1252ToUtf8(Grid.Cell(c, r)));
  }
  EditOldText = Cp1252ToUtf8(EditOldText);
}

bool ToDoList::SaveTaskFile() {
  // A single-byte list whose table became UTF-8 is written single-byte again if every description
  // still fits; otherwise only with the user's word, as UTF-8.
  bool toSingleByte = false;
  if (SingleByteFile && TextIsUtf8) {
    toSingleByte = true;
    std::string missing;
    std::string bytes;
    for (int i = 1; i < Grid.RowCount(); ++i) {
      if (TryUtf8ToCp1252(Grid.Cell(DescCol, i), bytes)) continue;
      toSingleByte = false;
      if (missing.size() < 40) missing += CharsMissingFromCp1252(Grid.Cell(DescCol, i));
    }
    missing = CharsMissingFromCp1252(missing);
    if (!toSingleByte) {
      if (!Ui.Confirm(TaskFileName +
                      " is stored in the single-byte Windows-1252 encoding, which cannot hold "
                      "some characters of the list" +
                      (missing.empty() ? std::string() : ": " + missing) +
                      "\r\nSave the file as UTF-8 instead? Programs that expect the old encoding "
                      "may then show its accented characters wrongly.")) {
        return false;
      }
      SingleByteFile = false;
    }
  }

  // After a load that stopped early the file holds tasks the table never saw.
  if (LoadWasPartial && access(TaskFileName.c_str(), F_OK) == 0)
    KeepBackup(TaskFileName, BackupFileName());

  const char decimal = Dates.Regional().DecimalSeparator;
  const auto numberOrZero = [decimal](std::string_view text) {
    Fixed4 value = 0;
    return TryTextToNumber(text, decimal, value) ? value : 0;
  };
  CSV.OpenWrite(TaskFileName);
  CSV.WriteQuoted("Date");
  CSV.WriteQuoted("Priority");
  CSV.WriteQuoted("SubPriority");
  if (HasProjCol) CSV.WriteQuoted("Project");
  CSV.WriteQuoted("Description");
  CSV.EndLine();
  for (int i = 1; i < Grid.RowCount(); ++i) {
    // A description of control characters alone is still a task.
    if (TrimBlanksView(Grid.Cell(DescCol, i)).empty()) continue;
    const std::string& dateText = Grid.Cell(ColDate, i);
    double date = 0;
    if (!dateText.empty() && !Dates.TryParseTableDate(dateText, date)) date = 0;
    CSV.WriteDate(date);

    const std::string_view priority =
        date != 0 ? std::string_view() : TrimView(Grid.Cell(ColPri, i));
    const Fixed4 priorityValue = priority.empty() ? 0 : numberOrZero(priority);
    if (priorityValue != 0 || priority == "0") {
      CSV.WriteNumber(priorityValue);
    } else {
      CSV.WriteField("");
    }
    const auto writeOptionalNumber = [&](int col) {
      const std::string_view text = TrimView(Grid.Cell(col, i));
      const Fixed4 value = text.empty() ? 0 : numberOrZero(text);
      if (value != 0) {
        CSV.WriteNumber(value);
      } else {
        CSV.WriteField("");
      }
    };
    writeOptionalNumber(ColSubPri);
    if (HasProjCol) writeOptionalNumber(ColProj);
    if (toSingleByte) {
      std::string bytes;
      TryUtf8ToCp1252(Grid.Cell(DescCol, i), bytes);
      CSV.WriteQuoted(bytes);
    } else {
      CSV.WriteQuoted(Grid.Cell(DescCol, i));
    }
    CSV.EndLine();
  }
  CSV.Close();
  DiskStamp = CSV.WrittenStamp;
  LoadWasPartial = false;
  return true;
}

}  // namespace taskwell
