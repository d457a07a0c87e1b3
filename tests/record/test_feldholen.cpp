#include <gtest/gtest.h>

#include "record/feldholen.h"
#include "record/laufzeitfehler.h"

using namespace korvelan;

TEST(FeldHolen, NimmtFelderMitFuellung) {
  std::string zeile = "A;N;4711;;X" + FuellungSemikolon;
  int cursor = 5;
  std::int16_t status = -1;
  EXPECT_EQ(FeldHolen(zeile, cursor, 15, status), "4711");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(cursor, 10);
  EXPECT_EQ(FeldHolen(zeile, cursor, 2, status), "");
  EXPECT_EQ(status, 9);
  EXPECT_EQ(cursor, 11);
}

TEST(FeldHolen, BlankfeldUndZahl) {
  std::string zeile = "   ;   ;" + FuellungSemikolon;
  int cursor = 1;
  std::int16_t status = -1;
  EXPECT_EQ(FeldHolen(zeile, cursor, 10, status), " ");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(FeldHolenZahl(zeile, cursor, 10, status), 0);
  EXPECT_EQ(status, 9);
}

TEST(FeldHolen, LangesFeldWirdGekuerztCursorHinterGanzemFeld) {
  std::string feld(45, 'x');
  std::string zeile = feld + ";y;";
  int cursor = 1;
  std::int16_t status = 0;
  EXPECT_EQ(FeldHolen(zeile, cursor, 40, status), std::string(40, 'x'));
  EXPECT_EQ(cursor, 47);
}

TEST(FeldHolen, LetztesZeichenEinerUngefuelltenZeileFehlt) {
  int cursor = 1;
  std::int16_t status = 0;
  EXPECT_EQ(FeldHolen("AB", cursor, 10, status), "A");
  EXPECT_EQ(cursor, 3);
}

// A line with a described fill gives the fields of the line with the fill appended: random
// lines of ";", blanks, digits, signs and letters, walked with random widths, for each fill.
TEST(FeldHolen, BeschriebeneFuellungWieAngehaengte) {
  std::uint32_t zufall = 12345;
  auto naechste = [&](std::uint32_t grenze) {
    zufall = zufall * 1103515245u + 12345u;
    return (zufall >> 8) % grenze;
  };
  const char zeichen[] = ";;; ;  12.-+aZ";
  const struct {
    Fuellart art;
    std::string angehaengt;
  } fuellungen[] = {{MitSemikolon, FuellungSemikolon},
                    {MitBlank, FuellungBlank},
                    {MitSemikolonUndBlank, FuellungSemikolon + FuellungBlank}};
  for (int runde = 0; runde < 3000; ++runde) {
    // Mostly short lines; a few near the cursor's limit of 32767.
    std::size_t laenge = runde % 500 == 7 ? 32600 + naechste(300) : naechste(40);
    std::string zeile;
    for (std::size_t i = 0; i < laenge; ++i) zeile += zeichen[naechste(sizeof zeichen - 1)];
    for (const auto& f : fuellungen) {
      const std::string gefuellt = zeile + f.angehaengt;
      const GefuellteZeile beschrieben{zeile, f.art};
      // Long lines are walked from near their end.
      int c1 = 1 + static_cast<int>(laenge > 1000 ? laenge - naechste(60) : naechste(3)), c2 = c1;
      // Enough fields to walk through the line and well into (or past) the fill.
      for (int feld = 0; feld < 300; ++feld) {
        const int breite = naechste(8) == 0 ? 32767 : static_cast<int>(naechste(12));
        std::int16_t s1 = -1, s2 = -1;
        const std::uint32_t art = naechste(3);
        if (art == 0) {
          const std::string_view a = FeldHolenAnsicht(gefuellt, c1, breite, s1);
          const std::string_view b = FeldHolenAnsicht(beschrieben, c2, breite, s2);
          ASSERT_EQ(a, b) << zeile << " Feld " << feld;
        } else if (art == 1) {
          // A field passed over leaves cursor and status as one taken.
          FeldHolenAnsicht(gefuellt, c1, breite, s1);
          FeldUeberspringen(beschrieben, c2, breite, s2);
        } else {
          ASSERT_EQ(FeldHolenZahl(gefuellt, c1, breite, s1), FeldHolenZahl(beschrieben, c2, breite, s2)) << zeile;
        }
        ASSERT_EQ(s1, s2) << zeile << " Feld " << feld;
        ASSERT_EQ(c1, c2) << zeile << " Feld " << feld;
        if (c1 > 33000) break;
      }
    }
  }
}

