#pragma once
// Fixed-point values, the number patterns of the output and the leading-number rule ("Val").
// A Festkomma holds the value times 10,000 in a signed 64-bit integer.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "record/laufzeitfehler.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

using Festkomma = std::int64_t;
constexpr Festkomma FestkommaEins = 10000;

// Reads the leading decimal number of a text: leading blanks skipped, optional sign, digits,
// one decimal point with digits; no number gives 0. Result is the value times 10,000, fractional
// digits beyond the fourth rounded half away from zero. A value beyond the range of the type
// raises error 6 ("Überlauf").
Festkomma Val(std::string_view text);

// For a text of 1 to 14 plain digits (which Val reads without overflow or rounding): its digits
// without leading zeros, empty for zero. False for any other text (blanks, sign, point, more
// digits). The digits are tested eight at a time: this runs for number fields of every record.
inline bool ZiffernOhneNullen(std::string_view text, std::string_view& ziffern) {
  constexpr std::uint64_t Nullen = 0x3030303030303030ULL;  // "00000000"
  constexpr std::uint64_t Hoch = 0x8080808080808080ULL;
  // A byte below "0" sets its high bit in w - Nullen, a byte above "9" in w + (0x80 - 0x3A) per
  // byte; the lowest such byte is found exactly, carries only spoil the bytes above it.
  const auto nurZiffern = [](std::uint64_t w) { return (((w - Nullen) | (w + 0x4646464646464646ULL)) & Hoch) == 0; };
  const std::size_t n = text.size();
  if (n - 1 >= 14) return false;
  const char* p = text.data();
  if (n < 4) {
    // One to three characters one by one.
    for (std::size_t i = 0; i < n; ++i)
      if (static_cast<unsigned char>(p[i] - '0') > 9) return false;
    std::size_t a = 0;
    while (a < n && p[a] == '0') ++a;
    ziffern = std::string_view(p + a, n - a);
    return true;
  }
  std::uint64_t vorn;  // the first characters, in order from the low byte
  if (n >= 8) {
    std::uint64_t hinten;
    std::memcpy(&vorn, p, 8);
    std::memcpy(&hinten, p + n - 8, 8);
    if (!nurZiffern(vorn) || !nurZiffern(hinten)) return false;
  } else {
    std::uint32_t a, b;
    std::memcpy(&a, p, 4);
    std::memcpy(&b, p + n - 4, 4);
    vorn = a | (static_cast<std::uint64_t>(b) << 32);
    if (!nurZiffern(vorn)) return false;
  }
  // Leading zeros: the lowest byte of vorn that differs from "0". Within the first four
  // characters (eight when n >= 8) vorn is the text itself; beyond them the bytes are counted.
  const std::uint64_t x = vorn ^ Nullen;
  std::size_t a = x == 0 ? 8 : static_cast<std::size_t>(__builtin_ctzll(x)) / 8;
  const std::size_t sicher = n >= 8 ? 8 : 4;
  if (a >= sicher) {
    a = sicher;
    while (a < n && p[a] == '0') ++a;
  }
  ziffern = std::string_view(p + a, n - a);
  return true;
}

// True when the text starts (after blanks) with a number as Val reads it.
bool HatZahl(std::string_view text);

// Divides a fixed-point value by an integer divisor, rounding halves away from zero.
Festkomma Teilen(Festkomma wert, std::int64_t teiler);
// Multiplies a fixed-point value by an integer factor; overflow raises error 6.
Festkomma Mal(Festkomma wert, std::int64_t faktor);

// Whole number nearest to the fixed-point value (halves away from zero). Inline: every integer
// number pattern rounds, and the divisor is a constant.
inline std::int64_t Runden(Festkomma wert) {
  // The remainder has the sign of the value.
  std::int64_t q = wert / FestkommaEins;
  const std::int64_t r = wert % FestkommaEins;
  if (r >= FestkommaEins / 2)
    ++q;
  else if (r <= -FestkommaEins / 2)
    --q;
  return q;
}

// Whole-number value of a fixed-point value as a 16-bit code; outside -32768..32767 raises
// error 6, like assigning a too large number to a small integer field.
std::int16_t AlsKurzzahl(Festkomma wert);

// Formats a fixed-point value with a number pattern such as "0", "00", "#####0", "#######",
// "#####0.00" or "0000000000"; literal characters after the pattern (a trailing blank) are kept.
// Integer patterns round to a whole number, halves away from zero. A pattern of "#" only writes
// nothing for zero.
std::string Formatieren(Festkomma wert, std::string_view muster);
// The same for a whole number.
std::string FormatierenGanz(std::int64_t wert, std::string_view muster);

// A number pattern taken apart once: its integer part ("#" and "0"), its fraction part and the
// literal rest. Writers keep their patterns as constants of this type, so that formatting a
// value does not take the pattern apart again.
struct Zahlmuster {
  int ganzNullen = 0;     // count of "0" in the integer part (minimum digits)
  bool nurRaute = true;   // integer part consists of "#" only
  int bruchStellen = 0;   // digits after the decimal point
  std::string_view rest;  // literal characters after the pattern

