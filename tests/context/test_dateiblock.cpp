#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "context/dateien.h"
#include "testhilfe.h"

using namespace korvelan;
using korvelan::test::DateiLesen;
using korvelan::test::DateiSchreiben;
using korvelan::test::TempVerzeichnis;

namespace {

std::vector<std::string> AlleZeilen(const std::string& pfad) {
  Eingabedatei d;
  EXPECT_TRUE(d.Oeffnen(pfad));
  std::vector<std::string> zeilen;
  for (std::string z; d.ZeileLesen(z);) zeilen.push_back(z);
  return zeilen;
}

// Line ends are found eight bytes at a time; tabs and other control bytes below CR share the
// word test with CR and LF and must not end a line.
TEST(Dateiblock, ZeilenendenAnJederStelle) {
  TempVerzeichnis dir;
  const std::string pfad = dir.Datei("ein.dat");
  for (std::size_t laenge = 0; laenge < 20; ++laenge) {
    for (const char* ende : {"\r\n", "\n", "\r"}) {
      std::string zeile;
      for (std::size_t i = 0; i < laenge; ++i) zeile += "ab\tc\x01\x0B\x0C\x0E"[i % 8];
      DateiSchreiben(pfad, zeile + ende + zeile + ende + "x");
      const std::vector<std::string> soll{zeile, zeile, "x"};
      ASSERT_EQ(AlleZeilen(pfad), soll) << laenge;
    }
  }
  // An empty line between CR and LF pairs, a lone CR before LF CR.
  DateiSchreiben(pfad, "a\r\n\r\nb\n\rc");
  EXPECT_EQ(AlleZeilen(pfad), (std::vector<std::string>{"a", "", "b", "", "c"}));
}

TEST(Dateiblock, LangeZeilenUndBlockgrenzen) {
  TempVerzeichnis dir;
  const std::string pfad = dir.Datei("aus.dat");
  // Lines longer than the 64 KiB block and lines across its boundary go out whole.
  const std::string lang(200000, 'L');
  std::string soll;
  {
    Ausgabedatei a;
    ASSERT_TRUE(a.Erstellen(pfad));
    for (int i = 0; i < 3000; ++i) {
      const std::string z = std::string(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
      a.ZeileSchreiben(z);
      soll += z + "\r\n";
      if (i % 1000 == 500) {
        a.ZeileSchreiben(lang);
        soll += lang + "\r\n";
      }
    }
    a.Schliessen();
  }
  ASSERT_EQ(DateiLesen(pfad), soll);
  // Read back: the CR LF pairs that straddle a refill of the input block are one line end.
  std::vector<std::string> zeilen = AlleZeilen(pfad);
  std::string wieder;
  for (const std::string& z : zeilen) wieder += z + "\r\n";
  EXPECT_EQ(wieder, soll);
}

TEST(Dateiblock, SchreibenOhneDateiIstEinLaufzeitfehler) {
  Ausgabedatei a;
  EXPECT_THROW(a.ZeileSchreiben("x"), Laufzeitfehler);
}

}  // namespace
