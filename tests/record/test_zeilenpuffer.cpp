#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "record/bytebloecke.h"
#include "record/festkomma.h"
#include "record/zeilenpuffer.h"

using namespace korvelan;

namespace {

// A text of n distinct-looking bytes, so that a misplaced word copy shows.
std::string Muster(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

TEST(Zeilenpuffer, AnfuegenJederLaengeUndWachsen) {
  // Every length around the word and block sizes, appended after every offset, against std::string.
  for (std::size_t vorher = 0; vorher < 10; ++vorher) {
    for (std::size_t n = 0; n <= 50; ++n) {
      Zeilenpuffer z;
      std::string soll;
      z.append(Muster(vorher));
      soll += Muster(vorher);
      z += std::string_view(Muster(n));
      soll += Muster(n);
      z += '|';
      soll += '|';
      z.append(n, '.');
      soll.append(n, '.');
      ASSERT_EQ(std::string_view(z), soll) << vorher << " " << n;
    }
  }
  // Growth beyond the first block keeps the content.
  Zeilenpuffer z;
  std::string soll;
  for (int i = 0; i < 2000; ++i) {
    z += Muster(static_cast<std::size_t>(i % 13));
    soll += Muster(static_cast<std::size_t>(i % 13));
  }
  EXPECT_EQ(std::string_view(z), soll);
  EXPECT_GE(z.capacity(), z.size());
}

TEST(Zeilenpuffer, KuerzenLeerenKopieren) {
  Zeilenpuffer z;
  EXPECT_TRUE(z.empty());
  EXPECT_EQ(std::string_view(z), "");
  z = "A;12;;";
  EXPECT_EQ(z.back(), ';');
  z.resize(4);
  EXPECT_EQ(std::string_view(z), "A;12");
  z.resize(6);  // growing pads with "\0", like a text
  EXPECT_EQ(std::string_view(z), std::string_view("A;12\0\0", 6));
  z[0] = 'B';
  Zeilenpuffer kopie = z;
  z.clear();
  EXPECT_EQ(z.size(), 0u);
  EXPECT_EQ(std::string_view(kopie).substr(0, 4), "B;12");
  z = kopie;
  EXPECT_EQ(std::string_view(z), std::string_view(kopie));
}

// Formatting into the line and into a text are one routine; both must agree at the boundaries
// of the digit count, the sign, the rounding and patterns longer than any local array.
TEST(Zeilenpuffer, ZahlenWieInEinemText) {
  const std::int64_t Max = std::numeric_limits<std::int64_t>::max();
  const std::int64_t Min = std::numeric_limits<std::int64_t>::min();
  const std::int64_t werte[] = {0, 1, 4999, 5000, -5000, 9 * FestkommaEins, 10 * FestkommaEins,
                                999999999LL * FestkommaEins, 1000000000LL * FestkommaEins, -12345, Max, Min + 1};
  const char* muster[] = {"0", "#", "####", "#####0", "00", "0000000000", "#####0.00", "0.0000", "0.000000",
                          "##.#", "0 ", "#0 Stk", "000000000000000000000000000000", "0.00000000000000000000000000000000000000000000000000000000000000"};
  for (std::int64_t w : werte) {
    for (const char* m : muster) {
      Zeilenpuffer z;
      z += "X;";
      FormatiertAnfuegen(z, w, m);
      EXPECT_EQ(std::string_view(z), "X;" + Formatieren(w, m)) << w << " " << m;
      std::string s = "X;";
      FormatiertAnfuegen(s, w, m);
      EXPECT_EQ(s, "X;" + Formatieren(w, m));
    }
  }
  // Around every power of ten the digit count changes; the text must be the plain decimal one.
  std::uint64_t zehner = 1;
  for (int k = 0; k < 19; ++k, zehner *= 10) {
    for (std::uint64_t betrag : {zehner - 1, zehner, zehner + 1}) {
      std::string ziffern;
      for (std::uint64_t r = betrag;; r /= 10) {
        ziffern.insert(ziffern.begin(), static_cast<char>('0' + r % 10));
        if (r < 10) break;
      }
      const auto w = static_cast<std::int64_t>(betrag);
      EXPECT_EQ(FormatierenGanz(w, "0"), ziffern);
      EXPECT_EQ(FormatierenGanz(-w, "0"), w == 0 ? "0" : "-" + ziffern);
      const std::string zehnstellig = std::string(ziffern.size() < 10 ? 10 - ziffern.size() : 0, '0') + ziffern;
      EXPECT_EQ(FormatierenGanz(w, "0000000000"), zehnstellig);
    }
  }
  EXPECT_EQ(Formatieren(Max, "0"), "922337203685478");
  EXPECT_EQ(Formatieren(Max, "0.0000"), "922337203685477.5807");
  EXPECT_EQ(FormatierenGanz(Max, "0"), "9223372036854775807");
  EXPECT_EQ(FormatierenGanz(Min, "0"), "-9223372036854775808");
  EXPECT_EQ(FormatierenGanz(-7, "000"), "-007");
  EXPECT_EQ(FormatierenGanz(1, "0.00000"), "1.00000");
  Zeilenpuffer z;
  GanzFormatiertAnfuegen(z, 10000000000000000000ULL / 2, "0");
  EXPECT_EQ(std::string_view(z), "5000000000000000000");
  // A whole number with a fraction pattern is scaled first and can overflow; the line stays.
  z = "A;";
  EXPECT_THROW(GanzFormatiertAnfuegen(z, Max / 100, "0.00"), Laufzeitfehler);
  EXPECT_EQ(std::string_view(z), "A;");
}

}  // namespace

// The mask of a block comparison, with and without vector instructions: every single byte, the
// first and last of each half, and a few mixed patterns.
TEST(Byteblock, TrefferbitsJederStelle) {
  std::vector<std::uint32_t> muster = {0x0000, 0xFFFF, 0x0001, 0x8000, 0x0080, 0x0100, 0x8181, 0x5A5A, 0xA5A5};
  for (int i = 0; i < 16; ++i) muster.push_back(1u << i);
  for (std::uint32_t m : muster) {
    char text[16];
    for (int i = 0; i < 16; ++i) text[i] = (m >> i) & 1 ? '\n' : static_cast<char>('a' + i);
    const Byteblock markiert = BlockLaden(text) == BlockAus('\n');
    EXPECT_EQ(Trefferbits(markiert), m) << m;
    EXPECT_EQ(TrefferbitsOhneVektor(markiert), m) << m;
  }
  // Bytes 0x80 and above compare as negative.
  char hoch[16];
  for (int i = 0; i < 16; ++i) hoch[i] = static_cast<char>(i % 2 ? 0x80 + i : 0x7F);
  EXPECT_EQ(Trefferbits(BlockLaden(hoch) < BlockAus(0)), 0xAAAAu);
}