  constexpr Zahlmuster(std::string_view m) {  // NOLINT: implicit, so a literal can be passed
    std::size_t i = 0;
    while (i < m.size() && (m[i] == '#' || m[i] == '0')) {
      if (m[i] == '0') {
        ++ganzNullen;
        nurRaute = false;
      }
      ++i;
    }
    if (i < m.size() && m[i] == '.') {
      ++i;
      nurRaute = false;
      while (i < m.size() && (m[i] == '#' || m[i] == '0')) {
        ++bruchStellen;
        ++i;
      }
    }
    rest = m.substr(i);
  }
  constexpr Zahlmuster(const char* m) : Zahlmuster(std::string_view(m)) {}  // NOLINT

  // The longest text the pattern can give: sign, at least 20 integer digits, point, fraction
  // digits and the literal rest.
  constexpr std::size_t Hoechstlaenge() const {
    return 2 + static_cast<std::size_t>(ganzNullen > 20 ? ganzNullen : 20) + static_cast<std::size_t>(bruchStellen) +
           rest.size();
  }
};

// The two digits of every number 0 to 99, side by side.
inline constexpr char Ziffernpaare[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The one formatting routine behind Formatieren, FormatierenGanz and the appending forms: writes
// the text at aus, which has room for muster.Hoechstlaenge() bytes, and returns its length.
std::size_t FormatiertSchreiben(char* aus, Festkomma wert, const Zahlmuster& muster);
// GanzFormatiertSchreiben for every value and pattern (out of line).
std::size_t GanzFormatiertSchreibenAllgemein(char* aus, std::int64_t wert, const Zahlmuster& muster);

// Most whole numbers written are counters, flags and codes below 100 with a pattern of "#" and at
// most two "0" and nothing after it: they are written here inline, the others out of line.
inline std::size_t GanzFormatiertSchreiben(char* aus, std::int64_t wert, const Zahlmuster& m) {
  if (static_cast<std::uint64_t>(wert) < 100 && m.bruchStellen == 0 && m.ganzNullen <= 2 && m.rest.empty()) {
    if (wert == 0 && m.nurRaute) return 0;
    if (wert >= 10 || m.ganzNullen == 2) {
      std::memcpy(aus, Ziffernpaare + wert * 2, 2);
      return 2;
    }
    aus[0] = static_cast<char>('0' + wert);
    return 1;
  }
  return GanzFormatiertSchreibenAllgemein(aus, wert, m);
}

// Formatieren and FormatierenGanz appending to a text instead of returning a new one.
void FormatiertAnfuegen(std::string& aus, Festkomma wert, const Zahlmuster& muster);
void GanzFormatiertAnfuegen(std::string& aus, std::int64_t wert, const Zahlmuster& muster);
// The same for the output line: the digits are written straight into the line.
inline void FormatiertAnfuegen(Zeilenpuffer& aus, Festkomma wert, const Zahlmuster& muster) {
  char* p = aus.Platz(muster.Hoechstlaenge());
  aus.Vorruecken(FormatiertSchreiben(p, wert, muster));
}
inline void GanzFormatiertAnfuegen(Zeilenpuffer& aus, std::int64_t wert, const Zahlmuster& muster) {
  char* p = aus.Platz(muster.Hoechstlaenge());
  aus.Vorruecken(GanzFormatiertSchreiben(p, wert, muster));
}

// True when a whole number fits a fixed-width number field of `stellen` digits (at most 19):
// not negative, and without more digits. The one test of the writer that fills such a field and
// of the record check that names a value too wide for it.
inline bool PasstInStellen(std::int64_t wert, std::size_t stellen) {
  std::uint64_t grenze = 1;
  for (std::size_t i = 0; i < stellen; ++i) grenze *= 10;
  return wert >= 0 && static_cast<std::uint64_t>(wert) < grenze;
}

// Writes a whole number with exactly `stellen` digits (leading zeros, no sign) at aus, for
// fixed-width number fields (at most 19 digits). A number that does not fit (PasstInStellen)
// writes nothing and gives false. Inline: the width is a constant at every caller, so the digit
// pairs are written from the right without a loop.
inline bool StellenSchreiben(char* aus, std::int64_t wert, std::size_t stellen) {
  if (!PasstInStellen(wert, stellen)) return false;
  std::uint64_t w = static_cast<std::uint64_t>(wert);
  std::size_t n = stellen;
  for (; n >= 2; n -= 2) {
    std::memcpy(aus + n - 2, Ziffernpaare + (w % 100) * 2, 2);
    w /= 100;
  }
  if (n == 1) aus[0] = static_cast<char>('0' + w);
  return true;
}

// Decimal text of a whole number, no grouping, "-" for negatives.
std::string GanzAlsText(std::int64_t wert);

// Converts a value by a factor held as a double: divide (richtungTeilen) or multiply, result
// rounded to 4 decimal places (halves away from zero). A result beyond the type raises error 6.
Festkomma Umrechnen(Festkomma wert, double faktor, bool richtungTeilen);

// Reads a decimal number with "." as separator, optional sign, optional exponent, for the
// settings file; returns false when the text holds no number.
bool DoubleLesen(std::string_view text, double& wert);
// Writes a double with at most 15 significant digits, "." separator, trailing zeros dropped,
// no exponent for ordinary magnitudes; 0 is written as "0".
std::string DoubleAlsText(double wert);

}  // namespace korvelan
