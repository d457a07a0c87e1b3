// Round trips through the command-line road: an article written the way the version-4 writer
// writes it comes back line for line through version 5 (its A, B, D, T, Z, material and labour
// lines), and on the way through version 3 it loses exactly the lines that the error log names.
// Lines whose writer and reader of one version once disagreed (copper data, material and labour
// lines, product groups, SET texts, customer texts) come back as they were, or the log names what
// the other version cannot hold.
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
// The unit "Paar" maps to "PR" and back to "Paar". The B line holds only fields that version 3
// has as well (match code, alternative number, catalogue page, copper data, EAN).
const std::vector<std::string> Artikelzeilen = {
    Kopf,
    "A;N;4711;00;Kupferkabel gr\x81n;Ring 50 m;1;2;Paar;12345;RG1;001;TXT4711;",
    "B;N;4711;NYMJ3X15;ALT4711;A-12;1;150;001234;4012345678901;;;;1;;;",
    "D;N;4711;1;1;;Querschnitt 1,5 mm;2;2;LT1;Au\xE1" "endurchmesser 10 mm;",
    "D;N;4711;3;3;;Farbe grau;;;;;",
    "Z;N;4711;1;1;0;ab 10 Ringe;1;11000;0;0;",
    "Z;N;4711;2;1;0;ab 100 Ringe;2;10500;0;0;",
    "Z;N;4711;3;2;0;Mindermengenzuschlag;3;500;0;0;",
    "C;N;WERKSTOFF-1;4711;1500;2500;3500;4500;2;Kupfer;",
    "C;N;ARBEIT-1;4711;1;3;125;",
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
  const std::string artikel = Verbinden(Artikelzeilen);
  ASSERT_EQ(Umwandeln(artikel, 4), artikel) << "the input is not in the version-4 writer's form";

  const std::string fuenf = Umwandeln(artikel, 5);
  ASSERT_FALSE(fuenf.empty());
  // The unit went over as its version-5 code; the copper data of the B line as a Z line of its
  // own, the material values before their text, the labour value with the second code 3 in
  // thousandths.
  EXPECT_NE(fuenf.find("A;N;4711;Kupferkabel gr\x81n;Ring 50 m;PR  ;"), std::string::npos);
  EXPECT_NE(fuenf.find("Z;N;4711;01;3;CU;2;100;15000;10;1234;10;"), std::string::npos);
  EXPECT_NE(fuenf.find("C;N;WST1;4711;1500;2500;3500;4500;2;Kupfer;"), std::string::npos);
  EXPECT_NE(fuenf.find("C;N;ARBA;4711;1;3;12500;"), std::string::npos);

  EXPECT_EQ(Umwandeln(fuenf, 4), artikel);
}

