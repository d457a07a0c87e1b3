#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "control/skriptfenster.h"
#include "formats/v5/leser_v5.h"
#include "formats/v5/schreiber_v5.h"
#include "record/feldholen.h"
#include "record/laufzeitfehler.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const std::string Kopf = "V;050;A;20250415;EUR;;;;;;;;;;;";

std::string Bild(std::initializer_list<std::string> teile) {
  std::string b;
  bool erstes = true;
  for (const auto& t : teile) {
    b += (erstes ? "" : "|") + t;
    erstes = false;
  }
  return b;
}
std::string N(std::int64_t z) { return GanzAlsText(z); }  // fixed-point values show as value x 10000

// Compact pictures of the parts of a record.
std::string Staffel(const Staffelzeile& s) {
  switch (s.StaffelArt) {
    case 1:
      return Bild({"1", s.StaffelBasistext1, s.StaffelBasistext2, N(s.StaffelZuAbArt), s.StaffelVorzeichen,
                   N(s.StaffelMerker), N(s.StaffelEndeA), N(s.StaffelPreis), N(s.StaffelEndeB)});
    case 2:
      return Bild({"2", s.RohVBMerker, N(s.RohVBZuAbArt), s.RohVBVorzeichen, N(s.RohVBKz), N(s.RohVBEnde),
                   N(s.RohVBPreis), N(s.VonBasis), N(s.BisBasis), N(s.RohVBFaktor), N(s.RohVBWert5), N(s.RohVBWert6)});
    case 3:
      return Bild({"3", s.RohstoffMerker, N(s.RohstoffKz), N(s.RohstoffMengenbasis), N(s.RohstoffBasis),
                   N(s.RohstoffFaktor), N(s.RohstoffGewicht), N(s.RohstoffWert4)});
  }
  return "";
}
std::string AFelder(const Neutralsatz& n) {
  return Bild({n.Kurztext1, n.Kurztext2, n.Mengeneinheit, n.Preiskz, n.Preiseinheit, n.Preis, n.Rabattgruppe,
               n.Warenhauptgruppe, n.Warengruppe, n.Matchcode, n.A5Feld14, n.AlternativArtikelNr, n.A5Feld16,
               n.A5Feld17, n.A5Feld18, n.EanNr, n.Anbindungsnummer, n.Verpackungsmenge, n.Katalogseite, n.Textkz,
               n.Langtextschluessel, n.Kostenart, n.A5Feld26, n.ReferenzKuerzel, n.ReferenzNr});
}
std::string Dimensionen(const Neutralsatz& n) {
  std::string b;
  for (const auto& d : n.Dimensionstabelle)
    if (!d.DimUnterkz.empty()) b += "[" + Bild({d.DimUnterkz, d.DimText, Trimmen(d.DimLangtextNr)}) + "]";
  return b;
}
std::string Preisbild(const Preiszeile& p) {
  return Bild({p.PArtikelNr, N(p.PPreiskz), N(p.PPreiseinheit), N(p.PPreis), p.PRabattgruppe, N(p.PZuAbKz1),
               p.PZuAbMarke1, N(p.PZuAbWert1), N(p.PZuAbKz2), p.PZuAbMarke2, N(p.PZuAbWert2), N(p.PZuAbKz3),
               p.PZuAbMarke3, N(p.PZuAbWert3)});
}

class LeserV5 : public ::testing::Test {
 protected:
  void Oeffnen(const std::string& inhalt) { EingabeOeffnen(k, dir, inhalt); }
  void DateiOeffnen(const std::string& pfad) { ASSERT_TRUE(k.kz.EingabeDateiNr.Oeffnen(pfad)); }
  std::int16_t Artikel() { return v5::Artikelleser(k); }
  std::int16_t Set() { return v5::SetLeser(k); }
  std::int16_t Preise() { return v5::Preisleser(k); }
  Neutralsatz& ns() { return k.ns; }

  TempVerzeichnis dir;
  Kontext k;
  SkriptFenster f;
};

}  // namespace

