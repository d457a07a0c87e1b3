#include <gtest/gtest.h>

#include <memory>

#include "control/skriptfenster.h"
#include "testhilfe.h"
#include "formats/v5/schreiber_v5.h"
#include "formats/zeilenausgabe.h"

using namespace korvelan;
using korvelan::test::AusgabeErstellen;
using korvelan::test::AusgabeLesen;
using korvelan::test::TempVerzeichnis;
using korvelan::test::Zeilen;

namespace {

Festkomma Fk(const char* text) { return Val(text); }

class SchreiberV5 : public ::testing::Test {
 protected:
  void SetUp() override {
    AusgabeErstellen(k, dir, 5);
    ASSERT_TRUE(k.kz.AusgabeDateiNr.IstOffen());
  }
  std::string Ausgabe() { return AusgabeLesen(k, dir); }

  // A fresh article with number and first short text.
  void Artikel(const char* vkz, const char* nummer, const char* kurztext1) {
    ns.Verarbeitungskz = vkz;
    ns.ArtikelNr = nummer;
    ns.Kurztext1 = kurztext1;
  }

  TempVerzeichnis dir;
  std::unique_ptr<Kontext> kp = std::make_unique<Kontext>();
  Kontext& k = *kp;
  Neutralsatz& ns = k.ns;
  SkriptFenster f;
};

// ---------------------------------------------------------------------------------------------

TEST(LeerfelderKuerzen, EntferntLeereFelderAmEnde) {
  std::string z = "S;12;;;";
  LeerfelderKuerzen(z);
  EXPECT_EQ(z, "S;12;");
  z = "S;12;";
  LeerfelderKuerzen(z);
  EXPECT_EQ(z, "S;12;");
  z = "S;;12;;";
  LeerfelderKuerzen(z);
  EXPECT_EQ(z, "S;;12;");
  // A line not closed by ";" keeps its last field.
  z = "X;;Y";
  LeerfelderKuerzen(z);
  EXPECT_EQ(z, "X;;Y");
}

TEST_F(SchreiberV5, WarengruppeUndRabattgruppe) {
  ns.WgNummer = "12";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  ns.WgNummer.clear();

  ns.Hauptwarengruppe = "001";
  ns.WgNummer = "@";
  ns.WgBezeichnung = "R\x94hren";  // text in the file's code
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  ns.Hauptwarengruppe.clear();
  ns.WgNummer.clear();
  ns.WgBezeichnung.clear();

  ns.RgNummer = "AB";
  ns.RabattKz = 1;
  ns.Rabatt = Fk("12.5");
  ns.RgBezeichnung = "Rohre";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  ns.RabattKz = 2;
  ns.Rabatt = Fk("0.85");
  ns.RgBezeichnung.clear();
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  // A multiplier of zero stands for "not given": the neutral multiplier 1.
  ns.Rabatt = 0;
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  EXPECT_EQ(Ausgabe(), Zeilen({"S;;12;", "S;001;;R\x94hren;", "R;AB;1;1250;Rohre;", "R;AB;2;850;", "R;AB;2;1000;"}));
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 5);
}

TEST_F(SchreiberV5, KundensatzWirdEinmalGeschrieben) {
  ns.Kundennummer = "018988";
  ns.KName1 = "Name";
  // The K record comes before an article in the same record.
  Artikel("N", "4711", "Rohr");
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  EXPECT_TRUE(ns.Kundennummer.empty());
  EXPECT_EQ(Ausgabe(), Zeilen({"K;018988;Name;"}));
}

