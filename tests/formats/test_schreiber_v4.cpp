#include <gtest/gtest.h>

#include "control/skriptfenster.h"
#include "testhilfe.h"
#include "formats/v4/schreiber_v4.h"

using namespace korvelan;
using korvelan::test::Zeilen;

namespace {

class SchreiberV4 : public ::testing::Test {
 protected:
  SchreiberV4() { test::AusgabeErstellen(k, v, 4); }

  // Runs a writer, expects success, and returns everything written so far (closes the output).
  std::string Schreiben(Schreibfunktion schreiber) {
    EXPECT_EQ(test::MitSatzart(schreiber, k), 0) << k.kz.Ausgabefehlertext;
    return test::AusgabeLesen(k, v);
  }
  void Lauf(Schreibfunktion schreiber) { EXPECT_EQ(test::MitSatzart(schreiber, k), 0) << k.kz.Ausgabefehlertext; }

  void Artikel(const std::string& kz, const std::string& nr) {
    k.ns.Verarbeitungskz = kz;
    k.ns.ArtikelNr = nr;
    k.ns.Textkz = "00";  // the record checks always leave a text flag
  }

  test::TempVerzeichnis v;
  Kontext k;
  SkriptFenster f;
};

}  // namespace

TEST_F(SchreiberV4, Termin1EinmalJeDatumUndJeLauf) {
  k.ns.Termin1 = "20250801";
  Artikel("L", "4711");
  Lauf(v4::Artikelschreiber);
  Artikel("L", "4712");
  Lauf(v4::Artikelschreiber);  // same date: no second C line
  k.ns.Termin1 = "20250901";
  Artikel("L", "4713");
  Lauf(v4::Artikelschreiber);  // another date gets its own line
  k.kz.Termin1Geschrieben = false;  // a new run
  Artikel("L", "4714");
  EXPECT_EQ(Schreiben(v4::Artikelschreiber),
            Zeilen({"C;;TERMIN-1;01082025;", "A;L;4711;;;;;;;;;;;", "A;L;4712;;;;;;;;;;;", "C;;TERMIN-1;01092025;",
                    "A;L;4713;;;;;;;;;;;", "C;;TERMIN-1;01092025;", "A;L;4714;;;;;;;;;;;"}));
}

TEST_F(SchreiberV4, KSRZeilen) {
  k.ns.Kundennummer = "018988";
  k.ns.Preispflege = " ";
  Lauf(v4::Artikelschreiber);
  EXPECT_EQ(k.ns.Kundennummer, "");
  k.ns.Hauptwarengruppe = "12";
  k.ns.WgBezeichnung = "Rohre";
  Lauf(v4::Artikelschreiber);
  k.ns.WgNummer = "1234";
  k.ns.WgBezeichnung = "Kupferrohre";
  Lauf(v4::Artikelschreiber);
  NeutralsatzLeeren(k.ns);
  k.ns.RgNummer = "AB";
  k.ns.RabattKz = 1;
  k.ns.Rabatt = 125000;  // 12.5 %
  k.ns.RgBezeichnung = "Fittings";
  Lauf(v4::Artikelschreiber);
  k.ns.RabattKz = 2;
  k.ns.Rabatt = 8500;  // multiplier 0.85
  k.ns.RgBezeichnung = "";
  Lauf(v4::Artikelschreiber);
  k.ns.Rabatt = 0;  // no multiplier stands for 1
  EXPECT_EQ(Schreiben(v4::Artikelschreiber),
            Zeilen({"K;;018988; ;;", "S;;12;Rohre;;;;", "S;;12;;1234;Kupferrohre;;", "R;;AB;1;1250;Fittings;;",
                    "R;;AB;2;850;;;", "R;;AB;2;1000;;;"}));
}

TEST_F(SchreiberV4, KundensatzInSetUndPreisdateiSchreibtNurK) {
  k.ns.Kundennummer = "K1";
  k.ns.SetTabelle[0].SetNr = "SET1";
  Lauf(v4::Setschreiber);
  k.ns.Kundennummer = "K2";
  k.ns.Preistabelle[0].PArtikelNr = "4711";
  EXPECT_EQ(Schreiben(v4::Preisschreiber), Zeilen({"K;;K1;;;", "K;;K2;;;"}));
}

TEST_F(SchreiberV4, LoeschUndNummernwechselZeilen) {
  Artikel("L", "4711  ");
  k.ns.LangtextNr = "T1";  // the call ends before any long text
  k.ns.LangtextArt = 1;
  k.ns.Langtexttabelle[0] = {"X", "Text"};
  Lauf(v4::Artikelschreiber);
  Artikel("X", "4711");
  k.ns.NeueArtikelNr = "4712  ";
  EXPECT_EQ(Schreiben(v4::Artikelschreiber), Zeilen({"A;L;4711;;;;;;;;;;;", "A;X;4711;;4712;;;;;;;;;"}));
}

