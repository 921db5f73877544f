#include "plugins/QtPrinterTextStream.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "app/WorkProgress.h"
#include "document/Text.h"
#include "plugins/TaskPrintDialog.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/QtApp.h"

namespace taskwell {
namespace {

// One word as pdftotext found it, with its position in points.
struct Word {
  int Page = 0;
  double X = 0;
  double Y = 0;
  std::string Text;
};

std::string Unescaped(std::string text) {
  const std::pair<std::string, std::string> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities) {
    for (std::size_t at = text.find(entity); at != std::string::npos;
         at = text.find(entity, at + plain.size())) {
      text.replace(at, entity.size(), plain);
    }
  }
  return text;
}

double Attribute(const std::string& tag, const std::string& name) {
  const std::size_t at = tag.find(name + "=\"");
  return at == std::string::npos ? 0 : std::stod(tag.substr(at + name.size() + 2));
}

std::vector<Word> PdfWords(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  EXPECT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 0);
  const std::string html = process.readAllStandardOutput().toStdString();
  std::vector<Word> words;
  int page = -1;
  for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    const std::size_t tagEnd = html.find('>', at);
    const std::string tag = html.substr(at, tagEnd - at);
    if (tag.starts_with("<page ")) ++page;
    if (!tag.starts_with("<word ")) continue;
    const std::size_t textEnd = html.find("</word>", tagEnd);
    words.push_back({page, Attribute(tag, "xMin"), Attribute(tag, "yMin"),
                     Unescaped(html.substr(tagEnd + 1, textEnd - tagEnd - 1))});
  }
  return words;
}

// The printed text page by page, rebuilt from the words' positions: a 12-point fixed-pitch font
// advances 7.2 points a character, and the leftmost word of the printout marks column 0. Lines
// without words are not seen.
std::vector<std::vector<std::string>> PdfPages(const QString& path) {
  constexpr double CharWidth = 7.2;
  std::vector<Word> words = PdfWords(path);
  std::vector<std::vector<std::string>> pages;
  if (words.empty()) return pages;
  double left = words[0].X;
  for (const Word& w : words) left = std::min(left, w.X);
  std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
    return std::tie(a.Page, a.Y, a.X) < std::tie(b.Page, b.Y, b.X);
  });
  double lineY = -1;
  for (const Word& w : words) {
    if (pages.size() <= static_cast<std::size_t>(w.Page)) pages.resize(w.Page + 1);
    std::vector<std::string>& lines = pages[w.Page];
    if (lines.empty() || std::abs(w.Y - lineY) > 1) {
      lines.emplace_back();
      lineY = w.Y;
    }
    const auto column = static_cast<std::size_t>(std::lround((w.X - left) / CharWidth));
    std::string& line = lines.back();
    // Columns count characters, so a multi-byte character takes one column but several bytes.
    const std::size_t width = CharCount(line);
    if (width < column) line += std::string(column - width, ' ');
    line += w.Text;
  }
  return pages;
}

class PdfPrinting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
    Dialog.Printer().setOutputFileName(Pdf);
  }

  void Print(const std::vector<std::string>& lines) {
    std::unique_ptr<PrinterTextStream> stream = Dialog.OpenStream("Test");
    for (const std::string& line : lines) stream->WriteLine(line);
    stream->Close();
  }

  QTemporaryDir Folder;
  const QString Pdf = Folder.filePath(QStringLiteral("out.pdf"));
  TaskPrintDialog Dialog;
};

// A platform whose printer is the real one, writing to a PDF file.
class PdfPlatform : public testing::FakePlatform {
 public:
  explicit PdfPlatform(TaskPrintDialog& dialog) : Dialog(dialog) {}
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string& jobName) override {
    return Dialog.OpenStream(jobName);
  }

 private:
  TaskPrintDialog& Dialog;
};

TEST_F(PdfPrinting, TheListingKeepsItsColumns) {
  FixedClock clock(testing::Day(2026, 6, 10));
  PdfPlatform ui(Dialog);
  ToDoList list(ui, DateFormat({}, clock));
  list.FormCreate("/nonexistent-taskwell-test/Chores.todo", "/nonexistent-home");
  ui.NextChoice = {true, 0, 0};
  ListTestAccess::Table(list).SetRowCount(3);
  const std::vector<std::vector<std::string>> rows = {{"01/10/2006", "Tue", "", "Club night"},
                                                      {"", "3", "12", "Buy paint"}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 4; ++c) list.TypeInCell(c, r + 1, rows[r][c]);
  }
  ASSERT_TRUE(list.Guarded([&] { list.PrintButtonClick(); }));

  const auto pages = PdfPages(Pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], (std::vector<std::string>{
                          "Chores",
                          "Date        Pri SubP Description",
                          std::string(10, '-') + " ---- ---- " + std::string(50, '-'),
                          "01/10/2006  Tue      Club night",
                          "              3   12 Buy paint",
                      }));
}

