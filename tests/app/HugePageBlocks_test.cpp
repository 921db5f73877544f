// The program's operator new and delete: a block of 1 MB or more gets a mapping of its own that
// huge pages back, a small one or one past the mappings kept track of is the allocator's, and
// delete gives each back where it came from.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Mapping {
  bool Found = false;
  bool Advised = false;
  long HugeKb = 0;
};

// What /proc/self/smaps says of the mapping that holds address.
Mapping MappingAt(const void* address) {
  const auto at = reinterpret_cast<unsigned long>(address);
  std::ifstream smaps("/proc/self/smaps");
  Mapping mapping;
  for (std::string line; std::getline(smaps, line);) {
    unsigned long from = 0;
    unsigned long to = 0;
    if (std::sscanf(line.c_str(), "%lx-%lx", &from, &to) == 2) {
      if (mapping.Found) break;
      mapping.Found = from <= at && at < to;
    } else if (mapping.Found && line.rfind("AnonHugePages:", 0) == 0) {
      mapping.HugeKb = std::stol(line.substr(14));
    } else if (mapping.Found && line.rfind("VmFlags:", 0) == 0) {
      mapping.Advised = (line + ' ').find(" hg ") != std::string::npos;
    }
  }
  return mapping;
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
  EXPECT_FALSE(MappingAt(small.get()).Advised);
  std::vector<std::uint64_t> cells;
  cells.reserve(mb / sizeof(std::uint64_t));
  const std::string text(5 * mb, 'x');
  EXPECT_TRUE(MappingAt(cells.data()).Advised);
  EXPECT_TRUE(MappingAt(text.data()).Advised);
  // Written, the block is in huge pages, not only advised to be.
  EXPECT_GE(MappingAt(text.data()).HugeKb, 2048);

  // More large blocks at once than the mappings kept track of: the last ones are the
  // allocator's. Not written, they take address space and no memory.
  std::vector<std::unique_ptr<char[]>> blocks;
  blocks.reserve(600);
  for (int i = 0; i < 600; ++i) blocks.push_back(std::make_unique_for_overwrite<char[]>(mb));
  const void* first = blocks.front().get();
  EXPECT_TRUE(MappingAt(first).Advised);
  EXPECT_FALSE(MappingAt(blocks.back().get()).Advised);
  std::memset(blocks.back().get(), 7, mb);
  blocks.clear();
  EXPECT_FALSE(MappingAt(first).Found);
  const auto again = std::make_unique_for_overwrite<char[]>(mb);
  EXPECT_TRUE(MappingAt(again.get()).Advised);
}

}  // namespace