TEST_F(SchreiberV4, ALineMitUmlautenUndLeerenAngaben) {
  Artikel("N", "4711");
  // Text in the file's code, written byte for byte.
  k.ns.Kurztext1 = "Gr\x94\xE1" "e \x8E \x99 \x9A \xE1 \xF5 \xF8" "C \xFD \xFC";
  k.ns.Kurztext2 = "@";
  k.ns.Preiskz = "1";
  k.ns.Preiseinheit = "100";
  k.ns.Mengeneinheit = "@";
  k.ns.Preis = "0000012345";
  k.ns.Rabattgruppe = "AB";
  k.ns.Warenhauptgruppe = "@";
  k.ns.Langtextschluessel = "@";
  EXPECT_EQ(Schreiben(v4::Artikelschreiber),
            Zeilen({"A;N;4711;00;Gr\x94\xE1" "e \x8E \x99 \x9A \xE1 \xF5 \xF8" "C \xFD \xFC;;1;2;;12345;AB;;;"}));
}

TEST_F(SchreiberV4, APreiskennzeichenPreiseinheitUndPreis) {
  // Fields 7 (price flag), 8 (price-unit code) and 10 (price) of the A line.
  auto felder = [&](const std::string& kz, const std::string& preiskz, const std::string& einheit,
                    const std::string& preis) {
    test::TempVerzeichnis d;
    Kontext kk;
    test::AusgabeErstellen(kk, d, 4);
    kk.ns.Verarbeitungskz = kz;
    kk.ns.ArtikelNr = "1";
    kk.ns.Textkz = "00";
    kk.ns.Preiskz = preiskz;
    kk.ns.Preiseinheit = einheit;
    kk.ns.Preis = preis;
    EXPECT_EQ(test::MitSatzart(v4::Artikelschreiber, kk), 0);
    std::string zeile = test::AusgabeLesen(kk, d);
    return zeile.substr(std::string("A;N;1;00;;;").size());  // from field 7 on
  };
  const std::string mit = "0000000500", ohne = "0000000000";
  EXPECT_EQ(felder("N", "1", "0", mit), "1;0;;500;;;;\r\n");
  EXPECT_EQ(felder("N", "2", "1", mit), "2;0;;500;;;;\r\n");
  EXPECT_EQ(felder("N", "", "10", mit), "1;1;;500;;;;\r\n");
  EXPECT_EQ(felder("N", "7", "1000", mit), "7;3;;500;;;;\r\n");  // a digit stays as it is
  EXPECT_EQ(felder("N", "X", "1000", mit), "1;3;;500;;;;\r\n");
  EXPECT_EQ(felder("N", "@", "5", mit), ";0;;500;;;;\r\n");
  EXPECT_EQ(felder("N", "", "5", ohne), ";;;0;;;;\r\n");
  EXPECT_EQ(felder("A", "", "", ohne), ";;;;;;;\r\n");
  EXPECT_EQ(felder("A", "1", "100", "@"), "1;2;;;;;;\r\n");
  EXPECT_EQ(felder("N", "@", "@", "@"), ";;;;;;;\r\n");
}

TEST_F(SchreiberV4, AOhneTextkennzeichenBehaeltKurztexte) {
  Artikel("A", "4711");
  k.ns.Textkz = "";
  k.ns.Kurztext1 = "Rohr";
  k.ns.Kurztext2 = "15 mm";
  EXPECT_EQ(Schreiben(v4::Artikelschreiber), Zeilen({"A;A;4711;;Rohr;15 mm;;;;;;;;"}));
}

TEST_F(SchreiberV4, BZeile) {
  Artikel("N", "4711");
  k.ns.Matchcode = "ROHR";
  k.ns.AlternativArtikelNr = "@";
  k.ns.Katalogseite = "12";
  k.ns.EanNr = "4001234567890";
  k.ns.Warengruppe = "WG1";
  k.ns.Kostenart = "90";
  k.ns.Verpackungsmenge = "0";
  k.ns.ReferenzKuerzel = "@";
  k.ns.ReferenzNr = "R-1";
  Lauf(v4::Artikelschreiber);
  EXPECT_EQ(k.ns.Verpackungsmenge, "1");
  NeutralsatzLeeren(k.ns);
  Artikel("N", "4712");
  k.ns.Kostenart = "@";  // a B line was present, all its fields empty
  EXPECT_EQ(Schreiben(v4::Artikelschreiber),
            Zeilen({"A;N;4711;00;;;;;;0;;;;", "B;N;4711;ROHR;;12;0;;;4001234567890;;WG1;90;1;;R-1;",
                    "A;N;4712;00;;;;;;0;;;;", "B;N;4712;;;;0;;;;;;;1;;;"}));
}