TEST_F(LeserV5, ArtikeldateiMitAllenZeilenarten) {
  DateiOeffnen(Testdaten("v5_artikel.001"));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "N");
  EXPECT_EQ(ns().ArtikelNr, "4711");
  // All 28 fields; packing quantity 0 becomes 1, text flag 1 becomes 10, cost type 0 becomes 90.
  EXPECT_EQ(AFelder(ns()),
            "Kupferrohr 15 mm|hart, Stange 5 m|MTR|1|100|0000012345|AB12|123|WG-01|KUPFERROHR|F14|4711-ALT|F16|"
            "Feld 17|Feld 18|4006381333931|ANB-1|1|Seite 12|10|T4711|90|X|REF|REFNR-1");
  EXPECT_EQ(Dimensionen(ns()), "[A|Abmessung 15 x 1 mm|][T|Siehe Langtext|L4711]");
  // Z mark 1 in the order of real files and of our writer: the price arrives (11.50).
  EXPECT_EQ(Staffel(ns().Staffeltabelle[0]), "1|Staffelpr. 10 bis 99|Staffelpr. 10 bis 99|1|+|2|100|115000|0");
  EXPECT_EQ(Staffel(ns().Staffeltabelle[1]), "2|CU|3|-|2|100|25000|1500000|2000000|10000|0|0");
  EXPECT_EQ(Staffel(ns().Staffeltabelle[2]), "3|CU|2|1000|1500000|10000|1234500|10");  // base 1000 fits
  EXPECT_EQ(ns().Staffeltabelle[3].StaffelArt, 0);
  EXPECT_EQ(Bild({N(ns().WerkstoffWert1), N(ns().WerkstoffWert2), N(ns().WerkstoffWert3), N(ns().WerkstoffWert4),
                  N(ns().WerkstoffKz), ns().WerkstoffText}),
            "15000|25000|3500000|0|1|Kupfer");
  EXPECT_EQ(Bild({N(ns().ArbeitKz1), N(ns().ArbeitKz2), N(ns().ArbeitWert)}), "1|2|125000");
  EXPECT_EQ(ns().CZeilen[0], "C;N;ES01;4711;12 AH;0;;G 1;");  // kept as read
  EXPECT_EQ(ns().CZeilen[1], "");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "4711");

  // The long text is a record of its own; 8-bit bytes pass unchanged.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().ArtikelNr, ns().LangtextNr, N(ns().LangtextArt), ns().Langtexttabelle[0].LangtextZeile,
                  ns().Langtexttabelle[1].LangtextZeile, ns().Langtexttabelle[2].LangtextMarke}),
            "|T4711|1|Langtext Zeile eins mit \x81 und \xe1|Zeile zwei|");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "1T4711");

  // Empty and missing fields of an A line hold "@"; nothing of the last article is left.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "A");
  EXPECT_EQ(AFelder(ns()), "Muffe|@|STK|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@|@");
  EXPECT_EQ(Staffel(ns().Staffeltabelle[0]) + Dimensionen(ns()) + ns().CZeilen[0], "");

  // B delete and B renumber, each returned at once.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().Verarbeitungskz, ns().NummerAltKz, ns().ArtikelNr, ns().NeueArtikelNr, ns().Kurztext1}),
            "L|L|4713||");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "XXXXXXXXXXXXXXX");
  EXPECT_EQ(k.lz.ZeileVorgelesen, 0);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().Verarbeitungskz, ns().NummerAltKz, ns().ArtikelNr, ns().NeueArtikelNr, ns().NummerAltZusatz,
                  k.lz.SatzSchluessel}),
            "X|A|4714|4715|20011231|");

  // K, S and R are one-line records; the R line comes with -1, the end record follows it.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().Kundennummer, ns().KName1, ns().KName2, ns().KName3, ns().KName4, ns().KKz, ns().KFeld9,
                  ns().KFeld30}),
            "12345|Name 1|Name 2|||X|FELD9|Feld 30");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().Kundennummer, ns().Hauptwarengruppe, ns().WgNummer, ns().WgBezeichnung}), "|01|0101|Rohre");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(Bild({ns().RgNummer, N(ns().RabattKz), N(ns().Rabatt), ns().RgBezeichnung}),
            "AB12|1|125000|Rabattgruppe AB12");
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().RgNummer, "");
}

TEST_F(LeserV5, ZahlenfelderUndDateiende) {
  // Leading zeros go, blank number fields hold no value; empty lines and the 0x1A line are
  // skipped; the last line of the file is data.
  Oeffnen(Zeilen({Kopf, "", "A;n;ab-1;T1;T2;STK;1;001;894;;;;;;;;;;;;005;;0;;03;;;;", "\x1a",
                  "A;N;AB-2;T1;T2;STK;1; ;   ;;;;;;;;;;;;0;;2;;00;;;;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "AB-1");
  EXPECT_EQ(AFelder(ns()), "T1|T2|STK|1|1|0000000894|@|@|@|@|@|@|@|@|@|@|@|5|@|00|@|3|@|@|@");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigteZeile)), "A;n;ab-1;T1;T2;STK;1;001;894;;;;;;;;;;;;005;;0;;03;;;;");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(AFelder(ns()), "T1|T2|STK|1|@|@|@|@|@|@|@|@|@|@|@|@|@|1|@|20|@|90|@|@|@");
}

