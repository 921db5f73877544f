#include <malloc.h>

#include "app/Startup.h"

int main(int argc, char** argv) {
#ifdef M_MMAP_THRESHOLD
  // A large list's blocks (its text, its cells, a sort's order) come and go whole. Left to itself
  // the allocator raises its threshold for mapping blocks to the largest one freed, and then
  // keeps blocks of up to 32 MB in its heap after they are freed, where the next peak adds to
  // them: at a million tasks, 14 MB more at the peak of an edit, sort and save.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
  return taskwell::RunTaskwell(argc, argv);
}
