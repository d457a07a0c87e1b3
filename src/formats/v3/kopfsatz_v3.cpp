#include "formats/v3/kopfsatz_v3.h"

#include "context/zeichentabellen.h"
#include "record/text.h"

namespace korvelan::v3 {

bool HatZeilenende(std::string_view block) {
  return block.substr(0, Satzlaenge).find_first_of("\r\n") != std::string_view::npos;
}

Befund KopfPruefen(Kontext& k, Fenster& f, const std::string& kopf, const std::string& roh) {
  auto& kz = k.kz;
  const std::string info3 = InfotexteInSpalten(kz, f, kopf, roh, 40);
  kz.Infotexte[3] = SpaltenGetrimmt(kopf, 89, 30);
  if (info3.size() > 30) kz.Infotexte[4] = SpaltenGetrimmt(kopf, 119, 10);
  f.SetzeText("Lab_Datum", DatumAusTTMMJJ(Mitte(kopf, 3, 6)));

  auto& datei = kz.EingabeDateiNr;
  std::string satz;
  if (datei.BlockLesen(satz, Blocklaenge) < Blocklaenge || Mitte(satz, 2, 1) == ";") return Befund::Version4;
  // Customer-number and C records come before the data; the data kind is that of the first
  // other record. At the end of the file the block is empty and the kind is "A".
  while (IstKOderC(satz)) datei.BlockLesen(satz, Blocklaenge);
  if (HatZeilenende(satz)) return Befund::Version4;
  ZeichenNachAnsi(satz);
  kz.Datenkennzeichen = DatenkennzeichenAus(satz);

  kz.Eingabeversion = 3;
  kz.Eingabewaehrung.clear();
  f.SetzeText("Lab_Version", "3");
  kz.Analysestatus = 1;
  datei.Schliessen();
  f.SetzeText("Lab_WaehrungKz", "XXX");  // a version-3 file states no currency
  return Befund::Erkannt;
}

std::string Kopfsatz(const Konvertierzustand& kz, const std::string& datum) {
  const auto& info = kz.Infotexte;
  std::string zeile =
      "V " + DatumKurz(datum) + Auffuellen(info[0], 40) + Auffuellen(info[1], 40) + Auffuellen(info[3], 40);
  ZeichenNachOem(zeile, kz.Ausgabeversion);
  return zeile;
}

}  // namespace korvelan::v3
