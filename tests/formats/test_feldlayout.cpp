// The field layouts against their readers: for the lines of the test files and of the real files,
// every field the layout shows as a number has the value the reader puts into the record (and the
// date of a version-4 date line the date it holds). A layout that drifts from its reader (a field
// moved, a wrong scale) fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "control/analyse.h"
#include "control/skriptfenster.h"
#include "formats/feldlayout.h"
#include "formats/v3/leser_v3.h"
#include "formats/v4/leser_v4.h"
#include "formats/v5/leser_v5.h"
#include "record/text.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using feldlayout::Zerlegung;

namespace {

// The value the reader gave a field shown as a number; nothing where the record holds none for
// this line (a field the reader does not take from such a line). `zeile`: the row of the line's
// table entry the field belongs to; `nr`: the how-manieth field of that label in the line (1-based).
using Wertholer = std::function<std::optional<Festkomma>(const Neutralsatz&, int zeile, int nr, Festkomma gezeigt)>;

std::optional<Festkomma> Zahltext(const std::string& s, std::int64_t teiler = 1) {
  if (s.empty() || s == KeineAngabe) return std::nullopt;
  return Teilen(Val(s), teiler);
}
Festkomma Ganz(std::int64_t n) { return n * FestkommaEins; }

// Table rows of the two records that fill them from one line.
const Staffelzeile& Staffel(const Neutralsatz& ns) { return ns.Staffeltabelle[0]; }

// A value of the line's scale row, or of the record.
template <typename F>
Wertholer AusStaffel(F feld) {
  return [feld](const Neutralsatz& ns, int, int, Festkomma) { return std::optional<Festkomma>(feld(Staffel(ns))); };
}
template <typename F>
Wertholer AusSatz(F feld) {
  return [feld](const Neutralsatz& ns, int, int, Festkomma) { return std::optional<Festkomma>(feld(ns)); };
}

// The two factors of a raw-material line: from/to, calculation.
Wertholer VonBisFaktoren() {
  return [](const Neutralsatz& ns, int, int nr, Festkomma) {
    return std::optional(nr == 1 ? Staffel(ns).RohVBFaktor : Staffel(ns).RohVBWert6);
  };
}
Wertholer BerechnungsFaktoren() {
  return [](const Neutralsatz& ns, int, int nr, Festkomma) {
    return std::optional(nr == 1 ? Staffel(ns).RohstoffFaktor : Staffel(ns).RohstoffWert4);
  };
}

// Material and labour lines read into the same record fields in versions 4 and 5.
void ZusatzdatenHoler(std::map<std::string, Wertholer>& holer) {
  holer["C|Werkstoffsatz|Werkstoffwert"] = [](const Neutralsatz& ns, int, int nr, Festkomma) {
    return std::optional(nr == 1 ? ns.WerkstoffWert1 : nr == 2 ? ns.WerkstoffWert2 : nr == 3 ? ns.WerkstoffWert3 : ns.WerkstoffWert4);
  };
  holer["C|Werkstoffsatz|Werkstoffkennzeichen"] = AusSatz([](const Neutralsatz& ns) { return Ganz(ns.WerkstoffKz); });
  holer["C|Arbeitssatz|Arbeitskennzeichen"] = [](const Neutralsatz& ns, int, int nr, Festkomma) {
    return std::optional(Ganz(nr == 1 ? ns.ArbeitKz1 : ns.ArbeitKz2));
  };
  holer["C|Arbeitssatz|Arbeitswert"] = AusSatz([](const Neutralsatz& ns) { return ns.ArbeitWert; });
}

std::map<std::string, Wertholer> HolerV3() {
  return {
      {"A||Preis", [](const Neutralsatz& ns, int, int, Festkomma) { return Zahltext(ns.Preis, 100); }},
      {"B||Kupfer-Basispreis",
       [](const Neutralsatz& ns, int, int, Festkomma) -> std::optional<Festkomma> {
         if (Staffel(ns).StaffelArt != 3) return std::nullopt;  // no copper data on this line
         return Staffel(ns).RohstoffBasis;
       }},
      {"B||Cu-Gewicht",
       [](const Neutralsatz& ns, int, int, Festkomma) -> std::optional<Festkomma> {
         if (Staffel(ns).StaffelArt != 3) return std::nullopt;
         return Staffel(ns).RohstoffGewicht;
       }},
      {"R||Rabatt", [](const Neutralsatz& ns, int, int, Festkomma) { return std::optional(ns.Rabatt); }},
      {"R||Multi", [](const Neutralsatz& ns, int, int, Festkomma) { return std::optional(ns.Rabatt); }},
      {"J||Menge", [](const Neutralsatz& ns, int z, int, Festkomma) { return std::optional(ns.SetTabelle[z].SetMenge); }},
      {"P||Preis", [](const Neutralsatz& ns, int z, int, Festkomma) { return std::optional(ns.Preistabelle[z].PPreis); }},
  };
}

std::map<std::string, Wertholer> HolerV4() {
  const std::string mk1 = "Z|Staffelpreissatz, Bearb.Mk.1|", mk2 = "Z|Staffelpreissatz, Bearb.Mk.2|",
                    mk3 = "Z|Rohstoffsatz Von/Bis, Bearb.Mk.3|", mk4 = "Z|Rohstoffsatz (Berechng), Bearb.Mk.4|",
                    mk6 = "Z|Rohstoffsatz Von/Bis, Bearb.Mk.6|";
  std::map<std::string, Wertholer> holer{
      {"A||Preis", [](const Neutralsatz& ns, int, int, Festkomma) { return Zahltext(ns.Preis, 100); }},
      {mk1 + "Preis", AusStaffel([](const Staffelzeile& s) { return s.StaffelPreis; })},
      {mk2 + "Preis/Zu-,Abschlag", AusStaffel([](const Staffelzeile& s) { return s.StaffelPreis; })},
      {mk3 + "Preis/Zu-,Abschlag", AusStaffel([](const Staffelzeile& s) { return s.RohVBPreis; })},
      {mk3 + "Umrechnungsfaktor", AusStaffel([](const Staffelzeile& s) { return s.RohVBFaktor; })},
      {mk4 + "Bezugspreis-Basis", AusStaffel([](const Staffelzeile& s) { return s.RohstoffBasis; })},
      {mk4 + "Umrechnungsfaktor",
       BerechnungsFaktoren()},
      {mk4 + "Gewicht", AusStaffel([](const Staffelzeile& s) { return s.RohstoffGewicht; })},
      {mk6 + "Rohstoffkennzeichen", AusStaffel([](const Staffelzeile& s) { return Ganz(s.RohVBKz); })},
      {mk6 + "Preis/Zu-,Abschlag", AusStaffel([](const Staffelzeile& s) { return s.RohVBPreis; })},
      {mk6 + "Von Basis", AusStaffel([](const Staffelzeile& s) { return s.VonBasis; })},
      {mk6 + "Bis Basis", AusStaffel([](const Staffelzeile& s) { return s.BisBasis; })},
      {mk6 + "Umrechnungsfaktor",
       VonBisFaktoren()},
      {mk6 + "Gewicht", AusStaffel([](const Staffelzeile& s) { return s.RohVBWert5; })},
      {"R||Rabatt", AusSatz([](const Neutralsatz& ns) { return ns.Rabatt; })},
      {"R||Multi", AusSatz([](const Neutralsatz& ns) { return ns.Rabatt; })},
      {"J||Menge", AusSatz([](const Neutralsatz& ns) { return ns.SetTabelle[0].SetMenge; })},
      {"P||Preis", [](const Neutralsatz& ns, int z, int, Festkomma) { return std::optional(ns.Preistabelle[z].PPreis); }},
  };
  ZusatzdatenHoler(holer);
  return holer;
}

std::map<std::string, Wertholer> HolerV5() {
  const std::string mk1 = "Z|Staffelpreissatz, Bearb.Mk.1|", mk2 = "Z|Rohstoffsatz Von/Bis, Bearb.Mk.2|",
                    mk3 = "Z|Rohstoffsatz (Berechng), Bearb.Mk.3|";
  std::map<std::string, Wertholer> holer{
      {"A||Preiseinheit", [](const Neutralsatz& ns, int, int, Festkomma) { return Zahltext(ns.Preiseinheit); }},
      {"A||Preis", [](const Neutralsatz& ns, int, int, Festkomma) { return Zahltext(ns.Preis, 100); }},
      // 0 is taken as 1 and as 90: the field's meaning says so.
      {"A||Verpackungseinheit",
       [](const Neutralsatz& ns, int, int, Festkomma g) { return g == 0 ? std::nullopt : Zahltext(ns.Verpackungsmenge); }},
      {"A||Kostenart",
       [](const Neutralsatz& ns, int, int, Festkomma g) { return g == 0 ? std::nullopt : Zahltext(ns.Kostenart); }},
      {"A||Textkennzeichen", [](const Neutralsatz& ns, int, int, Festkomma) { return Zahltext(ns.Textkz); }},
      {mk1 + "Zu-,Abschlagart", AusStaffel([](const Staffelzeile& s) { return Ganz(s.StaffelZuAbArt); })},
      {mk1 + "Staffelmerker", AusStaffel([](const Staffelzeile& s) { return Ganz(s.StaffelMerker); })},
      {mk1 + "Preiseinheit", AusStaffel([](const Staffelzeile& s) { return Ganz(s.StaffelEndeA); })},
      {mk1 + "Preis", AusStaffel([](const Staffelzeile& s) { return s.StaffelPreis; })},
      {mk1 + "Staffelende", AusStaffel([](const Staffelzeile& s) { return Ganz(s.StaffelEndeB); })},
      {mk1 + "Basismerker", AusStaffel([](const Staffelzeile& s) { return Ganz(s.StaffelBasismerker); })},
      {mk1 + "Von Basis", AusStaffel([](const Staffelzeile& s) { return s.VonBasis; })},
      {mk1 + "Bis Basis", AusStaffel([](const Staffelzeile& s) { return s.BisBasis; })},
      {mk2 + "Zu-,Abschlagart", AusStaffel([](const Staffelzeile& s) { return Ganz(s.RohVBZuAbArt); })},
      {mk2 + "Rohstoffkennzeichen", AusStaffel([](const Staffelzeile& s) { return Ganz(s.RohVBKz); })},
      {mk2 + "Preiseinheit", AusStaffel([](const Staffelzeile& s) { return Ganz(s.RohVBEnde); })},
      {mk2 + "Preis/Zu-,Abschlag", AusStaffel([](const Staffelzeile& s) { return s.RohVBPreis; })},
      {mk2 + "Von Basis", AusStaffel([](const Staffelzeile& s) { return s.VonBasis; })},
      {mk2 + "Bis Basis", AusStaffel([](const Staffelzeile& s) { return s.BisBasis; })},
      {mk2 + "Umrechnungsfaktor",
       VonBisFaktoren()},
      {mk2 + "Gewicht", AusStaffel([](const Staffelzeile& s) { return s.RohVBWert5; })},
      {mk3 + "Rohstoffkennzeichen", AusStaffel([](const Staffelzeile& s) { return Ganz(s.RohstoffKz); })},
      {mk3 + "Mengenbasis", AusStaffel([](const Staffelzeile& s) { return Ganz(s.RohstoffMengenbasis); })},
      {mk3 + "Bezugspreis-Basis", AusStaffel([](const Staffelzeile& s) { return s.RohstoffBasis; })},
      {mk3 + "Umrechnungsfaktor",
       BerechnungsFaktoren()},
      {mk3 + "Gewicht", AusStaffel([](const Staffelzeile& s) { return s.RohstoffGewicht; })},
      {"R||Rabatt", AusSatz([](const Neutralsatz& ns) { return ns.Rabatt; })},
      {"R||Multi", AusSatz([](const Neutralsatz& ns) { return ns.Rabatt; })},
      {"J||Aufrufmerker", AusSatz([](const Neutralsatz& ns) { return Ganz(ns.SetTabelle[0].SetAufrufmerker); })},
      {"J||Menge", AusSatz([](const Neutralsatz& ns) { return ns.SetTabelle[0].SetMenge; })},
      {"P||Preiseinheit", AusSatz([](const Neutralsatz& ns) { return Ganz(ns.Preistabelle[0].PPreiseinheit); })},
      {"P||Preis", AusSatz([](const Neutralsatz& ns) { return ns.Preistabelle[0].PPreis; })},
  };
  ZusatzdatenHoler(holer);
  return holer;
}

// Numbers the check passes over, each with its reason: numbers shown that the record does not
// hold, and fields the version-4 table has always shown otherwise than the reader takes them.
struct Ausnahme {
  const char* grund;
  bool nurUeberBreite;  // only where the line's field is wider than the table shows
};
const std::map<std::string, Ausnahme> Ausnahmen = {
    {"5:E||Satzanzahl", {"the count of the end record is the run's to check; no record holds it", false}},
    {"4:A||Preis", {"shown 8 characters wide, the reader takes 10; checked where the price has at most 8", true}},
    {"4:Z|Sonderkosten, Bearb.Mk.5|Preis", {"the reader takes nothing from a scale line of mark 5", false}},
};

// Field `nummer` of a ";"-separated line as it stands (1 being the record letter).
std::string_view Rohfeld(std::string_view zeile, int nummer) {
  std::size_t a = 0;
  for (int n = 1; n < nummer; ++n) {
    a = zeile.find(';', a);
    if (a == std::string_view::npos) return {};
    ++a;
  }
  return zeile.substr(a, zeile.find(';', a) - a);
}

// The label without a trailing position number ("Rabatt 2" -> "Rabatt", 2).
std::pair<std::string, int> OhneNummer(const std::string& name) {
  if (name.size() > 2 && name[name.size() - 2] == ' ' && name.back() >= '1' && name.back() <= '9')
    return {name.substr(0, name.size() - 2), name.back() - '0'};
  return {name, 0};
}

struct Pruefung {
  int version = 0;
  std::string kennzeichen;  // data kind
  std::string kopf;         // the header record as it stands in the file, with its line end
  int geprueft = 0;
};

// Reads one line behind the file's header with the reader of the file's kind.
std::unique_ptr<Kontext> Lesen(const Pruefung& p, const std::string& zeile, const TempVerzeichnis& v) {
  auto k = std::make_unique<Kontext>();
  // The SET blocks of version 3 count as call sequences (the first button of the question).
  k->lauf.setFrage = [] { return true; };
  EingabeOeffnen(*k, v, p.kopf + zeile + "\r\n");
  // Version 4 by the line's letter: its price and SET lines come in files of their own, but the
  // test lines of a kind come together in one file.
  const char satzart = zeile.empty() ? ' ' : GrossZeichen(zeile[0]);
  auto leser = p.version == 3   ? (p.kennzeichen == "J"   ? v3::SetLeser
                                   : p.kennzeichen == "P" ? v3::Preisleser
                                                          : v3::Artikelleser)
               : p.version == 4 ? (satzart == 'J'   ? v4::SetLeser
                                   : satzart == 'P' ? v4::Preisleser
                                                    : v4::Artikelleser)
                                : (p.kennzeichen == "J"   ? v5::SetLeser
                                   : p.kennzeichen == "P" ? v5::Preisleser
                                                          : v5::Artikelleser);
  leser(*k);
  return k;
}

void ZeilePruefen(Pruefung& p, const std::map<std::string, Wertholer>& holer, const std::string& roh,
                  const TempVerzeichnis& v) {
  // The viewer shows filler (NUL) as blanks.
  std::string zeile = roh;
  for (char& c : zeile)
    if (c == '\0') c = ' ';
  const std::optional<Zerlegung> z = feldlayout::ZeileZerlegen(*feldlayout::LayoutDerVersion(p.version), zeile);
  if (!z) return;
  std::unique_ptr<Kontext> k;
  std::map<std::string, int> anzahl;
  int tabellenzeile = -1;  // the row of the table entry of price lines and version-3 SET lines
  bool zeileAktiv = true;
  for (std::size_t i = 0; i < z->felder.size(); ++i) {
    const feldlayout::Feldinhalt& f = z->felder[i];
    if (p.version == 3 && (f.name == "Artikelnummer" && z->buchstabe == "P")) {
      // An article of a price line with a blank number is left out; the rows move up.
      zeileAktiv = !f.text.empty();
      if (zeileAktiv) ++tabellenzeile;
    }
    if (p.version == 4 && (f.name == "Artikelnummer" && z->buchstabe == "P")) {
      // The first article always has its row; the reader takes none after a blank number.
      zeileAktiv = tabellenzeile < 0 || (zeileAktiv && !IstLeer(f.text));
      if (zeileAktiv) ++tabellenzeile;
    }
    if (p.version == 3 && f.name == "Artikel-, SET-Nummer") {
      // The first position of a SET line always counts, the others when their number is not blank.
      zeileAktiv = tabellenzeile < 0 || !f.text.empty();
      if (zeileAktiv) ++tabellenzeile;
    }
    if (f.feld->wert.art == feldlayout::Darstellung::DatumTTMMJJJJ && !f.text.empty()) {
      // The date of a version-4 date line: the record holds it as YYYYMMDD.
      if (!k) k = Lesen(p, roh, v);
      const std::string& t = k->ns.Termin1;
      if (t.size() != 8) continue;  // a date the reader does not take
      const std::string jahr = f.wert.size() > 8 ? t.substr(0, 4) : t.substr(2, 2);
      EXPECT_EQ(f.wert, t.substr(6, 2) + "." + t.substr(4, 2) + "." + jahr) << roh;
      ++p.geprueft;
      continue;
    }
    if (!f.zahl || !zeileAktiv) continue;
    auto [name, position] = OhneNummer(Utf8(f.name));
    const bool eigenerTeil = i >= z->teilAb && z->teilbezeichnung != z->bezeichnung;
    const std::string schluessel = z->buchstabe + "|" + (eigenerTeil ? Utf8(z->teilbezeichnung) : "") + "|" + name;
    const int nr = position ? position : ++anzahl[schluessel];
    const auto ausnahme = Ausnahmen.find(std::to_string(p.version) + ":" + schluessel);
    if (ausnahme != Ausnahmen.end() &&
        (!ausnahme->second.nurUeberBreite ||
         RechtstrimmenAnsicht(Rohfeld(zeile, f.feld->nummer)).size() > static_cast<std::size_t>(f.feld->breite)))
      continue;
    // Discount values of a price line: by their position number.
    if (z->buchstabe == "P" && position) {
      if (!k) k = Lesen(p, roh, v);
      const Preiszeile& pz = k->ns.Preistabelle[static_cast<std::size_t>(std::max(tabellenzeile, 0))];
      EXPECT_EQ(*f.zahl, pz.ZuAbWert(position)) << roh << "\n" << f.name;
      ++p.geprueft;
      continue;
    }
    auto h = holer.find(schluessel);
    ASSERT_NE(h, holer.end()) << "a number of the layout without its record field: " << schluessel;
    if (!k) k = Lesen(p, roh, v);
    const std::optional<Festkomma> gelesen = h->second(k->ns, std::max(tabellenzeile, 0), nr, *f.zahl);
    if (!gelesen) continue;
    EXPECT_EQ(*f.zahl, *gelesen) << roh << "\n" << schluessel << " #" << nr;
    ++p.geprueft;
  }
}

// The lines (or version-3 records) of a file, without their line ends.
std::vector<std::string> Zeilen(const std::string& inhalt, int version) {
  std::vector<std::string> zeilen;
  if (version == 3) {
    for (std::size_t a = 0; a + 128 <= inhalt.size(); a += 130) zeilen.push_back(inhalt.substr(a, 128));
    return zeilen;
  }
  std::size_t a = 0;
  while (a < inhalt.size()) {
    std::size_t e = inhalt.find_first_of("\r\n", a);
    if (e == std::string::npos) e = inhalt.size();
    zeilen.push_back(inhalt.substr(a, e - a));
    a = e;
    if (a < inhalt.size() && inhalt[a] == '\r') ++a;
    if (a < inhalt.size() && inhalt[a] == '\n') ++a;
  }
  return zeilen;
}

// Checks the lines of a file of the version the analysis finds, or of `version`; at most 300 lines
// of each record letter, which covers every kind of a large file in little time.
int DateiPruefen(const std::string& pfad, int version = 0) {
  constexpr int jeSatzart = 300;
  Kontext analyse;
  SkriptFenster f;
  analyse.kz.Eingabedateiname = pfad;
  EingabeAnalysieren(analyse, f);
  Pruefung p;
  p.version = version ? version : analyse.kz.Eingabeversion;
  p.kennzeichen = analyse.kz.Datenkennzeichen;
  if (p.version < 3 || p.version > 5) return 0;
  const std::string inhalt = DateiLesen(pfad);
  const std::vector<std::string> zeilen = Zeilen(inhalt, p.version);
  if (zeilen.empty()) return 0;
  p.kopf = zeilen[0] + "\r\n";
  const auto holer = p.version == 3 ? HolerV3() : p.version == 4 ? HolerV4() : HolerV5();
  TempVerzeichnis v;
  std::map<char, int> gesehen;
  for (std::size_t i = 1; i < zeilen.size(); ++i) {
    const std::string& z = zeilen[i];
    if (z.empty() || z[0] == '\x1A' || ++gesehen[GrossZeichen(z[0])] > jeSatzart) continue;
    ZeilePruefen(p, holer, z, v);
    if (::testing::Test::HasFatalFailure()) break;
  }
  return p.geprueft;
}

TEST(Feldlayout, ZahlenDerTestdatenWieSieDerLeserNimmt) {
  for (const char* name : {"v3_artikel.dat", "v3_preis.dat", "v3_set.dat", "v5_artikel.001", "v5_preise.001",
                           "v5_set.001"}) {
    SCOPED_TRACE(name);
    EXPECT_GT(DateiPruefen(Testdaten(name)), 0);
  }
  // Their header has the version two columns early, which the readers do not look at.
  for (const char* name : {"v4_artikel.001", "v4_preise.001"}) {
    SCOPED_TRACE(name);
    EXPECT_GT(DateiPruefen(Testdaten(name), 4), 0);
  }
}

// The test files hold few of the version-4 scale and additional-data lines: one line of every
// record kind and mark of the table that shows numbers, and the forms the reader treats apart.
TEST(Feldlayout, ZahlenJederSatzartVonVersion4WieSieDerLeserNimmt) {
  const std::vector<std::string> zeilen = {
      "V 010125Testdaten" + std::string(106, ' ') + "04EUR",
      "A;N;4711;00;Schraube;;1;2;Stk;1990;RG1;001;;",
      "A;N;4712;00;Mutter;;1;0;Stk;12345678;;;;",
      "A;N;4713;00;Scheibe;;1;0;Stk;1234567890;;;;",  // wider than the table shows
      "R;;RG1;1;1250;Rabatt;",
      "R;;RG2;2;0850;Multi;",
      "Z;N;4711;01;1;1;ab 100 Stueck;1;00001500;00000100;00000999;",
      "Z;N;4711;02;2;1;ab 100;3;00000250;00000100;00000999;",
      "Z;N;4711;03;3;CU;1;00000300;000150;000250;001000;",
      "Z;N;4711;04;4;CU;000150;001000;000250;002000;",
      "Z;N;4711;05;5;Fracht;1;00000995;",
      "Z;N;4711;06;6;MS;4;2;00000400;000100;000200;001000;000350;000500;",
      "C;N;WERKSTOFF-1;4711;00001500;00002500;0000003500;0000004500;2;Messing;",
      "C;N;ARBEIT-1;4711;1;2;000125;",
      "C;;TERMIN-1;311299;",
      "C;;TERMIN-1;01082025;",
      "J;N;SET1;01;L;MATCH;Badset;1;4711;2500;",
      "P;A;RG1;1;85700;1;5500;2;1250;3;0100;RG2;2;107300;0;RB12;4;0300;;;RG3;1;161200;;;;;;;",
      // The blank second number ends the line's articles: the third is not taken.
      "P;N;RG4;1;100;;;;;;; ;1;200;;;;;;;X;1;1;;;;;;;",
  };
  TempVerzeichnis v;
  std::string inhalt;
  for (const std::string& z : zeilen) inhalt += z + "\r\n";
  DateiSchreiben(v.Datei("DATANORM.001"), inhalt);
  // Every number of these lines but the excepted ones and the third article of the last line.
  EXPECT_EQ(DateiPruefen(v.Datei("DATANORM.001")), 38);
}

TEST(Feldlayout, ZahlenDerEchtenDateienWieSieDerLeserNimmt) {
  if (Korpusdatei("SOURCES.md").empty()) GTEST_SKIP() << "no real files";
  int geprueft = 0;
  for (const auto& e : std::filesystem::directory_iterator(std::string(KORVELAN_KORPUS))) {
    if (e.path().filename() == "SOURCES.md") continue;
    SCOPED_TRACE(e.path().filename().string());
    geprueft += DateiPruefen(e.path().string());
  }
  EXPECT_GT(geprueft, 1000);
}

// Every field number of a ";"-separated layout follows the one before (a part continues its
// record), and every fixed-column field lies within the 128 characters of a record and after the
// one before: the viewer finds a clicked field by these. A record kind with parts names the field
// that selects them.
TEST(Feldlayout, FeldfolgeDerTabellen) {
  for (int version : {3, 4, 5}) {
    for (const feldlayout::Satzart& s : feldlayout::LayoutDerVersion(version)->satzarten) {
      SCOPED_TRACE(std::to_string(version) + " " + s.buchstabe + " " + s.bezeichnung);
      auto folge = [&](const std::vector<feldlayout::Feld>& felder, int vorher) {
        for (const feldlayout::Feld& f : felder) {
          if (s.festeSpalten) {
            EXPECT_GT(f.von, vorher);
            EXPECT_LE(f.von + f.breite - 1, 128);
            vorher = f.von + f.breite - 1;
          } else {
            EXPECT_EQ(f.nummer, vorher + 1) << (f.name ? f.name : "");
            vorher = f.nummer;
          }
        }
        return vorher;
      };
      EXPECT_LT(s.auswahl, static_cast<int>(s.felder.size()));
      EXPECT_EQ(s.auswahl < 0, s.teile.empty());
      const int ende = folge(s.felder, s.festeSpalten ? 0 : 1);
      for (const feldlayout::Teil& t : s.teile) folge(t.felder, ende);
    }
  }
}

}  // namespace