// The block-wise search finds the same ";" as a plain loop: every start and end around the
// sixteen-character steps and the last, overlapping block, with the ";" at each position, next
// to bytes that differ from ";" in a single bit or carry the high bit.
TEST(FeldHolen, SemikolonSuchenWieSchleife) {
  const char andere[] = {'\x3A', '\x3F', '\x1B', '\xBB', '\x3B' ^ '\x80', ' ', '\0', '\xFF'};
  for (std::size_t laenge = 0; laenge <= 50; ++laenge) {
    for (std::size_t treffer = 0; treffer <= laenge; ++treffer) {
      std::string zeile;
      for (std::size_t i = 0; i < laenge; ++i) zeile += andere[(i * 5 + treffer) % sizeof andere];
      if (treffer < laenge) zeile[treffer] = ';';
      for (std::size_t von = 0; von <= laenge; ++von) {
        for (std::size_t bis = von; bis <= laenge; ++bis) {
          std::size_t erwartet = von;
          while (erwartet < bis && zeile[erwartet] != ';') ++erwartet;
          ASSERT_EQ(SemikolonSuchen(zeile.data(), von, bis), erwartet) << laenge << " " << von << " " << bis;
        }
      }
    }
  }
}

// Number fields of plain digits are copied instead of read and formatted: the result must be
// what the reading and formatting give, for zeros, signs, points, blanks and long fields.
TEST(FeldHolen, ZiffernWieGelesenUndFormatiert) {
  const char* felder[] = {"0",   "00",  "7",         "0007",           "4941716",         "0004941716",
                          "12345678901",  "00000000000012", "99999999999999", "123456789012345",
                          "-5",  "+5",  "1.5",       "2.49",           " 3",              "3 ",
                          "1a",  "-0",  "",          "0000000000000000000001"};
  for (const char* f : felder) {
    for (int stellen : {0, 1, 2, 10, 20}) {
      std::string erwartet = "alt", ist = "alt";
      bool wurf = false;
      try {
        GanzZuweisen(erwartet, Runden(Val(f)), stellen);
      } catch (const Laufzeitfehler&) {
        wurf = true;
      }
      if (wurf) {
        EXPECT_THROW(GanzAusFeldZuweisen(ist, f, stellen), Laufzeitfehler) << f;
        continue;
      }
      GanzAusFeldZuweisen(ist, f, stellen);
      EXPECT_EQ(ist, erwartet) << "'" << f << "' " << stellen;
    }
    std::string erwartet = "alt", ist = "alt";
    const std::int64_t ganz = Runden(Val(f));
    if (ganz == 0)
      erwartet = "90";
    else
      GanzZuweisen(erwartet, ganz, 1);
    OhneNullenAusFeldZuweisen(ist, f, "90");
    EXPECT_EQ(ist, erwartet) << "'" << f << "'";
  }
}

// Overwriting in place gives the field whatever the text held before: the same length (words
// that overlap), another length, longer than the in-place limit.
TEST(FeldHolen, UeberschreibenWieZuweisen) {
  for (std::size_t alt = 0; alt <= 20; ++alt) {
    for (std::size_t neu = 0; neu <= 20; ++neu) {
      std::string feld;
      for (std::size_t i = 0; i < neu; ++i) feld += static_cast<char>('a' + i);
      std::string ziel(alt, '#');
      FeldUeberschreiben(ziel, feld);
      EXPECT_EQ(ziel, feld) << alt << " " << neu;
      EXPECT_EQ(ziel.c_str()[ziel.size()], '\0');
    }
  }
}

// Where a line is taken to begin with a one-character letter and flag, the walk over its first
// two fields gives exactly those characters and cursor 5: every line of up to six characters of
// ";", blank, "A" and "x", with each fill.
TEST(FeldHolen, KurzerAnfangWieGelaufen) {
  const char zeichen[] = {';', ' ', 'A', 'x'};
  for (std::size_t laenge = 0; laenge <= 6; ++laenge) {
    std::size_t anzahl = 1;
    for (std::size_t i = 0; i < laenge; ++i) anzahl *= sizeof zeichen;
    for (std::size_t nr = 0; nr < anzahl; ++nr) {
      std::string zeile;
      for (std::size_t i = 0, n = nr; i < laenge; ++i, n /= sizeof zeichen) zeile += zeichen[n % sizeof zeichen];
      for (Fuellart f : {MitSemikolon, MitBlank, Fuellart{' ', 0}}) {
        const GefuellteZeile g{zeile, f};
        int cursor = 1;
        std::int16_t status = -1;
        FeldHolenAnsicht(g, cursor, 1, status);
        const std::string_view feld2 = FeldHolenAnsicht(g, cursor, 1, status);
        if (!KurzerAnfang(g)) continue;
        EXPECT_EQ(cursor, 5) << zeile;
        EXPECT_EQ(status, 0) << zeile;
        EXPECT_EQ(feld2, zeile[2] == ' ' ? std::string_view(" ") : std::string_view(zeile).substr(2, 1)) << zeile;
      }
    }
  }
  // The usual beginnings are recognised; a line without fill needs a character after the ";".
  EXPECT_TRUE(KurzerAnfang(GefuellteZeile{"A;N;", MitBlank}));
  EXPECT_TRUE(KurzerAnfang(GefuellteZeile{"T; ;1", Fuellart{' ', 0}}));
  EXPECT_FALSE(KurzerAnfang(GefuellteZeile{"A;N;", Fuellart{' ', 0}}));
  EXPECT_FALSE(KurzerAnfang(GefuellteZeile{"K;;018988;", MitSemikolon}));
}
