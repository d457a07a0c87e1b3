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
  if (zeile.size() < 2) return;
  std::size_t i = zeile.size() - 1;  // 1 after the second-to-last character (0-based size-2)
  while (i > 0 && zeile[i - 1] == ';') --i;
  // i is the index just after the last non-";" character (or 0).
  // Cut just after the character that follows it (the ";" closing the last filled field).
  zeile.resize(i + 1);
}

}  // namespace korvelan
