#pragma once
// Whole conversions for tests: the command-line road of the program through a scripted window,
// with today's date fixed.
#include <string>
#include <vector>

#include "context/kontext.h"
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

// The lines of an output, without their CR LF.
inline std::vector<std::string> AusgabeZeilen(const std::string& text) {
  std::vector<std::string> zeilen;
  std::size_t a = 0;
  for (std::size_t e; (e = text.find("\r\n", a)) != std::string::npos; a = e + 2) zeilen.push_back(text.substr(a, e - a));
  if (a < text.size()) zeilen.push_back(text.substr(a));
  return zeilen;
}

// The entry lines of an error log (everything after the header's empty line).
inline std::vector<std::string> Protokolleintraege(const std::string& protokoll) {
  std::vector<std::string> e;
  std::size_t start = protokoll.find("\r\n\r\n");
  if (start == std::string::npos) return e;
  start += 4;
  for (std::size_t ende; (ende = protokoll.find("\r\n", start)) != std::string::npos; start = ende + 2)
    e.push_back(protokoll.substr(start, ende - start));
  return e;
}

}  // namespace korvelan::test
