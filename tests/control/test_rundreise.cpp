// Round trips through the command-line road: an article written the way the version-4 writer
// writes it comes back line for line through version 5 (its A, B, D, T, Z and labour lines),
// and on the way through version 3 it loses exactly the lines that the error log names.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "konvertierhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const std::string Kopf = "V 150326Rundreise" + std::string(106, ' ') + "04DEM";

// An article with A, B, D, T, Z (price scales and a surcharge) and C lines. Every line is in
// the form the version-4 writer gives it, so a conversion 4 -> 4 returns the file unchanged.
// The price scales carry neither base marker nor from/to bases (version 5 has no place for
// them); the unit "Paar" maps to "PR" and back to "Paar". The B line holds only fields that
// version 3 has as well (match code, alternative number, catalogue page, EAN).
const std::vector<std::string> Artikelzeilen = {
    Kopf,
    "A;N;4711;00;Kupferkabel gr\x81n;Ring 50 m;1;2;Paar;12345;RG1;001;TXT4711;",
    "B;N;4711;NYMJ3X15;ALT4711;A-12;0;;;4012345678901;;;;1;;;",
    "D;N;4711;1;1;;Querschnitt 1,5 mm;2;2;LT1;Au\xE1" "endurchmesser 10 mm;",
    "D;N;4711;3;3;;Farbe grau;;;;;",
    "Z;N;4711;1;1;0;ab 10 Ringe;1;11000;0;0;",
    "Z;N;4711;2;1;0;ab 100 Ringe;2;10500;0;0;",
    "Z;N;4711;3;2;0;Mindermengenzuschlag;3;500;0;0;",
    "C;N;WERKSTOFF-1;4711;1500;2500;3500;4500;2;0;Kupfer;",
    "C;N;ARBEIT-1;4711;1;2;125;",
    "T;N;TXT4711;;1;;Kupferkabel f\x81r feste Verlegung;2;;im Innenbereich;",
    "T;N;TXT4711;;3;;Gr\x94\xE1" "e nach Tabelle;;;;",
};

std::string Verbinden(const std::vector<std::string>& zeilen) {
  std::string t;
  for (const auto& z : zeilen) t += z + "\r\n";
  return t;
}

// Writes a text as a file of its own directory and converts it.
std::string Umwandeln(const std::string& inhalt, int version, SkriptFenster* f = nullptr) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("eingabe.dat");
  DateiSchreiben(ein, inhalt);
  return Konvertieren(ein, version, v, f);
}

}  // namespace

TEST(Rundreise, Version4UeberVersion5ZurueckGibtDieselbenZeilen) {
  // Without the material line: the version-5 writer puts its text before the values, the
  // version-5 reader takes the text after them, so that line does not come back as it was.
  std::vector<std::string> zeilen;
  for (const auto& z : Artikelzeilen)
    if (z.rfind("C;N;WERKSTOFF-1;", 0) != 0) zeilen.push_back(z);
  const std::string artikel = Verbinden(zeilen);
  ASSERT_EQ(Umwandeln(artikel, 4), artikel) << "the input is not in the version-4 writer's form";

  const std::string fuenf = Umwandeln(artikel, 5);
  ASSERT_FALSE(fuenf.empty());
  // The unit went over as its version-5 code.
  EXPECT_NE(fuenf.find("A;N;4711;Kupferkabel gr\x81n;Ring 50 m;PR  ;"), std::string::npos);

  EXPECT_EQ(Umwandeln(fuenf, 4), artikel);
}

TEST(Rundreise, AufDemWegZuVersion3GehtNurVerlorenWasDasProtokollNennt) {
  const std::string artikel = Verbinden(Artikelzeilen);
  SkriptFenster f;
  const std::string drei = Umwandeln(artikel, 3, &f);
  ASSERT_FALSE(drei.empty());

  // One entry: the surcharge table and the material and labour data of the article; the log ends
  // with the count of records each loss was named for.
  EXPECT_EQ(Eintraege(f.gezeigtesProtokoll),
            (std::vector<std::string>{"4711            \tDatenverlust: \t" + Ansi("Zuschlagsätze Werkstoff/Arbeit"), "",
                                      Ansi("Datenverlust Zuschlagsätze: 1 Datensatz"),
                                      "Datenverlust Werkstoff/Arbeit: 1 Datensatz"}));

  // Back in version 4 every other line is as it was: only the Z and C lines are gone.
  std::vector<std::string> erhalten;
  for (const auto& z : Artikelzeilen)
    if (z.rfind("Z;", 0) != 0 && z.rfind("C;", 0) != 0) erhalten.push_back(z);
  SkriptFenster zurueck;
  zurueck.eingaben.push_back(std::string("DEM"));  // a version-3 input names no currency
  EXPECT_EQ(Umwandeln(drei, 4, &zurueck), Verbinden(erhalten));
}