TEST_F(LeserV5, EndesatzBeendetDieEingabe) {
  // Read as an insert text the end record would become a text record; after it nothing is read.
  Oeffnen(Zeilen({Kopf, "A;N;1;Rohr;;", "E;3;aus Vers.4 konvertiert, 01.01.2026;", "A;N;2;Danach;;"}) + "\x1a");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "1");
  EXPECT_EQ(ns().LangtextNr, "");
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "");
}

TEST_F(LeserV5, LangtexteNachTextartUndNummer) {
  // Kinds 1 and 2 of text 100 are two records; an E line with a flag is an insert text.
  Oeffnen(Zeilen({Kopf, "T;N;100;1;01;Erste Art;", "T;N;100;2;01;Zweite Art;", "E;A;100;2;02;Eingefuegt;",
                  "T;N;200;;01;Ohne Art;", "E;N;300;;01;" + std::string(75, 'x') + ";", "A;N;1100;Rohr;;",
                  "T;N;100;1;01;Text;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().LangtextNr, N(ns().LangtextArt), ns().Langtexttabelle[1].LangtextMarke}), "100|1|");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().Verarbeitungskz, N(ns().LangtextArt), ns().Langtexttabelle[1].LangtextZeile}),
            "N|2|Eingefuegt");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "2100");
  // A text without kind keeps the kind of its letter, so that the writers do not drop it.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().LangtextArt, 1);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().LangtextArt, 2);
  EXPECT_EQ(ns().Langtexttabelle[0].LangtextZeile, std::string(70, 'x'));
  // Article 1100 and text "1" + "100" share a key but are not one record.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().ArtikelNr, ns().LangtextNr}), "1100|");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(Bild({ns().ArtikelNr, ns().LangtextNr}), "|100");
}

TEST_F(LeserV5, GruppierungVonBUndCZeilen) {
  // A B line is a record of its own: merged into the article before it, its flag would make the
  // writers drop the A line. A C line never joins another article, even before its own A line.
  Oeffnen(Zeilen({Kopf, "A;A;4711;Rohr;;", "B;A;4711;4712;;", "C;N;WST1;4799;1;", "Z;N;4712;01;1;;;1;+;;1;100;",
                  "C;N;ES01;4712;y;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().Verarbeitungskz, ns().Kurztext1, ns().NummerAltKz}), "A|Rohr|");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().Verarbeitungskz, ns().NeueArtikelNr}), "X|4712");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().ArtikelNr, N(ns().WerkstoffWert1)}), "|10");
  // The next article starts with a Z line; the renumber flag does not carry over.
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(Bild({ns().ArtikelNr, ns().Verarbeitungskz, N(ns().WerkstoffWert1), ns().CZeilen[0].substr(0, 16)}),
            "4712|N|0|C;N;ES01;4712;y;");
  EXPECT_EQ(Staffel(ns().Staffeltabelle[0]), "1|||1|+|0|1|10000|0");
}

TEST_F(LeserV5, VolleTabellenUndZuGrosseZahlen) {
  std::string inhalt = Kopf + "\r\nA;N;4711;Rohr;;\r\n";
  for (int i = 0; i < 50; ++i) inhalt += "D;N;4711;01;A;Zeile;;02;B;Zeile b;;\r\n";  // 100 rows
  for (int i = 0; i < 100; ++i) inhalt += "Z;N;4711;01;1;;;1;+;;1;100;\r\n";
  for (int i = 0; i < 100; ++i) inhalt += "C;N;XY01;4711;" + GanzAlsText(i) + ";\r\n";
  inhalt += "C;N;ARBA;4711;1;1;50;\r\nA;N;4712;Muffe;;\r\nZ;N;4712;01;1;;;1;+;2;999999;100;\r\n";
  Oeffnen(inhalt);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Dimensionstabelle[98].DimUnterkz, "A");  // the 100th row is dropped
  EXPECT_EQ(ns().Staffeltabelle[98].StaffelArt, 1);
  EXPECT_EQ(ns().CZeilen[98].substr(0, 17), "C;N;XY01;4711;98;");
  EXPECT_EQ(ns().ArbeitWert, 50000);  // the record goes on after the full tables
  // A price unit of six digits is held as it is.
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().Staffeltabelle[0].StaffelEndeA, 999999);
}

TEST_F(LeserV5, EigeneAusgabeLiestSichGleichZurueck) {
  // Our own version-5 output reads back to the same records. (The material line is left out:
  // its writer puts the text first, where the reader takes the first value.)
  auto bilder = [&](const std::string& pfad, bool schreiben) {
    auto kk = std::make_unique<Kontext>();
    kk->kz.EingabeDateiNr.Oeffnen(pfad);
    if (schreiben) AusgabeErstellen(*kk, dir, 5);
    std::vector<std::string> b;
    for (std::int16_t r = 0; r == 0 && b.size() < 100;) {
      r = v5::Artikelleser(*kk);
      const Neutralsatz& n = kk->ns;
      std::string s = Bild({n.Verarbeitungskz, n.ArtikelNr, n.Kurztext1, n.Preis, n.EanNr, n.NeueArtikelNr,
                            Dimensionen(n), N(n.LangtextArt), n.Langtexttabelle[0].LangtextZeile, N(n.ArbeitWert),
                            n.Kundennummer, n.WgBezeichnung, N(n.Rabatt)});
      for (int i = 0; i < 4; ++i) s += "[" + Staffel(n.Staffeltabelle[i]) + "]";
      b.push_back(s);
      if (schreiben) {
        EXPECT_EQ(v5::Artikelschreiber(*kk), 0);
      }
    }
    if (schreiben) kk->kz.AusgabeDateiNr.Schliessen();
    return b;
  };
  std::vector<std::string> erst = bilder(Testdaten("v5_artikel.001"), true);
  EXPECT_EQ(bilder(dir.Datei("ausgabe.dat"), false), erst);
}

TEST_F(LeserV5, SetLayoutHaengtVomMerkerAb) {
  DateiOeffnen(Testdaten("v5_set.001"));
  ASSERT_EQ(Set(), 0);
  EXPECT_EQ(Bild({ns().Kundennummer, ns().KName1}), "12345|Kunde");
  auto zeile = [&](int i) {
    const Setzeile& z = ns().SetTabelle[i];
    return Bild({z.SetNr, z.SetMerker, z.SetKurztext, z.SetBeschreibung, N(z.SetAufrufmerker), z.SetArtikelNr,
                 N(z.SetMenge)});
  };
  ASSERT_EQ(Set(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "N");
  EXPECT_EQ(zeile(0), "SET1|L|Kurztext SET1|Beschreibung des Blocks|1|4711|10000");
  EXPECT_EQ(zeile(1), "SET1|L|||2|4712|25000");  // "set1" in capitals is the same SET
  EXPECT_EQ(ns().SetTabelle[2].SetNr, "");
  // Marker 1: no text fields, the position follows at once.
  ASSERT_EQ(Set(), -1);
  EXPECT_EQ(ns().Verarbeitungskz, "A");
  EXPECT_EQ(zeile(0), "SET2|1|||1|4713|5000");
  EXPECT_TRUE(f.fragen.empty());  // version 5 asks nothing about SET blocks
}

TEST_F(LeserV5, PreiseDreiZeilenJeSatz) {
  DateiOeffnen(Testdaten("v5_preise.001"));
  ASSERT_EQ(Preise(), 0);
  EXPECT_EQ(Bild({ns().Kundennummer, ns().Preistabelle[0].PArtikelNr}), "12345|");
  ASSERT_EQ(Preise(), 0);
  const auto& p = ns().Preistabelle;
  EXPECT_EQ(ns().Verarbeitungskz, "A");
  // The discount group of its own field is kept beside discount 1.
  EXPECT_EQ(Preisbild(p[0]), "4711|1|1|1234500|AB12|1||150000|2||8500|3||20000");
  EXPECT_EQ(Preisbild(p[1]), "4712|2|2|50000||0|@|0|0|@|0|0|@|0");
  EXPECT_EQ(Preisbild(p[2]), "4713|1|1|99900||0|@|0|0|@|0|0|@|0");
  EXPECT_EQ(ns().Termin1, "20250601");  // the third line has no date and keeps the one before
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "4711");
  // The fourth line starts a record; the Z line is logged; the end record ends the input.
  ASSERT_EQ(Preise(), -1);
  // A discount 1 of flag 0 is no discount group, whatever its value: only field 6 gives one.
  EXPECT_EQ(Preisbild(p[0]), "4714|1|1|10000||0||0|0|@|0|0|@|0");
  EXPECT_EQ(p[1].PArtikelNr, "");
  EXPECT_EQ(ns().Termin1, "20250701");
  EXPECT_EQ(k.kz.Fehlerzahl, 1);
  EXPECT_NE(k.kz.Fehlerprotokoll.find(Ansi("in DATPREIS-Datei darf keine Satzart Z geführt werden\r\n")),
            std::string::npos);
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigteZeile)), "Z;N;4711;01;1;x;");
}

