// The input file hands lines out as views into its read block; a line that runs across the end
// of a block is collected. The views must give the same lines, with the same positions, as the
// copying read, whatever falls on the 64 KiB block boundary.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "context/dateien.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

constexpr std::size_t Block = 1 << 16;

struct Gelesen {
  std::vector<std::string> zeilen;
  std::vector<std::uint64_t> positionen;
};

Gelesen MitKopie(const std::string& pfad) {
  Eingabedatei d;
  EXPECT_TRUE(d.Oeffnen(pfad));
  Gelesen g;
  std::string z;
  while (d.ZeileLesen(z)) {
    g.zeilen.push_back(z);
    g.positionen.push_back(d.Position());
  }
  return g;
}

Gelesen MitAnsicht(const std::string& pfad) {
  Eingabedatei d;
  EXPECT_TRUE(d.Oeffnen(pfad));
  Gelesen g;
  std::string_view z = "x";
  while (d.ZeileLesen(z)) {
    g.zeilen.emplace_back(z);
    g.positionen.push_back(d.Position());
  }
  EXPECT_TRUE(z.empty());
  return g;
}

}  // namespace

// Each line end (CR LF, LF, CR, none at the end of the file) with its bytes on every position
// around the first and second block boundary, also a line longer than a block.
TEST(Eingabedatei, AnsichtWieKopieAnBlockgrenzen) {
  TempVerzeichnis v;
  const std::string pfad = v.Datei("ein.dat");
  const char* enden[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
  for (const char* ende : enden) {
    for (std::size_t versatz = 0; versatz < 6; ++versatz) {
      for (bool langeZeile : {false, true}) {
        std::string inhalt(Block - 3 + versatz, 'a');
        inhalt += ende;
        inhalt += "B;zweite";
        inhalt += ende;
        if (langeZeile) inhalt += std::string(Block + 5, 'c') + ende;
        inhalt += std::string(Block - inhalt.size() % Block - 1, 'd') + ende + "ohne Ende";
        DateiSchreiben(pfad, inhalt);
        const Gelesen a = MitKopie(pfad), b = MitAnsicht(pfad);
        ASSERT_EQ(a.zeilen, b.zeilen) << ende << " " << versatz;
        ASSERT_EQ(a.positionen, b.positionen) << ende << " " << versatz;
        ASSERT_EQ(a.zeilen.back(), "ohne Ende");
      }
    }
  }
}

TEST(Eingabedatei, AnsichtLeereDateiUndLeereZeilen) {
  TempVerzeichnis v;
  const std::string pfad = v.Datei("ein.dat");
  DateiSchreiben(pfad, "");
  EXPECT_TRUE(MitAnsicht(pfad).zeilen.empty());
  DateiSchreiben(pfad, "\r\n\n\rA\r\n");
  EXPECT_EQ(MitAnsicht(pfad).zeilen, (std::vector<std::string>{"", "", "", "A"}));
}

// The line end is searched a block or two of sixteen bytes at a time: lines of every length
// around those steps, each with every kind of end, come back as written.
TEST(Eingabedatei, ZeilenJederLaengeUmDieSuchschritte) {
  TempVerzeichnis v;
  const std::string pfad = v.Datei("ein.dat");
  const char* enden[] = {"\r\n", "\n", "\r"};
  std::string inhalt;
  std::vector<std::string> erwartet;
  for (std::size_t laenge = 0; laenge <= 70; ++laenge) {
    for (const char* ende : enden) {
      std::string zeile(laenge, 'x');
      for (std::size_t i = 0; i < laenge; ++i) zeile[i] = static_cast<char>('a' + (i + laenge) % 26);
      inhalt += zeile + ende;
      erwartet.push_back(zeile);
    }
  }
  DateiSchreiben(pfad, inhalt);
  EXPECT_EQ(MitAnsicht(pfad).zeilen, erwartet);
}

// A UTF-8 file is handed out in CP850, with the UTF-8 characters cut by every block boundary put
// together again; the position the progress shows counts the file's bytes and reaches its size.
TEST(Eingabedatei, Utf8UeberBlockgrenzenUndPositionInDateibytes) {
  TempVerzeichnis v;
  const std::string pfad = v.Datei("ein.dat");
  std::string inhalt;
  std::vector<std::string> erwartet;
  for (int i = 0; inhalt.size() < 3 * Block; ++i) {
    // Lines of "ä" (2 bytes) and "€" (3 bytes, "?" in CP850) of changing length.
    std::string zeile, cp850;
    for (int j = 0; j < 50 + i % 17; ++j) {
      zeile += (i + j) % 3 == 0 ? "\xE2\x82\xAC" : "\xC3\xA4";
      cp850 += (i + j) % 3 == 0 ? "?" : "\x84";
    }
    inhalt += zeile + "\r\n";
    erwartet.push_back(cp850);
  }
  DateiSchreiben(pfad, inhalt);
  const Gelesen a = MitKopie(pfad), b = MitAnsicht(pfad);
  EXPECT_EQ(a.zeilen, erwartet);
  EXPECT_EQ(b.zeilen, erwartet);
  for (std::size_t i = 1; i < b.positionen.size(); ++i) ASSERT_LE(b.positionen[i - 1], b.positionen[i]);
  EXPECT_EQ(b.positionen.back(), inhalt.size());
  Eingabedatei d;
  ASSERT_TRUE(d.Oeffnen(pfad));
  EXPECT_EQ(d.ErkannterZeichensatz(), Zeichensatz::Utf8);
}
