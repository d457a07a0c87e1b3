#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/skriptfenster.h"
#include "record/festkomma.h"
#include "testhilfe.h"
#include "formats/v3/schreiber_v3.h"

using namespace korvelan;

namespace {

std::string N(std::size_t n) { return std::string(n, '\0'); }  // filler
std::string B(std::size_t n) { return std::string(n, ' '); }
// Text padded with blanks to width n.
std::string F(const std::string& s, std::size_t n) { return s + B(n - s.size()); }

class SchreiberV3 : public ::testing::Test {
 protected:
  test::TempVerzeichnis dir;
  Kontext k;
  SkriptFenster f;

  void SetUp() override { test::AusgabeErstellen(k, dir, 3); }

  // Runs one writer and returns the lines written; every line must be 128 characters.
  std::vector<std::string> Schreiben(Schreibfunktion schreiber) {
    EXPECT_EQ(test::MitSatzart(schreiber, k), 0);
    std::string text = test::AusgabeLesen(k, dir);
    std::vector<std::string> zeilen;
    std::size_t a = 0;
    for (std::size_t e; (e = text.find("\r\n", a)) != std::string::npos; a = e + 2) {
      zeilen.push_back(text.substr(a, e - a));
      EXPECT_EQ(zeilen.back().size(), 128u) << "line " << zeilen.size();
    }
    EXPECT_EQ(a, text.size());
    EXPECT_EQ(k.kz.AusgabeSatzzahl, 0);
    return zeilen;
  }

  void Artikel(const std::string& vkz = "N") {
    auto& ns = k.ns;
    ns.Verarbeitungskz = vkz;
    ns.ArtikelNr = "4711";
    ns.Textkz = "00";
    ns.Kurztext1 = "Rohr";
    ns.Kurztext2 = "verzinkt";
    ns.Preiskz = "1";
    ns.Preiseinheit = "100";
    ns.Mengeneinheit = "M";
    ns.Preis = "0000001234";
    ns.Rabattgruppe = "RG1";
    ns.Warenhauptgruppe = "12";
    ns.Langtextschluessel = "LT1";
  }
};

const std::string AKopf = "AN" + F("4711", 15) + "00" + F("Rohr", 40);

TEST_F(SchreiberV3, KundeSchreibtKZeileInAllenDreiSchreibern) {
  for (Schreibfunktion s : {&v3::Artikelschreiber, &v3::Setschreiber, &v3::Preisschreiber}) {
    test::AusgabeErstellen(k, dir, 3);
    k.ns.Kundennummer = "12345";
    k.ns.Preispflege = "J";
    k.ns.ArtikelNr = "4711";
    k.ns.SetTabelle[0].SetNr = "S1";
    k.ns.Preistabelle[0].PArtikelNr = "4711";
    auto z = Schreiben(s);
    ASSERT_EQ(z.size(), 1u);
    EXPECT_EQ(z[0], "K " + F("12345", 10) + "J" + B(115));
    EXPECT_EQ(k.ns.Kundennummer, "");
  }
}

TEST_F(SchreiberV3, WarengruppeUndRabattgruppe) {
  k.ns.Hauptwarengruppe = "12";
  k.ns.WgBezeichnung = "Rohre";
  EXPECT_EQ(Schreiben(&v3::Artikelschreiber)[0], "S " + F("12", 3) + F("Rohre", 40) + B(83));

  test::AusgabeErstellen(k, dir, 3);
  k.ns.WgNummer = "WG77";
  EXPECT_EQ(Schreiben(&v3::Artikelschreiber)[0], "S " + F("12", 3) + B(40) + F("WG77", 10) + F("Rohre", 40) + B(33));

  // Discount rate x100, multiplier x1000, a zero multiplier becomes 1.
  struct Fall {
    std::int16_t kz;
    Festkomma rabatt;
    std::string feld;
  };
  for (const Fall& c : {Fall{1, 125000, "1250"}, Fall{2, 8500, "0850"}, Fall{2, 0, "1000"}, Fall{1, 0, "0000"}}) {
    test::AusgabeErstellen(k, dir, 3);
    NeutralsatzLeeren(k.ns);
    k.ns.RgNummer = "AB";
    k.ns.RabattKz = c.kz;
    k.ns.Rabatt = c.rabatt;
    k.ns.RgBezeichnung = "Armaturen";
    EXPECT_EQ(Schreiben(&v3::Artikelschreiber)[0],
              "R AB  " + GanzAlsText(c.kz) + c.feld + "Armaturen" + B(108));
  }
  // 100 % does not fit four digits: filler keeps the description in place.
  test::AusgabeErstellen(k, dir, 3);
  k.ns.RabattKz = 1;
  k.ns.Rabatt = 100 * FestkommaEins;
  k.ns.RgBezeichnung = "@";
  EXPECT_EQ(Schreiben(&v3::Artikelschreiber)[0], "R AB  1" + N(4) + N(40) + B(77));
}

TEST_F(SchreiberV3, ALineFelderLeerAtUndCodes) {
  Artikel();
  auto z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 1u);  // no B line, no dimensions, no long text
  EXPECT_EQ(z[0], AKopf + F("verzinkt", 40) + "12" + F("M", 4) + "00001234" + "RG1 " + "12 " + F("LT1", 8));

