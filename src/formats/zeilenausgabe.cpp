#include "formats/zeilenausgabe.h"

#include "context/zeichentabellen.h"
#include "record/bytebloecke.h"

namespace korvelan {

void ZeileAusgeben(Kontext& k, bool gezaehlt) {
  // The line holds file text in the file's code: on the way into the file's block only its line
  // ends (and zero bytes outside version 3) become blanks. The line is read once.
  const Zeilenpuffer& z = k.kz.Ausgabezeile;
  DateitextKopieren(k.kz.AusgabeDateiNr.ZeilePlatz(z.size()), z.data(), z.size(), k.kz.Ausgabeversion);
  k.kz.AusgabeDateiNr.ZeileFertig(z.size());
  if (gezaehlt) ++k.kz.AusgabeSatzzahl;
}

void ZeileUnveraendertAusgeben(Kontext& k, std::string_view zeile) { k.kz.AusgabeDateiNr.ZeileSchreiben(zeile); }

void FeldAnfuegenNachWachsen(Zeilenpuffer& zeile, std::string_view text) {
  zeile.reserve(zeile.size() + text.size() + 1);
  FeldAnfuegen(zeile, text);
}

void LangesFeldAnfuegen(Zeilenpuffer& zeile, std::string_view text) {
  char* p = zeile.data() + zeile.size();
  const std::size_t n = text.size();
  // Each block is compared with ";" as it passes (see FeldtextSchreiben).
  Byteblock treffer{};
  for (std::size_t i = 0; i + 16 < n; i += 16) {
    const Byteblock b = BlockLaden(text.data() + i);
    BlockSpeichern(p + i, b);
    treffer |= b == BlockAus(';');
  }
  const Byteblock b = BlockLaden(text.data() + n - 16);
  BlockSpeichern(p + n - 16, b);
  if (Trefferbits(treffer | (b == BlockAus(';'))) != 0) SemikolonsErsetzen(p, n);
  p[n] = ';';
  zeile.Vorruecken(n + 1);
}

}  // namespace korvelan
