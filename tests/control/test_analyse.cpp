#include <gtest/gtest.h>

#include "control/analyse.h"
#include "control/konvertierlauf.h"
#include "control/skriptfenster.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

// A version-3 record: 128 characters and CR LF.
std::string V3Satz(std::string satz) {
  satz.resize(128, ' ');
  return satz + "\r\n";
}

std::string V3Kopf(const std::string& datum, const std::string& i1, const std::string& i2, const std::string& i3) {
  return V3Satz("V " + datum + Auffuellen(i1, 40) + Auffuellen(i2, 40) + Auffuellen(i3, 40));
}

// A version-4 header line of 128 characters (without its line end).
std::string V4Kopf(const std::string& datum, const std::string& i1, const std::string& i2, const std::string& i3,
                   const std::string& version = "04", const std::string& waehrung = "DEM") {
  return "V " + Auffuellen(datum, 6) + Auffuellen(i1, 40) + Auffuellen(i2, 40) + Auffuellen(i3, 35) + version +
         waehrung;
}

const std::string V5Kopf = "V;050;A;20240229;EUR;Preisliste 2024;Handel GmbH;Text 13;Z1;Z2;Z3;Z4;ABC;123456789;Ende";

class Analyse : public ::testing::Test {
 protected:
  void SetUp() override { DatumFestlegen("15.03.2024"); }
  void TearDown() override { DatumFestlegen(""); }

  void Analysieren(const std::string& inhalt) {
    std::string pfad = v.Datei("eingabe.dat");
    DateiSchreiben(pfad, inhalt);
    k.kz.Eingabedateiname = pfad;
    EingabeAnalysieren(k, f);
    EXPECT_FALSE(k.kz.EingabeDateiNr.IstOffen());
  }

  void ErwarteErkannt(int version, const std::string& art) {
    EXPECT_EQ(k.kz.Analysestatus, 1);
    EXPECT_EQ(k.kz.Eingabeversion, version);
    EXPECT_EQ(k.kz.Datenkennzeichen, art);
  }

  void ErwarteNichtErkannt() {
    EXPECT_EQ(k.kz.Analysestatus, 0);
    EXPECT_EQ(k.kz.Eingabeversion, 0);
    for (const char* name : {"Tex_Info1", "Tex_Info2", "Tex_Info3", "Lab_WaehrungKz", "Lab_Version", "Lab_Datum",
                             "Lab_Datum1"})
      EXPECT_EQ(f.Text(name), "") << name;
    EXPECT_TRUE(f.waehrungsliste.empty());
  }

  TempVerzeichnis v;
  Kontext k;
  SkriptFenster f;
};

TEST_F(Analyse, Version3KopfMitTextenDatumUndWaehrung) {
  std::string info3 = "Dritter Text, der laenger als dreissig ist";  // 42 characters, cut to 40
  Analysieren(V3Kopf("010199", "Preisliste", "  Firma", info3) + V3Satz("A N4711") + V3Satz("B N4711"));
  ErwarteErkannt(3, "A");
  EXPECT_EQ(f.Text("Lab_Version"), "3");
  EXPECT_EQ(f.Text("Lab_Datum"), "01.01.1999");
  EXPECT_EQ(f.Text("Lab_WaehrungKz"), "XXX");
  EXPECT_EQ(f.Text("Tex_Eingabe"), k.kz.Eingabedateiname);
  EXPECT_EQ(f.Text("Tex_Info1"), "Preisliste");
  EXPECT_EQ(f.Text("Tex_Info2"), "  Firma");
  EXPECT_EQ(f.Text("Tex_Info3"), info3.substr(0, 40));
  EXPECT_EQ(k.kz.Infotexte[0], "Preisliste");
  EXPECT_EQ(k.kz.Infotexte[1], "  Firma");
  EXPECT_EQ(k.kz.Infotexte[2], "");
  EXPECT_EQ(k.kz.Infotexte[3], "Dritter Text, der laenger als");
  EXPECT_EQ(k.kz.Infotexte[4], info3.substr(30, 10));
}