  // A change record: "@" fields become filler, empty fields blanks.
  test::AusgabeErstellen(k, dir, 3);
  Artikel("A");
  k.ns.Kurztext2 = "@";
  k.ns.Preis = "@";
  k.ns.Rabattgruppe = "";
  k.ns.Langtextschluessel = "@";
  k.ns.Preiskz = "";
  k.ns.Preiseinheit = "1";
  z = Schreiben(&v3::Artikelschreiber);
  EXPECT_EQ(z[0], "AA" + F("4711", 15) + "00" + F("Rohr", 40) + N(40) + " 0" + F("M", 4) + N(8) + B(4) + "12 " + N(8));

  // A price flag of one digit is written as it is; "@" or a letter, unknown price units and a
  // price beyond eight digits: filler.
  struct Fall {
    std::string preiskz, pe, preis, erwartet;
  };
  for (const Fall& c : {Fall{"4", "1000", "0000000001", "3" + F("M", 4) + "00000001"},
                        Fall{"@", "@", "0123456789", std::string(1, '\0') + F("M", 4) + N(8)},
                        Fall{"3", "5", "", std::string(1, '\0') + F("M", 4) + "00000000"},
                        Fall{"X", "1", "0000000001", "0" + F("M", 4) + "00000001"}}) {
    test::AusgabeErstellen(k, dir, 3);
    Artikel();
    k.ns.Preiskz = c.preiskz;
    k.ns.Preiseinheit = c.pe;
    k.ns.Preis = c.preis;
    std::string pk = c.preiskz == "3" || c.preiskz == "4" ? c.preiskz : std::string(1, '\0');
    EXPECT_EQ(Schreiben(&v3::Artikelschreiber)[0].substr(99, 14), pk + c.erwartet) << c.preiskz;
  }
}

TEST_F(SchreiberV3, LoeschenUndNummernwechsel) {
  Artikel("L");
  k.ns.LangtextNr = "LT1";
  k.ns.LangtextArt = 1;
  k.ns.Langtexttabelle[0] = {"X", "Text"};
  auto z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 1u);
  EXPECT_EQ(z[0], "AL" + F("4711", 15) + N(111));

  test::AusgabeErstellen(k, dir, 3);
  k.ns.Verarbeitungskz = "X";
  k.ns.NeueArtikelNr = "4712  ";
  z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 1u);
  EXPECT_EQ(z[0], "AX" + F("4711", 15) + N(2) + F("4712", 15) + N(94));
}

