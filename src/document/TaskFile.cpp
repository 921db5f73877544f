// Moving the whole task table to and from the task file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "document/Errors.h"
#include "document/Text.h"
#include "document/ToDoList.h"

namespace taskwell {
namespace {

bool IsProjectWord(const std::string& field) {
  return UpperAscii(field) == "PROJECT";
}

// Keeps the present file under another name: a hard link costs nothing and needs no read access;
// where links are impossible, the bytes are copied.
void KeepBackup(const std::string& file, const std::string& backup) {
  const std::string temp = backup + ".tmp";
  std::remove(temp.c_str());
  // Link the file a symbolic link names, not the link, which would follow the file's next content.
  if (::linkat(AT_FDCWD, file.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0 &&
      std::rename(temp.c_str(), backup.c_str()) == 0) {
    return;
  }
  std::remove(temp.c_str());
  CopyFileAtomically(file, backup);
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
    Grid.SetCell(DescCol, r, CSV.ReadField());
  }
  CSV.Close();
}

void ToDoList::SaveTaskFile() {
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
    if (TrimView(Grid.Cell(DescCol, i)).empty()) continue;
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
    CSV.WriteQuoted(Grid.Cell(DescCol, i));
    CSV.EndLine();
  }
  CSV.Close();
  DiskStamp = CSV.WrittenStamp;
  LoadWasPartial = false;
}

}  // namespace taskwell
