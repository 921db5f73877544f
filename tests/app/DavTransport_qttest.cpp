// Which addresses a sync may use: https anywhere, plain http only to this machine.
#include "app/DavTransport.h"

#include <gtest/gtest.h>

#include <QUrl>
#include <utility>
#include <vector>

namespace taskwell {
namespace {

TEST(DavTransport, PlainHttpIsRefusedUnlessItStaysOnThisMachine) {
  for (const auto& [address, allowed] : std::vector<std::pair<const char*, bool>>{
           {"https://dav.example.org/tasks/", true},
           {"http://localhost:5232/tasks/", true},
           {"http://LocalHost/tasks/", true},
           {"http://127.0.0.1:5232/tasks/", true},
           {"http://127.200.3.4/tasks/", true},
           {"http://[::1]:5232/tasks/", true},
           {"http://[::ffff:127.0.0.1]/tasks/", true},
           {"http://128.0.0.1/tasks/", false},
           {"http://[::2]/tasks/", false},
           {"http://[::ffff:10.0.0.1]/tasks/", false},
           {"http://localhost.example.org/tasks/", false},
           {"http://127.0.0.1.example.org/tasks/", false},
           {"ftp://localhost/tasks/", false},
       }) {
    EXPECT_EQ(DavTransport::Refusal(QUrl(QString::fromLatin1(address))).isEmpty(), allowed)
        << address;
  }
}

}  // namespace
}  // namespace taskwell
