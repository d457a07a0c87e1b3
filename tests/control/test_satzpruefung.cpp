#include <gtest/gtest.h>

#include "context/zeichentabellen.h"
#include "control/konvertierlauf.h"
#include "control/satzpruefung.h"
#include "testhilfe.h"

using namespace korvelan;

namespace {

class Satzpruefung : public ::testing::Test {
 protected:
  void SetUp() override {
    DatumFestlegen("07.05.2024");
    StandardwerteAnwenden(k.gd);
    Versionen("4", "5");
  }
  void TearDown() override { DatumFestlegen(""); }

  void Versionen(const std::string& ein, const std::string& aus) { k.lauf.VersionenSetzen(ein, aus); }

  std::string Einheit(const std::string& einheit, const std::string& aus) {
    k.lauf.VersionenSetzen(k.lauf.eingabeversionText, aus);
    k.ns.Mengeneinheit = einheit;
    EinheitUmsetzen(k);
    return k.ns.Mengeneinheit;
  }

  std::string Kopf(const std::string& ein, const std::string& aus) const {
    return "F E H L E R P R O T O K O L L   vom 07.05.24\r\nKonvertierung von Vers." + ein + " in Vers." + aus +
           "\r\n" + std::string(45, '_') + "\r\n\r\n";
  }

  Kontext k;
};

TEST_F(Satzpruefung, EinheitNachVersion5) {
  EXPECT_EQ(Einheit("Stck", "5"), "PCE ");
  EXPECT_EQ(Einheit("ST", "5"), "PCE ");
  EXPECT_EQ(Einheit("CM", "5"), "CMT ");  // entry 3 comes before entry 12's "CM"
  EXPECT_EQ(Einheit(" kg ", "5"), "KGM ");
  EXPECT_EQ(Einheit(Ansi("m²"), "5"), "MTK ");
  EXPECT_EQ(Einheit("Sack", "5"), "Sack");  // no match: unchanged, in its own case
  EXPECT_EQ(Einheit("", "5"), "");
}

// "²" and "³" compare as "2" and "3": the units versions 3 and 4 write for MTK and MTQ, and the
// CP850 spellings of real files (0xFD "²", 0xFC "³", and 0xFE, the "³" of earlier outputs), map
// back to their codes.
TEST_F(Satzpruefung, EinheitHochzahlenAlsZiffern) {
  EXPECT_EQ(Einheit("m2", "5"), "MTK ");
  EXPECT_EQ(Einheit("M3 ", "5"), "MTQ ");
  EXPECT_EQ(Einheit("m\xFD", "5"), "MTK ");
  EXPECT_EQ(Einheit("m\xFC", "5"), "MTQ ");
  EXPECT_EQ(Einheit("m\xFE", "5"), "MTQ ");
  EXPECT_EQ(Einheit(Einheit("MTK", "4"), "5"), "MTK ");
  EXPECT_EQ(Einheit(Einheit("MTQ", "3"), "5"), "MTQ ");
}

TEST_F(Satzpruefung, EinheitNachVersion3Und4) {
  EXPECT_EQ(Einheit("PCE", "4"), "St  ");
  EXPECT_EQ(Einheit("pce ", "3"), "St  ");
  EXPECT_EQ(Einheit("PR", "4"), "Paar");
  // The spelling of the settings ("m²") reaches the record in the file's code, where versions 3
  // and 4 write "²" as "2".
  EXPECT_EQ(Einheit("MTK", "3"), "m2  ");
  EXPECT_EQ(Einheit("MTQ", "4"), "m3  ");
  EXPECT_EQ(Einheit("Stck", "4"), "Stck");
  EXPECT_EQ(Einheit("", "4"), "");
}

TEST_F(Satzpruefung, OhneArtikelnummerNichts) {
  k.ns.Kurztext1 = "";
  k.ns.Kurztext2 = "Rohr";
  k.ns.Textkz = "73";
  SatzPruefen(k);
  EXPECT_EQ(k.ns.Kurztext1, "");
  EXPECT_EQ(k.ns.Textkz, "73");
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
}

TEST_F(Satzpruefung, Kurztexte) {
  k.ns.ArtikelNr = "4711";
  for (auto [t1, t2, e1, e2] : {std::tuple{"@", "Rohr", "Rohr", ""}, std::tuple{"  ", "Rohr", "Rohr", ""},
                                std::tuple{"", "@", "@", ""}, std::tuple{"@", " ", "@", " "},
                                std::tuple{"Muffe", "Rohr", "Muffe", "Rohr"}}) {
    k.ns.Kurztext1 = t1;
    k.ns.Kurztext2 = t2;
    SatzPruefen(k);
    EXPECT_EQ(k.ns.Kurztext1, e1) << t1 << "|" << t2;
    EXPECT_EQ(k.ns.Kurztext2, e2) << t1 << "|" << t2;
  }
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
}

TEST_F(Satzpruefung, Textkennzeichen) {
  k.ns.ArtikelNr = "4711";
  for (auto [ein, aus] : {std::pair{"7", "07"}, std::pair{"", "00"}, std::pair{"  ", "00"}, std::pair{"@", "00"},
                          std::pair{"00", "00"}, std::pair{"40", "40"}, std::pair{"6X", "6X"}}) {
    k.ns.Textkz = ein;
    SatzPruefen(k);
    EXPECT_EQ(k.ns.Textkz, aus) << ein;
  }
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
  EXPECT_EQ(k.kz.Fehlerprotokoll, "");

  k.ns.Textkz = "73";
  SatzPruefen(k);
  EXPECT_EQ(k.ns.Textkz, "00");
  EXPECT_EQ(k.kz.Fehlerzahl, 1);
  EXPECT_EQ(k.kz.Fehlerprotokoll, Kopf("4", "5") + "4711              \tTextkennzeichen falsch\r\n");
}

TEST_F(Satzpruefung, KopfNurVorDemErstenEintrag) {
  k.ns.ArtikelNr = "ARTIKELNUMMER-LANG";  // 18 characters: cut to 18 and to 16
  k.ns.Textkz = "99";
  SatzPruefen(k);
  Versionen("5", "4");
  k.ns.CZeilen[0] = "C;N;ES01;12 AH / 12V;0;0;;";
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 2);
  EXPECT_EQ(k.kz.Fehlerprotokoll, Kopf("4", "5") + "ARTIKELNUMMER-LANG\tTextkennzeichen falsch\r\n" +
                                      "ARTIKELNUMMER-LA\tDatenverlust: \tC;N;ES01;12 AH  \r\n");
}

