// The sync's three-way rules, with the last sync as the base, and what an edit sends back.
#include "sync/SyncMerge.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/TempFiles.h"
#include "sync/CalendarItem.h"

namespace taskwell {
namespace {

const FixedClock kClock(testing::Day(2026, 6, 10));
const DateFormat kDates(RegionalSettings{}, kClock);
constexpr std::int64_t kStamp = 1781049600;

TaskFields Task(const std::string& description) {
  TaskFields task;
  task.Priority = 10000;
  task.Description = description;
  return task;
}

std::string Item(const std::string& uid, const std::string& description, bool done = false) {
  std::string text = CalendarItem::Create(Task(description), uid, false, kDates, kStamp);
  if (done) text.insert(text.find("END:VTODO"), "STATUS:COMPLETED\r\n");
  return text;
}

// The base holds items u0, u1, … with the descriptions given; `theirs` says per item "=text"
// (edited there), "-" (deleted there), "x" (completed there), and "+text" adds one.
struct Case {
  const char* Name;
  std::vector<std::string> Base, Mine, Theirs;
  std::vector<std::string> Result;    // the list's descriptions after the sync
  std::vector<std::string> Requests;  // "PUT u0 text", "NEW text", "DELETE u1"
  int Merged = 0;
};

SyncPlan PlanOf(const Case& c) {
  SyncState base;
  for (std::size_t i = 0; i < c.Base.size(); ++i) {
    const std::string uid = "u" + std::to_string(i);
    base.Items.push_back(
        {uid, "/c/" + uid + ".ics", "e0", SyncKey(Task(c.Base[i])), Item(uid, c.Base[i])});
  }
  std::vector<TaskFields> mine;
  for (const std::string& text : c.Mine) mine.push_back(Task(text));
  ServerSide server;
  for (std::size_t i = 0; i < c.Theirs.size(); ++i) {
    const std::string& change = c.Theirs[i];
    const std::string uid = "u" + std::to_string(i);
    if (change == "-") server.Removed.push_back("/c/" + uid + ".ics");
    if (change == "x") server.Changed.push_back({"/c/" + uid + ".ics", "e1", Item(uid, "", true)});
    if (change.starts_with('='))
      server.Changed.push_back({"/c/" + uid + ".ics", "e1", Item(uid, change.substr(1))});
    if (change.starts_with('+'))
      server.Changed.push_back({"/c/n" + uid + ".ics", "e1", Item("n" + uid, change.substr(1))});
  }
  return SyncMerge(kDates, false, kStamp).Plan(base, mine, server, "/c/");
}

std::vector<std::string> Descriptions(const SyncPlan& plan, const Case& c) {
  std::vector<std::string> out;
  for (const SyncRow& row : plan.Rows)
    out.push_back(row.Mine >= 0 ? c.Mine[static_cast<std::size_t>(row.Mine)]
                                : row.Theirs.Description);
  return out;
}

std::vector<std::string> Requests(const SyncPlan& plan) {
  std::vector<std::string> out;
  for (const SyncRequest& request : plan.Requests) {
    const std::string summary =
        request.Body.empty() ? "" : CalendarItem::Read(request.Body, kDates, false)->Description;
    switch (request.What) {
      case SyncRequest::Kind::Create:
        out.push_back("NEW " + summary);
        break;
      case SyncRequest::Kind::Update:
        out.push_back("PUT " + request.Uid + " " + summary);
        break;
      case SyncRequest::Kind::Delete:
        out.push_back("DELETE " + request.Uid);
        break;
    }
  }
  return out;
}

const Case kCases[] = {
    {"nothing changed", {"a", "b"}, {"a", "b"}, {"", ""}, {"a", "b"}, {}},
    {"first sync each way", {}, {"mine"}, {"+theirs"}, {"mine", "theirs"}, {"NEW mine"}},
    {"first sync of the same list on both sides", {}, {"a"}, {"+a"}, {"a"}, {}},
    {"edited here", {"a", "b"}, {"a", "B"}, {"", ""}, {"a", "B"}, {"PUT u1 B"}},
    {"reordered by a sort", {"a", "b", "c"}, {"c", "a", "b"}, {}, {"c", "a", "b"}, {}},
    {"edited there", {"a", "b"}, {"a", "b"}, {"=A", ""}, {"A", "b"}, {}},
    {"different tasks on each side", {"a", "b"}, {"a", "B"}, {"=A", ""}, {"A", "B"}, {"PUT u1 B"}},
    {"the same task on both sides",
     {"a"},
     {"mine"},
     {"=theirs"},
     {"mine", "theirs"},
     {"NEW mine"},
     1},
    {"the same edit on both sides", {"a"}, {"A"}, {"=A"}, {"A"}, {}},
    {"deleted here", {"a", "b"}, {"a"}, {"", ""}, {"a"}, {"DELETE u1"}},
    {"deleted there", {"a", "b"}, {"a", "b"}, {"", "-"}, {"a"}, {}},
    {"completed there", {"a", "b"}, {"a", "b"}, {"x", ""}, {"b"}, {}},
    {"deleted here, edited there", {"a", "b"}, {"a"}, {"", "=B"}, {"a", "B"}, {}},
    {"edited here, deleted there", {"a", "b"}, {"a", "B"}, {"", "-"}, {"a", "B"}, {"NEW B"}},
    {"edited here, completed there", {"a", "b"}, {"a", "B"}, {"", "x"}, {"a", "B"}, {"NEW B"}},
    {"deleted on both sides", {"a", "b"}, {"a"}, {"", "-"}, {"a"}, {}},
    {"added on both sides",
     {"a"},
     {"a", "mine"},
     {"", "+theirs"},
     {"a", "mine", "theirs"},
     {"NEW mine"}},
    {"a listing that removes most of the list",
     {"a", "b", "c", "d"},
     {"a", "b", "c", "d"},
     {"-", "-", "x", ""},
     {},
     {}},
};

TEST(SyncMerge, FollowsTheThreeWayRules) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Name);
    const SyncPlan plan = PlanOf(c);
    if (c.Result.empty()) {
      EXPECT_FALSE(plan.Refused.empty());
      EXPECT_TRUE(plan.Requests.empty());
      continue;
    }
    EXPECT_EQ(plan.Refused, "");
    EXPECT_EQ(Descriptions(plan, c), c.Result);
    EXPECT_EQ(Requests(plan), c.Requests);
    EXPECT_EQ(plan.Merged, c.Merged);
    EXPECT_EQ(plan.Next.size(), plan.Rows.size());
  }
}