TEST_F(Analyse, Version3JahrhundertGrenzeBei60) {
  for (auto [datum, erwartet] : {std::pair{"010199", "01.01.1999"}, std::pair{"010105", "01.01.2005"},
                                 std::pair{"010160", "01.01.1960"}, std::pair{"311259", "31.12.2059"}}) {
    Analysieren(V3Kopf(datum, "", "", "") + V3Satz("A N1"));
    EXPECT_EQ(f.Text("Lab_Datum"), erwartet) << datum;
  }
}

TEST_F(Analyse, Version3KurzerDritterTextFuelltNurInfotext4) {
  Analysieren(V3Kopf("010199", "", "", "kurz") + V3Satz("A N1"));
  EXPECT_EQ(k.kz.Infotexte[3], "kurz");
  EXPECT_EQ(k.kz.Infotexte[4], "");
}

TEST_F(Analyse, Version3DatenkennzeichenNachKUndCSaetzen) {
  Analysieren(V3Kopf("010199", "", "", "") + V3Satz("K 12345") + V3Satz("S 01Gruppe"));
  ErwarteErkannt(3, "S");
  Analysieren(V3Kopf("010199", "", "", "") + V3Satz("K 12345") + V3Satz("C TERMIN") + V3Satz("P A4711"));
  ErwarteErkannt(3, "P");
  for (const char* art : {"R", "J"}) {
    Analysieren(V3Kopf("010199", "", "", "") + V3Satz(std::string(art) + " x"));
    ErwarteErkannt(3, art);
  }
  Analysieren(V3Kopf("010199", "", "", "") + V3Satz("T N1"));
  ErwarteErkannt(3, "A");
  // Nothing but a customer-number record after the header.
  Analysieren(V3Kopf("010199", "", "", "") + V3Satz("K 12345"));
  ErwarteErkannt(3, "A");
}

TEST_F(Analyse, Version3UmlauteDesKopfesWerdenUmgesetzt) {
  Analysieren(V3Kopf("010199", std::string("M\x81ller \x8E") + '\0', "", "") + V3Satz("A N1"));
  EXPECT_EQ(k.kz.Infotexte[0], Ansi("Müller Ä"));  // the NUL became a blank and was trimmed
}

TEST_F(Analyse, Version4Kopf) {
  std::string info3 = "Ansprechpartner, Tel.-Nr. 0815 4711";  // 35 characters
  Analysieren(Zeilen({V4Kopf("310725", "Preispflege", "Firma", info3), "A;N;4711;00;Rohr;;1;0;St;100;;;;"}));
  ErwarteErkannt(4, "A");
  EXPECT_EQ(f.Text("Lab_Version"), "4");
  EXPECT_EQ(f.Text("Lab_Datum"), "31.07.2025");
  EXPECT_EQ(f.Text("Lab_WaehrungKz"), "DEM");
  EXPECT_EQ(k.kz.Eingabewaehrung, "");
  EXPECT_EQ(f.Text("Tex_Info1"), "Preispflege");
  EXPECT_EQ(f.Text("Tex_Info3"), info3);
  EXPECT_EQ(k.kz.Infotexte[3], info3);
  EXPECT_EQ(k.kz.Infotexte[4], " 4711");  // columns 119-123
}

TEST_F(Analyse, Version4LeeresDatumIstHeuteUndVersionAusDemKopf) {
  Analysieren(Zeilen({V4Kopf("", "x", "", "", "05", "EUR"), "A;N;1;00;x;"}));
  EXPECT_EQ(f.Text("Lab_Datum"), "15.03.2024");
  EXPECT_EQ(k.kz.Eingabeversion, 5);
  EXPECT_EQ(f.Text("Lab_Version"), "4");
  EXPECT_EQ(f.Text("Lab_WaehrungKz"), "EUR");
}