TEST_F(Satzpruefung, DatenverlustCZeilen) {
  k.ns.ArtikelNr = "4711";
  k.ns.CZeilen[0] = "C;N;ES01;12 AH / 12V;0;0;;";
  k.ns.CZeilen[1] = "C;N;XY;kurz;";
  k.ns.CZeilen[3] = "C;N;NACH;der Luecke;";  // behind the first free row: not looked at
  Versionen("5", "5");
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
  Versionen("4", "3");
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
  Versionen("5", "4");
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 1);
  EXPECT_EQ(k.kz.Fehlerprotokoll,
            Kopf("5", "4") + "4711            \tDatenverlust: \tC;N;ES01;12 AH  C;N;XY;kurz; \r\n");
}

TEST_F(Satzpruefung, DatenverlustZuschlaegeUndWerkstoff) {
  k.ns.ArtikelNr = "4711";
  auto& st = k.ns.Staffeltabelle;
  st[0].StaffelArt = 3;
  st[0].RohstoffMerker = "CU";
  st[0].RohstoffWert4 = FestkommaEins / 100;
  st[0].RohstoffMengenbasis = 100;
  st[0].RohstoffFaktor = FestkommaEins / 100;
  Versionen("4", "3");
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 0);  // one copper row by 100 units: the version-3 B line holds it
  st[0].RohstoffWert4 = FestkommaEins / 200;
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 1);  // by another unit it does not
  st[0].RohstoffWert4 = FestkommaEins / 1000;
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 2);  // nor by 1000 units with the quantity base of 100
  st[0].RohstoffMengenbasis = 1000;
  k.kz.Fehlerprotokoll.clear();
  k.kz.Fehlerzahl = 0;

  st[1].StaffelArt = 1;  // a price-scale row in the article's price unit
  st[1].StaffelZuAbArt = 1;
  st[1].StaffelVorzeichen = "+";
  st[1].StaffelEndeA = 999;
  Versionen("3", "3");
  SatzPruefen(k);
  Versionen("5", "4");
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 0);
  Versionen("4", "3");
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerzahl, 1);
  EXPECT_NE(k.kz.Fehlerprotokoll.find(Ansi("4711            \tDatenverlust: \tZuschlagsätze\r\n")), std::string::npos);

  // From version 5 to 3: prices first (the surcharges), then the material note, then the C lines,
  // cut to 35.
  k.kz.Fehlerprotokoll.clear();
  k.kz.Fehlerzahl = 0;
  k.ns.ArbeitKz1 = 1;
  k.ns.CZeilen[0] = "C;N;ES01;x;";
  Versionen("5", "3");
  SatzPruefen(k);
  EXPECT_EQ(k.kz.Fehlerprotokoll,
            Kopf("5", "3") + Ansi("4711            \tDatenverlust: \tZuschlagsätze Werkstoff/Arbeit C;N;\r\n"));
}

