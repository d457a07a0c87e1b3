#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "record/festkomma.h"

using namespace korvelan;

namespace {

TEST(Festkomma, ValNimmtDieFuehrendeZahl) {
  EXPECT_EQ(Val("0000010000"), 10000 * FestkommaEins);
  EXPECT_EQ(Val("  12.5abc"), 125000);
  EXPECT_EQ(Val("-3.25"), -32500);
  EXPECT_EQ(Val("+7"), 70000);
  EXPECT_EQ(Val(".5"), 5000);
  EXPECT_EQ(Val("1.2.3"), 12000);
  EXPECT_EQ(Val("1e3"), 10000);  // no exponent
  EXPECT_EQ(Val("1,5"), 10000);  // the decimal point is always "."
  for (const char* keine : {"", "   ", "@", "abc", "- 3", "."}) EXPECT_EQ(Val(keine), 0) << keine;
  // Beyond the fourth decimal place halves round away from zero.
  EXPECT_EQ(Val("0.00005"), 1);
  EXPECT_EQ(Val("0.00004999"), 0);
  EXPECT_EQ(Val("-0.00005"), -1);
  EXPECT_EQ(Val("1.99995"), 20000);
  EXPECT_EQ(Val("000000000000000000000001"), FestkommaEins);  // leading zeros never overflow
  EXPECT_THROW(Val("99999999999999999999"), Laufzeitfehler);
  EXPECT_THROW(Val("922337203685478"), Laufzeitfehler);
  // Plain digit texts of every length around the fourteen read the short way.
  EXPECT_EQ(Val("7"), 70000);
  EXPECT_EQ(Val("12a"), 120000);
  EXPECT_EQ(Val("12 "), 120000);
  EXPECT_EQ(Val("99999999999999"), 999999999999990000);
  EXPECT_EQ(Val("99999999999999.5"), 999999999999995000);
  EXPECT_EQ(Val("922337203685476"), 9223372036854760000);
  EXPECT_THROW(Val("922337203685477"), Laufzeitfehler);
  EXPECT_EQ(Val(std::string_view("12345", 3)), 1230000);
  EXPECT_TRUE(HatZahl(" -.5"));
  EXPECT_FALSE(HatZahl("@"));
  EXPECT_FALSE(HatZahl("-."));
}

TEST(Festkomma, ValKurzeZiffernfolgen) {
  // Short texts of digits are read as one word: every length, and the characters beside the
  // digits ("/" and ":") or a blank at every position end the number there.
  const std::string ziffern = "9081726354";
  for (std::size_t laenge = 1; laenge <= ziffern.size(); ++laenge) {
    const std::string text = ziffern.substr(0, laenge);
    EXPECT_EQ(Val(text), std::stoll(text) * FestkommaEins) << text;
    for (std::size_t stelle = 0; stelle < laenge; ++stelle) {
      for (char fremd : {'/', ':', ' ', '.'}) {
        std::string t = text;
        t[stelle] = fremd;
        const std::string vorn = text.substr(0, stelle);
        Festkomma soll = vorn.empty() ? 0 : std::stoll(vorn) * FestkommaEins;
        if (fremd == '.' && stelle + 1 < laenge) {
          // The digits after the point are the fraction (rounded beyond the fourth).
          const std::string bruch = text.substr(stelle + 1) + "0000";
          soll += std::stoll(bruch.substr(0, 4)) + (bruch[4] >= '5' ? 1 : 0);
        }
        if (fremd == ' ' && stelle == 0) soll = Val(t.substr(1));  // leading blanks are skipped
        EXPECT_EQ(Val(t), soll) << t;
      }
    }
  }
}

TEST(Festkomma, TeilenRundetHalbeVonNullWeg) {
  EXPECT_EQ(Teilen(15, 10), 2);
  EXPECT_EQ(Teilen(14, 10), 1);
  EXPECT_EQ(Teilen(-15, 10), -2);
  EXPECT_EQ(Teilen(-14, 10), -1);
  EXPECT_EQ(Teilen(15, -10), -2);
  EXPECT_EQ(Teilen(-15, -10), 2);
  EXPECT_EQ(Teilen(25, 10), 3);  // not to even
  EXPECT_EQ(Teilen(2, 3), 1);
  EXPECT_EQ(Teilen(1, 3), 0);
  EXPECT_EQ(Teilen(7, 1), 7);
  EXPECT_EQ(Teilen(7, -1), -7);
  constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(Teilen(min + 1, min), 1);  // 0.99999... rounds up
  EXPECT_EQ(Teilen(5, min), 0);
  EXPECT_THROW(Teilen(min, -1), Laufzeitfehler);
  EXPECT_THROW(Teilen(1, 0), Laufzeitfehler);
  EXPECT_EQ(Runden(25000), 3);
  EXPECT_EQ(Runden(-25000), -3);
  // Runden gives what Teilen by 10,000 gives, at the halves and at the ends of the range.
  for (Festkomma wert : {Festkomma{0}, Festkomma{4999}, Festkomma{5000}, Festkomma{-4999}, Festkomma{-5000},
                         Festkomma{14999}, Festkomma{-15000}, std::numeric_limits<Festkomma>::max(),
                         std::numeric_limits<Festkomma>::min()})
    EXPECT_EQ(Runden(wert), Teilen(wert, FestkommaEins)) << wert;
  EXPECT_EQ(AlsKurzzahl(32767 * FestkommaEins), 32767);
  EXPECT_THROW(AlsKurzzahl(32768 * FestkommaEins), Laufzeitfehler);
  EXPECT_THROW(Mal(std::numeric_limits<std::int64_t>::max() / 2, 3), Laufzeitfehler);
}

TEST(Festkomma, FormatierenNachMustern) {
  EXPECT_EQ(Formatieren(51129, "0"), "5");
  EXPECT_EQ(Formatieren(55000, "0"), "6");
  EXPECT_EQ(Formatieren(-55000, "0"), "-6");
  EXPECT_EQ(Formatieren(7 * FestkommaEins, "00"), "07");
  EXPECT_EQ(Formatieren(123 * FestkommaEins, "00"), "123");
  EXPECT_EQ(Formatieren(0, "#####0"), "0");
  EXPECT_EQ(Formatieren(0, "#######"), "");
  EXPECT_EQ(Formatieren(4000, "####"), "");  // 0.4 rounds to nothing
  EXPECT_EQ(Formatieren(12 * FestkommaEins, "####"), "12");
  EXPECT_EQ(Formatieren(5113 * FestkommaEins, "0000000000"), "0000005113");
  EXPECT_EQ(Formatieren(12345, "#####0.00"), "1.23");
  EXPECT_EQ(Formatieren(12350, "#####0.00"), "1.24");
  EXPECT_EQ(Formatieren(-12350, "#####0.00"), "-1.24");
  EXPECT_EQ(Formatieren(500, "#####0.00"), "0.05");
  EXPECT_EQ(Formatieren(12345, "0.0000"), "1.2345");
  EXPECT_EQ(Formatieren(12345, "0.000000"), "1.234500");
  EXPECT_EQ(Formatieren(12 * FestkommaEins, "0 "), "12 ");
  EXPECT_EQ(FormatierenGanz(5, "00"), "05");
  EXPECT_EQ(FormatierenGanz(2024, "0000"), "2024");
  EXPECT_EQ(FormatierenGanz(0, "###"), "");
  EXPECT_EQ(FormatierenGanz(-5113, "0000000000"), "-0000005113");
  EXPECT_EQ(FormatierenGanz(3, "0.00"), "3.00");
  EXPECT_EQ(GanzAlsText(-42), "-42");
}

TEST(Festkomma, GanzzahlenJederStellenzahl) {
  // Every count of digits against every count of leading zeros, around the short way for
  // values below 100 and the powers of ten where the digit count changes.
  for (int potenz = 0; potenz <= 18; ++potenz) {
    std::int64_t basis = 1;
    for (int i = 0; i < potenz; ++i) basis *= 10;
    for (std::int64_t wert : {basis - 1, basis, basis + 1, basis + basis / 2 + 3}) {
      for (std::string_view muster : {"#", "0", "00", "000", "####0", "0000000000"}) {
        std::string soll = std::to_string(wert);
        const auto nullen = static_cast<std::size_t>(std::count(muster.begin(), muster.end(), '0'));
        if (wert == 0 && nullen == 0) soll.clear();
        if (soll.size() < nullen) soll.insert(0, nullen - soll.size(), '0');
        EXPECT_EQ(FormatierenGanz(wert, muster), soll) << wert << " " << muster;
        EXPECT_EQ(FormatierenGanz(-wert, muster), wert == 0 ? soll : "-" + soll) << -wert << " " << muster;
      }
    }
  }
}

TEST(Festkomma, FesteStellenzahl) {
  // Exactly the width or nothing: around every power of ten, for odd and even widths, and the
  // bytes beside the field stay untouched.
  for (std::size_t stellen = 1; stellen <= 19; ++stellen) {
    std::int64_t grenze = 1;
    for (std::size_t i = 0; i < stellen && i < 18; ++i) grenze *= 10;
    if (stellen == 19) grenze = std::numeric_limits<std::int64_t>::max();  // 10^19 does not fit
    for (std::int64_t wert : {std::int64_t{0}, std::int64_t{7}, grenze / 2, grenze - 1, grenze, std::int64_t{-1}}) {
      std::string feld(stellen + 2, 'x');
      const bool passt = wert >= 0 && (stellen == 19 || wert < grenze);
      EXPECT_EQ(StellenSchreiben(&feld[1], wert, stellen), passt) << wert << " " << stellen;
      std::string soll(stellen + 2, 'x');
      if (passt) {
        const std::string ziffern = std::to_string(wert);
        soll.replace(1, stellen, std::string(stellen - ziffern.size(), '0') + ziffern);
      }
      EXPECT_EQ(feld, soll) << wert << " " << stellen;
    }
  }
}

TEST(Festkomma, ZiffernOhneNullen) {
  // Every length up to past the fourteen, leading zeros at every count, and a foreign byte at
  // every position: the bytes just beside the digits, a blank, a point, high and zero bytes.
  for (std::size_t n = 0; n <= 16; ++n) {
    for (std::size_t nullen = 0; nullen <= n; ++nullen) {
      std::string text(nullen, '0');
      for (std::size_t i = nullen; i < n; ++i) text += static_cast<char>('1' + (i * 7) % 9);
      std::string_view ziffern = "x";
      const bool gelesen = ZiffernOhneNullen(text, ziffern);
      ASSERT_EQ(gelesen, n >= 1 && n <= 14) << text;
      if (gelesen) {
        ASSERT_EQ(ziffern, std::string_view(text).substr(nullen)) << text;
      }
      for (std::size_t stelle = 0; stelle < n && gelesen; ++stelle) {
        for (char fremd : {'/', ':', ' ', '.', '\0', '\x80', '\xB9', '\xBA', '\xFF'}) {
          std::string t = text;
          t[stelle] = fremd;
          ASSERT_FALSE(ZiffernOhneNullen(t, ziffern)) << n << " " << stelle << " " << int(fremd);
        }
      }
    }
  }
  // A view into a longer text reads only its own bytes.
  std::string_view ziffern;
  ASSERT_TRUE(ZiffernOhneNullen(std::string_view("0012x", 4), ziffern));
  EXPECT_EQ(ziffern, "12");
}

TEST(Festkomma, Umrechnen) {
  EXPECT_EQ(Umrechnen(10000, 1.95583, true), 5113);
  EXPECT_EQ(Umrechnen(5113, 1.95583, false), 10000);
  EXPECT_EQ(Umrechnen(-10000, 1.95583, true), -5113);
  EXPECT_EQ(Umrechnen(5, 2, true), 3);  // halves away from zero
  EXPECT_THROW(Umrechnen(std::numeric_limits<std::int64_t>::max(), 10, false), Laufzeitfehler);
}

TEST(Festkomma, DoubleLesenUndSchreiben) {
  double d = -1;
  EXPECT_TRUE(DoubleLesen("1.9624", d));
  EXPECT_EQ(d, 1.9624);
  EXPECT_TRUE(DoubleLesen(" -.5", d));
  EXPECT_EQ(d, -0.5);
  EXPECT_TRUE(DoubleLesen("2.5e2", d));
  EXPECT_EQ(d, 250);
  for (const char* keine : {"", "abc", "+", "-", "inf", "nan", "+-1", "e5", "."}) EXPECT_FALSE(DoubleLesen(keine, d)) << keine;
  EXPECT_EQ(DoubleAlsText(0), "0");
  EXPECT_EQ(DoubleAlsText(1.9624), "1.9624");
  EXPECT_EQ(DoubleAlsText(1936.27), "1936.27");
  EXPECT_EQ(DoubleAlsText(40), "40");
  EXPECT_EQ(DoubleAlsText(-2.5), "-2.5");
  EXPECT_EQ(DoubleAlsText(0.1 + 0.2), "0.3");  // 15 significant digits
  EXPECT_EQ(DoubleAlsText(0.000123456789), "0.000123456789");
}

}  // namespace