TEST_F(SchreiberV5, AZeileEndetNachKurztext2WennRestLeerOderVorgabe) {
  Artikel("N", "4711 ", "Rohr");
  ns.Kurztext2 = "@";
  ns.Preiseinheit = "1";
  ns.Verpackungsmenge = "1";
  ns.Kostenart = "90";
  ns.Textkz = "00";
  ns.Mengeneinheit = " ";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  // Price unit 0 or none writes "1" but does not keep the line long by itself.
  ns.Preiseinheit = "0";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  ns.Preiseinheit.clear();
  ns.Preis = "0000012345";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  // Every field held as "@" is written empty, the price unit and the packing quantity too (their
  // "1" is for a zero or a record without the field).
  for (std::string* feld : {&ns.Kurztext1, &ns.Kurztext2, &ns.Mengeneinheit, &ns.Preiskz, &ns.Preiseinheit,
                            &ns.Preis, &ns.Rabattgruppe, &ns.Matchcode, &ns.Verpackungsmenge, &ns.Textkz,
                            &ns.Kostenart, &ns.A5Feld26, &ns.ReferenzNr})
    *feld = "@";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  EXPECT_EQ(ns.Verpackungsmenge, "@");

  EXPECT_EQ(Ausgabe(), Zeilen({"A;N;4711;Rohr;;", "A;N;4711;Rohr;;", "A;N;4711;Rohr;; ;;1;12345;", "A;N;4711;;;"}));
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 4);
}

TEST_F(SchreiberV5, AZeileMitAllenFeldernUndUmlauten) {
  // Text in the file's code, written byte for byte (0xF5 "§", 0xFC "³" and 0xFE of CP850 included).
  Artikel("A", "4711", "Gr\x94\xE1" "e \x8E\x99\x9A\x84\x94\x81\xE1 \xF5\xF8\xFD\xFC\xFE");
  ns.Kurztext2 = "15 mm";
  ns.Mengeneinheit = "MTR ";
  ns.Preiskz = "1";
  ns.Preiseinheit = "100";
  ns.Preis = "0000012345";
  ns.Rabattgruppe = "R1";
  ns.Warenhauptgruppe = "001";
  ns.Warengruppe = "WG1";
  ns.Matchcode = "ROHR";
  ns.A5Feld14 = "F14";
  ns.AlternativArtikelNr = "4712";
  ns.A5Feld16 = "F16";
  ns.A5Feld17 = "F17";
  ns.A5Feld18 = "F18";
  ns.EanNr = "4000000000000";
  ns.Anbindungsnummer = "AN1";
  ns.Katalogseite = "S12";
  ns.Textkz = "10";
  ns.Langtextschluessel = "LT1";
  ns.Kostenart = "90";
  ns.A5Feld26 = "1";
  ns.ReferenzKuerzel = "RK";
  ns.ReferenzNr = "RN";
  ns.A5Zusatz = "Z";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  EXPECT_EQ(ns.Verpackungsmenge, "1");

  // The text flag keeps the line up to it; the cost type 90 after it does not.
  ns.Textkz = "10";
  ns.Kostenart = "90";
  ns.Mengeneinheit = ns.Preiskz = ns.Preis = ns.Rabattgruppe = ns.Warenhauptgruppe = ns.Warengruppe = "";
  ns.Matchcode = ns.A5Feld14 = ns.AlternativArtikelNr = ns.A5Feld16 = ns.A5Feld17 = ns.A5Feld18 = "";
  ns.EanNr = ns.Anbindungsnummer = ns.Katalogseite = "";
  ns.Preiseinheit = ns.Langtextschluessel = ns.A5Feld26 = ns.ReferenzKuerzel = ns.ReferenzNr = ns.A5Zusatz = "";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  EXPECT_EQ(Ausgabe(), Zeilen({"A;A;4711;Gr\x94\xE1" "e \x8E\x99\x9A\x84\x94\x81\xE1 \xF5\xF8\xFD\xFC\xFE;15 mm;MTR ;1;100;12345;"
                               "R1;001;WG1;ROHR;F14;4712;F16;F17;F18;4000000000000;AN1;1;S12;1;LT1;90;1;RK;RN;Z;",
                               "A;A;4711;Gr\x94\xE1" "e \x8E\x99\x9A\x84\x94\x81\xE1 \xF5\xF8\xFD\xFC\xFE;15 mm;;;1;" +
                                   std::string(12, ';') + "1;;1;"}));
}

