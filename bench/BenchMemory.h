// The resident memory of the benchmark process, for the programs that check it stays flat.
#pragma once

#include <fstream>
#include <string>

inline long QelResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}