TEST_F(SchreiberV4, DZeilenPaarweise) {
  Artikel("N", "4711");
  k.ns.Dimensionstabelle[0] = {"A", "L\x84nge 10 m", "LT000001X"};
  k.ns.Dimensionstabelle[1] = {"B", std::string(45, 'x'), ""};
  k.ns.Dimensionstabelle[2] = {"C", "Ende", "@"};
  EXPECT_EQ(Schreiben(v4::Artikelschreiber),
            Zeilen({"A;N;4711;00;;;;;;0;;;;", "D;N;4711;1;A;LT000001;L\x84nge 10 m;2;B;;" + std::string(40, 'x') + ";",
                    "D;N;4711;3;C;;Ende;;;;;"}));
}

TEST_F(SchreiberV4, ZZeilenAllerMarken) {
  Artikel("N", "4711");
  auto& t = k.ns.Staffeltabelle;  // fixed-point values are value x 10000
  t[0].StaffelArt = 1, t[0].StaffelZuAbArt = 1, t[0].StaffelBasismerker = 1;
  t[0].StaffelBasistext1 = "ab 10 St\x81" "ck  ", t[0].StaffelPreis = 123400;
  t[0].VonBasis = 100000, t[0].BisBasis = 990000;
  t[1].StaffelArt = 1, t[1].StaffelZuAbArt = 2, t[1].StaffelVorzeichen = "-";
  t[1].StaffelBasistext1 = "Zuschlag", t[1].StaffelPreis = 50000;
  t[2].StaffelArt = 2, t[2].RohVBKz = 2, t[2].RohVBMerker = "CU", t[2].RohVBZuAbArt = 3;
  t[2].RohVBVorzeichen = "+", t[2].RohVBPreis = 15000, t[2].VonBasis = 1500000, t[2].BisBasis = 2000000;
  t[2].RohVBFaktor = 100;
  t[3].StaffelArt = 2;  // RohVBKz 0 has no version-4 mark: no line, but the number counts on
  t[4].StaffelArt = 2, t[4].RohVBKz = 1, t[4].RohVBMerker = "AL";  // kind 0 keeps the previous code
  t[4].RohVBPreis = 20000, t[4].VonBasis = 10000, t[4].BisBasis = 20000, t[4].RohVBFaktor = 10000;
  t[4].RohVBWert5 = 32500, t[4].RohVBWert6 = 5000;
  t[5].StaffelArt = 3, t[5].RohstoffMerker = "CU", t[5].RohstoffBasis = 1500000, t[5].RohstoffFaktor = 100;
  t[5].RohstoffGewicht = 123400, t[5].RohstoffWert4 = 10;
  EXPECT_EQ(Schreiben(v4::Artikelschreiber),
            Zeilen({"A;N;4711;00;;;;;;0;;;;", "Z;N;4711;1;1;1;ab 10 St\x81" "ck;0;1234;10;99;",
                    "Z;N;4711;2;2;0;Zuschlag;4;500;0;0;", "Z;N;4711;3;3;CU;1;150;150;200;10;",
                    "Z;N;4711;5;6;AL;1;1;200;1;2;1000;325;500;", "Z;N;4711;6;4;CU;150;10;1234;1;"}));
}

TEST_F(SchreiberV4, GanzerArtikelInReihenfolge) {
  k.ns.Termin1 = "20251231";
  Artikel("A", "4711   ");
  k.ns.Textkz = "10";
  k.ns.Kurztext1 = "Rohr";
  k.ns.Matchcode = "ROHR";
  k.ns.Dimensionstabelle[0] = {"A", "Dim", ""};
  k.ns.Staffeltabelle[0].StaffelArt = 3;
  k.ns.Staffeltabelle[0].RohstoffMerker = "MS";
  k.ns.WerkstoffWert1 = 15000;
  k.ns.WerkstoffWert3 = 22500;
  k.ns.WerkstoffKz = 1;
  k.ns.WerkstoffText = "Stahl  ";
  k.ns.ArbeitKz1 = 1;
  k.ns.ArbeitKz2 = 3;
  k.ns.ArbeitWert = 125000;
  k.ns.LangtextNr = "ABCDEFGHIJ";
  k.ns.LangtextArt = 1;
  k.ns.Langtexttabelle[0] = {"X", "Zeile 1"};
  k.ns.Langtexttabelle[1] = {"X", "Zeile 2"};
  k.ns.Langtexttabelle[2] = {"X", std::string(41, 'y')};
  EXPECT_EQ(Schreiben(v4::Artikelschreiber),
            Zeilen({"C;;TERMIN-1;31122025;", "A;A;4711;10;Rohr;;;;;;;;;", "B;A;4711;ROHR;;;0;;;;;;;1;;;",
                    "D;A;4711;1;A;;Dim;;;;;", "Z;A;4711;1;4;MS;0;0;0;0;",
                    "C;A;WERKSTOFF-1;4711;1500;0;2250;0;1;Stahl;", "C;A;ARBEIT-1;4711;1;3;125;",
                    "T;A;ABCDEFGH;;1;;Zeile 1;2;;Zeile 2;", "T;A;ABCDEFGH;;3;;" + std::string(40, 'y') + ";;;;"}));
}