TEST(Rundreise, AufDemWegZuVersion3GehtNurVerlorenWasDasProtokollNennt) {
  const std::string artikel = Verbinden(Artikelzeilen);
  SkriptFenster f;
  const std::string drei = Umwandeln(artikel, 3, &f);
  ASSERT_FALSE(drei.empty());

  // One entry: the surcharge table and the material and labour data of the article; the log ends
  // with the count of records each loss was named for.
  EXPECT_EQ(Protokolleintraege(f.gezeigtesProtokoll),
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

namespace {

// The lines of a version-5 file without its end record (whose text names the date of the run).
std::string OhneEndesatz(const std::string& datei) { return datei.substr(0, datei.rfind("\r\nE;") + 2); }

}  // namespace

// The B line holds one copper row, by 100 or by 1000 units. A second copper row and one of
// another weight unit stay Z lines of mark 4, through version 5 and back as well; version 3 has
// no place for them and the log says so.
TEST(Rundreise, EineKupferzeileAufDerBZeileDieUebrigenAlsZZeilen) {
  const std::string artikel = Verbinden({Kopf, "A;N;4712;00;Kupferrohr;;1;0;Paar;2500;;;;",
                                         "B;N;4712;;;;2;200;000500;;;;;;;;", "Z;N;4712;1;4;CU;150;10;1234;10;",
                                         "Z;N;4712;2;4;CU;150;10;1234;5;"});
  EXPECT_EQ(Umwandeln(artikel, 4), artikel);
  const std::string fuenf = Umwandeln(artikel, 5);
  EXPECT_NE(fuenf.find("Z;N;4712;01;3;CU;2;1000;20000;10;500;1;"), std::string::npos);
  EXPECT_EQ(Umwandeln(fuenf, 4), artikel);

  SkriptFenster f;
  const std::string drei = Umwandeln(artikel, 3, &f);
  ASSERT_GE(drei.size(), 2 * 130u);
  EXPECT_EQ(drei.substr(2 * 130 + 53, 10), "2200000500");  // the B line's copper part
  EXPECT_EQ(Protokolleintraege(f.gezeigtesProtokoll).at(0), "4712            \tDatenverlust: \t" + Ansi("Zuschlagsätze"));
}

// Material and labour lines: each version's writer puts the fields where its reader takes them.
// Lines in the forms earlier outputs of this program wrote (version 4 with a fifth value before
// the text, version 5 with the text before the values) are still read with their values. A
// labour value that the other version's line cannot hold is named in the log.
TEST(Rundreise, WerkstoffUndArbeitWoDerLeserSieNimmt) {
  const std::string kopf5 = "V;050;A;20250415;EUR;Werkstoff;";
  const std::string fuenfAlt = Verbinden({kopf5, "A;N;4713;Messingrohr;", "C;N;WST1;4713;Messing;1500;2500;3500;0;1;0;",
                                          "C;N;ARBA;4713;1;3;125;", "E;4;Ende;"});
  const std::string fuenf = Umwandeln(fuenfAlt, 5);
  EXPECT_EQ(OhneEndesatz(fuenf), Verbinden({kopf5, "A;N;4713;Messingrohr;;",
                                            "C;N;WST1;4713;1500;2500;3500;0;1;Messing;", "C;N;ARBA;4713;1;3;125;"}));
  EXPECT_EQ(OhneEndesatz(Umwandeln(fuenf, 5)), OhneEndesatz(fuenf));

  // 0.125 in version 4, which holds tenths: written as 0.1 and named.
  SkriptFenster vier;
  EXPECT_NE(Umwandeln(fuenf, 4, &vier).find("C;N;ARBEIT-1;4713;1;3;1;"), std::string::npos);
  EXPECT_EQ(Protokolleintraege(vier.gezeigtesProtokoll).at(0), "4713            \tDatenverlust: \tWerkstoff/Arbeit");

  const std::string vierAlt = Verbinden({Kopf, "A;N;4714;00;Rohr;;1;0;Paar;100;;;;",
                                         "C;N;WERKSTOFF-1;4714;1500;2500;3500;4500;2;0;Kupfer;",
                                         "C;N;ARBEIT-1;4714;1;3;999999;"});
  EXPECT_NE(Umwandeln(vierAlt, 4).find("C;N;WERKSTOFF-1;4714;1500;2500;3500;4500;2;Kupfer;\r\n"), std::string::npos);
  // 99999.9 with the second code 3 needs more than the six places of the version-5 field.
  SkriptFenster f5;
  f5.eingaben.push_back(std::string("DEM"));
  Umwandeln(vierAlt, 5, &f5);
  EXPECT_EQ(Protokolleintraege(f5.gezeigtesProtokoll).at(0), "4714            \tDatenverlust: \tWerkstoff/Arbeit");
}

// A product-group line of versions 3 and 4 carries the main group's description and the group's;
// both come back through the other of the two versions. Version 5 holds one description: the
// group's, or the main group's where the group has none; a main group's description that has to
// give way is named.
TEST(Rundreise, WarengruppeMitHauptgruppenbezeichnung) {
  const std::string gruppen =
      Verbinden({"V 010226Warengruppen" + std::string(103, ' ') + "04EUR", "S;;01;Installation;;;;",
                 "S;;02;Sanit\x84r;0201;;;", "S;;03;Heizung;0301;Heizk\x94rper;;", "S;;04;;0401;Pumpen;;"});
  EXPECT_EQ(Umwandeln(gruppen, 4), gruppen);
  SkriptFenster drei;
  drei.eingaben.push_back(std::string("EUR"));
  EXPECT_EQ(Umwandeln(Umwandeln(gruppen, 3), 4, &drei), gruppen);

  SkriptFenster f;
  const std::string fuenf = Umwandeln(gruppen, 5, &f);
  EXPECT_NE(fuenf.find(Zeilen({"S;01;;Installation;", "S;02;0201;Sanit\x84r;", "S;03;0301;Heizk\x94rper;",
                               "S;04;0401;Pumpen;"})),
            std::string::npos);
  EXPECT_EQ(Protokolleintraege(f.gezeigtesProtokoll),
            (std::vector<std::string>{"0301            \tDatenverlust: \tHauptgruppentext", "",
                                      "Datenverlust Hauptgruppentext: 1 Datensatz"}));
}

// A SET row with texts of its own keeps them, in versions 4 and 5 and from one to the other; a
// row that repeats the texts of the row before leaves them out. The names of a customer line
// stay as they were written.
TEST(Rundreise, SetTexteJeZeileUndKundennamenWieGeschrieben) {
  const std::string set = Verbinden({"V;050;J;20250415;EUR;Sets;", "K;K777;Musterhandel;Gro\xE1handel;",
                                     "J;N;SET1;L;01;Kurz;Beschreibung eins;1;4711;1000;",
                                     "J;N;SET1;L;02;Kurz;Beschreibung zwei;1;4712;2000;",
                                     "J;N;SET1;L;03;;;1;4713;2000;", "E;6;Ende;"});
  const std::string fuenf = Umwandeln(set, 5);
  EXPECT_EQ(OhneEndesatz(fuenf), OhneEndesatz(set));
  const std::string vier = Umwandeln(set, 4);
  EXPECT_NE(vier.find("J;N;SET1;2;L;Kurz;Beschreibung zwei;1;4712;2000;\r\nJ;N;SET1;3;L;;;1;4713;2000;\r\n"),
            std::string::npos);
  // The customer names have no place in version 4; the rest comes back.
  std::string ohneNamen = OhneEndesatz(set);
  ohneNamen.replace(ohneNamen.find("K;K777;"), std::string("K;K777;Musterhandel;Gro\xE1handel;").size(), "K;K777;");
  EXPECT_EQ(OhneEndesatz(Umwandeln(vier, 5)), ohneNamen);

  const std::string preise =
      Verbinden({"V;050;P;20250415;EUR;Preise;", "K;900;Preiskunde Nord;;;;x;", "P;4711;1;1;1000;", "E;4;Ende;"});
  EXPECT_EQ(OhneEndesatz(Umwandeln(preise, 5)), OhneEndesatz(preise));
}