TEST_F(Analyse, Version4BeginntMitLeerenInfotexten) {
  // The header passes the version-3 test up to its second record, which fills Infotexte 4 with
  // columns 119-128; the version-4 test must not keep that fragment.
  Analysieren(Zeilen({V4Kopf("010199", "A", "B", "kurz"), "A;N;1;00;x;"}));
  ErwarteErkannt(4, "A");
  EXPECT_EQ(k.kz.Infotexte[3], "kurz");
  EXPECT_EQ(k.kz.Infotexte[4], "");
}

TEST_F(Analyse, Version4Datenkennzeichen) {
  // A real price file begins with a customer-number and a C line.
  Analysieren(Zeilen({V4Kopf("310725", "", "", ""), "K;;018988; ;", "C;;TERMIN-1;01082025;",
                      "P;A;RG6040640U1;1;85700;1;5500;;;;;"}));
  ErwarteErkannt(4, "P");
  Analysieren(Zeilen({V4Kopf("010199", "", "", ""), "S;;01;Gruppe;;;"}));
  ErwarteErkannt(4, "S");
  Analysieren(Zeilen({V4Kopf("010199", "", "", ""), "R;;HB86;1;1000;Rabatt;"}));
  ErwarteErkannt(4, "R");
  Analysieren(Zeilen({V4Kopf("010199", "", "", ""), "J;N;SET1;"}));
  ErwarteErkannt(4, "J");
  Analysieren(Zeilen({V4Kopf("010199", "", "", ""), "T;N;TX1;;1;;Text;"}));
  ErwarteErkannt(4, "A");
  Analysieren(Zeilen({V4Kopf("010199", "", "", ""), "K;;018988; ;"}));
  ErwarteErkannt(4, "A");
}

TEST_F(Analyse, Version4ZeilenendenLfUndCr) {
  Analysieren(V4Kopf("010199", "a", "", "") + "\nP;A;1;1;100;\n");
  ErwarteErkannt(4, "P");
  Analysieren(V4Kopf("010199", "a", "", "") + "\rP;A;1;1;100;");
  ErwarteErkannt(4, "P");
}

TEST_F(Analyse, Version4ZweiteZeileOhneSemikolonIstKeinDatanorm) {
  Analysieren(Zeilen({V4Kopf("010199", "a", "", ""), "A N;1"}));
  ErwarteNichtErkannt();
}

TEST_F(Analyse, Version5Kopf) {
  Analysieren(Zeilen({V5Kopf + ";", "A;N;4711;Rohr;;"}));
  ErwarteErkannt(5, "A");
  EXPECT_EQ(k.kz.Versionskennung, 50);
  EXPECT_EQ(f.Text("Lab_Version"), "5");
  EXPECT_EQ(f.Text("Lab_Datum"), "29.02.2024");
  EXPECT_EQ(k.kz.Eingabewaehrung, "EUR");
  EXPECT_EQ(f.Text("Lab_WaehrungKz"), "EUR");
  const auto& t = k.kz.Infotexte;
  EXPECT_EQ(t[0], "Preisliste 2024");
  EXPECT_EQ(t[1], "Handel GmbH");
  EXPECT_EQ(t[2], "Text 13");
  EXPECT_EQ(t[3], "Z1");
  EXPECT_EQ(t[6], "Z4");
  EXPECT_EQ(t[7], "ABC");
  EXPECT_EQ(t[8], "123456789");
  EXPECT_EQ(t[9], "Ende");
  EXPECT_EQ(f.Text("Tex_Info1"), "Preisliste 2024");
  EXPECT_EQ(f.Text("Tex_Info2"), "Handel GmbH");
  EXPECT_EQ(f.Text("Tex_Info3"), "Text 13\r\nZ1\r\nZ2\r\nZ3\r\nZ4\r\nABC-123456789  Ende\r\n");
}

