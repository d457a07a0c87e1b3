#include <gtest/gtest.h>

#include "control/parameter.h"
#include "control/skriptfenster.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

TEST(Arbeitszeile, NamenBehaltenIhreSchreibweiseDerRestWirdGross) {
  EXPECT_EQ(ArbeitszeileBilden("c:/daten/a.dat;c:/daten/b.dat;5;x;y   "), "c:/daten/a.dat;c:/daten/b.dat;5;X;Y");
  EXPECT_EQ(ArbeitszeileBilden(Ansi("äa;öb;ü5")), Ansi("äa;öb;ü5"));
  EXPECT_TRUE(IstInteraktiv(ArbeitszeileBilden("")));
  EXPECT_TRUE(IstInteraktiv(ArbeitszeileBilden("    ")));
  EXPECT_FALSE(IstInteraktiv(ArbeitszeileBilden(" a")));
}

TEST(Arbeitszeile, Zerlegen) {
  Kontext k;
  ArbeitszeileZerlegen(k, "IN.DAT;OUT.DAT;5;X;Y");
  EXPECT_EQ(k.kz.AufrufEingabe, "IN.DAT");
  EXPECT_EQ(k.kz.AufrufAusgabe, "OUT.DAT");
  EXPECT_EQ(k.kz.Ausgabeversion, 5);

  // The third field is one digit (blanks around it aside); any other text is a wrong version
  // (-1), no text no version (0).
  for (auto [zeile, version] : {std::pair{"A;B;15", -1}, std::pair{"A;B;05", -1}, std::pair{"A;B;50", -1},
                                std::pair{"A;B;4X", -1}, std::pair{"A;B;0", -1}, std::pair{"A;B", 0},
                                std::pair{"A;B;", 0}, std::pair{"A;B; 4 ", 4}, std::pair{"A;B;3;;;9", 3},
                                std::pair{"A;B;7", 7}}) {
    ArbeitszeileZerlegen(k, zeile);
    EXPECT_EQ(k.kz.Ausgabeversion, version) << zeile;
  }

  // Blanks around a name stay part of it; a new parse starts from empty fields.
  ArbeitszeileZerlegen(k, " a ; b ;4");
  EXPECT_EQ(k.kz.AufrufEingabe, " a ");
  EXPECT_EQ(k.kz.AufrufAusgabe, " b ");
  EXPECT_EQ(k.kz.Ausgabeversion, 4);
}

TEST(Arbeitszeile, AutomatikFensterFuellen) {
  Kontext k;
  SkriptFenster f;
  ArbeitszeileZerlegen(k, "in.dat;out.dat;4");
  AutomatikFensterFuellen(k, f);
  EXPECT_EQ(f.Text("Tex_Eingabe"), "in.dat");
  EXPECT_EQ(f.Text("Tex_Ausgabe"), "out.dat");
  EXPECT_EQ(f.Text("Lab_VersionAus"), "Vers.4");
  EXPECT_EQ(f.Text("Com_Version"), "4");
}

class Parameter : public ::testing::Test {
 protected:
  void SetUp() override { DateiSchreiben(v.Datei("IN.DAT"), "V;050;A;\r\n"); }

  // Parses and checks a command line whose file names lie in the temporary directory; returns
  // the message shown, empty when the check passed.
  std::string Pruefen(const std::string& zeile) {
    Kontext k;
    SkriptFenster f;
    ArbeitszeileZerlegen(k, ArbeitszeileBilden(zeile));
    ParameterPruefen(k, f);
    if (k.kz.Aufruffehler == 0) {
      EXPECT_TRUE(f.fragen.empty());
      return "";
    }
    EXPECT_EQ(k.kz.Aufruffehler, -1);
    EXPECT_EQ(k.kz.Ergebnis, 1);
    if (f.fragen.size() != 1) {
      ADD_FAILURE() << "one message expected for " << zeile;
      return "?";
    }
    const auto& frage = f.fragen[0];
    EXPECT_EQ(frage.art, "Meldung");
    EXPECT_EQ(frage.titel, "");
    EXPECT_EQ(frage.knoepfe, Knoepfe::Ok);
    EXPECT_EQ(frage.symbol, Symbol::Kein);
    EXPECT_EQ(frage.text, k.kz.Aufruffehlertext);
    return Utf8(frage.text);
  }

  std::string Ein() const { return v.Datei("IN.DAT"); }
  std::string Aus() const { return v.Datei("OUT.DAT"); }

  TempVerzeichnis v;
};

TEST_F(Parameter, GueltigeAufrufe) {
  EXPECT_EQ(Pruefen(Ein() + ";" + Aus() + ";5"), "");
  EXPECT_EQ(Pruefen(Ein() + ";" + Aus() + ";3;X;Y"), "");
  EXPECT_EQ(Pruefen(Ein() + ";" + Aus() + ";4  "), "");
}

TEST_F(Parameter, Meldungen) {
  const std::string falsch = "Aufrufparameter ist falsch";
  const std::string version = "Vers.Nr für Ausgabedatei nicht angegeben bzw. falsch";
  EXPECT_EQ(Pruefen(Ein() + ";" + Aus()), falsch);
  EXPECT_EQ(Pruefen(Ein() + ";;5"), falsch);
  // Only "3", "4" and "5" are versions: "15" is not read as 5.
  for (const char* v : {"9", "6", "1", "2", "0", "15", "50", "05", "4x", "V5"})
    EXPECT_EQ(Pruefen(Ein() + ";" + Aus() + ";" + v), version) << v;
  // The version is checked before the input file.
  EXPECT_EQ(Pruefen(v.Datei("FEHLT.DAT") + ";" + Aus() + ";9"), version);
  EXPECT_EQ(Pruefen(v.Datei("fehlt.dat") + ";" + Aus() + ";5"),
            "Eingabedatei " + v.Datei("fehlt.dat") + " nicht gefunden");
  EXPECT_EQ(Pruefen(Ein() + ";   ;5"), "bitte Namen für Ausgabedatei angeben");
}

TEST_F(Parameter, KleingeschriebeneNamenWerdenGefunden) {
  DateiSchreiben(v.Datei("klein.dat"), "V;050;A;\r\n");
  EXPECT_EQ(Pruefen(v.Datei("klein.dat") + ";" + v.Datei("aus.dat") + ";5"), "");
}

}  // namespace