TEST_F(PdfPrinting, LongLinesContinueAtTheLeftEdge) {
  std::string digits;
  for (int i = 0; i < 40; ++i) digits += "0123456789";
  Print({digits, "after"});

  const std::vector<std::string> lines = PdfPages(Pdf).at(0);
  ASSERT_GE(lines.size(), 3u);
  std::string joined;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    EXPECT_NE(lines[i].front(), ' ') << i;
    if (i + 2 < lines.size()) {
      EXPECT_EQ(lines[i].size(), lines[0].size()) << i;
    }
    joined += lines[i];
  }
  EXPECT_EQ(joined, digits);
  EXPECT_GT(lines[0].size(), 60u);  // a full line of a 12-point fixed-pitch font
  EXPECT_EQ(lines.back(), "after");
}

TEST_F(PdfPrinting, PagesBreakWithRoomForTwoMoreLines) {
  // What the printer makes of the font, measured independently of the stream.
  const QFontMetrics metrics(QFont(QStringLiteral("Courier New"), 12), &Dialog.Printer());
  const int advance = metrics.height() + 2;
  const int perPage = (Dialog.Printer().height() - 2 * advance) / advance + 1;
  // About fifty 12-point lines fit a letter or A4 page.
  EXPECT_GT(perPage, 40);
  EXPECT_LT(perPage, 60);

  std::vector<std::string> lines;
  for (int i = 1; i <= perPage * 2 + 5; ++i) lines.push_back("line " + std::to_string(i));
  Print(lines);

  const auto pages = PdfPages(Pdf);
  ASSERT_EQ(pages.size(), 3u);
  const std::vector<std::size_t> sizes = {static_cast<std::size_t>(perPage),
                                          static_cast<std::size_t>(perPage), 5u};
  int next = 1;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const std::vector<std::string>& printed = pages[p];
    EXPECT_EQ(printed.size(), sizes[p]) << "page " << p;
    for (const std::string& line : printed) EXPECT_EQ(line, "line " + std::to_string(next++));
  }
}

TEST_F(PdfPrinting, FormFeedTabAndSingleByteText) {
  Print({"first\fsecond", "a\tb", "Caf\xE9 cr\xE8me", "Mié"});
  const auto pages = PdfPages(Pdf);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], std::vector<std::string>{"first"});
  EXPECT_EQ(pages[1], (std::vector<std::string>{"second", "a       b", "Café crème", "Mié"}));
}

TEST_F(PdfPrinting, AFailedStartIsReportedAndTheNextJobWorks) {
  const QString missing = Folder.filePath(QStringLiteral("no such folder/out.pdf"));
  Dialog.Printer().setOutputFileName(missing);
  try {
    Dialog.OpenStream("Test");
    ADD_FAILURE() << "the job began";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Could not write the print file " + missing.toStdString() +
                                         ": No such file or directory");
  }

  Dialog.Printer().setOutputFileName(Pdf);
  {
    // A job dropped after a failure, without Close, still ends.
    std::unique_ptr<PrinterTextStream> abandoned = Dialog.OpenStream("Test");
    abandoned->WriteLine("half");
  }
  Print({"whole"});
  EXPECT_EQ(PdfPages(Pdf).at(0), std::vector<std::string>{"whole"});
}

// A description far wider than any page prints whole, line after line, in its own order.
TEST_F(PdfPrinting, AVeryLongDescriptionPrintsWhole) {
  std::string description;
  for (int i = 0; description.size() < 300000; ++i) {
    description += 'w';
    description += std::to_string(i);
  }
  Print({description});

  std::string printed;
  for (const std::vector<std::string>& page : PdfPages(Pdf)) {
    for (const std::string& line : page) printed += line;
  }
  EXPECT_EQ(printed.size(), description.size());
  EXPECT_TRUE(printed == description) << "the printout differs from the description";
}

// The quick width of plain text is exactly what Qt measures, in a fixed-pitch and in a
// proportional font, at the printer's resolution and at the screen's.
TEST(PrintedTextWidth, MatchesQtsOwnMeasurement) {
  QPrinter printer(QPrinter::HighResolution);
  std::mt19937 random(7);
  for (const char* family : {"Courier New", "Arial"}) {
    for (QPaintDevice* device : std::initializer_list<QPaintDevice*>{&printer, nullptr}) {
      const QFont font(QString::fromLatin1(family), 12);
      const QFontMetrics metrics(font, device);
      const TextLayout::Measure width = PrintedTextWidth(font, device);
      for (int round = 0; round < 300; ++round) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 400)(random), ' ');
        for (char& c : text)
          c = static_cast<char>(std::uniform_int_distribution<int>(32, 126)(random));
        ASSERT_EQ(width(text), metrics.horizontalAdvance(QString::fromStdString(text)))
            << family << " \"" << text << "\"";
      }
    }
  }
}