TEST_F(Analyse, Version5LetztesFeldOhneSemikolonBleibtGanz) {
  Analysieren(Zeilen({V5Kopf, "A;N;4711;Rohr;;"}));
  EXPECT_EQ(k.kz.Infotexte[9], "Ende");
  Analysieren(Zeilen({"V;050;A;20240229;eur", "A;N;4711;Rohr;;"}));
  EXPECT_EQ(k.kz.Eingabewaehrung, "EUR");
  EXPECT_EQ(k.kz.Infotexte[0], "");
}

TEST_F(Analyse, Version5DatenkennzeichenOUndNull) {
  Analysieren(Zeilen({"V;050;0;20000131;dem;Preisliste;", "A;N;1;x;"}));
  ErwarteErkannt(5, "O");
  EXPECT_EQ(f.Text("Lab_Datum"), "31.01.2000");
  EXPECT_EQ(k.kz.Eingabewaehrung, "DEM");
  Analysieren(Zeilen({"V;059;O;20000131;EUR;", "A;N;1;x;"}));
  ErwarteErkannt(5, "O");
  EXPECT_EQ(k.kz.Versionskennung, 59);
  for (const char* art : {"S", "R", "J", "P", "T"}) {
    Analysieren(Zeilen({std::string("V;050;") + art + ";20000131;EUR;", "X;N;1;"}));
    ErwarteErkannt(5, art);
  }
  EXPECT_TRUE(f.fragen.empty());
}

TEST_F(Analyse, Version5FalschesDatenkennzeichenFragt) {
  f.eingaben = {std::string("p")};
  Analysieren(Zeilen({"V;050;X;20000131;EUR;", "P;A;1;"}));
  ErwarteErkannt(5, "P");
  ASSERT_EQ(f.fragen.size(), 1u);
  EXPECT_EQ(f.fragen[0].art, "Eingabe");
  EXPECT_EQ(f.fragen[0].titel, "");
  EXPECT_EQ(f.fragen[0].text,
            "Es kann sich um eine DATANORM Vers.5 Datei mit falschem Datenkennzeichen handeln\n\n"
            "Geben Sie das richtige Datenkennzeichen ein");

  // An empty field asks as well; "O" is refused here, and so is a cancelled box.
  for (std::optional<std::string> antwort : {std::optional<std::string>("O"), std::optional<std::string>()}) {
    f.fragen.clear();
    f.eingaben = {antwort};
    Analysieren(Zeilen({"V;050;;20000131;EUR;", "A;N;1;"}));
    EXPECT_EQ(f.fragen.size(), 1u);
    ErwarteNichtErkannt();
  }
}

TEST_F(Analyse, Version5VersionsfeldAusserhalb50Bis59) {
  for (const char* version : {"060", "049", "", "ABC"}) {
    f.SetzeText("Lab_Datum1", "vorher");
    f.waehrungsliste = {"DEM", "EUR"};
    Analysieren(Zeilen({std::string("V;") + version + ";A;20000131;EUR;Text;", "A;N;1;"}));
    ErwarteNichtErkannt();
  }
}

TEST_F(Analyse, EineZeileAlleinIstInKeinerVersionErkannt) {
  for (std::string inhalt : {Zeilen({V5Kopf}), V5Kopf, Zeilen({V4Kopf("010199", "a", "", "")}),
                             V4Kopf("010199", "a", "", ""), V3Kopf("010199", "a", "", "")}) {
    Analysieren(inhalt);
    ErwarteNichtErkannt();
  }
}

TEST_F(Analyse, KopfMitEinemSatzIstErkannt) {
  // Shorter than one version-3 record: the line tests still run.
  Analysieren(Zeilen({"V;050;A;20240229;EUR;", "A;N;1;x;"}));
  ErwarteErkannt(5, "A");
  Analysieren("V;050;P;20240229;EUR;\r\nP;A;1;1;100;");
  ErwarteErkannt(5, "P");
  // Longer than 130 characters, the single record being the last line.
  Analysieren(Zeilen({V5Kopf, "A;N;4711;Rohr;;"}));
  ErwarteErkannt(5, "A");
  Analysieren(V4Kopf("010199", "a", "", "") + "\r\nA;N;1;00;x;");
  ErwarteErkannt(4, "A");
}

