#pragma once
// Whole conversions for tests: the command-line road of the program through a scripted window,
// with today's date fixed.
#include <string>

#include "control/kontext.h"
#include "control/konvertierlauf.h"
#include "control/parameter.h"
#include "control/skriptfenster.h"
#include "testhilfe.h"

namespace korvelan::test {

inline const char* const Testdatum = "07.12.2026";

// Runs "IN;OUT;VERSION" through the command-line road with the given window.
inline Laufergebnis Kommandozeile(Kontext& k, SkriptFenster& f, const std::string& ein, const std::string& aus,
                                  int version) {
  DatumFestlegen(Testdatum);
  ArbeitszeileZerlegen(k, ein + ";" + aus + ";" + std::to_string(version));
  Laufergebnis e = KommandozeilenLauf(k, f);
  DatumFestlegen("");
  return e;
}

// Converts a file and returns the output's bytes (empty when none was written). The currency
// question, if asked, is answered with "DEM"; the overwrite question with Yes.
inline std::string Konvertieren(const std::string& eingabe, int version, const TempVerzeichnis& v,
                                SkriptFenster* fenster = nullptr, Kontext* kontext = nullptr) {
  Kontext eigener;
  Kontext& k = kontext ? *kontext : eigener;
  SkriptFenster eigenes;
  SkriptFenster& f = fenster ? *fenster : eigenes;
  if (!fenster) f.eingaben.push_back(std::string("DEM"));
  StandardwerteAnwenden(k.gd);
  std::string aus = v.Datei("ausgabe.dat");
  Kommandozeile(k, f, eingabe, aus, version);
  return DateiLesen(aus);
}

}  // namespace korvelan::test
