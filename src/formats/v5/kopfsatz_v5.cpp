#include "formats/v5/kopfsatz_v5.h"

#include <array>

#include "context/zeichentabellen.h"
#include "formats/zeilenausgabe.h"
#include "record/feldholen.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan::v5 {

Befund KopfPruefen(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  auto& datei = kz.EingabeDateiNr;
  std::string kopf, roh;
  if (!ErsteZeileLesen(datei, kz, kopf, roh)) return Befund::NichtErkannt;
  // Filled like every ";"-separated line, so that a last field without its ";" is whole.
  kopf += FuellungSemikolon;
  roh += FuellungSemikolon;
  int cursor = 1;
  std::int16_t status = 0;
  auto feld = [&](int breite) { return Rechtstrimmen(FeldHolen(kopf, cursor, breite, status)); };

  if (Gross(feld(1)) != "V") return Befund::NichtErkannt;
  Festkomma version = FeldHolenZahl(kopf, cursor, 3, status);
  kz.Versionskennung = static_cast<std::int32_t>(Runden(version));
  if (version < 50 * FestkommaEins || version > 59 * FestkommaEins) return Befund::NichtErkannt;

  std::string art = feld(1);
  if (art == "S" || art == "R" || art == "J" || art == "P" || art == "T" || art == "A") {
    kz.Datenkennzeichen = art;
  } else if (art == "O" || art == "0") {
    kz.Datenkennzeichen = "O";
  } else {
    auto antwort = f.Eingabe(Ansi("Es kann sich um eine DATANORM Vers.5 Datei mit falschem Datenkennzeichen handeln") +
                                 "\n\nGeben Sie das richtige Datenkennzeichen ein",
                             "", "");
    std::string neu = Gross(antwort.value_or(""));
    if (!(neu == "A" || neu == "S" || neu == "R" || neu == "J" || neu == "P" || neu == "T"))
      return Befund::NichtErkannt;
    kz.Datenkennzeichen = neu;
  }

  std::string datum = feld(8);
  f.SetzeText("Lab_Datum", Datumsteil(Mitte(datum, 7, 2), "00") + "." + Datumsteil(Mitte(datum, 5, 2), "00") + "." +
                               Datumsteil(Mitte(datum, 1, 4), "0000"));
  kz.Eingabewaehrung = Gross(feld(3));
  f.SetzeText("Lab_WaehrungKz", kz.Eingabewaehrung);

  static constexpr int Breiten[10] = {40, 40, 13, 30, 30, 30, 30, 3, 9, 30};
  // The texts shown are taken from the line as read, field by field at the same places (the
  // conversion changes no ";").
  int rohCursor = cursor;
  std::array<std::string, 10> t;
  for (int i = 0; i < 10; ++i) {
    kz.Infotexte[i] = feld(Breiten[i]);
    t[i] = AnzeigeText(FeldHolen(roh, rohCursor, Breiten[i], status));
  }
  f.SetzeText("Tex_Info1", t[0]);
  f.SetzeText("Tex_Info2", t[1]);
  f.SetzeText("Tex_Info3", t[2] + "\r\n" + t[3] + "\r\n" + t[4] + "\r\n" + t[5] + "\r\n" + t[6] + "\r\n" + t[7] + "-" +
                               t[8] + "  " + t[9] + "\r\n");

  // A header and a single record make a valid file: only a missing second line fails.
  std::string zeile;
  if (!datei.ZeileLesen(zeile)) return Befund::NichtErkannt;
  ZeichenNachAnsi(zeile);
  if (Mitte(zeile, 2, 1) != ";") return Befund::NichtErkannt;

  kz.Eingabeversion = 5;
  f.SetzeText("Lab_Version", "5");
  kz.Analysestatus = 1;
  datei.Schliessen();
  return Befund::Erkannt;
}

std::string Kopfsatz(const Konvertierzustand& kz, const std::string& datum, const std::string& waehrung) {
  static const int Breiten[10] = {40, 40, 13, 30, 30, 30, 30, 30, 30, 30};
  std::string zeile = "V;050;" + kz.Datenkennzeichen + ";" + DatumLang(datum) + ";" + Auffuellen(waehrung, 3) + ";";
  for (int i = 0; i < 10; ++i) zeile += Kuerzen(kz.Infotexte[i], Breiten[i]) + ";";
  ZeichenNachOem(zeile, kz.Ausgabeversion);
  LeerfelderKuerzen(zeile);
  return zeile;
}

std::string Endesatz(const Konvertierzustand& kz, const std::string& eingabeversion, const std::string& datum) {
  const std::string n = FormatierenGanz(kz.AusgabeSatzzahl + 1, "#######0");
  std::string zeile = "E;" + n + ";";
  if (kz.Fehlerzahl != 0)
    zeile += "aus Vers." + eingabeversion + " konvertiert, " + datum + ", " +
             FormatierenGanz(kz.Fehlerzahl, "#####0") + " Konvertierfehler;";
  else
    zeile += "aus Vers." + eingabeversion + " konvertiert, " + datum + ";";
  ZeichenNachOem(zeile, kz.Ausgabeversion);
  return zeile;
}

}  // namespace korvelan::v5