TEST_F(SchreiberV3, BLineMitKupfer) {
  Artikel();
  k.ns.Matchcode = "ROHR";
  k.ns.AlternativArtikelNr = "@";
  k.ns.Katalogseite = "";
  k.ns.EanNr = "4000000000001";
  auto& cu = k.ns.Staffeltabelle[1];  // row 1 is a surcharge, row 2 the copper data
  k.ns.Staffeltabelle[0].StaffelArt = 1;
  cu.StaffelArt = 3;
  cu.RohstoffMerker = "CU";
  cu.RohstoffBasis = 150 * FestkommaEins;
  cu.RohstoffGewicht = 123400;  // 12.34
  cu.RohstoffWert4 = 10;        // 0.001: per 1000 units
  auto z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 2u);
  EXPECT_EQ(z[1], "BN" + F("4711", 15) + F("ROHR", 15) + N(15) + B(6) + "2150001234" + "4000000000001" + N(52));

  // Copper data alone still gets its B line; per 100 units the mark is 1.
  test::AusgabeErstellen(k, dir, 3);
  k.ns.Matchcode = k.ns.EanNr = "";
  cu.RohstoffWert4 = 100;
  z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 2u);
  EXPECT_EQ(z[1].substr(53, 23), "1150001234" + B(13));

  // Only "@" and no copper mark: no B line.
  test::AusgabeErstellen(k, dir, 3);
  cu.RohstoffWert4 = 0;
  k.ns.Matchcode = "@";
  EXPECT_EQ(Schreiben(&v3::Artikelschreiber).size(), 1u);

  // A value but a copper row without mark: ten zeros.
  test::AusgabeErstellen(k, dir, 3);
  k.ns.Katalogseite = "S.12";
  z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 2u);
  EXPECT_EQ(z[1].substr(17, 59), N(15) + N(15) + F("S.12", 6) + "0000000000" + B(13));
}

TEST_F(SchreiberV3, DimensionenUndLangtextePaarweise) {
  Artikel();
  for (int i = 0; i < 3; ++i) k.ns.Dimensionstabelle[i] = {"A", "Masse " + GanzAlsText(i + 1), "D" + GanzAlsText(i + 1)};
  k.ns.Dimensionstabelle[1].DimUnterkz = "@";
  k.ns.LangtextNr = "LT1";
  k.ns.LangtextArt = 1;
  for (int i = 0; i < 3; ++i) k.ns.Langtexttabelle[i] = {"X", "Zeile " + GanzAlsText(i + 1)};
  auto z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 5u);
  const std::string d = "DN" + F("4711", 15);
  EXPECT_EQ(z[1], d + "01A" + F("D1", 8) + F("Masse 1", 40) + "02" + N(1) + F("D2", 8) + F("Masse 2", 40) + N(9));
  EXPECT_EQ(z[2], d + "03A" + F("D3", 8) + F("Masse 3", 40) + N(60));
  const std::string t = "TN" + F("LT1", 8) + B(7);
  EXPECT_EQ(z[3], t + "01" + B(9) + F("Zeile 1", 40) + "02" + B(9) + F("Zeile 2", 40) + N(9));
  EXPECT_EQ(z[4], t + "03" + B(9) + F("Zeile 3", 40) + N(60));

  // A long text without article, insert text (E), two rows in one line.
  test::AusgabeErstellen(k, dir, 3);
  NeutralsatzLeeren(k.ns);
  k.ns.Verarbeitungskz = "A";
  k.ns.LangtextNr = "E9";
  k.ns.LangtextArt = 2;
  k.ns.Langtexttabelle[0] = {"X", "a"};
  k.ns.Langtexttabelle[1] = {"X", "@"};
  z = Schreiben(&v3::Artikelschreiber);
  ASSERT_EQ(z.size(), 1u);
  EXPECT_EQ(z[0], "EA" + F("E9", 8) + B(7) + "01" + B(9) + F("a", 40) + "02" + B(9) + N(40) + N(9));
}