TEST_F(Analyse, LeereDateiStatus9) {
  f.SetzeText("Lab_Datum", "01.01.2000");
  f.SetzeText("Tex_Info1", "alt");
  f.SetzeText("Lab_Version", "4");
  k.kz.Infotexte[5] = "alt";
  Analysieren("");
  EXPECT_EQ(k.kz.Analysestatus, 9);
  EXPECT_EQ(k.kz.Eingabeversion, 0);
  EXPECT_EQ(f.Text("Lab_Datum"), "01.01.2000");
  EXPECT_EQ(f.Text("Tex_Info1"), "");
  EXPECT_EQ(f.Text("Lab_Version"), "");
  EXPECT_EQ(k.kz.Infotexte[5], "");
}

TEST_F(Analyse, FehlendeUndFremdeDateien) {
  f.SetzeText("Lab_WaehrungKz", "DEM");
  f.waehrungsliste = {"DEM"};
  k.kz.Eingabedateiname = v.Datei("gibtesnicht.dat");
  EingabeAnalysieren(k, f);
  ErwarteNichtErkannt();
  EXPECT_EQ(f.Text("Tex_Eingabe"), "");

  Analysieren(std::string(200, 'x'));
  ErwarteNichtErkannt();
  Analysieren(Zeilen({"Hallo;Welt", "A;B"}));
  ErwarteNichtErkannt();
}

// The real files must be recognised with their version and data kind.
TEST_F(Analyse, EchteDateien) {
  struct Fall {
    const char* datei;
    int version;
    const char* art;
  };
  const Fall faelle[] = {
      {"datanormaz__DATANORM.001", 5, "A"},
      {"fahrjo__datanorm_test.001", 4, "A"},
      {"fahrjo__datanorm_test.WRG", 4, "S"},
      {"fahrjo__datpreis_test.001", 4, "P"},
      {"halo__v4_datpreis.001", 4, "P"},
      {"halo__v4_products_before_texts.001", 4, "P"},
      {"halo__v4_text_product_and_extra.001", 4, "A"},
      {"halo__v4_with_empty_lines_and_invalid_tags.001", 4, "A"},
      {"halo__v4_with_texts.001", 4, "A"},
      {"halo__v5_first_texts_then_products.001", 5, "A"},
      {"halo__v5_only_texts_and_products.001", 5, "A"},
      {"halo__v5_texts_and_products.001", 5, "A"},
      {"halo__v5_texts_products.001", 5, "A"},
      {"halo__v5_texts_products_services.001", 5, "A"},
  };
  if (Korpusdatei(faelle[0].datei).empty()) GTEST_SKIP() << "corpus of real files absent";
  for (const Fall& fall : faelle) {
    k.kz.Eingabedateiname = Korpusdatei(fall.datei);
    EingabeAnalysieren(k, f);
    EXPECT_EQ(k.kz.Analysestatus, 1) << fall.datei;
    EXPECT_EQ(k.kz.Eingabeversion, fall.version) << fall.datei;
    EXPECT_EQ(f.Text("Lab_Version"), std::to_string(fall.version)) << fall.datei;
    EXPECT_EQ(k.kz.Datenkennzeichen, fall.art) << fall.datei;
    EXPECT_FALSE(k.kz.EingabeDateiNr.IstOffen());
  }
  k.kz.Eingabedateiname = Korpusdatei("halo__v4_datpreis.001");
  EingabeAnalysieren(k, f);
  EXPECT_EQ(f.Text("Lab_Datum"), "31.07.2025");
  EXPECT_EQ(f.Text("Lab_WaehrungKz"), "EUR");
  k.kz.Eingabedateiname = Korpusdatei("datanormaz__DATANORM.001");
  EingabeAnalysieren(k, f);
  EXPECT_EQ(f.Text("Lab_Datum"), "15.04.2025");
  EXPECT_EQ(k.kz.Eingabewaehrung, "EUR");
}

}  // namespace
