// The program's operator new and delete: a block of 1 MB or more, in each way a block is asked
// for, gets a mapping of its own that huge pages back; a small block, or one past the mappings
// kept track of, is the allocator's; and delete gives each back to where it came from.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// What /proc/self/smaps says of the mapping that holds address: its flags and its huge pages.
struct Mapping {
  bool Found = false;
  bool Advised = false;
  long HugeKb = 0;
};

Mapping MappingAt(const void* address) {
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  Mapping mapping;
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    unsigned long from = 0;
    unsigned long to = 0;
    if (std::sscanf(line.c_str(), "%lx-%lx", &from, &to) == 2) {
      if (mapping.Found) break;
      inside = mapping.Found = from <= at && at < to;
    } else if (inside && line.rfind("AnonHugePages:", 0) == 0) {
      mapping.HugeKb = std::stol(line.substr(14));
    } else if (inside && line.rfind("VmFlags:", 0) == 0) {
      mapping.Advised = (line + ' ').find(" hg ") != std::string::npos;
    }
  }
  return mapping;
}

bool HugePagesOffered() {
  std::ifstream enabled("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string modes;
  return std::getline(enabled, modes) && modes.find("[never]") == std::string::npos;
}

TEST(HugePageBlocks, LargeBlocksGetHugePagesInEachFormAndSmallOnesStayWithTheAllocator) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own operator new is in use";
#endif
  if (!HugePagesOffered()) GTEST_SKIP() << "this kernel offers no huge pages";
  const std::size_t large = std::size_t{5} << 20;
  const auto small = std::make_unique<char[]>(std::size_t{64} << 10);
  EXPECT_FALSE(MappingAt(small.get()).Advised);

  const auto array = std::make_unique<char[]>(large);
  std::vector<std::uint64_t> cells;
  cells.reserve((std::size_t{1} << 20) / sizeof(std::uint64_t));
  const std::unique_ptr<char[]> quiet(new (std::nothrow) char[large]);
  std::string text(large, 'x');
  for (const void* block :
       {static_cast<const void*>(array.get()), static_cast<const void*>(cells.data()),
        static_cast<const void*>(quiet.get()), static_cast<const void*>(text.data())}) {
    EXPECT_TRUE(MappingAt(block).Advised);
  }
  // Written from end to end, the block is in huge pages, not only advised to be.
  std::memset(array.get(), 1, large);
  EXPECT_GE(MappingAt(array.get()).HugeKb, 2048);
  EXPECT_EQ(text[large - 1], 'x');
}

TEST(HugePageBlocks, DeleteGivesBackEachMappingAndBlocksPastTheKeptOnesStillWork) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own operator new is in use";
#endif
  // More large blocks at once than the mappings kept track of; they are not written, so they
  // take address space and no memory.
  std::vector<std::unique_ptr<char[]>> blocks;
  blocks.reserve(600);
  for (int i = 0; i < 600; ++i)
    blocks.push_back(std::make_unique_for_overwrite<char[]>(std::size_t{1} << 20));
  const void* first = blocks.front().get();
  EXPECT_TRUE(MappingAt(first).Advised);
  EXPECT_FALSE(MappingAt(blocks.back().get()).Advised);
  blocks.front()[(std::size_t{1} << 20) - 1] = 7;
  blocks.back()[(std::size_t{1} << 20) - 1] = 7;
  blocks.clear();
  EXPECT_FALSE(MappingAt(first).Found);
  // The freed mappings are kept track of no longer: a new block gets one again.
  const auto again = std::make_unique<char[]>(std::size_t{1} << 20);
  EXPECT_TRUE(MappingAt(again.get()).Advised);
}

}  // namespace
