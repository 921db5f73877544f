// The program's operator new and delete: a block of 1 MB or more gets a mapping of its own that
// huge pages back, a small one or one past the mappings kept track of is the allocator's, and
// delete gives each back where it came from.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// What /proc/self/smaps says of the mapping that holds address: its flags and huge pages, or
// nothing when no mapping holds it.
std::string MappingAt(const void* address) {
  const auto at = reinterpret_cast<unsigned long>(address);
  std::ifstream smaps("/proc/self/smaps");
  std::string found;
  for (std::string line; std::getline(smaps, line);) {
    unsigned long from = 0;
    unsigned long to = 0;
    if (std::sscanf(line.c_str(), "%lx-%lx", &from, &to) == 2) {
      if (!found.empty()) break;
      if (from <= at && at < to) found = "mapped";
    } else if (!found.empty() && line.rfind("VmFlags:", 0) == 0) {
      found += (line + ' ').find(" hg ") != std::string::npos ? " advised" : "";
    } else if (!found.empty() && line.rfind("AnonHugePages:", 0) == 0 &&
               std::stol(line.substr(14)) >= 2048) {
      found += " huge";
    }
  }
  return found;
}

TEST(HugePageBlocks, LargeBlocksGetHugePagesAndEveryBlockGoesBackWhereItCameFrom) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own operator new is in use";
#endif
  std::ifstream enabled("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string modes;
  if (!std::getline(enabled, modes) || modes.find("[never]") != std::string::npos)
    GTEST_SKIP() << "this kernel offers no huge pages";
  const std::size_t mb = std::size_t{1} << 20;
  const auto small = std::make_unique<char[]>(64 << 10);
  EXPECT_EQ(MappingAt(small.get()).find("advised"), std::string::npos);
  // Written, a large block is in huge pages, not only advised to be.
  const std::string text(5 * mb, 'x');
  EXPECT_EQ(MappingAt(text.data()), "mapped huge advised");

  // More large blocks at once than the mappings kept track of: the last ones are the
  // allocator's. Not written, they take address space and no memory.
  std::vector<std::unique_ptr<char[]>> blocks(600);
  for (auto& block : blocks) block = std::make_unique_for_overwrite<char[]>(mb);
  const void* first = blocks.front().get();
  EXPECT_EQ(MappingAt(first), "mapped advised");
  EXPECT_EQ(MappingAt(blocks.back().get()), "mapped");
  std::memset(blocks.back().get(), 7, mb);
  blocks.clear();
  EXPECT_EQ(MappingAt(first), "");
  const auto again = std::make_unique_for_overwrite<char[]>(mb);
  EXPECT_EQ(MappingAt(again.get()), "mapped advised");
}

}  // namespace
