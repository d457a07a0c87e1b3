// The settings-file reader on arbitrary text, followed by what uses the tables it fills: the
// defaults, the file text, the rate lookup and the unit mapping of both directions.
#include <cstddef>
#include <cstdint>

#include "context/kontext.h"
#include "control/satzpruefung.h"
#include "settings/grunddaten.h"

using namespace korvelan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  const std::string inhalt(reinterpret_cast<const char*>(daten), groesse);
  Kontext k;
  GrunddatenLesen(k.gd, inhalt);
  StandardwerteAnwenden(k.gd);
  const std::string text = GrunddatenText(k.gd);
  Grunddaten wieder;
  GrunddatenLesen(wieder, text);
  (void)KursSuchen(k.gd, "DEM");
  (void)KursSuchen(k.gd, inhalt.substr(0, 5));
  // Unit mapping with the tables read: units taken from the text's first bytes.
  for (const char* version : {"5", "4", "3"}) {
    k.lauf.VersionenSetzen("", version);
    for (std::size_t start : {std::size_t(0), groesse / 2}) {
      k.ns.Mengeneinheit = inhalt.substr(start < groesse ? start : 0, 4);
      EinheitUmsetzen(k);
    }
  }
  return 0;
}
