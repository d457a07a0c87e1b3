#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "control/skriptfenster.h"
#include "readers/leser_v5.h"
#include "record/feldholen.h"
#include "record/laufzeitfehler.h"
#include "writers/schreiber_v5.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const std::string Kopf = "V;050;A;20250415;EUR;;;;;;;;;;;";

class LeserV5 : public ::testing::Test {
 protected:
  void Oeffnen(const std::string& inhalt) { EingabeOeffnen(k, dir, inhalt); }
  void DateiOeffnen(const std::string& pfad) {
    k.kz.Eingabedateiname = pfad;
    ASSERT_TRUE(k.kz.EingabeDateiNr.Oeffnen(pfad));
  }
  std::int16_t Artikel() { return v5::Artikelleser(k, f); }
  std::int16_t Set() { return v5::SetLeser(k, f); }
  std::int16_t Preise() { return v5::Preisleser(k, f); }
  Neutralsatz& ns() { return k.ns; }

  TempVerzeichnis dir;
  Kontext k;
  SkriptFenster f;
};

int BelegteDimensionen(const Neutralsatz& ns) {
  int n = 0;
  while (n < Tabellenzeilen && !ns.Dimensionstabelle[n].DimUnterkz.empty()) ++n;
  return n;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Article file with every line kind (tests/data/v5_artikel.001)

TEST_F(LeserV5, ArtikelMitAllenZeilenarten) {
  DateiOeffnen(Testdaten("v5_artikel.001"));
  ASSERT_EQ(Artikel(), 0);
  const Neutralsatz& n = ns();
  EXPECT_EQ(n.Verarbeitungskz, "N");
  EXPECT_EQ(n.ArtikelNr, "4711");
  EXPECT_EQ(n.Kurztext1, "Kupferrohr 15 mm");
  EXPECT_EQ(n.Kurztext2, "hart, Stange 5 m");
  EXPECT_EQ(n.Mengeneinheit, "MTR");
  EXPECT_EQ(n.Preiskz, "1");
  EXPECT_EQ(n.Preiseinheit, "100");
  EXPECT_EQ(n.Preis, "0000012345");
  EXPECT_EQ(n.Rabattgruppe, "AB12");
  EXPECT_EQ(n.Warenhauptgruppe, "123");
  EXPECT_EQ(n.Warengruppe, "WG-01");
  EXPECT_EQ(n.Matchcode, "KUPFERROHR");
  EXPECT_EQ(n.A5Feld14, "F14");
  EXPECT_EQ(n.AlternativArtikelNr, "4711-ALT");
  EXPECT_EQ(n.A5Feld16, "F16");
  EXPECT_EQ(n.A5Feld17, "Feld 17");
  EXPECT_EQ(n.A5Feld18, "Feld 18");
  EXPECT_EQ(n.EanNr, "4006381333931");
  EXPECT_EQ(n.Anbindungsnummer, "ANB-1");
  EXPECT_EQ(n.AnbindungKz, 0);
  EXPECT_EQ(n.Verpackungsmenge, "1");  // 0 becomes 1
  EXPECT_EQ(n.Katalogseite, "Seite 12");
  EXPECT_EQ(n.Textkz, "10");
  EXPECT_EQ(n.Langtextschluessel, "T4711");
  EXPECT_EQ(n.Kostenart, "90");  // 0 becomes 90
  EXPECT_EQ(n.A5Feld26, "X");
  EXPECT_EQ(n.ReferenzKuerzel, "REF");
  EXPECT_EQ(n.ReferenzNr, "REFNR-1");

  // D: two rows, the second with its long-text number; an empty sub-flag field is held as blank.
  ASSERT_EQ(BelegteDimensionen(n), 2);
  EXPECT_EQ(n.Dimensionstabelle[0].DimUnterkz, "A");
  EXPECT_EQ(n.Dimensionstabelle[0].DimText, "Abmessung 15 x 1 mm");
  EXPECT_EQ(n.Dimensionstabelle[0].DimLangtextNr, "");
  EXPECT_EQ(n.Dimensionstabelle[1].DimUnterkz, "T");
  EXPECT_EQ(n.Dimensionstabelle[1].DimText, "Siehe Langtext");
  EXPECT_EQ(n.Dimensionstabelle[1].DimLangtextNr, "L4711");

  // Z mark 1 in the order of real files: texts, kind, sign, flag, price unit, price, end B.
  const Staffelzeile& s1 = n.Staffeltabelle[0];
  EXPECT_EQ(s1.StaffelArt, 1);
  EXPECT_EQ(s1.StaffelBasistext1, "Staffelpr. 10 bis 99");
  EXPECT_EQ(s1.StaffelBasistext2, "Staffelpr. 10 bis 99");
  EXPECT_EQ(s1.StaffelZuAbArt, 1);
  EXPECT_EQ(s1.StaffelVorzeichen, "+");
  EXPECT_EQ(s1.StaffelMerker, 2);
  EXPECT_EQ(s1.StaffelEndeA, 100);
  EXPECT_EQ(s1.StaffelPreis, 115000);  // 11.50
  EXPECT_EQ(s1.StaffelEndeB, 0);
  // Z mark 2.
  const Staffelzeile& s2 = n.Staffeltabelle[1];
  EXPECT_EQ(s2.StaffelArt, 2);
  EXPECT_EQ(s2.RohVBMerker, "CU");
  EXPECT_EQ(s2.RohVBZuAbArt, 3);
  EXPECT_EQ(s2.RohVBVorzeichen, "-");
  EXPECT_EQ(s2.RohVBKz, 2);
  EXPECT_EQ(s2.RohVBEnde, 100);
  EXPECT_EQ(s2.RohVBPreis, 25000);
  EXPECT_EQ(s2.VonBasis, 1500000);
  EXPECT_EQ(s2.BisBasis, 2000000);
  EXPECT_EQ(s2.RohVBFaktor, 10000);
  EXPECT_EQ(s2.RohVBWert5, 0);
  // Z mark 3: the quantity base 1000 fits its field.
  const Staffelzeile& s3 = n.Staffeltabelle[2];
  EXPECT_EQ(s3.StaffelArt, 3);
  EXPECT_EQ(s3.RohstoffMerker, "CU");
  EXPECT_EQ(s3.RohstoffKz, 2);
  EXPECT_EQ(s3.RohstoffMengenbasis, 1000);
  EXPECT_EQ(s3.RohstoffBasis, 1500000);
  EXPECT_EQ(s3.RohstoffFaktor, 10000);
  EXPECT_EQ(s3.RohstoffGewicht, 1234500);
  EXPECT_EQ(s3.RohstoffWert4, 10);
  EXPECT_EQ(n.Staffeltabelle[3].StaffelArt, 0);

  // C WST1, ARBA and a kept line (verbatim, with the blank fill).
  EXPECT_EQ(n.WerkstoffWert1, 15000);
  EXPECT_EQ(n.WerkstoffWert2, 25000);
  EXPECT_EQ(n.WerkstoffWert3, 3500000);
  EXPECT_EQ(n.WerkstoffWert4, 0);
  EXPECT_EQ(n.WerkstoffKz, 1);
  EXPECT_EQ(n.WerkstoffText, "Kupfer");
  EXPECT_EQ(n.ArbeitKz1, 1);
  EXPECT_EQ(n.ArbeitKz2, 2);
  EXPECT_EQ(n.ArbeitWert, 125000);
  EXPECT_EQ(n.CZeilen[0], "C;N;ES01;4711;12 AH;0;;G 1;" + FuellungBlank);
  EXPECT_EQ(n.CZeilen[1], "");
  EXPECT_EQ(n.LangtextNr, "");
  EXPECT_EQ(f.Text("Tex_ArtikelNr"), "4711");

  // The long text is a record of its own; 8-bit bytes pass unchanged.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "");
  EXPECT_EQ(ns().LangtextNr, "T4711");
  EXPECT_EQ(ns().LangtextArt, 1);
  EXPECT_EQ(ns().Langtexttabelle[0].LangtextMarke, "X");
  EXPECT_EQ(ns().Langtexttabelle[0].LangtextZeile, "Langtext Zeile eins mit \x81 und \xe1");
  EXPECT_EQ(ns().Langtexttabelle[1].LangtextZeile, "Zeile zwei");
  EXPECT_EQ(ns().Langtexttabelle[2].LangtextMarke, "");
  EXPECT_EQ(f.Text("Tex_ArtikelNr"), "1T4711");

  // An A line with empty fields holds "@"; missing trailing fields as well.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "A");
  EXPECT_EQ(ns().ArtikelNr, "4712");
  EXPECT_EQ(ns().Kurztext2, "@");
  EXPECT_EQ(ns().Preiseinheit, "@");
  EXPECT_EQ(ns().Preis, "@");
  EXPECT_EQ(ns().Textkz, "@");
  EXPECT_EQ(ns().Kostenart, "@");
  EXPECT_EQ(ns().ReferenzNr, "@");
  EXPECT_EQ(ns().Staffeltabelle[0].StaffelArt, 0);
  EXPECT_EQ(ns().Dimensionstabelle[0].DimUnterkz, "");
  EXPECT_EQ(ns().CZeilen[0], "");

  // B delete and B renumber, each returned at once.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "L");
  EXPECT_EQ(ns().NummerAltKz, "L");
  EXPECT_EQ(ns().ArtikelNr, "4713");
  EXPECT_EQ(ns().Kurztext1, "");
  EXPECT_EQ(f.Text("Tex_ArtikelNr"), "XXXXXXXXXXXXXXX");
  EXPECT_EQ(ns().ZeileVorgelesen, 0);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "X");
  EXPECT_EQ(ns().NummerAltKz, "A");
  EXPECT_EQ(ns().ArtikelNr, "4714");
  EXPECT_EQ(ns().NeueArtikelNr, "4715");
  EXPECT_EQ(ns().NummerAltZusatz, "20011231");
  EXPECT_EQ(ns().SatzSchluessel, "");

  // K, S and R are one-line records.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Kundennummer, "12345");
  EXPECT_EQ(ns().KName1, "Name 1");
  EXPECT_EQ(ns().KName2, "Name 2");
  EXPECT_EQ(ns().KName3, "");
  EXPECT_EQ(ns().KKz, "X");
  EXPECT_EQ(ns().KFeld9, "FELD9");
  EXPECT_EQ(ns().KFeld30, "Feld 30");
  EXPECT_EQ(f.Text("Tex_ArtikelNr"), "KundennummerSatz");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Kundennummer, "");
  EXPECT_EQ(ns().Hauptwarengruppe, "01");
  EXPECT_EQ(ns().WgNummer, "0101");
  EXPECT_EQ(ns().WgBezeichnung, "Rohre");
  // The R line is followed by the end record: it comes with -1, and so does every later call.
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().RgNummer, "AB12");
  EXPECT_EQ(ns().RabattKz, 1);
  EXPECT_EQ(ns().Rabatt, 125000);  // 12.50
  EXPECT_EQ(ns().RgBezeichnung, "Rabattgruppe AB12");
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().RgNummer, "");
}

