#include <gtest/gtest.h>

#include <filesystem>

#include "settings/grunddaten.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

void ErwarteGleich(const Grunddaten& a, const Grunddaten& b) {
  for (int i = 0; i < Grunddateneintraege; ++i) {
    EXPECT_EQ(a.WaehrungTab[i], b.WaehrungTab[i]) << i + 1;
    EXPECT_EQ(a.KursTab[i], b.KursTab[i]) << i + 1;
    EXPECT_EQ(a.EinhV5Tab[i], b.EinhV5Tab[i]) << i + 1;
    EXPECT_EQ(a.EinhTab[i], b.EinhTab[i]) << i + 1;
  }
}

TEST(Grunddaten, OhneDateiGeltenDieVorgaben) {
  TempVerzeichnis v;
  Grunddaten gd;
  const std::string pfad = GrunddatenPfad(v.Pfad());
  EXPECT_EQ(pfad, v.Pfad() + "/KELBORIS.DAT");
  EXPECT_EQ(GrunddatenPfad(v.Pfad() + "/"), pfad);
  LadeGrunddaten(gd, pfad);
  EXPECT_FALSE(std::filesystem::exists(pfad));

  const char* codes[] = {"DEM", "LUF", "FRF", "ATS", "ESP", "GBP", "BEF", "GRD", "PTE", "NLG", "ITL", "DKK"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(gd.WaehrungTab[i], codes[i]);
  for (int i = 12; i < 100; ++i) EXPECT_EQ(gd.WaehrungTab[i], "");
  // The fixed legal euro rates of the currencies the euro replaced; GBP and DKK have none.
  const double kurse[] = {1.95583, 40.3399, 6.55957, 13.7603, 166.386, 0, 40.3399, 340.750, 200.482, 2.20371, 1936.27, 0};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(gd.KursTab[i], kurse[i]) << codes[i];
  for (int i = 12; i < 100; ++i) EXPECT_EQ(gd.KursTab[i], 0);

  EXPECT_EQ(gd.EinhV5Tab[0], "CMK Quadratzentimet.");
  EXPECT_EQ(gd.EinhTab[0], "cm\xB2 ;CM2 ;QCM ;QUCM;");
  EXPECT_EQ(gd.EinhTab[1], "cm\xB3 ;CM3 ;CCM ;");
  EXPECT_EQ(gd.EinhV5Tab[13], "PCE  St\xFC" "ck         ");
  EXPECT_EQ(gd.EinhV5Tab[14], "PCE St\xFC" "ck (sonst.)");
  const std::size_t laengen[20][2] = {{20, 20}, {20, 15}, {20, 5},  {20, 5},  {20, 15}, {20, 10}, {20, 5},
                                      {20, 5},  {20, 10}, {19, 5},  {19, 15}, {19, 15}, {19, 20}, {19, 20},
                                      {18, 120}, {18, 75}, {19, 10}, {19, 15}, {19, 10}, {19, 5}};
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(gd.EinhV5Tab[i].size(), laengen[i][0]) << i + 1;
    EXPECT_EQ(gd.EinhTab[i].size(), laengen[i][1]) << i + 1;
  }
  for (int i = 20; i < 100; ++i) {
    EXPECT_EQ(gd.EinhV5Tab[i], "");
    EXPECT_EQ(gd.EinhTab[i], "");
  }
}

TEST(Grunddaten, DateiformatDerVorgaben) {
  Grunddaten gd;
  StandardwerteAnwenden(gd);
  std::string text = GrunddatenText(gd);
  EXPECT_EQ(text.substr(0, text.find("\r\n") + 2),
            "\"DEM\",1.95583,\"CMK Quadratzentimet.\",\"cm\xB2 ;CM2 ;QCM ;QUCM;\"\r\n");
  int zeilen = 0;
  for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++zeilen;
  EXPECT_EQ(zeilen, 100);
  EXPECT_EQ(text.substr(text.size() - 12), "\"\",0,\"\",\"\"\r\n");
}

TEST(Grunddaten, GeschriebenUndGelesenGleich) {
  Grunddaten gd;
  StandardwerteAnwenden(gd);
  gd.WaehrungTab[12] = "EUR";
  gd.KursTab[12] = 1;
  gd.KursTab[1] = 40.3399;
  gd.KursTab[2] = 6.55957;
  gd.KursTab[10] = 1936.27;
  gd.KursTab[11] = 0.000123456789;
  gd.KursTab[40] = -2.5;  // a rate without a currency on the same line
  gd.EinhV5Tab[20] = "XYZ Mit, Komma    ";
  gd.EinhTab[20] = "m\xB3/h;\xB0" "C  ;";
  gd.EinhV5Tab[99] = "LST  ";
  gd.EinhTab[99] = "    ;";

  TempVerzeichnis v;
  DateiSchreiben(GrunddatenPfad(v.Pfad()), GrunddatenText(gd));
  Grunddaten gelesen;
  LadeGrunddaten(gelesen, GrunddatenPfad(v.Pfad()));
  ErwarteGleich(gelesen, gd);
}