TEST_F(SchreiberV5, ZZeilenNehmenDiePreiseinheitDerAZeile) {
  Artikel("N", "4711", "Rohr");
  ns.Preiseinheit = "100";
  auto& t = ns.Staffeltabelle;
  t[0].StaffelArt = 1;
  t[0].StaffelBasistext1 = "Staffel 1 ";
  t[0].StaffelBasistext2 = "bis 10";
  t[0].StaffelZuAbArt = 1;
  t[0].StaffelVorzeichen = "+";
  t[0].StaffelEndeA = 999;
  t[0].StaffelPreis = Fk("12.34");
  t[0].StaffelEndeB = 10;
  t[1].StaffelArt = 7;  // unknown kind: no line, no number
  t[2].StaffelArt = 2;
  t[2].RohVBMerker = "AL";
  t[2].RohVBZuAbArt = 2;
  t[2].RohVBVorzeichen = "-";
  t[2].RohVBKz = 1;
  t[2].RohVBEnde = 50;
  t[2].RohVBPreis = Fk("1.5");
  t[2].VonBasis = Fk("100");
  t[2].BisBasis = Fk("200");
  t[2].RohVBFaktor = Fk("0.5");
  t[2].RohVBWert5 = Fk("0.25");
  t[2].RohVBWert6 = Fk("0.002");
  t[3].StaffelArt = 3;
  t[3].RohstoffMerker = "CU";
  t[3].RohstoffKz = 2;
  t[3].RohstoffMengenbasis = 999;
  t[3].RohstoffBasis = Fk("150");
  t[3].RohstoffFaktor = Fk("0.01");
  t[3].RohstoffGewicht = Fk("12.34");
  t[3].RohstoffWert4 = Fk("0.001");
  t[4].StaffelArt = 1;
  t[4].StaffelEndeA = 5;
  t[4].StaffelEndeB = 999;
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  // An A line without a price unit of its own: 999 becomes 1.
  ns.Preiseinheit.clear();
  t[1] = Staffelzeile{};
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  EXPECT_EQ(Ausgabe(), Zeilen({"A;N;4711;Rohr;;;;100;", "Z;N;4711;01;1;Staffel 1;bis 10;1;+;;100;1234;10;",
                               "Z;N;4711;02;2;AL;2;-;1;50;150;10000;20000;500;25;2;",
                               "Z;N;4711;03;3;CU;2;100;15000;10;1234;1;", "Z;N;4711;04;1;;;;;;5;0;",
                               "A;N;4711;Rohr;;", "Z;N;4711;01;1;Staffel 1;bis 10;1;+;;1;1234;10;"}));
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 7);
}

TEST_F(SchreiberV5, ArtikelgruppeInReihenfolgeUndZaehlung) {
  Artikel("N", "4711", "Rohr");
  ns.Anbindungsnummer = "BILD1";
  ns.AnbindungKz = -1;
  const std::string lang(45, 'x');
  ns.Dimensionstabelle[0] = {"F", lang, "D1"};
  ns.Dimensionstabelle[1] = {"@", "Breite", "LANGTEXTNUMMER12345"};
  ns.Dimensionstabelle[3] = {"G", "nach der Luecke", ""};  // behind an empty row: not written
  ns.Staffeltabelle[0].StaffelArt = 1;
  ns.Staffeltabelle[0].StaffelEndeA = 999;
  ns.Staffeltabelle[0].StaffelPreis = Fk("2");
  ns.WerkstoffText = "MS58";
  ns.WerkstoffWert1 = Fk("1.5");
  ns.ArbeitKz1 = 1;
  ns.ArbeitKz2 = 3;
  ns.ArbeitWert = Fk("0.25");
  const std::string cZeile = "C;N;ES01;4711;\xFC\x8A;" + std::string(5, ' ');
  ns.CZeilen[0] = cZeile;
  ns.LangtextNr = "T1";
  ns.LangtextArt = 1;
  ns.Langtexttabelle[0] = {"X", "Zeile \x84"};
  ns.Langtexttabelle[1] = {"X", lang};
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  EXPECT_EQ(Ausgabe(), Zeilen({"A;N;4711;Rohr;;;;1;" + std::string(11, ';') + "BILD1;",
                               "D;N;4711;01;F;" + std::string(40, 'x') + ";D1;",
                               "D;N;4711;02; ;Breite;LANGTEXTNUMMER1;",
                               "G;N;BILD1;01;1A;BILD1;BMP;Zeile aus Version 3 \x81" "bernommen;",
                               "Z;N;4711;01;1;;;;;;1;200;",
                               "C;N;WST1;4711;1500;0;0;0;0;MS58;",
                               "C;N;ARBA;4711;1;3;250;",
                               cZeile,
                               "T;N;T1;1;01;Zeile \x84;",
                               "T;N;T1;1;02;" + lang + ";"}));
  // Counted: A, two D, G, Z and two T lines; the C lines are not.
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 10);  // every line counts, the C lines too
}

