// The input analysis on arbitrary bytes: the file is what the fuzzer gives.
#include <cstddef>
#include <cstdint>

#include "context/kontext.h"
#include "control/analyse.h"
#include "control/skriptfenster.h"
#include "fuzzhilfe.h"

using namespace korvelan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  static const std::string datei = fuzz::Pfad("eingabe.dat");
  const std::string inhalt(reinterpret_cast<const char*>(daten), groesse);
  fuzz::Schreiben(datei, inhalt);
  Kontext k;
  SkriptFenster f;
  // The data-kind question of a version-5 header: one answer from the input's last byte.
  if (groesse > 0) f.eingaben.push_back(std::string(1, static_cast<char>(daten[groesse - 1])));
  k.kz.Eingabedateiname = datei;
  EingabeAnalysieren(k, f);
  if (k.kz.Analysestatus != 0 && k.kz.Analysestatus != 1 && k.kz.Analysestatus != 9) __builtin_trap();
  // The analysis never changes its input.
  if (fuzz::Lesen(datei) != inhalt) __builtin_trap();
  return 0;
}
