// Lines typed or piped in come back without their ends, the last one also without a newline.
#include "app/StandardStreams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace taskwell {
namespace {

TEST(StandardStreams, ReadsEachLineOfTheInputAndThenTheEnd) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "taskwell-standard-input.txt").string();
  for (const auto& [input, lines] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"", {}},
           {"secret", {"secret"}},
           {"secret\n", {"secret"}},
           {"one\n\ntwo", {"one", "", "two"}},
           {"p\xC3\xA4ss word\r\n", {"p\xC3\xA4ss word\r"}}}) {
    std::ofstream(path, std::ios::binary) << input;
    ASSERT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);
    std::vector<std::string> read;
    std::string line;
    while (ReadStandardLine(line)) read.push_back(line);
    EXPECT_EQ(read, lines) << input;
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace taskwell