// ---------------------------------------------------------------------------------------------
// Normalisation, grouping and the end of the input

TEST_F(LeserV5, ZahlenfelderDerALinie) {
  Oeffnen(Zeilen({Kopf, "A;n;ab-1;T1;T2;STK;1;001;894;;;;;;;;;;;;005;;0;;03;;;;",
                  "A;N;AB-2;T1;T2;STK;1;0;;;;;;;;;;;;;0;;2;;00;;;;", "A;N;AB-3;T1;T2;STK;1; ;   ;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "N");
  EXPECT_EQ(ns().ArtikelNr, "AB-1");
  EXPECT_EQ(ns().Preiseinheit, "1");
  EXPECT_EQ(ns().Preis, "0000000894");
  EXPECT_EQ(ns().Verpackungsmenge, "5");
  EXPECT_EQ(ns().Textkz, "00");
  EXPECT_EQ(ns().Kostenart, "3");
  EXPECT_EQ(ns().Rabattgruppe, "@");
  EXPECT_EQ(f.Text("Tex_Bearbeitet"), "A;n;ab-1;T1;T2;STK;1;001;894;;;;;;;;;;;;005;;0;;03;;;;");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Preiseinheit, "0");
  EXPECT_EQ(ns().Preis, "@");
  EXPECT_EQ(ns().Verpackungsmenge, "1");
  EXPECT_EQ(ns().Textkz, "20");
  EXPECT_EQ(ns().Kostenart, "90");
  // The last line of the file is data; blank number fields hold no value.
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "AB-3");
  EXPECT_EQ(ns().Preiseinheit, "@");
  EXPECT_EQ(ns().Preis, "@");
  EXPECT_EQ(ns().Textkz, "@");
}

TEST_F(LeserV5, EndesatzBeendetDieEingabe) {
  // Without the end record the E line would be an insert text; after it nothing is read.
  Oeffnen(Zeilen({Kopf, "A;N;1;Rohr;;", "E;3;aus Vers.4 konvertiert, 01.01.2026;", "A;N;2;Nach dem Ende;;"}) +
          "\x1a");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "1");
  EXPECT_EQ(ns().LangtextNr, "");
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "");
}

