// Entry point of stelmar: the headless scans run before anything of Qt exists.
#include <cstdio>
#include <string>
#include <vector>

#include "stelmar/core/headless_scan.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (auto status = stelmar::RunHeadlessScan(args, stdout, stderr)) return *status;
  std::fprintf(stderr, "usage: stelmar -files|-procs|-tokens SOURCE\n");
  return 2;
}