TEST(Grunddaten, DreiZeilenOhneVorgaben) {
  Grunddaten gd;
  GrunddatenLesen(gd,
                  "\"CHF\",1.55,\"KGM Kilo\",\"kg  ;\"\r\n"
                  "\"USD\",.9,\"\",\"\"\r\n"
                  "  \"GBP\" x,0.7e0,LTR Liter,ltr ;\r\n");
  StandardwerteAnwenden(gd);
  EXPECT_EQ(gd.WaehrungTab[0], "CHF");
  EXPECT_EQ(gd.KursTab[0], 1.55);
  EXPECT_EQ(gd.KursTab[1], 0.9);
  EXPECT_EQ(gd.WaehrungTab[2], "GBP");
  EXPECT_EQ(gd.KursTab[2], 0.7);
  EXPECT_EQ(gd.EinhV5Tab[2], "LTR Liter");
  EXPECT_EQ(gd.EinhTab[2], "ltr ;");
  for (int i = 3; i < 100; ++i) {
    EXPECT_EQ(gd.WaehrungTab[i], "");
    EXPECT_EQ(gd.EinhV5Tab[i], "");
  }
  EXPECT_EQ(gd.EinhV5Tab[1], "");  // no default units when line 1 is used
}

TEST(Grunddaten, ErsteZeileLeerGibtVorgabenSpaetereZeilenBleiben) {
  std::string text = "\"\",0,\"\",\"\"\r\n\"CHF\",1.5,\"ABC Zweite\",\"ab  ;\"\r\n";
  for (int i = 3; i <= 25; ++i) text += "\"\",0,\"\",\"\"\r\n";
  text += "\"NOK\",9.5,\"NOK Krone\",\"kr  ;\"\r\n";  // entry 26
  Grunddaten gd;
  GrunddatenLesen(gd, text);
  StandardwerteAnwenden(gd);
  EXPECT_EQ(gd.WaehrungTab[0], "DEM");
  EXPECT_EQ(gd.WaehrungTab[1], "LUF");
  // The default codes come with their rates (a read rate would not belong to its new code);
  // rates 13 to 100 stay as read.
  EXPECT_EQ(gd.KursTab[0], 1.95583);
  EXPECT_EQ(gd.KursTab[1], 40.3399);
  EXPECT_EQ(gd.EinhV5Tab[1], "CMQ Kubikzentimeter ");
  EXPECT_EQ(gd.WaehrungTab[25], "NOK");
  EXPECT_EQ(gd.KursTab[25], 9.5);
  EXPECT_EQ(gd.EinhV5Tab[25], "NOK Krone");
}

TEST(Grunddaten, UnlesbarerKursBeendetDasLesen) {
  for (const char* kurs : {"abc", "inf", "nan", "-"}) {
    Grunddaten gd;
    GrunddatenLesen(gd, std::string("\"CHF\",1.5,\"A\",\"a   ;\"\r\n\"USD\",") + kurs +
                            ",\"B\",\"b   ;\"\r\n\"GBP\",0.7,\"C\",\"c   ;\"\r\n");
    EXPECT_EQ(gd.WaehrungTab[0], "CHF") << kurs;
    EXPECT_EQ(gd.EinhTab[0], "a   ;") << kurs;
    // Nothing of the broken entry and nothing after it is taken.
    EXPECT_EQ(gd.WaehrungTab[1], "") << kurs;
    EXPECT_EQ(gd.EinhV5Tab[1], "") << kurs;
    EXPECT_EQ(gd.WaehrungTab[2], "") << kurs;
  }
}

TEST(Grunddaten, LeeresLetztesFeldVerschiebtNichts) {
  Grunddaten gd;
  GrunddatenLesen(gd, "\"CHF\",,ABC,\r\n\"USD\",2,\"DEF\",\"d   ;\"\n\"GBP\",3,\"G\",\"g   ;\"");
  EXPECT_EQ(gd.WaehrungTab[0], "CHF");
  EXPECT_EQ(gd.KursTab[0], 0);
  EXPECT_EQ(gd.EinhV5Tab[0], "ABC");
  EXPECT_EQ(gd.EinhTab[0], "");
  EXPECT_EQ(gd.WaehrungTab[1], "USD");
  EXPECT_EQ(gd.EinhTab[1], "d   ;");
  EXPECT_EQ(gd.WaehrungTab[2], "GBP");
  EXPECT_EQ(gd.EinhTab[2], "g   ;");
}

TEST(Grunddaten, KursSuchen) {
  Grunddaten gd;
  StandardwerteAnwenden(gd);
  gd.WaehrungTab[20] = " chf";
  gd.KursTab[20] = 1.5;
  EXPECT_EQ(KursSuchen(gd, " dem "), 1.95583);
  EXPECT_EQ(KursSuchen(gd, "CHF"), 1.5);
  EXPECT_EQ(KursSuchen(gd, "GBP"), 0);
  EXPECT_EQ(KursSuchen(gd, "XXX"), 0);
}

TEST(Grunddaten, GespeicherteKurseBleibenWieGelesen) {
  // A settings file written with other rates (the old DEM default among them) keeps them.
  TempVerzeichnis v;
  DateiSchreiben(GrunddatenPfad(v.Pfad()), "\"DEM\",1.9624,\"\",\"\"\r\n\"LUF\",0,\"\",\"\"\r\n");
  Grunddaten gd;
  LadeGrunddaten(gd, GrunddatenPfad(v.Pfad()));
  EXPECT_EQ(gd.KursTab[0], 1.9624);
  EXPECT_EQ(gd.KursTab[1], 0);
  EXPECT_EQ(gd.WaehrungTab[2], "");
}

}  // namespace