TEST_F(SchreiberV4, EinfuegetextOhneArtikel) {
  k.ns.Verarbeitungskz = "N";
  k.ns.LangtextNr = "EINS";
  k.ns.LangtextArt = 2;
  k.ns.Langtexttabelle[0] = {"X", "Text"};
  k.ns.Langtexttabelle[1] = {"X", "@"};
  EXPECT_EQ(Schreiben(v4::Artikelschreiber), Zeilen({"E;N;EINS;;1;;Text;2;;;"}));
}

TEST_F(SchreiberV4, JZeilen) {
  k.ns.Verarbeitungskz = "N";
  auto& s = k.ns.SetTabelle;
  s[0] = {"SET1", "K", "Kurz", 1, "4711", std::string(30, 'b'), 25000};
  // Row 2 has a description of its own; row 3 repeats the texts of row 2.
  s[1] = {"SET1", "K", "Kurz", 0, "", "Weg", 0};
  s[2] = {"SET1", "K", "Kurz", 4, "4712", "Weg", 10000};
  EXPECT_EQ(Schreiben(v4::Setschreiber),
            Zeilen({"J;N;SET1;1;K;Kurz;" + std::string(28, 'b') + ";1;4711;2500;", "J;N;SET1;2;K;Kurz;Weg;;;;",
                    "J;N;SET1;3;K;;;4;4712;1000;"}));
}

TEST_F(SchreiberV4, PZeileEinZeilig) {
  k.ns.Termin1 = "20251231";
  k.ns.Verarbeitungskz = "A";
  auto& p = k.ns.Preistabelle[0];
  p.PArtikelNr = "4711";
  p.PPreiskz = 1;
  p.PPreis = 123400;
  p.PZuAbKz1 = 1;
  p.PZuAbWert1 = 55000;
  p.PZuAbMarke2 = "@";
  EXPECT_EQ(Schreiben(v4::Preisschreiber), Zeilen({"C;;TERMIN-1;31122025;", "P;A;4711;1;1234;1;550;;;;;"}));
}

TEST_F(SchreiberV4, PZeileMitDreiZeilenUndLuecke) {
  k.ns.Verarbeitungskz = "N";
  auto& t = k.ns.Preistabelle;
  t[0].PArtikelNr = "A1";
  t[0].PPreiskz = 12;  // not one digit: becomes 1
  t[0].PZuAbMarke1 = "@";
  t[0].PZuAbKz2 = 2;
  t[0].PZuAbWert2 = 1250;
  t[0].PZuAbKz3 = 3;
  t[0].PZuAbWert3 = 10000;
  t[1].PArtikelNr = " ";
  t[2].PArtikelNr = "A3";
  t[2].PPreis = 10000;
  t[2].PRabattgruppe = "RG12X";
  EXPECT_EQ(Schreiben(v4::Preisschreiber), Zeilen({"P;N;A1;1;;;;2;125;3;100;A3;;100;0;RG12;;;;;"}));
  EXPECT_EQ(t[0].PPreiskz, 1);
}

TEST_F(SchreiberV4, PreissatzOhneZeilenSchreibtNichts) {
  k.ns.Verarbeitungskz = "A";
  EXPECT_EQ(Schreiben(v4::Preisschreiber), "");
}

TEST_F(SchreiberV4, SemikolonImTextVerschiebtKeineFelder) {
  k.ns.RgNummer = "AB";
  k.ns.RabattKz = 1;
  k.ns.Rabatt = 125000;
  k.ns.RgBezeichnung = "Rohre; Fittings";
  EXPECT_EQ(Schreiben(v4::Artikelschreiber), "R;;AB;1;1250;Rohre, Fittings;;\r\n");
}