TEST_F(SchreiberV3, SetVierPositionenProZeile) {
  auto set = [&](int zeilen) {
    test::AusgabeErstellen(k, dir, 3);
    SetTabelleLeeren(k.ns);
    k.ns.Verarbeitungskz = "N";
    for (int i = 0; i < zeilen; ++i) {
      auto& s = k.ns.SetTabelle[i];
      s = {"SET1", "L", "Bad", 1, "ART" + GanzAlsText(i + 1), "nicht in V3", (i + 1) * 15000};
    }
    return Schreiben(&v3::Setschreiber);
  };
  const std::string kopf = "JN" + F("SET1", 15) + F("Bad", 15);
  auto pos = [](int i, const std::string& menge) { return F("ART" + GanzAlsText(i), 15) + menge; };
  auto z = set(4);
  ASSERT_EQ(z.size(), 1u);
  EXPECT_EQ(z[0], kopf + pos(1, "0001500") + pos(2, "0003000") + pos(3, "0004500") + pos(4, "0006000") + N(8));
  z = set(5);
  ASSERT_EQ(z.size(), 2u);
  EXPECT_EQ(z[1], kopf + pos(5, "0007500") + N(74));
  EXPECT_TRUE(set(0).empty());
}

TEST_F(SchreiberV3, PreiszeileMitZeilenUndZuschlaegen) {
  auto& p = k.ns.Preistabelle;
  k.ns.Verarbeitungskz = "A";
  p[0].PArtikelNr = "4711";
  p[0].PPreiskz = 12;  // not one digit: becomes 1
  p[0].PPreis = 12345000;  // 1234.50
  p[0].PRabattgruppe = "RG1";  // kind 0 in group 1
  p[0].PZuAbMarke2 = p[0].PZuAbMarke3 = "@";
  p[2].PArtikelNr = "4713";
  p[2].PPreiskz = 2;
  p[2].PPreis = 990000;
  p[2].PZuAbKz1 = 1, p[2].PZuAbWert1 = 125000;  // 12.5 %
  p[2].PZuAbKz2 = 2, p[2].PZuAbWert2 = 8500;    // 0.85
  p[2].PZuAbKz3 = 3, p[2].PZuAbWert3 = 20000;   // 2.00
  auto z = Schreiben(&v3::Preisschreiber);
  ASSERT_EQ(z.size(), 1u);
  EXPECT_EQ(z[0], "PA" + F("4711", 15) + "1" + "00123450" + "0RG1 " + N(10) +  //
                      F("4713", 15) + "2" + "00009900" + "11250" + "20850" + "30200" + N(48));
  EXPECT_EQ(p[0].PPreiskz, 1);

  // Group 1 with "@", a blank first row, and a table without rows.
  test::AusgabeErstellen(k, dir, 3);
  p[0].PArtikelNr = " ";
  p[2].PZuAbMarke1 = "@";
  z = Schreiben(&v3::Preisschreiber);
  ASSERT_EQ(z.size(), 1u);
  EXPECT_EQ(z[0], "PA" + F("4713", 15) + "2" + "00009900" + N(5) + "20850" + "30200" + N(87));

  test::AusgabeErstellen(k, dir, 3);
  PreistabelleLeeren(k.ns);
  EXPECT_TRUE(Schreiben(&v3::Preisschreiber).empty());
}

// Text of the record is in the file's code and is written byte for byte; only CR and LF become
// blanks (the zero byte is version 3's filler).
TEST_F(SchreiberV3, TextBytesWieGelesen) {
  Artikel();
  k.ns.Kurztext1 = "B\x94gen \x8E\x9A\xE1\xFD \xF5\xFC\xB3\xC4\x8A";
  k.ns.Kurztext2 = "a\r\nb";
  auto z = Schreiben(&v3::Artikelschreiber);
  EXPECT_EQ(z[0].substr(19, 16), "B\x94gen \x8E\x9A\xE1\xFD \xF5\xFC\xB3\xC4\x8A");
  EXPECT_EQ(z[0].substr(59, 4), "a  b");
}

TEST_F(SchreiberV3, SchreibfehlerGibtMinusEins) {
  k.kz.AusgabeDateiNr.Schliessen();
  Artikel();
  EXPECT_EQ(test::MitSatzart(v3::Artikelschreiber, k), -1);
  EXPECT_FALSE(k.kz.Ausgabefehlertext.empty());
}

}  // namespace
