// Whole conversions through the command-line road, looked at field by field: a field the input
// gave empty comes out empty and a value comes out as the value, within one version and between
// versions; a delete or renumber line stays a record of its own and leaves the records around it
// as they were.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "konvertierhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const std::string Kopf4 = "V 150326Feldtreue" + std::string(106, ' ') + "04DEM";
const std::string Kopf5 = "V;050;A;20260315;EUR;Feldtreue;";

std::string Nul(std::size_t n) { return std::string(n, '\0'); }

// A version-3 record: 128 columns of fill with the pieces placed at their 1-based columns.
std::string Satz3(const std::vector<std::pair<std::size_t, std::string>>& teile, char fuellung = ' ') {
  std::string z(128, fuellung);
  for (const auto& [spalte, text] : teile) z.replace(spalte - 1, text.size(), text);
  z.resize(128);
  return z;
}
const std::string Kopf3 = Satz3({{1, "V 150326Feldtreue"}});

// A ";"-separated line of `anzahl` fields: the given ones at their numbers (1 is the letter), the
// others empty, each followed by ";".
std::string Zeile(const std::vector<std::pair<int, std::string>>& felder, int anzahl) {
  std::vector<std::string> f(static_cast<std::size_t>(anzahl));
  for (const auto& [nr, text] : felder) f[static_cast<std::size_t>(nr - 1)] = text;
  std::string z;
  for (const auto& t : f) z += t + ";";
  return z;
}

std::string Datei(const std::vector<std::string>& zeilen) {
  std::string t;
  for (const auto& z : zeilen) t += z + "\r\n";
  return t;
}

// The data lines of a conversion's output: without the header and a version-5 end record.
std::vector<std::string> Umwandeln(const std::vector<std::string>& zeilen, int version) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("eingabe.dat");
  DateiSchreiben(ein, Datei(zeilen));
  const std::string aus = Konvertieren(ein, version, v);
  std::vector<std::string> daten;
  std::size_t a = 0;
  for (std::size_t e; (e = aus.find("\r\n", a)) != std::string::npos; a = e + 2) daten.push_back(aus.substr(a, e - a));
  if (!daten.empty()) daten.erase(daten.begin());
  if (version == 5 && !daten.empty() && daten.back().rfind("E;", 0) == 0) daten.pop_back();
  return daten;
}

using Zeilenliste = std::vector<std::string>;

}  // namespace