// Printing into a small file system of its own, which the test can fill.
class FullDisk : public PdfPrinting {
 protected:
  void SetUp() override {
    PdfPrinting::SetUp();
    ASSERT_TRUE(QDir().mkpath(Disk));
    if (::mount("tmpfs", Disk.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "a 64 KiB tmpfs could not be mounted (" << std::strerror(errno)
                   << "); the full-disk cases need root";
    }
    Mounted = true;
    Dialog.Printer().setOutputFileName(Target);
  }
  void TearDown() override {
    if (Mounted) ::umount2(Disk.toLocal8Bit().constData(), MNT_DETACH);
  }

  // Fills the disk, then frees about the given number of bytes again.
  void LeaveRoom(std::size_t bytes) {
    const QString filler = Disk + QStringLiteral("/filler");
    {
      std::ofstream out(filler.toStdString(), std::ios::binary);
      const std::string block(4096, 'x');
      while (out.write(block.data(), static_cast<std::streamsize>(block.size()))) {
      }
    }
    QFile file(filler);
    ASSERT_TRUE(file.resize(std::max<qint64>(0, file.size() - static_cast<qint64>(bytes))));
  }

  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const QString& name : QDir(Disk).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
      names.push_back(name.toStdString());
    }
    return names;
  }

  const QString Disk = Folder.filePath(QStringLiteral("small"));
  const QString Target = Disk + QStringLiteral("/out.pdf");
  const std::string NoSpace =
      "Could not write the print file " + Target.toStdString() + ": No space left on device";
  bool Mounted = false;
};

TEST_F(FullDisk, AFailedPrintFileIsReportedAndLeavesNoFile) {
  struct Case {
    std::string Name;
    std::size_t Room;
    int Lines;
  };
  const std::vector<Case> cases = {
      {"the sample list on a full disk", 0, 5},
      {"a long list that outgrows the disk", std::size_t{64} * 1024, 6000}};
  for (const Case& c : cases) {
    LeaveRoom(c.Room);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(c.Lines));
    for (int i = 0; i < c.Lines; ++i) lines.push_back("Task " + std::to_string(i * 7919));
    try {
      Print(lines);
      ADD_FAILURE() << c.Name << ": reported as printed";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), NoSpace) << c.Name;
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"filler"}) << c.Name;
    QFile::remove(Disk + QStringLiteral("/filler"));
  }
}

TEST_F(FullDisk, TheFailureReachesTheUserAndAnEarlierPrintoutStays) {
  {
    QFile earlier(Target);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("%PDF earlier printout");
  }
  LeaveRoom(0);
  PdfPlatform ui(Dialog);
  FixedClock clock(testing::Day(2026, 6, 10));
  ToDoList list(ui, DateFormat({}, clock));
  list.FormCreate("/nonexistent-taskwell-test/Chores.todo", "/nonexistent-home");
  list.TypeInCell(3, 1, "Buy paint");
  ui.NextChoice = {true, 0, 0};

  EXPECT_FALSE(list.Guarded([&] { list.PrintButtonClick(); }));
  EXPECT_EQ(ui.Errors, (std::vector<testing::FakePlatform::Message>{{"Chores", NoSpace + "."}}));
  QFile earlier(Target);
  ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
  EXPECT_EQ(earlier.readAll(), QByteArray("%PDF earlier printout"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"filler", "out.pdf"}));
}

// A long print runs beside the window: its events go on (while nothing from the background may
// change the list it reads), its progress shows over it, and Cancel there drops the print file
// without a word. The next print is whole.
TEST(PrintProgress, ALongPrintShowsProgressAndCancelLeavesNoFile) {
  constexpr int kTasks = 60000;
  QWidget window;
  TaskPrintDialog dialog(&window);
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
  dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
  dialog.Printer().setOutputFileName(pdf);
  PdfPlatform ui(dialog);
  FixedClock clock(testing::Day(2026, 6, 10));
  ToDoList list(ui, DateFormat({}, clock));
  list.FormCreate("/nonexistent-taskwell-test/Chores.todo", "/nonexistent-home");
  TaskTable& table = ListTestAccess::Table(list);
  table.SetRowCount(kTasks + 1);
  for (int row = 1; row <= kTasks; ++row) table.SetCell(3, row, "Task " + std::to_string(row));

  int ticks = 0;
  int busyTicks = 0;
  bool cancelled = false;
  QTimer watcher;
  watcher.setInterval(10);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    ++ticks;
    busyTicks += WorkProgress::ListBusy() ? 1 : 0;
    auto* progress = window.findChild<QProgressDialog*>(QStringLiteral("WorkProgress"));
    if (progress == nullptr || !progress->isVisible()) return;
    progress->cancel();
    cancelled = true;
  });
  watcher.start();
  ui.NextChoice = {true, 0, 0};
  ASSERT_TRUE(list.Guarded([&] { list.PrintButtonClick(); }));
  watcher.stop();
  EXPECT_TRUE(cancelled);
  EXPECT_GT(ticks, 10);
  EXPECT_EQ(busyTicks, ticks);
  EXPECT_FALSE(WorkProgress::ListBusy());
  EXPECT_TRUE(ui.Errors.empty());
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

  table.SetRowCount(3);
  ui.NextChoice = {true, 0, 0};
  ASSERT_TRUE(list.Guarded([&] { list.PrintButtonClick(); }));
  const auto pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].back(), std::string(21, ' ') + "Task 2");
}

}  // namespace
}  // namespace taskwell
