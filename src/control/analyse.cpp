#include "control/analyse.h"

#include <array>
#include <string_view>

#include "context/dateien.h"
#include "control/konvertierlauf.h"
#include "context/zeichentabellen.h"
#include "record/feldholen.h"
#include "record/festkomma.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"

namespace korvelan {

namespace {

// Version 3 is read in blocks of one record: 128 characters and CR LF.
constexpr std::size_t Blocklaenge = 130;
constexpr std::size_t Satzlaenge = 128;

// Where the analysis goes next.
enum class Befund { Erkannt, Version4, Version5, NichtErkannt };

std::string Spalten(std::string_view z, std::size_t von, std::size_t laenge) {
  return std::string(Mitte(z, von, laenge));
}

std::string SpaltenGetrimmt(std::string_view z, std::size_t von, std::size_t laenge) {
  return Rechtstrimmen(Mitte(z, von, laenge));
}

// A header text as the window shows it: taken from the line as read and converted with the whole
// file code page, so that every letter appears as it is meant. (The stored Infotexte take the
// fixed table of ZeichenNachAnsi, which the output header reverses.)
std::string AnzeigeText(std::string_view roh) { return Rechtstrimmen(DateitextNachAnsi(roh)); }
std::string AnzeigeSpalten(std::string_view roh, std::size_t von, std::size_t laenge) {
  return AnzeigeText(Mitte(roh, von, laenge));
}

bool HatZeilenende(std::string_view block) {
  return block.substr(0, Satzlaenge).find_first_of("\r\n") != std::string_view::npos;
}

bool IstKOderC(std::string_view zeile) {
  std::string_view s = Mitte(zeile, 1, 1);
  return s == "K" || s == "C";
}

// Data kind of the first data record of a version 3 or 4 file.
std::string DatenkennzeichenAus(std::string_view zeile) {
  std::string s(Mitte(zeile, 1, 1));
  return (s == "S" || s == "R" || s == "J" || s == "P") ? s : "A";
}

// A piece of a date, shown with leading zeros when it is a number and as it is otherwise.
std::string Datumsteil(std::string_view teil, std::string_view muster) {
  std::string t = Trimmen(teil);
  if (!IstNumerisch(t)) return std::string(teil);
  return FormatierenGanz(Runden(Val(t)), muster);
}

// Header date DDMMYY (columns 3-8 of versions 3 and 4) as "DD.MM.YYYY"; two-digit years below 60
// are 20xx, the others 19xx. A blank date is today's.
std::string DatumAusTTMMJJ(std::string_view ttmmjj) {
  if (IstLeer(ttmmjj)) return HeutigesDatum();
  std::string jj(Mitte(ttmmjj, 5, 2));
  std::string jahrhundert = IstNumerisch(jj) && Runden(Val(jj)) < 60 ? "20" : "19";
  return Datumsteil(Mitte(ttmmjj, 1, 2), "00") + "." + Datumsteil(Mitte(ttmmjj, 3, 2), "00") + "." + jahrhundert +
         Datumsteil(jj, "00");
}

void InfotexteLeeren(Konvertierzustand& kz) {
  for (auto& t : kz.Infotexte) t.clear();
}

// Opens the file again from its start and reads its first line as read (roh) and converted with
// ZeichenNachAnsi (zeile). A file of one line only is not a DATANORM file in any version.
bool ErsteZeileLesen(Eingabedatei& datei, Konvertierzustand& kz, std::string& zeile, std::string& roh) {
  datei.Schliessen();
  if (!datei.Oeffnen(kz.Eingabedateiname) || datei.AmEnde()) return false;
  kz.Eingabezeichensatz = ZeichensatzName(datei.ErkannterZeichensatz());
  datei.ZeileLesen(roh);
  if (datei.AmEnde()) return false;
  zeile = roh;
  ZeichenNachAnsi(zeile);
  return true;
}

// The fixed-record candidate; the first block has passed the first look. kopf is converted, roh
// as read.
Befund Version3Pruefen(Kontext& k, Fenster& f, const std::string& kopf, const std::string& roh) {
  auto& kz = k.kz;
  kz.Infotexte[0] = SpaltenGetrimmt(kopf, 9, 40);
  kz.Infotexte[1] = SpaltenGetrimmt(kopf, 49, 40);
  f.SetzeText("Tex_Info1", AnzeigeSpalten(roh, 9, 40));
  f.SetzeText("Tex_Info2", AnzeigeSpalten(roh, 49, 40));
  std::string info3 = SpaltenGetrimmt(kopf, 89, 40);
  f.SetzeText("Tex_Info3", AnzeigeSpalten(roh, 89, 40));
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

// Line-separated file with a fixed-column header.
Befund Version4Pruefen(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  auto& datei = kz.EingabeDateiNr;
  InfotexteLeeren(kz);
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
  kz.Infotexte[0] = SpaltenGetrimmt(kopf, 9, 40);
  kz.Infotexte[1] = SpaltenGetrimmt(kopf, 49, 40);
  f.SetzeText("Tex_Info1", AnzeigeSpalten(roh, 9, 40));
  f.SetzeText("Tex_Info2", AnzeigeSpalten(roh, 49, 40));
  std::string info3 = SpaltenGetrimmt(kopf, 89, 35);
  f.SetzeText("Tex_Info3", AnzeigeSpalten(roh, 89, 35));
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

// ";"-separated header.
Befund Version5Pruefen(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  auto& datei = kz.EingabeDateiNr;
  InfotexteLeeren(kz);
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

void NichtErkanntMelden(Kontext& k, Fenster& f) {
  for (const char* name :
       {"Tex_Info1", "Tex_Info2", "Tex_Info3", "Lab_WaehrungKz", "Lab_Version", "Lab_Datum", "Lab_Datum1"})
    f.SetzeText(name, "");
  f.WaehrungslisteLeeren();
  k.kz.Eingabeversion = 0;
  k.kz.Analysestatus = 0;
  k.kz.EingabeDateiNr.Schliessen();
}

// The first look at the first 130 characters decides where the tests begin.
Befund ErsterBlick(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  auto& datei = kz.EingabeDateiNr;
  std::string block;
  // A file shorter than one version-3 record can only be a line-separated file.
  if (datei.BlockLesen(block, Blocklaenge) < Blocklaenge) return Befund::Version4;
  if (HatZeilenende(block)) return Befund::Version5;
  const std::string roh = block;
  ZeichenNachAnsi(block);
  if (Gross(Mitte(block, 1, 1)) != "V") return Befund::NichtErkannt;
  if (Mitte(block, 2, 1) != " ") return Befund::Version5;
  if (!IstNumerisch(Mitte(block, 3, 6))) return Befund::Version4;
  return Version3Pruefen(k, f, block, roh);
}

}  // namespace

void EingabeAnalysieren(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  InfotexteLeeren(kz);
  for (const char* name : {"Tex_Info1", "Tex_Info2", "Tex_Info3", "Lab_Version"}) f.SetzeText(name, "");
  kz.Eingabezeichensatz.clear();
  kz.Eingabeversion = 0;
  kz.Analysestatus = 0;
  if (!DateiVorhanden(kz.Eingabedateiname)) {
    NichtErkanntMelden(k, f);
    return;
  }
  f.SetzeText("Tex_Eingabe", kz.Eingabedateiname);
  f.SetzeText("Lab_Hilfe", "");

  auto& datei = kz.EingabeDateiNr;
  Befund befund = Befund::NichtErkannt;
  try {
    if (!datei.Oeffnen(kz.Eingabedateiname)) {
      NichtErkanntMelden(k, f);
      return;
    }
    kz.Eingabezeichensatz = ZeichensatzName(datei.ErkannterZeichensatz());
    if (datei.AmEnde()) {
      kz.Analysestatus = 9;
      datei.Schliessen();
      return;
    }
    befund = ErsterBlick(k, f);
    if (befund == Befund::Version4) befund = Version4Pruefen(k, f);
    if (befund == Befund::Version5) befund = Version5Pruefen(k, f);
  } catch (const Laufzeitfehler&) {
    // A file that cannot be read to its header's end is not recognised.
    befund = Befund::NichtErkannt;
  }
  if (befund != Befund::Erkannt) NichtErkanntMelden(k, f);
  datei.Schliessen();
}

}  // namespace korvelan
