// Real files from other projects (read in place, never copied here) converted to every output
// version through the command-line road: each run ends, the last record of the file arrives in
// the output, a version-5 output ends with an end record that counts its lines, and version-5
// price scales arrive with their price where the output version can hold them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "konvertierhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

struct Echtdatei {
  const char* name;
  const char* letzterSatz;  // text of the file's last record that every output must carry
};

// The last record of each file: its last data line(s), or the article they belong to.
const Echtdatei Dateien[] = {
    {"halo__v4_datpreis.001", "RG6060950U1"},
    {"halo__v4_products_before_texts.001", "QBMK20208"},  // read as a price file (K, then P)
    {"halo__v4_text_product_and_extra.001", "Aufbewahrungspult"},
    {"halo__v4_with_empty_lines_and_invalid_tags.001", "Aufbewahrungspult"},
    {"halo__v4_with_texts.001", "Technik vorgesehen."},
    {"halo__v5_first_texts_then_products.001", "aP-Sockel IP 65 rot"},
    {"halo__v5_only_texts_and_products.001", "VESDA-E VEA 4mm"},
    {"halo__v5_texts_and_products.001", "VdS-Nr.: G 109 807"},
    {"halo__v5_texts_products.001", "Funk-Meldersender MS 232"},
    {"halo__v5_texts_products_services.001", "Bleiakku Yuasa 12V 17 Ah"},
    {"fahrjo__datanorm_test.001", "3250614315336"},  // EAN of the B line, the file's last line
    {"fahrjo__datanorm_test.WRG", "Gummileitungen"},
    {"fahrjo__datpreis_test.001", "996835"},
    {"datanormaz__DATANORM.001", "6WSH2"},
};

// The pieces of a text between separators; an empty rest after the last one is no piece.
std::vector<std::string> Teile(const std::string& text, const std::string& trenner) {
  std::vector<std::string> teile;
  std::size_t a = 0;
  for (std::size_t e; (e = text.find(trenner, a)) != std::string::npos; a = e + trenner.size())
    teile.push_back(text.substr(a, e - a));
  if (a < text.size()) teile.push_back(text.substr(a));
  return teile;
}

std::vector<std::string> ZeilenVon(const std::string& text) { return Teile(text, "\r\n"); }

struct Ergebnis {
  std::string aus;
  Kontext k;
};

void Umwandeln(const std::string& pfad, int version, Ergebnis& e) {
  TempVerzeichnis v;
  SkriptFenster f;
  f.eingaben.push_back(std::string("DEM"));
  f.antworten.push_back(Antwort::Ja);
  e.aus = Konvertieren(pfad, version, v, &f, &e.k);
}

bool Enthaelt(const std::string& s, const std::string& teil) { return s.find(teil) != std::string::npos; }

}  // namespace

class Korpus : public ::testing::TestWithParam<Echtdatei> {};

