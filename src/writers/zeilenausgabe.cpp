#include "writers/zeilenausgabe.h"

#include "control/zeichentabellen.h"

namespace korvelan {

void ZeileAusgeben(Kontext& k, bool gezaehlt) {
  ZeichenNachOem(k.kz.Ausgabezeile, k.kz.Ausgabeversion);
  k.kz.AusgabeDateiNr.ZeileSchreiben(k.kz.Ausgabezeile);
  if (gezaehlt) ++k.kz.AusgabeSatzzahl;
}

void ZeileUnveraendertAusgeben(Kontext& k, const std::string& zeile) { k.kz.AusgabeDateiNr.ZeileSchreiben(zeile); }

void LeerfelderKuerzen(std::string& zeile) {
  // Only a line closed by ";" can end in empty fields; cutting any other line would drop its
  // last field.
  if (zeile.size() < 2 || zeile.back() != ';') return;
  std::size_t i = zeile.size() - 1;  // index of the closing ";"
  while (i > 0 && zeile[i - 1] == ';') --i;
  // i is the index of the ";" that follows the last character that is not ";" (or 0).
  zeile.resize(i + 1);
}

}  // namespace korvelan
