#pragma once
// Peak resident memory of the benchmark programs, read from Linux's /proc.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace korvelan::bench {

// Peak resident memory of this process since the last reset, in KiB.
inline long SpitzeKiB() {
  std::ifstream s("/proc/self/status");
  std::string zeile;
  while (std::getline(s, zeile))
    if (zeile.compare(0, 6, "VmHWM:") == 0) return std::atol(zeile.c_str() + 6);
  return -1;
}

// Resets the peak to the present resident size ("5" to clear_refs).
inline void SpitzeZuruecksetzen() {
  std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (!f) return;
  std::fputs("5", f);
  std::fclose(f);
}

}  // namespace korvelan::bench