TEST_F(LeserV5, PreiseUndKundensatz) {
  // A K line after two rows ends the price record first, so the rows are not lost. Empty lines
  // and the 0x1A line carry no letter to report.
  Oeffnen(Zeilen({Kopf, "P;1;1;1;100;", "P;2;1;1;200;", "P;3;1;1;300;", "P;4;1;1;400;", "P;5;1;1;500;", "c;x;",
                  "", "K;99;;", "\x1a"}));
  ASSERT_EQ(Preise(), 0);
  EXPECT_EQ(ns().Preistabelle[2].PArtikelNr, "3");
  ASSERT_EQ(Preise(), 0);
  EXPECT_EQ(Bild({ns().Preistabelle[0].PArtikelNr, ns().Preistabelle[1].PArtikelNr, ns().Kundennummer}), "4|5|");
  EXPECT_NE(k.kz.Fehlerprotokoll.find("Satzart C "), std::string::npos);  // letter in capitals
  ASSERT_EQ(Preise(), -1);
  EXPECT_EQ(Bild({ns().Kundennummer, ns().Preistabelle[0].PArtikelNr}), "99|");
  EXPECT_EQ(k.kz.Fehlerzahl, 1);
}

TEST_F(LeserV5, RabattgruppeMitLeeremRabatt1) {
  // The group of its own field with a blank discount 1 is discount 1 of flag 0, not "not given":
  // versions 3 and 4 write the group there. A blank discount 1 without a group stays "@".
  Oeffnen(Zeilen({Kopf, "P;4711;1;1;100;AB12;;;;;;;;", "P;4712;1;1;100;;;;;;;;;"}));
  ASSERT_EQ(Preise(), -1);
  EXPECT_EQ(Preisbild(ns().Preistabelle[0]), "4711|1|1|10000|AB12|0||0|0|@|0|0|@|0");
  EXPECT_EQ(Preisbild(ns().Preistabelle[1]), "4712|1|1|10000||0|@|0|0|@|0|0|@|0");
}

