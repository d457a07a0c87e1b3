#include "formats/v4/kopfsatz_v4.h"

#include "context/zeichentabellen.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan::v4 {

Befund KopfPruefen(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  auto& datei = kz.EingabeDateiNr;
  std::string kopf, roh;
  if (!ErsteZeileLesen(datei, kz, kopf, roh)) return Befund::NichtErkannt;
  if (Gross(Mitte(kopf, 1, 1)) != "V") return Befund::NichtErkannt;
  if (Mitte(kopf, 2, 1) == ";") return Befund::Version5;
  std::string datum = Spalten(kopf, 3, 6);
  if (!IstNumerisch(datum) && !IstLeer(datum)) return Befund::Version5;

  f.SetzeText("Lab_Datum", DatumAusTTMMJJ(datum));
  kz.Eingabewaehrung.clear();
  // The version digits of the header; "05" gives 5 although the layout is that of version 4.
  kz.Eingabeversion = static_cast<std::int16_t>(Runden(Val(Mitte(kopf, 124, 2))));
  std::string info3 = InfotexteInSpalten(kz, f, kopf, roh, 35);
  if (info3.size() > 30) kz.Infotexte[4] = SpaltenGetrimmt(kopf, 119, 5);
  kz.Infotexte[3] = info3;
  f.SetzeText("Lab_WaehrungKz", Spalten(kopf, 126, 3));
  f.SetzeText("Lab_Version", "4");
  kz.Analysestatus = 1;

  // A header and a single record make a valid file: only a missing second line fails.
  std::string zeile;
  if (!datei.ZeileLesen(zeile)) return Befund::NichtErkannt;
  ZeichenNachAnsi(zeile);
  if (Mitte(zeile, 2, 1) != ";") return Befund::NichtErkannt;
  // Customer-number and C lines (K;;018988; ;  C;;TERMIN-1;...) come before the data.
  while (IstKOderC(zeile)) {
    if (!datei.ZeileLesen(zeile)) break;  // nothing else follows: the kind is "A"
    ZeichenNachAnsi(zeile);
  }
  kz.Datenkennzeichen = IstKOderC(zeile) ? "A" : DatenkennzeichenAus(zeile);
  datei.Schliessen();
  return Befund::Erkannt;
}

std::string Kopfsatz(const Konvertierzustand& kz, const std::string& datum, const std::string& waehrung) {
  const auto& info = kz.Infotexte;
  std::string zeile =
      "V " + DatumKurz(datum) + Auffuellen(info[0], 40) + Auffuellen(info[1], 40) + Auffuellen(info[3], 35);
  ZeichenNachOem(zeile, kz.Ausgabeversion);
  return Auffuellen(zeile, 123) + "04" + Auffuellen(waehrung, 3);
}

}  // namespace korvelan::v4
