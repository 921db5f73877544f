// A second start asks the running instance, over its local socket, to bring its window forward.
#include "app/WindowRaiser.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "support/QtApp.h"

namespace taskwell {
namespace {

class RaiserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tw-raise-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    Runtime = pattern;
    ::setenv("XDG_RUNTIME_DIR", Runtime.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(Runtime); }

  // The asking side blocks, as the refused start does, while this side serves the request.
  static bool AskFromAnotherThread(const std::string& name) {
    auto answer = std::async(std::launch::async, [name] { return WindowRaiser::AskToRaise(name); });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
      QApplication::processEvents();
    }
    return answer.get();
  }

  std::string Runtime;
};

TEST_F(RaiserTest, TheRunningWindowComesForward) {
  QWidget first;
  QWidget other;
  const std::string name = Runtime + "/list.todo";
  // A socket left behind by an instance that died does not stop the next one from listening.
  std::filesystem::create_directories(Runtime + "/taskwell-locks");
  std::ofstream(WindowRaiser::SocketPath(name).toStdString()) << "stale";
  const WindowRaiser raiser(name, first);
  ASSERT_TRUE(raiser.IsListening());
  // Nobody but this user may ask, whatever the umask.
  const auto mode =
      std::filesystem::status(WindowRaiser::SocketPath(name).toStdString()).permissions();
  EXPECT_EQ(mode & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
            std::filesystem::perms::none);
  first.show();
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

  EXPECT_TRUE(AskFromAnotherThread(name));
  EXPECT_TRUE(QTest::qWaitForWindowActive(&first));
  EXPECT_FALSE(AskFromAnotherThread(name + ".other"));
}

// Under Wayland the window may come forward only with the token of the user's action, which the
// launcher gave the second start; a token that could smuggle more into the request is not sent.
TEST_F(RaiserTest, TheActivationTokenTravelsWithTheRequest) {
  QWidget first;
  const std::string name = Runtime + "/list.todo";
  const WindowRaiser raiser(name, first);
  ASSERT_TRUE(raiser.IsListening());
  for (const auto& [given, passed] : std::vector<std::pair<std::string, std::string>>{
           {"abc-123_X.y", "abc-123_X.y"}, {"", ""}, {"two words", ""}, {"a\nraise", ""}}) {
    if (given.empty()) {
      ::unsetenv("XDG_ACTIVATION_TOKEN");
    } else {
      ::setenv("XDG_ACTIVATION_TOKEN", given.c_str(), 1);
    }
    EXPECT_TRUE(AskFromAnotherThread(name)) << given;
    EXPECT_EQ(raiser.LastToken().toStdString(), passed) << given;
  }
  ::unsetenv("XDG_ACTIVATION_TOKEN");
}

// A peer that connects and says nothing, or sends too much, holds up nobody else's request.
TEST_F(RaiserTest, APeerThatSaysNothingOrTooMuchDoesNotStandInTheWay) {
  QWidget first;
  const std::string name = Runtime + "/list.todo";
  const WindowRaiser raiser(name, first);
  ASSERT_TRUE(raiser.IsListening());
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = WindowRaiser::SocketPath(name).toStdString();
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  std::vector<int> peers;
  for (const std::size_t sends : {std::size_t{0}, std::size_t{4096}}) {
    const int peer = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::connect(peer, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string flood(sends, 'x');
    EXPECT_EQ(::send(peer, flood.data(), sends, 0), static_cast<ssize_t>(sends));
    peers.push_back(peer);
  }
  EXPECT_TRUE(AskFromAnotherThread(name));
  // The one that sent too much is hung up on without an answer.
  ssize_t heard = -1;
  EXPECT_TRUE(QTest::qWaitFor([&] {
    char answer = 0;
    heard = ::recv(peers[1], &answer, 1, MSG_DONTWAIT);
    return heard >= 0 || errno != EAGAIN;
  }));
  EXPECT_LE(heard, 0);
  for (const int peer : peers) ::close(peer);
  EXPECT_TRUE(AskFromAnotherThread(name));
}

TEST_F(RaiserTest, TheEmptyNameHasNoSocket) {
  QWidget window;
  const WindowRaiser raiser("", window);
  EXPECT_FALSE(raiser.IsListening());
  EXPECT_FALSE(WindowRaiser::AskToRaise("", 100));
}

}  // namespace
}  // namespace taskwell
