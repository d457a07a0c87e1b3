// A whole conversion through the command-line road on arbitrary bytes.
//
// Byte 0 chooses the output version (3, 4, 5), whether the data get a valid header of the
// chosen input version in front (so that the readers are reached, not only the analysis), and
// the answer of the SET question; byte 1 chooses the input version and the data kind of that
// header. The rest is the file's content after the header, or the whole file without one.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "context/kontext.h"
#include "control/konvertierlauf.h"
#include "control/parameter.h"
#include "control/skriptfenster.h"
#include "fuzzhilfe.h"
#include "settings/grunddaten.h"

using namespace korvelan;

namespace {

std::string Kopfsatz(int version, char art) {
  std::string kopf;
  switch (version) {
    case 3:
      // Fixed record of 128 characters; the data kind is column 1 of the next record.
      kopf = "V 010199" + std::string("Kopftext eins");
      kopf.resize(128, ' ');
      kopf += "\r\n";
      kopf += art;
      break;
    case 4:
      // Version digits in columns 124-125, currency in 126-128; data kind from line 2.
      kopf = "V 010199" + std::string("Kopftext eins");
      kopf.resize(123, ' ');
      kopf += "04DEM\r\n";
      kopf += art;
      kopf += ';';
      break;
    default:
      kopf = std::string("V;050;") + art + ";20000131;EUR;Info eins;Info zwei;;;;;;;;;\r\n";
      break;
  }
  return kopf;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 2) return 0;
  static const std::string ein = fuzz::Pfad("eingabe.dat");
  static const std::string aus = fuzz::Pfad("ausgabe.dat");
  static const char Arten[] = {'A', 'S', 'R', 'J', 'P', 'T'};
  const int ausgabeversion = 3 + daten[0] % 3;
  const bool mitKopf = (daten[0] / 3) % 2 == 1;
  const bool setBloecke = (daten[0] / 6) % 2 == 1;
  const int eingabeversion = 3 + daten[1] % 3;
  const char art = Arten[(daten[1] / 3) % 6];
  std::string inhalt(reinterpret_cast<const char*>(daten + 2), groesse - 2);
  if (mitKopf) inhalt = Kopfsatz(eingabeversion, art) + inhalt;
  fuzz::Schreiben(ein, inhalt);
  ::unlink(aus.c_str());

  Kontext k;
  StandardwerteAnwenden(k.gd);
  SkriptFenster f;
  f.eingaben.push_back(std::string("DEM"));  // output currency
  f.antworten.push_back(setBloecke ? Antwort::Ja : Antwort::Nein);
  DatumFestlegen("07.12.2026");
  ArbeitszeileZerlegen(k, ein + ";" + aus + ";" + std::string(1, static_cast<char>('0' + ausgabeversion)));
  KommandozeilenLauf(k, f);
  DatumFestlegen("");
  // The input is never changed by a run.
  if (fuzz::Lesen(ein) != inhalt) __builtin_trap();
  return 0;
}