TEST_F(SchreiberV5, ArbeitswertMitZehnUndLeereWerkstoffdaten) {
  Artikel("A", "4711", "Rohr");
  ns.ArbeitKz1 = 2;
  ns.ArbeitKz2 = 1;
  ns.ArbeitWert = Fk("12.5");
  ns.AnbindungKz = -1;  // a G line needs processing flag N
  ns.Anbindungsnummer = "BILD1";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  EXPECT_EQ(Ausgabe(), Zeilen({"A;A;4711;Rohr;;;;1;" + std::string(11, ';') + "BILD1;", "C;A;ARBA;4711;2;1;125;"}));
}

TEST_F(SchreiberV5, LoeschenUndUmnummernSchreibenBZeile) {
  Artikel("L", "4711", "");
  ns.NummerAltKz = "L";
  ns.LangtextNr = "T1";  // a delete record writes no long text
  ns.LangtextArt = 1;
  ns.Langtexttabelle[0] = {"X", "Text"};
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  Artikel("X", "4711", "");
  ns.NummerAltKz = "A";
  ns.NeueArtikelNr = " 4712 ";
  ns.NummerAltZusatz = "20011231";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);

  EXPECT_EQ(Ausgabe(), Zeilen({"B;L;4711;", "B;A;4711;4712;20011231;"}));
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 2);
}

TEST_F(SchreiberV5, LangtextOhneArtikelWirdGekuerzt) {
  ns.Verarbeitungskz = "A";
  ns.LangtextNr = "LANGTEXTNUMMER12345";
  ns.LangtextArt = 2;
  ns.Langtexttabelle[0] = {"X", std::string(75, 'y')};
  ns.Langtexttabelle[1] = {"X", "   "};
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  // Text kind 0: no T lines.
  ns.LangtextArt = 0;
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  // A text row keeps up to 70 characters.
  EXPECT_EQ(Ausgabe(), Zeilen({"T;A;LANGTEXTNUMMER1;2;01;" + std::string(70, 'y') + ";", "T;A;LANGTEXTNUMMER1;2;02;"}));
}

TEST_F(SchreiberV5, SetZeilen) {
  ns.Verarbeitungskz = "N";
  auto& s = ns.SetTabelle;
  s[0] = {"SET1", "L", "Kurz", 0, "", std::string(45, 'b'), 0};
  s[1] = {"SET1", "L", "", 1, "4711", "", Fk("2.5")};
  s[2] = {"SET1", "L", "", 0, "4712", "", Fk("1")};  // call marker 0: no position part
  s[3] = {"SET2", "S", "", 0, "ARTIKELNUMMER12345", "", 0};
  EXPECT_EQ(test::MitSatzart(v5::Setschreiber, k), 0);
  EXPECT_EQ(Ausgabe(), Zeilen({"J;N;SET1;L;01;Kurz;" + std::string(40, 'b') + ";", "J;N;SET1;L;02;;;1;4711;2500;",
                               "J;N;SET1;L;03;", "J;N;SET2;S;04;0;ARTIKELNUMMER12;0;"}));
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 4);
}