TEST_F(LeserV5, LeerzeilenUndDateiendezeichenWerdenUebersprungen) {
  Oeffnen(Zeilen({Kopf, "", "A;N;1;Rohr;;", "", "\x1a", "A;N;2;Muffe;;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "1");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "2");
}

TEST_F(LeserV5, EinfuegetextMitTextartIstLangtext) {
  // E lines that are no end record (second field a flag) are texts; the key combines text kind
  // and number, so kinds 1 and 2 of text 100 are two records.
  Oeffnen(Zeilen({Kopf, "T;N;100;1;01;Erste Art;", "T;N;100;2;01;Zweite Art;", "E;A;100;2;02;Eingefuegt;",
                  "T;N;200;;01;Ohne Art;", "E;N;300;;01;" + std::string(75, 'x') + ";"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().LangtextNr, "100");
  EXPECT_EQ(ns().LangtextArt, 1);
  EXPECT_EQ(ns().Langtexttabelle[1].LangtextMarke, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "N");
  EXPECT_EQ(ns().LangtextArt, 2);
  EXPECT_EQ(ns().Langtexttabelle[1].LangtextZeile, "Eingefuegt");
  EXPECT_EQ(f.Text("Tex_ArtikelNr"), "2100");
  // A text without kind keeps the kind of its letter (so the writers do not drop it).
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().LangtextArt, 1);
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().LangtextArt, 2);
  EXPECT_EQ(ns().Langtexttabelle[0].LangtextZeile, std::string(70, 'x'));
}

TEST_F(LeserV5, TextUndArtikelMitGleichemSchluesselBleibenGetrennt) {
  // "1" + "100" is also a possible article number: the records must not merge.
  Oeffnen(Zeilen({Kopf, "A;N;1100;Rohr;;", "T;N;100;1;01;Text;", "A;N;1100;Rohr 2;;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().LangtextNr, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "");
  EXPECT_EQ(ns().LangtextNr, "100");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().Kurztext1, "Rohr 2");
}

TEST_F(LeserV5, BZeileIstImmerEinEigenerSatz) {
  // A delete of the article just assembled must not swallow its A line.
  Oeffnen(Zeilen({Kopf, "A;A;4711;Rohr;;", "B;A;4711;4712;;", "Z;N;4712;01;1;;;1;+;;1;100;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "A");
  EXPECT_EQ(ns().Kurztext1, "Rohr");
  EXPECT_EQ(ns().NummerAltKz, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().Verarbeitungskz, "X");
  EXPECT_EQ(ns().NeueArtikelNr, "4712");
  // The next article starts with a Z line; the renumber flag does not carry over.
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "4712");
  EXPECT_EQ(ns().Verarbeitungskz, "N");
  EXPECT_EQ(ns().Staffeltabelle[0].StaffelPreis, 10000);
}

TEST_F(LeserV5, CZeileVorIhremArtikelGehoertNichtZumNaechsten) {
  Oeffnen(Zeilen({Kopf, "C;N;ES01;4711;x;", "A;N;4711;Rohr;;", "C;N;ES01;4711;y;", "C;N;WST1;4799;1;", "A;N;4712;Muffe;;"}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "4711");
  EXPECT_EQ(ns().CZeilen[0].substr(0, 18), "C;N;ES01;4711;x;  ");
  EXPECT_EQ(ns().CZeilen[1].substr(0, 16), "C;N;ES01;4711;y;");
  // A C line for another article ends the record and keys its own.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "");
  EXPECT_EQ(ns().WerkstoffWert1, 10);
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "4712");
  EXPECT_EQ(ns().WerkstoffWert1, 0);
}

TEST_F(LeserV5, VolleTabellenVerlierenNurDieUeberzaehligenZeilen) {
  std::string inhalt = Kopf + "\r\nA;N;4711;Rohr;;\r\n";
  for (int i = 0; i < 50; ++i) inhalt += "D;N;4711;01;A;Zeile;;02;B;Zeile b;;\r\n";  // 100 rows
  for (int i = 0; i < 100; ++i) inhalt += "Z;N;4711;01;1;;;1;+;;1;100;\r\n";
  for (int i = 0; i < 100; ++i) inhalt += "C;N;XY01;4711;" + GanzAlsText(i) + ";\r\n";
  inhalt += "C;N;ARBA;4711;1;1;50;\r\nA;N;4712;Muffe;;\r\n";
  Oeffnen(inhalt);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(BelegteDimensionen(ns()), 99);
  EXPECT_EQ(ns().Dimensionstabelle[98].DimUnterkz, "A");
  EXPECT_EQ(ns().Staffeltabelle[98].StaffelArt, 1);
  EXPECT_EQ(ns().CZeilen[98].substr(0, 17), "C;N;XY01;4711;98;");
  EXPECT_EQ(ns().ArbeitWert, 50000);  // the record goes on after the full tables
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(ns().ArtikelNr, "4712");
  EXPECT_EQ(ns().Staffeltabelle[0].StaffelArt, 0);
}

TEST_F(LeserV5, ZuGrosseZahlMeldetFehler6) {
  Oeffnen(Zeilen({Kopf, "Z;N;4711;01;1;;;1;+;2;999999;100;"}));
  try {
    Artikel();
    FAIL() << "kein Fehler";
  } catch (const Laufzeitfehler& e) {
    EXPECT_EQ(e.Nummer(), FehlerUeberlauf);
  }
}

// Our own version-5 output reads back to the same record: price scales, raw-material rows,
// dimension and text rows, the article fields. (The material line is left out: its writer puts
// the text first, where this reader takes the first value.)
TEST_F(LeserV5, EigeneAusgabeLiestSichGleichZurueck) {
  auto lesen = [&](const std::string& pfad, bool schreiben) {
    auto halter = std::make_unique<Kontext>();
    Kontext& kk = *halter;
    kk.kz.EingabeDateiNr.Oeffnen(pfad);
    if (schreiben) AusgabeErstellen(kk, dir, 5);
    std::vector<Neutralsatz> saetze;
    for (std::int16_t r = 0; r == 0 && saetze.size() < 100;) {
      r = v5::Artikelleser(kk, f);
      saetze.push_back(kk.ns);
      if (schreiben) {
        EXPECT_EQ(v5::Artikelschreiber(kk, f), 0);
      }
    }
    if (schreiben) kk.kz.AusgabeDateiNr.Schliessen();
    return saetze;
  };
  std::vector<Neutralsatz> erst = lesen(Testdaten("v5_artikel.001"), true);
  std::vector<Neutralsatz> zweit = lesen(dir.Datei("ausgabe.dat"), false);
  ASSERT_EQ(erst.size(), zweit.size());
  for (std::size_t i = 0; i < erst.size(); ++i) {
    const Neutralsatz& a = erst[i];
    const Neutralsatz& b = zweit[i];
    SCOPED_TRACE(a.SatzSchluessel + " / " + a.ArtikelNr);
    EXPECT_EQ(a.Verarbeitungskz, b.Verarbeitungskz);
    EXPECT_EQ(a.ArtikelNr, b.ArtikelNr);
    EXPECT_EQ(a.Kurztext1, b.Kurztext1);
    EXPECT_EQ(a.Preis, b.Preis);
    EXPECT_EQ(a.Preiseinheit, b.Preiseinheit);
    EXPECT_EQ(a.EanNr, b.EanNr);
    EXPECT_EQ(a.ReferenzNr, b.ReferenzNr);
    EXPECT_EQ(a.NeueArtikelNr, b.NeueArtikelNr);
    EXPECT_EQ(a.NummerAltZusatz, b.NummerAltZusatz);
    for (int r = 0; r < 4; ++r) {
      const Staffelzeile& x = a.Staffeltabelle[r];
      const Staffelzeile& y = b.Staffeltabelle[r];
      EXPECT_EQ(x.StaffelArt, y.StaffelArt);
      EXPECT_EQ(x.StaffelBasistext1, y.StaffelBasistext1);
      EXPECT_EQ(x.StaffelZuAbArt, y.StaffelZuAbArt);
      EXPECT_EQ(x.StaffelVorzeichen, y.StaffelVorzeichen);
      EXPECT_EQ(x.StaffelMerker, y.StaffelMerker);
      EXPECT_EQ(x.StaffelEndeA, y.StaffelEndeA);
      EXPECT_EQ(x.StaffelPreis, y.StaffelPreis);
      EXPECT_EQ(x.RohVBPreis, y.RohVBPreis);
      EXPECT_EQ(x.BisBasis, y.BisBasis);
      EXPECT_EQ(x.RohstoffMengenbasis, y.RohstoffMengenbasis);
      EXPECT_EQ(x.RohstoffGewicht, y.RohstoffGewicht);
      EXPECT_EQ(x.RohstoffWert4, y.RohstoffWert4);
    }
    for (int r = 0; r < 3; ++r) {
      EXPECT_EQ(a.Dimensionstabelle[r].DimText, b.Dimensionstabelle[r].DimText);
      // A missing last field reads back as one blank (blank fill), an empty one as empty.
      EXPECT_EQ(Trimmen(a.Dimensionstabelle[r].DimLangtextNr), Trimmen(b.Dimensionstabelle[r].DimLangtextNr));
      EXPECT_EQ(a.Langtexttabelle[r].LangtextZeile, b.Langtexttabelle[r].LangtextZeile);
    }
    EXPECT_EQ(a.LangtextArt, b.LangtextArt);
    EXPECT_EQ(a.ArbeitWert, b.ArbeitWert);
    EXPECT_EQ(a.Kundennummer, b.Kundennummer);
    EXPECT_EQ(a.WgBezeichnung, b.WgBezeichnung);
    EXPECT_EQ(a.Rabatt, b.Rabatt);
  }
}

// ---------------------------------------------------------------------------------------------
// SET reader

TEST_F(LeserV5, SetLayoutHaengtVomMerkerAb) {
  DateiOeffnen(Testdaten("v5_set.001"));
  ASSERT_EQ(Set(), 0);
  EXPECT_EQ(ns().Kundennummer, "12345");
  EXPECT_EQ(ns().KName1, "KUNDE");
  ASSERT_EQ(Set(), 0);
  const auto& t = ns().SetTabelle;
  EXPECT_EQ(ns().Verarbeitungskz, "N");
  EXPECT_EQ(t[0].SetNr, "SET1");
  EXPECT_EQ(t[0].SetMerker, "L");
  EXPECT_EQ(t[0].SetKurztext, "Kurztext SET1");
  EXPECT_EQ(t[0].SetBeschreibung, "Beschreibung des Blocks");
  EXPECT_EQ(t[0].SetAufrufmerker, 1);
  EXPECT_EQ(t[0].SetArtikelNr, "4711");
  EXPECT_EQ(t[0].SetMenge, 10000);
  EXPECT_EQ(t[1].SetNr, "SET1");  // "set1" in capitals belongs to the same SET
  EXPECT_EQ(t[1].SetKurztext, "");
  EXPECT_EQ(t[1].SetAufrufmerker, 2);
  EXPECT_EQ(t[1].SetMenge, 25000);
  EXPECT_EQ(t[2].SetNr, "");
  // Marker 1: no text fields, the position follows at once.
  ASSERT_EQ(Set(), -1);
  EXPECT_EQ(ns().Verarbeitungskz, "A");
  EXPECT_EQ(t[0].SetNr, "SET2");
  EXPECT_EQ(t[0].SetMerker, "1");
  EXPECT_EQ(t[0].SetKurztext, "");
  EXPECT_EQ(t[0].SetAufrufmerker, 1);
  EXPECT_EQ(t[0].SetArtikelNr, "4713");
  EXPECT_EQ(t[0].SetMenge, 5000);
  EXPECT_TRUE(f.fragen.empty());  // version 5 asks nothing about SET blocks
}

// ---------------------------------------------------------------------------------------------
// Price reader

TEST_F(LeserV5, PreiseDreiZeilenJeSatzFremdeSatzartenImProtokoll) {
  DateiOeffnen(Testdaten("v5_preise.001"));
  ASSERT_EQ(Preise(), 0);
  EXPECT_EQ(ns().Kundennummer, "12345");
  EXPECT_EQ(ns().Preistabelle[0].PArtikelNr, "");

  ASSERT_EQ(Preise(), 0);
  const auto& p = ns().Preistabelle;
  EXPECT_EQ(ns().Verarbeitungskz, "A");
  EXPECT_EQ(p[0].PArtikelNr, "4711");
  EXPECT_EQ(p[0].PPreiskz, 1);
  EXPECT_EQ(p[0].PPreiseinheit, 1);
  EXPECT_EQ(p[0].PPreis, 1234500);
  EXPECT_EQ(p[0].PRabattgruppe, "AB12");  // kept beside discount 1
  EXPECT_EQ(p[0].PZuAbKz1, 1);
  EXPECT_EQ(p[0].PZuAbWert1, 150000);
  EXPECT_EQ(p[0].PZuAbKz2, 2);
  EXPECT_EQ(p[0].PZuAbWert2, 8500);
  EXPECT_EQ(p[0].PZuAbKz3, 3);
  EXPECT_EQ(p[0].PZuAbWert3, 20000);
  EXPECT_EQ(p[0].PZuAbMarke1, "");
  EXPECT_EQ(p[1].PArtikelNr, "4712");
  EXPECT_EQ(p[1].PZuAbMarke1, "@");
  EXPECT_EQ(p[1].PZuAbMarke2, "@");
  EXPECT_EQ(p[1].PZuAbMarke3, "@");
  EXPECT_EQ(p[2].PArtikelNr, "4713");
  EXPECT_EQ(p[2].PZuAbMarke1, "@");
  EXPECT_EQ(p[2].PZuAbKz1, 0);
  EXPECT_EQ(ns().Termin1, "20250601");  // the third line has no date and keeps it
  EXPECT_EQ(f.Text("Tex_ArtikelNr"), "4711");

  // The fourth line starts a record; the Z line is logged, the end record ends the input.
  ASSERT_EQ(Preise(), -1);
  EXPECT_EQ(p[0].PArtikelNr, "4714");
  EXPECT_EQ(p[0].PRabattgruppe, "XY");
  EXPECT_EQ(p[0].PZuAbKz1, 0);
  EXPECT_EQ(p[1].PArtikelNr, "");
  EXPECT_EQ(ns().Termin1, "20250701");
  EXPECT_EQ(k.kz.Fehlerzahl, 1);
  EXPECT_NE(k.kz.Fehlerprotokoll.find(Ansi("in DATPREIS-Datei darf keine Satzart Z geführt werden\r\n")),
            std::string::npos);
  EXPECT_EQ(f.Text("Tex_Bearbeitet"), "Z;N;4711;01;1;x;");
}

TEST_F(LeserV5, PreiseVierZeilenAmDateiende) {
  Oeffnen(Zeilen({Kopf, "P;1;1;1;100;", "P;2;1;1;200;", "P;3;1;1;300;", "P;4;1;1;400;", "P;5;1;1;500;", "c;x;",
                  "K;99;;"}));
  ASSERT_EQ(Preise(), 0);
  EXPECT_EQ(ns().Preistabelle[2].PArtikelNr, "3");
  EXPECT_EQ(ns().Termin1, "");
  // A K line after two rows ends the price record first, so the rows are not lost.
  ASSERT_EQ(Preise(), 0);
  EXPECT_EQ(ns().Preistabelle[1].PArtikelNr, "5");
  EXPECT_EQ(ns().Kundennummer, "");
  EXPECT_EQ(k.kz.Fehlerzahl, 1);  // the C line (letter in capitals)
  EXPECT_NE(k.kz.Fehlerprotokoll.find("Satzart C "), std::string::npos);
  ASSERT_EQ(Preise(), -1);
  EXPECT_EQ(ns().Kundennummer, "99");
  EXPECT_EQ(ns().Preistabelle[0].PArtikelNr, "");
}

// ---------------------------------------------------------------------------------------------
// Real version-5 files (skipped when the corpus is absent)

namespace {

struct Gesamt {
  int saetze = 0, artikel = 0, texte = 0, textzeilen = 0, staffeln = 0, czeilen = 0, dimensionen = 0;
  int ergebnisMinus1 = 0;
  std::string letzterArtikel;
  Staffelzeile ersteStaffel;
};

struct Zeilenzahl {
  int a = 0, t = 0, z = 0, c = 0, d = 0;
  std::string letzterArtikel;
  bool endesatz = false;
};

// Counts the lines of a file by letter, up to its end record.
Zeilenzahl ZeilenZaehlen(const std::string& pfad) {
  Eingabedatei d;
  d.Oeffnen(pfad);
  Zeilenzahl n;
  std::string z;
  while (d.ZeileLesen(z)) {
    if (z.rfind("E;", 0) == 0 && z.size() > 2 && z[2] >= '0' && z[2] <= '9') {
      n.endesatz = true;
      break;
    }
    if (z.rfind("A;", 0) == 0) {
      ++n.a;
      std::size_t a = 4, e = z.find(';', a);
      n.letzterArtikel = Gross(Trimmen(z.substr(a, std::min<std::size_t>(e - a, 15))));
    }
    n.t += z.rfind("T;", 0) == 0;
    n.z += z.rfind("Z;", 0) == 0;
    n.c += z.rfind("C;", 0) == 0;
    n.d += z.rfind("D;", 0) == 0;
  }
  return n;
}

Gesamt AllesLesen(Kontext& k, Fenster& f) {
  Gesamt g;
  for (int i = 0; i < 100000; ++i) {
    std::int16_t r = v5::Artikelleser(k, f);
    const Neutralsatz& ns = k.ns;
    if (!ns.ArtikelNr.empty()) {
      ++g.artikel;
      g.letzterArtikel = ns.ArtikelNr;
    }
    if (!ns.LangtextNr.empty()) ++g.texte;
    for (const auto& l : ns.Langtexttabelle) g.textzeilen += !l.LangtextMarke.empty();
    for (const auto& s : ns.Staffeltabelle) {
      if (s.StaffelArt == 0) break;
      if (g.staffeln++ == 0) g.ersteStaffel = s;
    }
    for (const auto& c : ns.CZeilen) g.czeilen += !c.empty();
    for (const auto& d : ns.Dimensionstabelle) g.dimensionen += !d.DimUnterkz.empty();
    ++g.saetze;
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
  Zeilenzahl erwartet = ZeilenZaehlen(pfad);
  DateiOeffnen(pfad);
  Gesamt g = AllesLesen(k, f);
  EXPECT_GT(erwartet.a, 0);
  EXPECT_EQ(g.artikel, erwartet.a);
  EXPECT_EQ(g.letzterArtikel, erwartet.letzterArtikel);
  EXPECT_EQ(g.textzeilen, erwartet.t);
  EXPECT_EQ(g.staffeln, erwartet.z);
  EXPECT_EQ(g.czeilen, erwartet.c);
  EXPECT_EQ(g.dimensionen, erwartet.d * 1);
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
  // Where the file has an end record, the reader stopped there (not at a bogus text record).
  if (erwartet.endesatz) {
    EXPECT_EQ(ns().Eingabezeile.substr(0, 2), "E;");
  }
}

INSTANTIATE_TEST_SUITE_P(Echt, KorpusV5,
                         ::testing::Values("halo__v5_first_texts_then_products.001",
                                           "halo__v5_only_texts_and_products.001",
                                           "halo__v5_texts_and_products.001", "halo__v5_texts_products.001",
                                           "halo__v5_texts_products_services.001", "datanormaz__DATANORM.001"));

TEST_F(LeserV5, EchteStaffelpreiseBehaltenIhrenPreis) {
  std::string pfad = Korpusdatei("datanormaz__DATANORM.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  DateiOeffnen(pfad);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(ns().ArtikelNr, "2TOP");
  EXPECT_EQ(ns().Mengeneinheit, "MTK");
  EXPECT_EQ(ns().Preis, "0000000894");
  const auto& s = ns().Staffeltabelle;
  EXPECT_EQ(s[0].StaffelArt, 1);
  EXPECT_EQ(s[0].StaffelBasistext1, "Staffelpr. 45 bis 899");
  EXPECT_EQ(s[0].StaffelZuAbArt, 1);
  EXPECT_EQ(s[0].StaffelVorzeichen, "+");
  EXPECT_EQ(s[0].StaffelMerker, 2);
  EXPECT_EQ(s[0].StaffelEndeA, 1);
  EXPECT_EQ(s[0].StaffelPreis, 62600);  // 6.26
  EXPECT_EQ(s[1].StaffelPreis, 58100);
  EXPECT_EQ(s[2].StaffelPreis, 53600);
  EXPECT_EQ(s[3].StaffelArt, 0);
}

TEST_F(LeserV5, EchteDateiEndetMitCZeileOhneEndesatz) {
  std::string pfad = Korpusdatei("halo__v5_texts_products_services.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  DateiOeffnen(pfad);
  std::int16_t r = 0;
  for (int i = 0; i < 10000 && r == 0; ++i) r = Artikel();
  ASSERT_EQ(r, -1);
  EXPECT_EQ(ns().ArtikelNr, "17 AH / 12V");
  EXPECT_EQ(ns().CZeilen[0], "C;N;ES01;17 AH / 12V;0;0;;G 197022; ; ; ; ;;" + FuellungBlank);
}
