#pragma once
// The directory of the running program (where KELBORIS.DAT, the help file and the other program
// lie), found without any toolkit.
#include <unistd.h>

#include <string>
#include <vector>

namespace korvelan {

inline std::string ProgrammverzeichnisDesProzesses() {
  std::vector<char> puffer(4096);
  ssize_t n = ::readlink("/proc/self/exe", puffer.data(), puffer.size() - 1);
  if (n <= 0) return ".";
  std::string pfad(puffer.data(), static_cast<std::size_t>(n));
  std::size_t schnitt = pfad.rfind('/');
  return schnitt == std::string::npos ? "." : pfad.substr(0, schnitt);
}

}  // namespace korvelan