TEST_F(SchreiberV5, KundensatzImSetUndPreisschreiber) {
  ns.Kundennummer = "K1";
  ns.SetTabelle[0] = {"SET1", "S", "", 0, "4711", "", Fk("1")};
  EXPECT_EQ(test::MitSatzart(v5::Setschreiber, k), 0);
  ns.Kundennummer = "K2";
  ns.Preistabelle[0].PArtikelNr = "4711";
  EXPECT_EQ(test::MitSatzart(v5::Preisschreiber, k), 0);
  EXPECT_TRUE(ns.Kundennummer.empty());
  EXPECT_EQ(Ausgabe(), Zeilen({"K;K1;", "K;K2;"}));
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 2);
}

TEST_F(SchreiberV5, PreiszeilenUeberspringenLeereZeile) {
  auto& p = ns.Preistabelle;
  p[0].PArtikelNr = "4711";
  p[0].PPreiskz = 1;
  p[0].PPreis = Fk("12.34");
  p[0].PZuAbKz1 = 1;
  p[0].PZuAbWert1 = Fk("5.5");
  p[0].PZuAbKz2 = 2;
  p[0].PZuAbWert2 = Fk("0.85");
  p[0].PZuAbKz3 = 1;
  p[0].PZuAbMarke3 = "@";
  p[0].PZuAbWert3 = Fk("3");
  p[2].PArtikelNr = "4713";
  p[2].PPreiskz = 2;
  p[2].PPreiseinheit = 3;
  p[2].PRabattgruppe = "RG12345";
  p[2].PZuAbKz1 = 5;  // a kind this program does not know: its value in hundredths, as read
  p[2].PZuAbWert1 = Fk("1");
  p[2].PZuAbKz2 = 3;
  p[2].PZuAbWert2 = Fk("1");
  EXPECT_EQ(test::MitSatzart(v5::Preisschreiber, k), 0);
  EXPECT_EQ(p[0].PPreiseinheit, 1);

  // A record without rows writes nothing.
  PreistabelleLeeren(ns);
  EXPECT_EQ(test::MitSatzart(v5::Preisschreiber, k), 0);

  EXPECT_EQ(Ausgabe(), Zeilen({"P;4711;1;1;1234;;1;550;2;850;", "P;4713;2;3;;RG12;5;100;3;100;"}));
  EXPECT_EQ(k.kz.AusgabeSatzzahl, 2);
}

TEST_F(SchreiberV5, SchreibfehlerGibtMinusEins) {
  ASSERT_TRUE(k.kz.AusgabeDateiNr.Erstellen("/dev/full"));
  Artikel("N", "4711", std::string(40, 'r').c_str());
  std::int16_t ergebnis = 0;
  // Writes are buffered: the failure shows once the buffer reaches the device.
  for (int i = 0; i < 100000 && ergebnis == 0; ++i) ergebnis = test::MitSatzart(v5::Artikelschreiber, k);
  EXPECT_EQ(ergebnis, -1);
  EXPECT_FALSE(k.kz.Ausgabefehlertext.empty());
  k.kz.AusgabeDateiNr.Verwerfen();
}

}  // namespace

TEST_F(SchreiberV5, SemikolonImTextVerschiebtKeineFelder) {
  ns.Verarbeitungskz = "N";
  ns.ArtikelNr = "4711";
  ns.Kurztext1 = "Rohr; verzinkt";
  ns.Kurztext2 = "a;b";
  EXPECT_EQ(test::MitSatzart(v5::Artikelschreiber, k), 0);
  EXPECT_EQ(Ausgabe(), Zeilen({"A;N;4711;Rohr, verzinkt;a,b;"}));
}