// A price unit or packing quantity given empty is written empty; the "1" in their place is for a
// zero. A catalogue page keeps every line long enough to show the fields before it.
TEST(Feldtreue, LeerGegebenePreiseinheitUndVerpackungsmengeBleibenLeer) {
  // Version 5: A line field 8 (price unit), 21 (packing quantity), 26 (carried through as read).
  const std::string leer5 = Zeile({{1, "A"}, {2, "N"}, {3, "1001"}, {4, "Rohr"}, {9, "1234"}, {22, "K-12"}}, 28);
  const std::string null5 = Zeile(
      {{1, "A"}, {2, "N"}, {3, "1002"}, {4, "Rohr"}, {8, "0"}, {9, "1234"}, {21, "0"}, {22, "K-12"}, {26, "0"}}, 28);
  const std::vector<std::string> fuenf = {Kopf5, leer5, null5};
  EXPECT_EQ(Umwandeln(fuenf, 5), (Zeilenliste{"A;N;1001;Rohr;;;;;1234;;;;;;;;;;;;;K-12;",
                                              "A;N;1002;Rohr;;;;1;1234;;;;;;;;;;;;1;K-12;0;;;0;"}));
  EXPECT_EQ(Umwandeln(fuenf, 4), (Zeilenliste{"A;N;1001;00;Rohr;;;;;1234;;;;", "B;N;1001;;;K-12;0;;;;;;;;;;",
                                              "A;N;1002;00;Rohr;;;0;;1234;;;;", "B;N;1002;;;K-12;0;;;;;;;1;;;"}));

  // Version 4: B line field 14 (packing quantity).
  const std::vector<std::string> vier = {Kopf4, "A;N;4711;00;Rohr;;1;0;m;1234;;;;", "B;N;4711;;;K-12;0;;;;;;;;;;",
                                         "A;N;4712;00;Rohr;;1;0;m;1234;;;;", "B;N;4712;;;K-12;0;;;;;;;0;;;"};
  EXPECT_EQ(Umwandeln(vier, 4), (Zeilenliste{"A;N;4711;00;Rohr;;1;0;m;1234;;;;", "B;N;4711;;;K-12;0;;;;;;;;;;",
                                             "A;N;4712;00;Rohr;;1;0;m;1234;;;;", "B;N;4712;;;K-12;0;;;;;;;1;;;"}));
  EXPECT_EQ(Umwandeln(vier, 5), (Zeilenliste{"A;N;4711;Rohr;;MTR ;1;1;1234;;;;;;;;;;;;;K-12;",
                                             "A;N;4712;Rohr;;MTR ;1;1;1234;;;;;;;;;;;;1;K-12;"}));

  // Version 3: a price unit given as filler (NUL) stays filler and reaches version 5 empty.
  const std::vector<std::string> drei = {
      Kopf3, Satz3({{1, "AN4713"}, {18, "00"}, {20, "Rohr"}, {100, "1"}, {101, Nul(1)}, {102, "m"}, {106, "00001234"},
                    {121, "LT-1"}})};
  EXPECT_EQ(Umwandeln(drei, 3), Zeilenliste{drei[1]});
  EXPECT_EQ(Umwandeln(drei, 5), Zeilenliste{"A;N;4713;Rohr;;MTR ;1;;1234;;;;;;;;;;;;1;;0;LT-1;"});
}

// A blank is read as the other versions read it: a discount-group description of blanks only is
// no description (version 4), a blank price-unit code is code 0 (version 3).
TEST(Feldtreue, BlankeFelderWieInDenAnderenVersionen) {
  const std::vector<std::string> vier = {Kopf4, "R;;RG1;1;1250;    ;", "R;;RG2;2;850;Kupfer;"};
  EXPECT_EQ(Umwandeln(vier, 4), (Zeilenliste{"R;;RG1;1;1250;;;", "R;;RG2;2;850;Kupfer;;"}));
  EXPECT_EQ(Umwandeln(vier, 5), (Zeilenliste{"R;RG1;1;1250;", "R;RG2;2;850;Kupfer;"}));

  // An article without a price: the code is its own field, not one derived from the price.
  const std::vector<std::string> drei = {
      Kopf3, Satz3({{1, "AN4714"}, {18, "00"}, {20, "Rohr"}, {100, "1"}, {101, " "}, {102, "m"}, {106, "00000000"}})};
  const std::string mitCode0 = Satz3({{1, "AN4714"}, {18, "00"}, {20, "Rohr"}, {100, "1"}, {101, "0"}, {102, "m"},
                                      {106, "00000000"}});
  EXPECT_EQ(Umwandeln(drei, 3), Zeilenliste{mitCode0});
  EXPECT_EQ(Umwandeln(drei, 4), Zeilenliste{"A;N;4714;00;Rohr;;1;0;m;0;;;;"});
}

