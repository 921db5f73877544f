// Runs each file operation with every file-system call it makes failing in turn (libfiu's POSIX
// failpoints, switched on around the operation only), and checks what the user is left with: the
// original file byte for byte, a message that names the file, a list that still works, and no
// stray temporary after the next successful save. Run under `fiu-run -x`. Built with the window's
// library, it prints to a PDF file as well, on Qt's offscreen platform.
#include <fiu-control.h>
#include <fiu.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "document/Calendar.h"
#include "list/DueListing.h"
#include "list/RecoveryJournal.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

#ifdef TASKWELL_PRINT_FAULTS
#include <QApplication>
#include <QPrinter>

#include "plugins/PrintJob.h"
#endif

namespace taskwell {
namespace {

using testing::ListFixture;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kFile =
    "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n6/12/26,,,\"due\"\r\n,2,,\"b\"\r\n";

int calls = 0;
int failAt = 0;
std::string failed;

// Fails exactly the failAt-th call of any file-system failpoint.
int FailNth(const char* name, int* /*failnum*/, void** /*failinfo*/, unsigned* /*flags*/) {
  if (++calls != failAt) return 0;
  failed = name;
  return 1;
}

// A write, flush or rename that failed can never make a save succeed.
bool MustFail(const std::string& name) {
  return name == "posix/io/rw/write" || name == "posix/io/sync/fsync" ||
         name == "posix/io/dir/rename";
}

// One operation: runs with faults on and gives the failure's text ("" for success); `check`
// then judges the files afterwards, with faults off.
struct Operation {
  const char* Name;
  std::function<void(TempDir&)> Prepare;
  std::function<std::string(TempDir&)> Run;
  std::function<std::string(TempDir&, const std::string& failure)> Check;
};

bool StrayTemporaries(const TempDir& dir) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Root)) {
    if (entry.path().filename().string().starts_with(".taskwell-")) return true;
  }
  return false;
}

// Save-like operations: on failure the file is as it was (or, flushed incompletely, the new
// one) and the message names it; the next save then works and leaves nothing behind.
std::string CheckSaved(TempDir& dir, const std::string& failure, ListFixture& f,
                       const std::function<bool()>& saveAgain) {
  const std::string path = dir.Path("list.todo");
  const std::string now = ReadBytes(path);
  const bool incomplete = failure.find("not completely flushed") != std::string::npos;
  if (failure.empty() && MustFail(failed)) return failed + " failed, and the save reported success";
  if (!failure.empty() && now != kFile && !incomplete) return "the file changed: " + failure;
  if (!failure.empty() && failure.find(path) == std::string::npos &&
      failure.find(dir.Root.string()) == std::string::npos) {
    return "the message does not name the file: " + failure;
  }
  // A save that failed leaves the file as it was, so it is still what the next save starts from.
  if (!failure.empty() && !incomplete && f.List.File().BaseBytes() != kFile)
    return "a failed save lost the base of the next one";
  if (!saveAgain()) return "the list could not save afterwards";
  if (ReadBytes(path).find("edited") == std::string::npos) return "the edit was not saved";
  if (StrayTemporaries(dir)) return "a temporary file was left behind";
  return {};
}

int Run(const Operation& op) {
  int points = 0;
  for (failAt = 1;; ++failAt) {
    TempDir dir;
    WriteBytes(dir.Path("list.todo"), kFile);
    if (op.Prepare) op.Prepare(dir);
    calls = 0;
    failed.clear();
    fiu_enable_external("posix/io/*", 1, reinterpret_cast<void*>(static_cast<long>(EIO)), 0,
                        FailNth);
    const std::string failure = op.Run(dir);
    fiu_disable("posix/io/*");
    if (calls < failAt) break;  // every call has had its turn
    ++points;
    const std::string problem = op.Check(dir, failure);
    if (!problem.empty()) {
      std::cerr << op.Name << ", call " << failAt << " (" << failed << ") failing: " << problem
                << '\n';
      return -1;
    }
  }
  std::cout << op.Name << ": " << points << " injection points, each handled\n";
  return points;
}

