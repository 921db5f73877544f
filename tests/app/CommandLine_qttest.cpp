// The command line is read before any window exists; these cases pin its grammar.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "document/Version.h"

namespace taskwell {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, OptionsFileAndErrors) {
  const struct {
    std::vector<std::string> Args;
    Action What;
    std::string File;
    int Days;
  } cases[] = {
      {{}, Action::OpenWindow, "", 0},
      {{"home.todo"}, Action::OpenWindow, "home.todo", 0},
      {{"home.todo", "--help", "x"},
       Action::OpenWindow,
       "home.todo",
       0},  // after the file: ignored
      {{"-"}, Action::OpenWindow, "-", 0},
      {{"--", "--odd-name.todo"}, Action::OpenWindow, "--odd-name.todo", 0},
      {{"--"}, Action::OpenWindow, "", 0},
      {{"-h"}, Action::Help, "", 0},
      {{"--help", "--bogus"}, Action::Help, "", 0},
      {{"--version"}, Action::Version, "", 0},
      {{"--due", "7"}, Action::DueListing, "", 7},
      {{"--due", "0", "list.todo"}, Action::DueListing, "list.todo", 0},
      {{"--due=30", "--", "-x.todo"}, Action::DueListing, "-x.todo", 30},
      {{"--remind"}, Action::Remind, "", 0},
      {{"--remind", "list.todo"}, Action::Remind, "list.todo", 0},
      {{"--remind", "--due", "0"}, Action::Error, "", 0},
      {{"--bogus"}, Action::Error, "", 0},
      {{"-x", "file"}, Action::Error, "", 0},
      {{"--due"}, Action::Error, "", 0},
      {{"--due", "-1"}, Action::Error, "", 0},
      {{"--due", "7d"}, Action::Error, "", 0},
      {{"--due", "1000"}, Action::Error, "", 0},
      {{"--due="}, Action::Error, "", 0},
      {{"--export", "ics", "list.todo"}, Action::Export, "list.todo", 0},
      {{"--export=todotxt"}, Action::Export, "", 0},
      {{"--import", "phone.ics", "list.todo"}, Action::Import, "list.todo", 0},
      {{"--export", "csv"}, Action::Error, "", 0},
      {{"--export"}, Action::Error, "", 0},
      {{"--import"}, Action::Error, "", 0},
      {{"--import", "a.ics", "--export", "ics"}, Action::Error, "", 0},
      {{"--due", "3", "--import", "a.ics"}, Action::Error, "", 0},
      {{"--sync", "list.todo"}, Action::Sync, "list.todo", 0},
      {{"--sync-setup", "https://ann@dav.example.org/ann/tasks/", "list.todo"},
       Action::SyncSetup,
       "list.todo",
       0},
      {{"--sync-setup", "off"}, Action::SyncSetup, "", 0},
      {{"--sync-setup"}, Action::Error, "", 0},
      {{"--sync", "--sync-setup", "off"}, Action::Error, "", 0},
  };
  for (const auto& c : cases) {
    std::string trace;
    for (const std::string& a : c.Args) trace += a + " ";
    SCOPED_TRACE(trace);
    const CommandLine line = CommandLine::Parse(c.Args);
    EXPECT_EQ(line.What, c.What);
    EXPECT_EQ(line.File, c.File);
    EXPECT_EQ(line.DueDays, c.Days);
    // An error is one line naming what was wrong.
    EXPECT_EQ(line.What == Action::Error, !line.ErrorText.Empty());
    EXPECT_EQ(line.ErrorText.English().find('\n'), std::string::npos);
  }
  EXPECT_NE(CommandLine::Parse({"--bogus"}).ErrorText.English().find("'--bogus'"),
            std::string::npos);
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionIsTheProducts) {
  for (const char* option : {"--due", "--remind", "--export", "--import", "--sync", "--sync-setup",
                             "--help", "-h", "--version", "--"}) {
    EXPECT_NE(UsageText().find(option), std::string::npos) << option;
  }
  EXPECT_EQ(VersionText(), std::string("Taskwell ") + kVersion + "\n");
}

TEST(CommandLine, MissingDisplayIsNamed) {
  const struct {
    const char* Platform;
    const char* X11;
    const char* Wayland;
    bool Missing;
  } cases[] = {
      {nullptr, nullptr, nullptr, true},     {"", "", "", true},
      {nullptr, ":0", nullptr, false},       {nullptr, nullptr, "wayland-0", false},
      {"xcb", nullptr, "wayland-0", true},   {"wayland", ":0", nullptr, true},
      {"wayland;xcb", ":0", nullptr, false}, {"offscreen", nullptr, nullptr, false},
      {"xcb:foo", ":1", nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Platform != nullptr ? c.Platform : "(unset)");
    EXPECT_EQ(!MissingDisplayReason(c.Platform, c.X11, c.Wayland).empty(), c.Missing);
  }
}

}  // namespace
}  // namespace taskwell