// ---------------------------------------------------------------------------------------------
// Real version-5 files (skipped when the corpus is absent)

namespace {

// What a file holds, counted by line letter up to its end record.
struct Inhalt {
  int a = 0, t = 0, z = 0, c = 0, d = 0;
  std::string letzterArtikel;
  bool endesatz = false;
  bool operator==(const Inhalt& o) const {
    return a == o.a && t == o.t && z == o.z && c == o.c && d == o.d && letzterArtikel == o.letzterArtikel;
  }
};

Inhalt ZeilenZaehlen(const std::string& pfad) {
  Eingabedatei d;
  d.Oeffnen(pfad);
  Inhalt n;
  for (std::string z; d.ZeileLesen(z);) {
    if (z.size() > 2 && z.compare(0, 2, "E;") == 0 && z[2] >= '0' && z[2] <= '9') {
      n.endesatz = true;
      break;
    }
    char c = z.empty() ? ' ' : z[0];
    if (c == 'A') ++n.a, n.letzterArtikel = Gross(Trimmen(z.substr(4, std::min<std::size_t>(z.find(';', 4) - 4, 15))));
    n.t += c == 'T';
    n.z += c == 'Z';
    n.c += c == 'C';
    n.d += c == 'D';  // the real D lines carry one row each
  }
  return n;
}

Inhalt AllesLesen(Kontext& k) {
  Inhalt g;
  for (int i = 0; i < 100000; ++i) {
    std::int16_t r = v5::Artikelleser(k);
    const Neutralsatz& ns = k.ns;
    if (!ns.ArtikelNr.empty()) ++g.a, g.letzterArtikel = ns.ArtikelNr;
    for (const auto& l : ns.Langtexttabelle) g.t += !l.LangtextMarke.empty();
    for (const auto& s : ns.Staffeltabelle) g.z += s.StaffelArt != 0;
    for (const auto& c : ns.CZeilen) g.c += !c.empty();
    for (const auto& d : ns.Dimensionstabelle) g.d += !d.DimUnterkz.empty();
    if (r == -1) return g;
  }
  ADD_FAILURE() << "reader does not end";
  return g;
}

}  // namespace