// A delete (L) or renumber (X) line ends the article before it, also when it names the same
// article, and nothing after it joins it; its flag does not pass to the record after it.
TEST(Feldtreue, LoeschUndUmnummerzeilenSindSaetzeFuerSich) {
  const std::vector<std::string> vier = {Kopf4,
                                         "A;N;4718;00;Rohr;;1;0;m;890;;;;",
                                         "A;X;4718;;4719;",
                                         "A;N;4720;00;Muffe;;1;0;Stck;150;;;;",
                                         "B;N;4720;MUFFE;;;0;;;;;;;;;;",
                                         "A;L;4720;",
                                         "A;N;XXXXXXXXXXXXXXX;00;Schelle;;1;0;Stck;75;;;;",
                                         "A;L;4721;",
                                         "A;;4722;00;Bogen;;1;0;Stck;320;;;;",
                                         "A;X;4723;;4724;",
                                         "D;;4725;01;1;;Text;;;;;"};
  const Zeilenliste vierErwartet = {"A;N;4718;00;Rohr;;1;0;m;890;;;;",
                                    "A;X;4718;;4719;;;;;;;;;",
                                    "A;N;4720;00;Muffe;;1;0;Stck;150;;;;",
                                    "B;N;4720;MUFFE;;;0;;;;;;;;;;",
                                    "A;L;4720;;;;;;;;;;;",
                                    "A;N;XXXXXXXXXXXXXXX;00;Schelle;;1;0;Stck;75;;;;",
                                    "A;L;4721;;;;;;;;;;;",
                                    "A;A;4722;00;Bogen;;1;0;Stck;320;;;;",
                                    "A;X;4723;;4724;;;;;;;;;",
                                    "A;A;4725;00;;;;;;;;;;",
                                    "D;A;4725;1;1;;Text;;;;;"};
  EXPECT_EQ(Umwandeln(vier, 4), vierErwartet);
  EXPECT_EQ(Umwandeln(vier, 5), (Zeilenliste{"A;N;4718;Rohr;;MTR ;1;1;890;", "B;A;4718;4719;",
                                             "A;N;4720;Muffe;;PCE ;1;1;150;;;;MUFFE;", "B;L;4720;",
                                             "A;N;XXXXXXXXXXXXXXX;Schelle;;PCE ;1;1;75;", "B;L;4721;",
                                             "A;A;4722;Bogen;;PCE ;1;1;320;", "B;A;4723;4724;", "A;A;4725;;;",
                                             "D;A;4725;01;1;Text;"}));

  const std::string rohr3 = Satz3({{1, "AN4718"}, {18, "00"}, {20, "Rohr"}, {100, "1"}, {101, "0"}, {102, "m"},
                                   {106, "00000890"}});
  const std::string umnummern3 = Satz3({{1, "AX4718           "}, {18, Nul(2)}, {20, "4719           "}}, '\0');
  const std::string loeschen3 = Satz3({{1, "AL4718           "}}, '\0');
  auto bogen3 = [](const std::string& kennzeichen) {
    return Satz3({{1, "A" + kennzeichen + "4722"}, {18, "00"}, {20, "Bogen"}, {100, "1"}, {101, "0"}, {102, "Stck"},
                  {106, "00000320"}});
  };
  const std::vector<std::string> drei = {Kopf3, rohr3, umnummern3, loeschen3, bogen3(" ")};
  EXPECT_EQ(Umwandeln(drei, 3), (Zeilenliste{rohr3, umnummern3, loeschen3, bogen3("A")}));
  EXPECT_EQ(Umwandeln(drei, 5), (Zeilenliste{"A;N;4718;Rohr;;MTR ;1;1;890;", "B;A;4718;4719;", "B;L;4718;",
                                             "A;A;4722;Bogen;;PCE ;1;1;320;"}));

  // Version 5: the delete and renumber lines are B lines, records of their own already; the
  // lines after them keep their own flag.
  const std::vector<std::string> fuenf = {Kopf5, "B;A;1005;1006;", "D;;1007;01;1;Text;;", "B;L;1008;",
                                          "T;;LT-1;1;01;Einbauhinweis;"};
  EXPECT_EQ(Umwandeln(fuenf, 5), (Zeilenliste{"B;A;1005;1006;", "A;A;1007;;;", "D;A;1007;01;1;Text;", "B;L;1008;",
                                              "T;A;LT-1;1;01;Einbauhinweis;"}));
}