std::string Guard(const std::function<void()>& body) {
  try {
    body();
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

#ifdef TASKWELL_PRINT_FAULTS
const std::string kOldPdf = "%PDF-1.4 an earlier printout\n%%EOF\n";

// The window's print run, drawing on a thread of its own, set to print into a file as the print
// dialog's "Print to File" does.
class PdfPlatform final : public testing::FakePlatform {
 public:
  explicit PdfPlatform(const std::string& pdf) : printer_(QPrinter::HighResolution) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(pdf));
  }
  std::unique_ptr<PrinterTextStream> OpenPrinter(const std::string& jobName) override {
    return std::make_unique<PrintJob>(printer_, jobName, nullptr);
  }

 private:
  QPrinter printer_;
};

// A list printed to list.pdf, where an earlier printout is; made with faults off.
struct PrintingList {
  explicit PrintingList(TempDir& dir)
      : Clock(testing::Day(2026, 6, 10)),
        Dates(RegionalSettings(), Clock),
        Ui(dir.Path("list.pdf")),
        List(Ui, Dates) {
    ListTestAccess::SetTaskFileName(List, dir.Path("list.todo"));
    ListTestAccess::InitTaskTable(List);
    List.TypeInCell(List.Layout().DescCol(), 2, "edited");
    WriteBytes(dir.Path("list.pdf"), kOldPdf);
  }
  FixedClock Clock;
  DateFormat Dates;
  PdfPlatform Ui;
  ToDoList List;
};

bool CompletePdf(const std::string& bytes) {
  return bytes.size() > kOldPdf.size() && bytes.starts_with("%PDF-") &&
         bytes.find("%%EOF", bytes.size() - 8) != std::string::npos;
}

// A failed print leaves the earlier printout and nothing else, names the file, and the list
// prints and saves afterwards.
std::string CheckPrinted(TempDir& dir, const std::string& failure, PrintingList& p) {
  const std::string pdf = dir.Path("list.pdf");
  const std::string now = ReadBytes(pdf);
  if (failure.empty() && !CompletePdf(now))
    return "a print reported success, but the file is not whole";
  if (!failure.empty() && now != kOldPdf) return "a failed print changed the file: " + failure;
  if (!failure.empty() && failure.find(pdf) == std::string::npos)
    return "the message does not name the file: " + failure;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Root)) {
    const std::string name = entry.path().filename().string();
    if (name != "list.todo" && name != "list.pdf") return "a partial file was left: " + name;
  }
  if (!p.List.Guarded([&] { p.List.PrintButtonClick(); }) || !CompletePdf(ReadBytes(pdf)))
    return "the list could not print afterwards";
  if (!p.List.Guarded([&] { p.List.SaveButtonClick(); }))
    return "the list could not save afterwards";
  return {};
}
#endif

}  // namespace
}  // namespace taskwell