class KorpusV5 : public LeserV5, public ::testing::WithParamInterface<const char*> {};

TEST_P(KorpusV5, AlleSaetzeKommenAn) {
  std::string pfad = Korpusdatei(GetParam());
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  Inhalt erwartet = ZeilenZaehlen(pfad);
  DateiOeffnen(pfad);
  EXPECT_GT(erwartet.a, 0);
  EXPECT_TRUE(AllesLesen(k) == erwartet);
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
  // Where the file has an end record, the reader stopped there.
  if (erwartet.endesatz) {
    EXPECT_EQ(k.lz.Eingabezeile.substr(0, 2), "E;");
  }
}

INSTANTIATE_TEST_SUITE_P(Echt, KorpusV5,
                         ::testing::Values("halo__v5_first_texts_then_products.001",
                                           "halo__v5_only_texts_and_products.001",
                                           "halo__v5_texts_and_products.001", "halo__v5_texts_products.001",
                                           "halo__v5_texts_products_services.001", "datanormaz__DATANORM.001"));

TEST_F(LeserV5, EchteStaffelpreiseUndLetzteCZeile) {
  std::string pfad = Korpusdatei("datanormaz__DATANORM.001");
  std::string pfad2 = Korpusdatei("halo__v5_texts_products_services.001");
  if (pfad.empty() || pfad2.empty()) GTEST_SKIP() << "corpus absent";
  DateiOeffnen(pfad);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(Bild({ns().ArtikelNr, ns().Mengeneinheit, ns().Preis}), "2TOP|MTK|0000000894");
  EXPECT_EQ(Staffel(ns().Staffeltabelle[0]), "1|Staffelpr. 45 bis 899|Staffelpr. 45 bis 899|1|+|2|1|62600|0");
  EXPECT_EQ(ns().Staffeltabelle[2].StaffelPreis, 53600);
  // A file that ends with a C line and no end record: its last article arrives with that line.
  DateiOeffnen(pfad2);
  std::int16_t r = 0;
  for (int i = 0; i < 10000 && r == 0; ++i) r = Artikel();
  ASSERT_EQ(r, -1);
  EXPECT_EQ(ns().ArtikelNr, "17 AH / 12V");
  EXPECT_EQ(ns().CZeilen[0], "C;N;ES01;17 AH / 12V;0;0;;G 197022; ; ; ; ;;");
}

// The A line's fields are kept from record to record and overwritten in place: a following A
// line of other lengths replaces them whole, and every record without an A line (an article of
// Z and C lines, a long text, a B record, the end of the input) has them empty.
TEST_F(LeserV5, AFelderJedesSatzesOhneReste) {
  const std::string a1 = "A;N;1;Rohr lang;Zweiter;Stk;1;1;4941716;R522;784;WG70;M1;a;b;c;d;e;4061863376737;9;1;378;1;"
                         "T1;33;x;RK;RN;";
  const std::string a2 = "A;N;2;Ro;;m;2;3;00012;R5;7;W;M22;;;;;;40;;0;3;0;;0;;;;";
  Oeffnen(Zeilen({Kopf, a1, a2, "Z;N;3;01;1;;;1;+;;1;100;", a1, "T;N;T1;1;01;Text;", a1, "B;L;1;;;", a2}));
  const std::string leer = AFelder(Neutralsatz{});
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(AFelder(ns()), "Rohr lang|Zweiter|Stk|1|1|0004941716|R522|784|WG70|M1|a|b|c|d|e|4061863376737|9|1|378|10|"
                           "T1|33|x|RK|RN");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(AFelder(ns()), "Ro|@|m|2|3|0000000012|R5|7|W|M22|@|@|@|@|@|40|@|1|3|00|@|90|@|@|@");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "3");
  EXPECT_EQ(AFelder(ns()), leer);
  ASSERT_EQ(Artikel(), 0);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().LangtextNr, "T1");
  EXPECT_EQ(AFelder(ns()), leer);
  ASSERT_EQ(Artikel(), 0);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().NummerAltKz, "L");
  EXPECT_EQ(AFelder(ns()), leer);
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "2");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(AFelder(ns()), leer);
}
