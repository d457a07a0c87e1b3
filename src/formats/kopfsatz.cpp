#include "formats/kopfsatz.h"

#include "context/datum.h"
#include "context/zeichentabellen.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan {

std::string Spalten(std::string_view z, std::size_t von, std::size_t laenge) {
  return std::string(Mitte(z, von, laenge));
}

std::string SpaltenGetrimmt(std::string_view z, std::size_t von, std::size_t laenge) {
  return Rechtstrimmen(Mitte(z, von, laenge));
}

std::string AnzeigeText(std::string_view roh) { return Rechtstrimmen(DateitextNachAnsi(roh)); }
std::string AnzeigeSpalten(std::string_view roh, std::size_t von, std::size_t laenge) {
  return AnzeigeText(Mitte(roh, von, laenge));
}

bool IstKOderC(std::string_view zeile) {
  std::string_view s = Mitte(zeile, 1, 1);
  return s == "K" || s == "C";
}

std::string DatenkennzeichenAus(std::string_view zeile) {
  std::string s(Mitte(zeile, 1, 1));
  return (s == "S" || s == "R" || s == "J" || s == "P") ? s : "A";
}

std::string Datumsteil(std::string_view teil, std::string_view muster) {
  std::string t = Trimmen(teil);
  if (!IstNumerisch(t)) return std::string(teil);
  return FormatierenGanz(Runden(Val(t)), muster);
}

std::string DatumAusTTMMJJ(std::string_view ttmmjj) {
  if (IstLeer(ttmmjj)) return HeutigesDatum();
  std::string jj(Mitte(ttmmjj, 5, 2));
  std::string jahrhundert = IstNumerisch(jj) && Runden(Val(jj)) < 60 ? "20" : "19";
  return Datumsteil(Mitte(ttmmjj, 1, 2), "00") + "." + Datumsteil(Mitte(ttmmjj, 3, 2), "00") + "." + jahrhundert +
         Datumsteil(jj, "00");
}

std::string DatumKurz(const std::string& d) {
  return std::string(Mitte(d, 1, 2)) + std::string(Mitte(d, 4, 2)) + std::string(Mitte(d, 9, 2));
}
std::string DatumLang(const std::string& d) {
  return std::string(Mitte(d, 7, 4)) + std::string(Mitte(d, 4, 2)) + std::string(Mitte(d, 1, 2));
}

void InfotexteLeeren(Konvertierzustand& kz) {
  for (auto& t : kz.Infotexte) t.clear();
}

std::string InfotexteInSpalten(Konvertierzustand& kz, Fenster& f, std::string_view kopf, std::string_view roh,
                               std::size_t breite3) {
  kz.Infotexte[0] = SpaltenGetrimmt(kopf, 9, 40);
  kz.Infotexte[1] = SpaltenGetrimmt(kopf, 49, 40);
  f.SetzeText("Tex_Info1", AnzeigeSpalten(roh, 9, 40));
  f.SetzeText("Tex_Info2", AnzeigeSpalten(roh, 49, 40));
  f.SetzeText("Tex_Info3", AnzeigeSpalten(roh, 89, breite3));
  return SpaltenGetrimmt(kopf, 89, breite3);
}

bool ErsteZeileLesen(Eingabedatei& datei, Konvertierzustand& kz, std::string& zeile, std::string& roh) {
  InfotexteLeeren(kz);
  datei.Schliessen();
  if (!datei.Oeffnen(kz.Eingabedateiname) || datei.AmEnde()) return false;
  kz.Eingabezeichensatz = ZeichensatzName(datei.ErkannterZeichensatz());
  datei.ZeileLesen(roh);
  if (datei.AmEnde()) return false;
  zeile = roh;
  ZeichenNachAnsi(zeile);
  return true;
}

}  // namespace korvelan