int main(int argc, char** argv) {
  using namespace taskwell;
  fiu_init(0);
#ifdef TASKWELL_PRINT_FAULTS
  // The fonts and the platform are set up with faults off; the print itself runs with them on.
  QApplication app(argc, argv);
  std::unique_ptr<PrintingList> printing;
  {
    TempDir warm;
    WriteBytes(warm.Path("list.todo"), kFile);
    PrintingList(warm).List.PrintButtonClick();
  }
#else
  (void)argc;
  (void)argv;
#endif
  // One list per round, made afresh with faults off.
  std::unique_ptr<ListFixture> f;
  const auto openList = [&](TempDir& dir) {
    f = std::make_unique<ListFixture>();
    ListTestAccess::SetTaskFileName(f->List, dir.Path("list.todo"));
    ListTestAccess::InitTaskTable(f->List);
    f->List.TypeInCell(f->List.Layout().DescCol(), 2, "edited");
  };
  const auto saveAgain = [&] { return f->List.Guarded([&] { f->List.SaveButtonClick(); }); };
  const Operation operations[] = {
      {"load", nullptr,
       [&](TempDir& dir) {
         f = std::make_unique<ListFixture>();
         ListTestAccess::SetTaskFileName(f->List, dir.Path("list.todo"));
         return Guard([&] { ListTestAccess::InitTaskTable(f->List); });
       },
       [&](TempDir& dir, const std::string& failure) -> std::string {
         if (ReadBytes(dir.Path("list.todo")) != kFile) return "the file changed";
         if (!failure.empty() && failure.find(dir.Path("list.todo")) == std::string::npos)
           return "the message does not name the file: " + failure;
         // The table is usable: an edit saves.
         f->List.TypeInCell(f->List.Layout().DescCol(), 1, "edited");
         if (!failure.empty()) ListTestAccess::InitTaskTable(f->List);
         f->List.TypeInCell(f->List.Layout().DescCol(), 2, "edited");
         return CheckSaved(dir, "", *f, saveAgain);
       }},
      {"save", openList, [&](TempDir&) { return Guard([&] { f->List.SaveButtonClick(); }); },
       [&](TempDir& dir, const std::string& failure) {
         return CheckSaved(dir, failure, *f, saveAgain);
       }},
      {"close", openList, [&](TempDir&) { return Guard([&] { f->List.CloseButtonClick(); }); },
       [&](TempDir& dir, const std::string& failure) -> std::string {
         if (!failure.empty() && f->Ui.CloseCount != 0) return "a failed Close closed the window";
         return CheckSaved(dir, failure, *f, saveAgain);
       }},
      {"journal", nullptr,
       [&](TempDir& dir) {
         return Guard(
             [&] { RecoveryJournal(dir.Path("state"), dir.Path("list.todo")).Write(kFile); });
       },
       [&](TempDir& dir, const std::string& failure) -> std::string {
         const RecoveryJournal journal(dir.Path("state"), dir.Path("list.todo"));
         if (!failure.empty() && failure.find(dir.Path("state")) == std::string::npos)
           return "the message does not name the journal: " + failure;
         if (failure.empty() && MustFail(failed))
           return failed + " failed, and it reported success";
         const auto found = journal.Find();
         if (failure.empty() && (!found || found->Bytes != kFile)) return "the journal is wrong";
         journal.Write(kFile);
         return StrayTemporaries(dir) ? "a temporary file was left behind" : "";
       }},
      {"--due", nullptr,
       [&](TempDir& dir) {
         std::ostringstream out, err;
         const int code = PrintDueListing(dir.Path("list.todo"), 7, RegionalSettings(),
                                          FixedClock(testing::Day(2026, 6, 10)), out, err);
         return code == 0 ? std::string() : err.str().empty() ? std::string("(silent)") : err.str();
       },
       [&](TempDir& dir, const std::string& failure) -> std::string {
         if (ReadBytes(dir.Path("list.todo")) != kFile) return "the file changed";
         if (!failure.empty() && failure.find(dir.Path("list.todo")) == std::string::npos)
           return "the message does not name the file: " + failure;
         return {};
       }},
#ifdef TASKWELL_PRINT_FAULTS
      {"print to file", [&](TempDir& dir) { printing = std::make_unique<PrintingList>(dir); },
       [&](TempDir&) { return Guard([&] { printing->List.PrintButtonClick(); }); },
       [&](TempDir& dir, const std::string& failure) {
         return CheckPrinted(dir, failure, *printing);
       }},
#endif
  };
  int total = 0;
  for (const Operation& op : operations) {
    const int points = Run(op);
    if (points < 0) return 1;
    total += points;
  }
  std::cout << total << " injection points covered, every failure handled\n";
  return total > 0 ? 0 : 1;
}
