#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record/festkomma.h"
#include "record/text.h"

using namespace korvelan;

// Keys are put in capitals a word at a time: every byte value must come out as GrossZeichen
// makes it, at every length and position in the word, and no byte beyond the key may change.
TEST(Schluesseltext, GrossWieZeichenweiseFuerJedesByte) {
  for (int start = 0; start < 256; start += 7) {
    for (std::size_t laenge = 0; laenge <= Schluesseltext::Kapazitaet; ++laenge) {
      std::string s;
      for (std::size_t i = 0; i < laenge; ++i) s.push_back(static_cast<char>((start + i * 37) & 0xFF));
      std::string erwartet;
      for (char c : s) erwartet.push_back(GrossZeichen(c));
      char ziel[40];
      std::memset(ziel, '#', sizeof ziel);
      GrossKopieren(ziel, s.data(), s.size());
      EXPECT_EQ(std::string(ziel, laenge), erwartet) << start << " " << laenge;
      EXPECT_EQ(ziel[laenge], '#');
    }
  }
  for (int c = 0; c < 256; ++c) {
    const std::string s(9, static_cast<char>(c));
    char ziel[9];
    GrossKopieren(ziel, s.data(), s.size());
    EXPECT_EQ(ziel[8], GrossZeichen(static_cast<char>(c))) << c;
  }
}

TEST(Schluesseltext, GetrimmtGrossUndBegrenzt) {
  EXPECT_EQ(Schluesseltext("  ab-12\xE4z ").Ansicht(), "AB-12\xE4Z");
  Schluesseltext t("t");
  t.Anfuegen("x1000021y");
  EXPECT_EQ(t.Ansicht(), "TX1000021Y");
  const std::string lang(40, 'q');
  Schluesseltext l(lang);
  EXPECT_EQ(l.Ansicht(), std::string(Schluesseltext::Kapazitaet, 'Q'));
  l.Anfuegen("z");
  EXPECT_EQ(l.size(), Schluesseltext::Kapazitaet);
  l.ZeichenAnfuegen('z');
  EXPECT_EQ(l.size(), Schluesseltext::Kapazitaet);
  EXPECT_EQ(Schluesseltext('t', " t1000021 ").Ansicht(), "TT1000021");
  EXPECT_EQ(Schluesseltext('E', "   ").Ansicht(), "E");
  // A letter before a key already formed gives what the letter before the key's text gives,
  // cut at the capacity as well.
  for (const std::string& text : {std::string(), std::string(" a1 "), std::string(30, 'x'), std::string(31, 'y'), lang}) {
    const Schluesseltext schluessel(text);
    EXPECT_EQ(Schluesseltext('t', schluessel).Ansicht(), Schluesseltext('t', schluessel.Ansicht()).Ansicht()) << text;
  }
}

// Word-wise comparison: texts of every length up to past two words, equal and differing in each
// single byte (also in the high bit only), and of different lengths.
TEST(Text, TexteGleichWieVergleich) {
  for (std::size_t laenge = 0; laenge <= 20; ++laenge) {
    std::string a;
    for (std::size_t i = 0; i < laenge; ++i) a.push_back(static_cast<char>('A' + i));
    const std::string kopie = a;
    EXPECT_TRUE(TexteGleich(a, kopie)) << laenge;
    EXPECT_FALSE(TexteGleich(a, a + "A")) << laenge;
    for (std::size_t i = 0; i < laenge; ++i) {
      for (char anders : {'\0', static_cast<char>(a[i] ^ '\x80'), static_cast<char>(a[i] + 1)}) {
        std::string b = a;
        b[i] = anders;
        EXPECT_FALSE(TexteGleich(a, b)) << laenge << " " << i;
      }
    }
  }
}

// The record count of the conversion window is counted up in its text; every carry up to a
// million must give the digits the number formatter gives.
TEST(Text, ZahltextErhoehenWieFormatiert) {
  std::string text;
  for (std::int64_t n = 1; n <= 1000000; ++n) {
    ZahltextErhoehen(text);
    ASSERT_EQ(text, FormatierenGanz(n, "#######")) << n;
  }
}