TEST_F(Satzpruefung, WerkstoffOderArbeitNachVersion3) {
  k.ns.ArtikelNr = "4711";
  Versionen("4", "3");
  auto pruefe = [&](auto setzen) {
    Neutralsatz leer;
    leer.ArtikelNr = "4711";
    k.ns = leer;
    setzen(k.ns);
    k.kz.Fehlerprotokoll.clear();
    k.kz.Fehlerzahl = 0;
    SatzPruefen(k);
    return k.kz.Fehlerprotokoll.find("\tDatenverlust: \tWerkstoff/Arbeit\r\n") != std::string::npos;
  };
  EXPECT_FALSE(pruefe([](Neutralsatz& ns) { ns.WerkstoffText = " "; }));
  EXPECT_TRUE(pruefe([](Neutralsatz& ns) { ns.WerkstoffText = "MS"; }));
  EXPECT_TRUE(pruefe([](Neutralsatz& ns) { ns.WerkstoffWert3 = 5; }));
  EXPECT_TRUE(pruefe([](Neutralsatz& ns) { ns.WerkstoffKz = 1; }));
  EXPECT_TRUE(pruefe([](Neutralsatz& ns) { ns.WerkstoffWert5 = 1; }));
  EXPECT_TRUE(pruefe([](Neutralsatz& ns) { ns.ArbeitKz1 = 2; }));
  EXPECT_FALSE(pruefe([](Neutralsatz& ns) { ns.ArbeitKz2 = 2; }));
  Versionen("4", "4");
  EXPECT_FALSE(pruefe([](Neutralsatz& ns) { ns.WerkstoffText = "MS"; }));
}

TEST_F(Satzpruefung, ProtokollGrenzeZaehltWeiter) {
  k.ns.ArtikelNr = "4711";
  long eintraege = 0;
  while (k.kz.Fehlerprotokoll.size() < 60000) {
    ProtokollEintrag(k, "Eintrag " + std::string(40, 'x'));
    ++eintraege;
  }
  const std::string voll = k.kz.Fehlerprotokoll;
  EXPECT_LT(voll.size(), 60000u + 60u);
  for (int i = 0; i < 5; ++i) {
    k.ns.Textkz = "99";
    SatzPruefen(k);
  }
  EXPECT_EQ(k.kz.Fehlerprotokoll, voll);
  EXPECT_EQ(k.kz.Fehlerzahl, eintraege + 5);
  EXPECT_EQ(k.kz.Fehlerprotokoll.find("F E H L E R"), 0u);
  EXPECT_EQ(k.kz.Fehlerprotokoll.find("F E H L E R", 1), std::string::npos);
}