TEST_P(Korpus, JedeAusgabeversionMitLetztemSatz) {
  const std::string pfad = Korpusdatei(GetParam().name);
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  for (int version : {3, 4, 5}) {
    SCOPED_TRACE(version);
    Ergebnis e;
    Umwandeln(pfad, version, e);
    std::vector<std::string> zeilen = ZeilenVon(e.aus);
    ASSERT_GE(zeilen.size(), 2u) << "no records written";
    EXPECT_EQ(zeilen[0].substr(0, 1), "V");
    EXPECT_EQ(e.aus.substr(e.aus.size() - 2), "\r\n");
    EXPECT_TRUE(Enthaelt(e.aus, GetParam().letzterSatz)) << GetParam().letzterSatz;
    if (version == 3) {
      // Fixed records: every line is 128 characters.
      for (const std::string& z : zeilen) EXPECT_EQ(z.size(), 128u) << z;
    }
    if (version == 5) {
      // The end record closes the file and counts every line, itself included.
      EXPECT_EQ(zeilen.back().substr(0, 2 + std::to_string(zeilen.size()).size() + 1),
                "E;" + std::to_string(zeilen.size()) + ";");
    } else {
      EXPECT_NE(zeilen.back().substr(0, 2), "E;");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Echt, Korpus, ::testing::ValuesIn(Dateien),
                         [](const ::testing::TestParamInfo<Echtdatei>& i) { return std::to_string(i.index); });

// The lines of a text that begin with the given letter and ";".
std::vector<std::string> ZeilenMit(const std::string& text, char buchstabe) {
  std::vector<std::string> auswahl;
  for (const std::string& z : ZeilenVon(text))
    if (z.size() >= 2 && z[0] == buchstabe && z[1] == ';') auswahl.push_back(z);
  return auswahl;
}

// Fields of a ";"-separated line, field 1 first.
std::vector<std::string> FelderVon(const std::string& zeile) { return Teile(zeile, ";"); }

// The only real file with price scales (781 lines of 16 fields: text, kind, sign, price kind, price
// unit, price, the base marker and the quantities from and to). Version 5 keeps every scale line
// as it is; version 4 carries the quantities in its from/to fields and gives them back to version
// 5; version 3 cannot hold scales and names them in the error log.
TEST(KorpusStaffelpreise, Version5BehaeltJedeStaffelzeileVersion4DieMengen) {
  const std::string pfad = Korpusdatei("datanormaz__DATANORM.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  // The readers hold article numbers in capitals (3OMPlA450 is written 3OMPLA450).
  std::vector<std::string> original = ZeilenMit(DateiLesen(pfad), 'Z');
  ASSERT_EQ(original.size(), 781u);
  for (std::string& z : original) {
    const std::size_t a = z.find(';', 2) + 1, e = z.find(';', a);
    for (std::size_t i = a; i < e; ++i) z[i] = GrossZeichen(z[i]);
  }
  Ergebnis fuenf, vier, drei;
  Umwandeln(pfad, 5, fuenf);
  Umwandeln(pfad, 4, vier);
  Umwandeln(pfad, 3, drei);
  EXPECT_EQ(ZeilenMit(fuenf.aus, 'Z'), original);

  const std::vector<std::string> v4 = ZeilenMit(vier.aus, 'Z');
  ASSERT_EQ(v4.size(), original.size());
  for (std::size_t i = 0; i < v4.size(); ++i) {
    const std::vector<std::string> ein = FelderVon(original[i]), aus = FelderVon(v4[i]);
    ASSERT_EQ(ein.size(), 16u) << original[i];
    ASSERT_EQ(aus.size(), 11u) << v4[i];
    // Article, base marker, price, from, to.
    EXPECT_EQ((std::vector<std::string>{aus[2], aus[5], aus[8], aus[9], aus[10]}),
              (std::vector<std::string>{ein[2], ein[13], ein[11], ein[14], ein[15]}))
        << original[i] << " -> " << v4[i];
  }
  EXPECT_TRUE(Enthaelt(vier.aus, "\r\nZ;N;2TOP;1;1;1;Staffelpr. 45 bis 899;2;626;45;899;\r\n"));
  // And back: the version-4 lines give the same version-5 lines again.
  TempVerzeichnis v;
  DateiSchreiben(v.Datei("v4.001"), vier.aus);
  Ergebnis zurueck;
  Umwandeln(v.Datei("v4.001"), 5, zurueck);
  EXPECT_EQ(ZeilenMit(zurueck.aus, 'Z'), original);

  EXPECT_FALSE(Enthaelt(drei.aus, "\r\nZ"));
  EXPECT_TRUE(Enthaelt(drei.k.kz.Fehlerprotokoll, "6WSH2"));
  EXPECT_TRUE(Enthaelt(drei.k.kz.Fehlerprotokoll, Ansi("Datenverlust: \tZuschlagsätze")));
  // The scales are no loss for versions 5 and 4.
  EXPECT_FALSE(Enthaelt(fuenf.k.kz.Fehlerprotokoll, "Datenverlust"));
  EXPECT_FALSE(Enthaelt(vier.k.kz.Fehlerprotokoll, "Datenverlust"));
}

// A file that ends with a kept C line: version 5 writes it as read; versions 3 and 4 name it in
// the error log.
TEST(KorpusCZeile, LetzteCZeileKommtAnOderWirdProtokolliert) {
  const std::string pfad = Korpusdatei("halo__v5_texts_products_services.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  Ergebnis fuenf, vier;
  Umwandeln(pfad, 5, fuenf);
  Umwandeln(pfad, 4, vier);
  EXPECT_TRUE(Enthaelt(fuenf.aus, "\r\nC;N;ES01;17 AH / 12V;0;0;;G 197022; ; ; ; ;;\r\n"));
  EXPECT_TRUE(Enthaelt(vier.k.kz.Fehlerprotokoll, "C;N;ES01;17 AH "));
}
