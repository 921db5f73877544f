#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

#include <clocale>
#include <stdexcept>

namespace taskwell::testing {

void FakePlatform::ShowMessageBox(const std::string& caption, const std::string& message) {
  Messages.push_back({caption, message});
}

bool FakePlatform::Confirm(const std::string& message) {
  Confirms.push_back(message);
  if (ConfirmAnswers.empty()) return true;
  const bool answer = ConfirmAnswers.front();
  ConfirmAnswers.pop_front();
  return answer;
}

void FakePlatform::ShowError(const std::string& caption, const std::string& text) {
  Errors.push_back({caption, text});
}

int FakePlatform::FullyVisibleRows(int windowHeight) {
  const int rows = (windowHeight - ChromeHeight) / 20;
  return rows < 0 ? 0 : rows;
}

bool FakePlatform::ShowPrintDialog(PrintChoice& choice) {
  PrintDialogShown.push_back(choice);
  if (!PrintDialogResult) return false;
  choice = NextChoice;
  return true;
}

namespace {
class RecordingStream : public PrinterTextStream {
 public:
  explicit RecordingStream(FakePlatform::PrintedJob& job) : Job(job) {}
  void WriteLine(std::string_view line) override { Job.Lines.emplace_back(line); }
  void Close() override { Job.Closed = true; }

 private:
  FakePlatform::PrintedJob& Job;
};
}  // namespace

std::unique_ptr<PrinterTextStream> FakePlatform::OpenPrinter(const std::string& jobName) {
  Jobs.push_back({jobName, {}, false});
  return std::make_unique<RecordingStream>(Jobs.back());
}

namespace {

class CountedWork final : public ShownWork {
 public:
  explicit CountedWork(int cancelAt)
      : listener_([this, cancelAt](double) {
          if (told_++ == cancelAt) throw WorkCancelled();
        }) {}
  Progress Of() const override { return Progress(listener_); }

 private:
  int told_ = 0;
  Progress::Listener listener_;
};

}  // namespace

std::unique_ptr<ShownWork> FakePlatform::ShowWork(const char* label) {
  WorkShown.emplace_back(label);
  return std::make_unique<CountedWork>(CancelWorkAt);
}

RegionalSettings GermanSettings() {
  RegionalSettings settings;
  settings.DateSeparator = '.';
  settings.ShortDateFormat = "dd/mm/yyyy";
  settings.DecimalSeparator = ',';
  return settings;
}

RegionalSettings LocaleSettings(const char* locale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, locale) == nullptr) {
    throw std::runtime_error(std::string("locale not installed: ") + locale);
  }
  RegionalSettings settings = RegionalSettings::FromSystemLocale();
  std::setlocale(LC_ALL, previous.c_str());
  return settings;
}

double Day(int year, int month, int day, double hours) {
  return EncodeDate(year, month, day) + hours / 24.0;
}

ListFixture::ListFixture(double now, RegionalSettings regional)
    : Clock(now), Dates(std::move(regional), Clock), List(Ui, Dates) {
  List.FormCreate("/nonexistent-taskwell-test/List.todo", "/nonexistent-home");
}

void ListFixture::SetRows(const std::vector<std::vector<std::string>>& rows, bool withProject) {
  ListTestAccess::DetachSelectHandler(List);
  ListTestAccess::SetHasProjCol(List, withProject);
  TaskTable& table = ListTestAccess::Table(List);
  const TableLayout& layout = List.Layout();
  table.SetRowCount(1);
  table.SetRowCount(rows.empty() ? 2 : static_cast<int>(rows.size()) + 1);
  for (int col = 0; col < layout.ColCount(); ++col) {
    table.SetCell(col, 0, std::string(layout.Title(col)));
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size() && c < static_cast<std::size_t>(layout.ColCount());
         ++c) {
      table.SetCell(static_cast<int>(c), static_cast<int>(r) + 1, rows[r][c]);
    }
  }
  table.SelectCell(0, 1);
  ListTestAccess::AttachSelectHandler(List);
  ListTestAccess::SetEditRow(List, 1);
  ListTestAccess::SetEditCol(List, 0);
  ListTestAccess::SetEditOldText(List, std::string(table.Cell(0, 1)));
  ListTestAccess::SetPendingRow(List, 0);
}

std::vector<std::string> ListFixture::RowCells(int row) const {
  std::vector<std::string> cells;
  cells.reserve(static_cast<std::size_t>(List.Table().ColCount()));
  for (int c = 0; c < List.Table().ColCount(); ++c) cells.emplace_back(List.Table().Cell(c, row));
  return cells;
}

std::vector<std::string> ListFixture::Column(int col) const {
  std::vector<std::string> cells;
  for (int r = 1; r < List.Table().RowCount(); ++r) cells.emplace_back(List.Table().Cell(col, r));
  return cells;
}

std::vector<Cells> ListFixture::Rows() const {
  std::vector<Cells> rows;
  for (int r = 1; r < List.Table().RowCount(); ++r) rows.push_back(RowCells(r));
  return rows;
}

void ListFixture::Type(int col, const std::string& text) {
  List.MoveCursor(col, List.Table().Row());
  List.TypeInCell(col, List.Table().Row(), text);
}

bool ListFixture::Move(int col, int row) {
  return List.Guarded([&] { List.MoveCursor(col, row); });
}

bool ListFixture::Press(void (ToDoList::*button)()) {
  return List.Guarded([&] { List.GridExit(); }) && List.Guarded([&] { (List.*button)(); });
}

}  // namespace taskwell::testing