TEST_F(Satzpruefung, WaehrungUmrechnen) {
  auto& ns = k.ns;
  k.lauf.umrechnungsfaktor = 1.95583;
  k.lauf.umrechnungsrichtung = true;
  ns.Preis = "0000010000";
  ns.Staffeltabelle[0].StaffelArt = 1;
  ns.Staffeltabelle[0].StaffelPreis = 195583;  // 19.5583
  ns.Staffeltabelle[0].VonBasis = 10 * FestkommaEins;
  ns.Staffeltabelle[1].StaffelArt = 2;
  ns.Staffeltabelle[1].RohVBPreis = 1 * FestkommaEins;
  ns.Staffeltabelle[1].BisBasis = 3 * FestkommaEins;
  ns.Staffeltabelle[3].StaffelArt = 3;  // behind the first free row
  ns.Staffeltabelle[3].RohstoffBasis = 100 * FestkommaEins;
  ns.Preistabelle[0].PArtikelNr = "1";
  ns.Preistabelle[0].PPreis = 857 * FestkommaEins;
  ns.Preistabelle[2].PPreis = 1 * FestkommaEins;
  WaehrungUmrechnen(k);
  EXPECT_EQ(ns.Preis, "0000005113");
  EXPECT_EQ(ns.Staffeltabelle[0].StaffelPreis, 10 * FestkommaEins);
  EXPECT_EQ(ns.Staffeltabelle[0].VonBasis, 10 * FestkommaEins);  // a quantity of the price scale
  EXPECT_EQ(ns.Staffeltabelle[1].RohVBPreis, 5113);
  EXPECT_EQ(ns.Staffeltabelle[1].BisBasis, 15339);
  EXPECT_EQ(ns.Staffeltabelle[3].RohstoffBasis, 100 * FestkommaEins);
  EXPECT_EQ(ns.Preistabelle[0].PPreis, 4381771);  // 438.17714...
  EXPECT_EQ(ns.Preistabelle[2].PPreis, 5113);

  k.lauf.umrechnungsrichtung = false;
  ns.Preis = "0000005113";
  WaehrungUmrechnen(k);
  EXPECT_EQ(ns.Preis, "0000010000");  // 10000.158... rounded

  // A price without a number and an empty price stay as they are.
  for (const char* preis : {"@", ""}) {
    ns.Preis = preis;
    WaehrungUmrechnen(k);
    EXPECT_EQ(ns.Preis, preis);
  }
}

TEST(Zeichentabellen, NachOemJeVersion) {
  const std::string text = Ansi("ÄäÜüÖöß§°²³") + std::string(1, '\0') + "\n\r\x8A" + "a~";
  std::string v5 = text, v4 = text, v3 = text;
  ZeichenNachOem(v5, 5);
  ZeichenNachOem(v4, 4);
  ZeichenNachOem(v3, 3);
  EXPECT_EQ(v5, "\x8E\x84\x9A\x81\x99\x94\xE1\x15\xF8\xFD\xFE    a~");
  EXPECT_EQ(v4, "\x8E\x84\x9A\x81\x99\x94\xE1\x15*23    a~");
  EXPECT_EQ(v3, std::string("\x8E\x84\x9A\x81\x99\x94\xE1\x15*23") + '\0' + "   a~");
  for (std::int16_t version : {3, 4, 5}) {
    std::string einmal = text;
    ZeichenNachOem(einmal, version);
    std::string zweimal = einmal;
    ZeichenNachOem(zweimal, version);
    EXPECT_EQ(zweimal, einmal) << version;
  }
  // Every byte: twice is once.
  std::string alle;
  for (int c = 0; c < 256; ++c) alle += static_cast<char>(c);
  for (std::int16_t version : {3, 4, 5}) {
    std::string einmal = alle;
    ZeichenNachOem(einmal, version);
    std::string zweimal = einmal;
    ZeichenNachOem(zweimal, version);
    EXPECT_EQ(zweimal, einmal) << version;
  }
}

TEST(Zeichentabellen, NachAnsiUndZurueck) {
  std::string datei = "\x8E\x84\x9A\x81\x99\x94\xE1\x15\xF8\xFD\xFE";
  ZeichenNachAnsi(datei);
  EXPECT_EQ(datei, Ansi("ÄäÜüÖöß§°²³"));
  ZeichenNachOem(datei, 5);
  EXPECT_EQ(datei, "\x8E\x84\x9A\x81\x99\x94\xE1\x15\xF8\xFD\xFE");
  // The "³" of CP850 (252) is read as "³" too.
  std::string hoch3 = "m\xFC";
  ZeichenNachAnsi(hoch3);
  EXPECT_EQ(hoch3, Ansi("m³"));
  std::string rand = std::string(1, '\0') + "\xFF" + "x";
  ZeichenNachAnsi(rand);
  EXPECT_EQ(rand, "  x");
}

}  // namespace
