#include "app/Startup.h"

int main(int argc, char** argv) {
  return taskwell::RunTaskwell(argc, argv);
}
