#pragma once

#include <deque>
#include <string>
#include <vector>

#include "document/Calendar.h"
#include "document/Clock.h"
#include "document/DateText.h"
#include "document/Platform.h"
#include "list/ToDoList.h"

namespace taskwell::testing {

// A platform that records what the task list asked of the desktop and answers from scripts.
class FakePlatform : public Platform {
 public:
  struct Message {
    std::string Caption;
    std::string Text;
    bool operator==(const Message&) const = default;
  };
  struct PrintedJob {
    std::string Name;
    std::vector<std::string> Lines;
    bool Closed = false;
  };

  std::vector<Message> Messages;      // ShowMessageBox calls
  std::vector<std::string> Confirms;  // Confirm messages
  std::deque<bool> ConfirmAnswers;    // answers in order; true (Yes) when empty
  std::vector<Message> Errors;        // default error reports
  std::vector<std::string> Opened;    // OpenDocument targets
  int FocusCount = 0;
  int RepaintCount = 0;
  int CloseCount = 0;

  Rect Work{0, 0, 1280, 1000};
  Rect Bounds{401, 114, 828, 540};
  int Width = 800;
  // Pixels of the window that are not task rows: frame, button panel and header.
  int ChromeHeight = 50 + 30 + 20;

  bool PrintDialogResult = true;
  PrintChoice NextChoice;
  std::vector<PrintChoice> PrintDialogShown;  // the preset each time the dialog opened
  std::vector<PrintedJob> Jobs;
  std::vector<std::string> WorkShown;  // the label of each long work that showed its progress
  // Long work is cancelled at this many-th report of its progress; never when negative.
  int CancelWorkAt = -1;

  void ShowMessageBox(const std::string& caption, const std::string& message) override;
  bool Confirm(const std::string& message) override;
  void ShowError(const std::string& caption, const std::string& text) override;
  void OpenDocument(const std::string& target) override { Opened.push_back(target); }
  void FocusGrid() override { ++FocusCount; }
  void Repaint() override { ++RepaintCount; }
  void CloseWindow() override { ++CloseCount; }
  Rect WorkArea() override { return Work; }
  Rect WindowBounds() override { return Bounds; }
  void SetWindowBounds(const Rect& bounds) override { Bounds = bounds; }
  int GridWidth() override { return Width; }
  int FullyVisibleRows(int windowHeight) override;
  bool ShowPrintDialog(PrintChoice& choice) override;
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string& jobName) override;
  std::unique_ptr<ShownWork> ShowWork(const char* label) override;
};

// One row of cells, left to right.
using Cells = std::vector<std::string>;

// The columns of a list without a project column.
constexpr int kDate = ToDoList::ColDate;
constexpr int kPri = ToDoList::ColPri;
constexpr int kSub = ToDoList::ColSubPri;
constexpr int kDesc = 3;

// Day-month-year with ".", and a decimal comma, as in Germany.
RegionalSettings GermanSettings();

// The settings of a real installed locale ("de_DE.UTF-8"); the process's locale is left as it was.
RegionalSettings LocaleSettings(const char* locale);

// 10 June 2026, 09:00 unless told otherwise.
double Day(int year, int month, int day, double hours = 9.0);

// A task list on a fixed clock and given regional settings, with a recording platform.
struct ListFixture {
  explicit ListFixture(double now = Day(2026, 6, 10), RegionalSettings regional = {});
  FixedClock Clock;
  FakePlatform Ui;
  DateFormat Dates;
  ToDoList List;

  // Builds the table from rows of cells (date, pri, subpri, [proj,] description) as loading would
  // leave it, with the selection handler attached and the cursor at (0, 1).
  void SetRows(const std::vector<std::vector<std::string>>& rows, bool withProject = false);
  std::vector<std::string> RowCells(int row) const;
  std::vector<std::string> Column(int col) const;
  std::vector<Cells> Rows() const;  // every task row, without the header
  std::vector<std::string> Descriptions() const { return Column(List.Layout().DescCol()); }

  // Types into a cell of the cursor's row, as the in-place editor does, without leaving it.
  void Type(int col, const std::string& text);
  // Moves the cursor as a key or click would; false when the move was refused with a report.
  bool Move(int col, int row);
  // Runs a button as the window does: the cell being edited is committed first, and the button
  // runs only when that commit went through.
  bool Press(void (ToDoList::*button)());
};

}  // namespace taskwell::testing
