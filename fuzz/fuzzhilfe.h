#pragma once
// What the fuzz targets share: a private temporary directory for the files they write.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace korvelan::fuzz {

// A directory of this process, made once and removed at exit.
inline const std::string& Arbeitsverzeichnis() {
  // The name for the exit handler lives in a plain array: the string is destroyed before it runs.
  static char muster[] = "/tmp/korvelan-fuzz-XXXXXX";
  static const std::string dir = [] {
    if (!::mkdtemp(muster)) std::abort();
    std::atexit([] {
      for (const char* name : {"/eingabe.dat", "/ausgabe.dat"}) ::unlink((std::string(muster) + name).c_str());
      ::rmdir(muster);
    });
    return std::string(muster);
  }();
  return dir;
}

inline std::string Pfad(const char* name) { return Arbeitsverzeichnis() + "/" + name; }

inline void Schreiben(const std::string& pfad, const std::string& inhalt) {
  std::FILE* d = std::fopen(pfad.c_str(), "wb");
  if (!d) std::abort();
  if (!inhalt.empty() && std::fwrite(inhalt.data(), 1, inhalt.size(), d) != inhalt.size()) std::abort();
  std::fclose(d);
}

inline std::string Lesen(const std::string& pfad) {
  std::string inhalt;
  std::FILE* d = std::fopen(pfad.c_str(), "rb");
  if (!d) return inhalt;
  char puffer[65536];
  std::size_t n;
  while ((n = std::fread(puffer, 1, sizeof puffer, d)) > 0) inhalt.append(puffer, n);
  std::fclose(d);
  return inhalt;
}

}  // namespace korvelan::fuzz