TEST(SyncMerge, AnEditSendsBackWhatOtherClientsStored) {
  const std::string copy =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:phone\r\nBEGIN:VTODO\r\nUID:p1\r\n"
      "DTSTAMP:20260101T000000Z\r\nSUMMARY:Old\r\nDESCRIPTION:Bring the cards\\, and snacks\r\n"
      "CATEGORIES:Home,Club\r\nRELATED-TO:p0\r\nX-PHONE-COLOR:#ff0000\r\nSEQUENCE:3\r\n"
      "DTSTART;VALUE=DATE:20260701\r\nDUE;VALUE=DATE:20260702\r\n"
      "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
      "END:VTODO\r\nEND:VCALENDAR\r\n";
  TaskFields edited = Task("New title");
  edited.Priority.reset();
  edited.Date = testing::Day(2026, 6, 20, 0);
  const std::string sent = CalendarItem::Patch(copy, edited, false, kDates, kStamp);
  for (const char* kept :
       {"UID:p1\r\n", "DESCRIPTION:Bring the cards\\, and snacks\r\n", "CATEGORIES:Home,Club\r\n",
        "RELATED-TO:p0\r\n", "X-PHONE-COLOR:#ff0000\r\n", "TRIGGER:-PT15M\r\n", "SEQUENCE:4\r\n",
        "SUMMARY:New title\r\n", "DUE;VALUE=DATE:20260620\r\n"})
    EXPECT_NE(sent.find(kept), std::string::npos) << kept << " in\n" << sent;
  for (const char* gone : {"SUMMARY:Old", "SEQUENCE:3", "DTSTART", "20260702"})
    EXPECT_EQ(sent.find(gone), std::string::npos) << gone << " in\n" << sent;
  const std::optional<TaskFields> read = CalendarItem::Read(sent, kDates, false);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, edited);  // the notes stay on the server, out of the description
}

TEST(SyncMerge, AnItemInWindows1252ReadsAsUtf8) {
  const std::optional<TaskFields> read = CalendarItem::Read(
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:old\r\nBEGIN:VTODO\r\nUID:w1\r\n"
      "SUMMARY:Caf\xE9 \x80 5\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
      kDates, false);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Description, "Caf\u00e9 \u20ac 5");
}

TEST(SyncState, SurvivesItsOwnFileAndRefusesADamagedOne) {
  const testing::TempDir dir;
  SyncState state;
  state.Token = "http://radicale.org/ns/sync/1 2";
  state.Items.push_back({"u 1", "/c/u%201.ics", "\"e\"", "-|0|0|0|a, b", Item("u 1", "a\nb")});
  const std::string path = SyncState::PathFor(dir.Path("state"), "/home/ann/list.todo");
  state.Save(path);
  EXPECT_EQ(SyncState::Load(path), state);
  EXPECT_EQ(SyncState::Load(dir.Path("none")), SyncState{});
  testing::WriteBytes(path, "something else\n");
  EXPECT_THROW(SyncState::Load(path), std::runtime_error);
}

}  // namespace
}  // namespace taskwell
