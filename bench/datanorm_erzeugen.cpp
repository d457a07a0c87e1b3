// datanorm_erzeugen: writes a large DATANORM test file, deterministic from its options.
//
//   datanorm_erzeugen [--seed N] [--version 3|4|5] [--art A|S|R|J|P] [--groesse 200M] [--artikel N] DATEI
//
// --groesse takes bytes with an optional K, M or G (powers of 1024); without --groesse and
// --artikel the file has 1 MB. The same options always give the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "erzeuger.h"

namespace {

bool ZahlLesen(const char* text, std::uint64_t& wert, bool mitEinheit) {
  std::uint64_t v = 0;
  const char* p = text;
  if (*p < '0' || *p > '9') return false;
  while (*p >= '0' && *p <= '9') v = v * 10 + static_cast<std::uint64_t>(*p++ - '0');
  if (mitEinheit && *p) {
    switch (*p++) {
      case 'k': case 'K': v <<= 10; break;
      case 'm': case 'M': v <<= 20; break;
      case 'g': case 'G': v <<= 30; break;
      default: return false;
    }
  }
  if (*p) return false;
  wert = v;
  return true;
}

int Falsch(const char* text) {
  std::fprintf(stderr,
               "datanorm_erzeugen: %s\n"
               "Aufruf: datanorm_erzeugen [--seed N] [--version 3|4|5] [--art A|S|R|J|P] [--groesse 200M] "
               "[--artikel N] DATEI\n",
               text);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  korvelan::bench::Erzeugerauftrag auftrag;
  std::string datei;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* wert = i + 1 < argc ? argv[i + 1] : nullptr;
    std::uint64_t v = 0;
    if (a == "--seed") {
      if (!wert || !ZahlLesen(wert, auftrag.seed, false)) return Falsch("--seed verlangt eine Zahl");
      ++i;
    } else if (a == "--version") {
      if (!wert || !ZahlLesen(wert, v, false) || v < 3 || v > 5) return Falsch("--version verlangt 3, 4 oder 5");
      auftrag.version = static_cast<int>(v);
      ++i;
    } else if (a == "--art") {
      if (!wert || std::strlen(wert) != 1 || !std::strchr("ASRJP", wert[0]))
        return Falsch("--art verlangt A, S, R, J oder P");
      auftrag.datenkennzeichen = wert[0];
      ++i;
    } else if (a == "--groesse") {
      if (!wert || !ZahlLesen(wert, auftrag.zielbytes, true)) return Falsch("--groesse verlangt eine Größe wie 200M");
      ++i;
    } else if (a == "--artikel") {
      if (!wert || !ZahlLesen(wert, auftrag.artikel, false)) return Falsch("--artikel verlangt eine Zahl");
      ++i;
    } else if (a.size() > 1 && a[0] == '-') {
      return Falsch(("unbekannte Option " + a).c_str());
    } else if (datei.empty()) {
      datei = a;
    } else {
      return Falsch("nur eine Ausgabedatei angeben");
    }
  }
  if (datei.empty()) return Falsch("Ausgabedatei fehlt");
  if (!auftrag.zielbytes && !auftrag.artikel) auftrag.zielbytes = 1 << 20;
  korvelan::bench::Erzeugerergebnis e;
  if (!korvelan::bench::DateiErzeugen(datei, auftrag, e)) {
    std::perror(datei.c_str());
    return 1;
  }
  std::printf("%s: %llu Bytes, %llu Zeilen, %llu Einheiten (Version %d, Art %c, Seed %llu)\n", datei.c_str(),
              static_cast<unsigned long long>(e.bytes), static_cast<unsigned long long>(e.zeilen),
              static_cast<unsigned long long>(e.artikel), auftrag.version, auftrag.datenkennzeichen,
              static_cast<unsigned long long>(auftrag.seed));
  return 0;
}
