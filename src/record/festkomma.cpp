#include "record/festkomma.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace korvelan {

namespace {

constexpr std::int64_t Grenze = std::numeric_limits<std::int64_t>::max();

bool IstZiffer(char c) { return static_cast<unsigned char>(c - '0') <= 9; }

// Adds one digit to an accumulator, raising the overflow error when it would not fit.
void ZifferAnfuegen(std::int64_t& wert, int ziffer) {
  // Below the first bound any digit fits; only larger values need the exact test.
  constexpr std::int64_t ImmerPlatz = (Grenze - 9) / 10;
  if (wert > ImmerPlatz && wert > (Grenze - ziffer) / 10) throw UeberlaufFehler();
  wert = wert * 10 + ziffer;
}

}  // namespace

bool HatZahl(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && IstZiffer(text[i])) return true;
  return i + 1 < text.size() && text[i] == '.' && IstZiffer(text[i + 1]);
}

Festkomma Val(std::string_view text) {
  const std::size_t n = text.size();
  // Most texts are a few plain digits (quantities, price units, prices held without a point).
  // Up to fourteen of them can neither overflow nor need rounding: they are read with one test
  // per digit. Any other character sends the text the general way from its start.
  if (n - 1 < 14) {
    std::int64_t wert = 0;
    std::size_t j = 0;
    for (; j < n; ++j) {
      const unsigned ziffer = static_cast<unsigned char>(text[j]) - static_cast<unsigned>('0');
      if (ziffer > 9) break;
      wert = wert * 10 + ziffer;
    }
    if (j == n) return wert * FestkommaEins;
  }
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;
  bool negativ = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negativ = text[i] == '-';
    ++i;
  }
  std::int64_t ganz = 0;
  // Eighteen digits always fit: only the digits after them need the overflow check.
  const std::size_t ungeprueft = n - i > 18 ? i + 18 : n;
  while (i < ungeprueft && IstZiffer(text[i])) {
    ganz = ganz * 10 + (text[i] - '0');
    ++i;
  }
  while (i < n && IstZiffer(text[i])) {
    // Leading zeros never overflow; the check is on the value itself.
    ZifferAnfuegen(ganz, text[i] - '0');
    ++i;
  }
  std::int64_t bruch = 0;
  int stellen = 0;
  bool aufrunden = false;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IstZiffer(text[i])) {
      if (stellen < 4) {
        bruch = bruch * 10 + (text[i] - '0');
        ++stellen;
      } else if (stellen == 4) {
        aufrunden = text[i] >= '5';
        ++stellen;
      }
      ++i;
    }
  }
  // Fewer than four fraction digits are scaled up to four.
  static constexpr std::int64_t Skalierung[] = {10000, 1000, 100, 10};
  if (stellen < 4) bruch *= Skalierung[stellen];
  if (ganz > (Grenze - 9999) / FestkommaEins) throw UeberlaufFehler();
  std::int64_t wert = ganz * FestkommaEins + bruch + (aufrunden ? 1 : 0);
  return negativ ? -wert : wert;
}

Festkomma Teilen(Festkomma wert, std::int64_t teiler) {
  if (teiler == 0) throw Laufzeitfehler(11, "Division durch Null");
  if (teiler == -1) return Mal(wert, -1);  // the smallest value divided by -1 does not fit
  std::int64_t q = wert / teiler;
  std::int64_t r = wert % teiler;
  if (r != 0) {
    // Magnitudes without sign overflow (the divisor may be the smallest value of the type).
    std::uint64_t ar = r < 0 ? 0 - static_cast<std::uint64_t>(r) : static_cast<std::uint64_t>(r);
    std::uint64_t at = teiler < 0 ? 0 - static_cast<std::uint64_t>(teiler) : static_cast<std::uint64_t>(teiler);
    if (ar >= at - ar) q += ((wert < 0) != (teiler < 0)) ? -1 : 1;
  }
  return q;
}

Festkomma Mal(Festkomma wert, std::int64_t faktor) {
  Festkomma ergebnis;
  if (__builtin_mul_overflow(wert, faktor, &ergebnis)) throw UeberlaufFehler();
  return ergebnis;
}

std::int16_t AlsKurzzahl(Festkomma wert) {
  std::int64_t g = Runden(wert);
  if (g < -32768 || g > 32767) throw UeberlaufFehler();
  return static_cast<std::int16_t>(g);
}

std::string GanzAlsText(std::int64_t wert) {
  char puffer[24];
  auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert);
  (void)fehler;
  return std::string(puffer, ende);
}

namespace {

constexpr std::uint64_t Zehnerpotenzen[20] = {1ULL,
                                              10ULL,
                                              100ULL,
                                              1000ULL,
                                              10000ULL,
                                              100000ULL,
                                              1000000ULL,
                                              10000000ULL,
                                              100000000ULL,
                                              1000000000ULL,
                                              10000000000ULL,
                                              100000000000ULL,
                                              1000000000000ULL,
                                              10000000000000ULL,
                                              100000000000000ULL,
                                              1000000000000000ULL,
                                              10000000000000000ULL,
                                              100000000000000000ULL,
                                              1000000000000000000ULL,
                                              10000000000000000000ULL};

// Count of decimal digits of a value (1 for 0): from the position of its highest bit
// (log10(2) is about 1233/4096), corrected by one comparison.
std::size_t Stellenzahl(std::uint64_t wert) {
  const std::uint64_t x = wert | 1;  // the same count, and 0 counts as 1
  const int bits = 64 - __builtin_clzll(x);
  const std::size_t t = static_cast<std::size_t>((bits * 1233) >> 12);  // digits - 1 or digits
  return t + 1 - (x < Zehnerpotenzen[t] ? 1 : 0);
}

// Writes the decimal digits of a value, with leading zeros up to the minimum count; returns the
// count written. The digit count is found first, so the digits go straight to their places, two
// at a time.
std::size_t ZiffernSchreiben(char* aus, std::uint64_t wert, int mindestens) {
  // Most numbers written are below 100 (counters, flags, codes): one or two digits directly.
  if (wert < 100 && mindestens <= 2) {
    if (wert >= 10 || mindestens == 2) {
      std::memcpy(aus, Ziffernpaare + wert * 2, 2);
      return 2;
    }
    aus[0] = static_cast<char>('0' + wert);
    return 1;
  }
  const std::size_t stellen = Stellenzahl(wert);
  const std::size_t nullen = mindestens > static_cast<int>(stellen) ? static_cast<std::size_t>(mindestens) - stellen : 0;
  BytesFuellen(aus, '0', nullen);
  char* p = aus + nullen + stellen;
  while (wert >= 100) {
    const std::size_t paar = static_cast<std::size_t>(wert % 100) * 2;
    wert /= 100;
    p -= 2;
    std::memcpy(p, Ziffernpaare + paar, 2);
  }
  if (wert >= 10) {
    std::memcpy(p - 2, Ziffernpaare + wert * 2, 2);
  } else {
    p[-1] = static_cast<char>('0' + wert);
  }
  return nullen + stellen;
}

std::uint64_t Betrag(std::int64_t wert) {
  return wert < 0 ? 0 - static_cast<std::uint64_t>(wert) : static_cast<std::uint64_t>(wert);
}

// A whole number with an integer pattern (no fraction digits), without the literal rest.
std::size_t GanzSchreiben(char* aus, std::int64_t g, const Zahlmuster& m) {
  if (g == 0 && m.nurRaute) return 0;
  char* p = aus;
  if (g < 0) *p++ = '-';
  p += ZiffernSchreiben(p, Betrag(g), m.ganzNullen);
  return static_cast<std::size_t>(p - aus);
}

// The literal rest of the pattern after the number.
std::size_t RestSchreiben(char* aus, const Zahlmuster& m) {
  BytesKopieren(aus, m.rest.data(), m.rest.size());
  return m.rest.size();
}

}  // namespace

std::size_t FormatiertSchreiben(char* aus, Festkomma wert, const Zahlmuster& m) {
  char* p = aus;
  if (m.bruchStellen == 0) {
    p += GanzSchreiben(p, Runden(wert), m);
    // The writers' integer patterns have no literal rest.
    if (m.rest.empty()) return static_cast<std::size_t>(p - aus);
    return static_cast<std::size_t>(p - aus) + RestSchreiben(p, m);
  }
  int stellen = m.bruchStellen > 4 ? 4 : m.bruchStellen;
  std::int64_t teiler = 1;
  for (int k = stellen; k < 4; ++k) teiler *= 10;
  std::int64_t skaliert = Teilen(wert, teiler);  // value times 10^stellen
  std::uint64_t zehner = Zehnerpotenzen[stellen];
  std::uint64_t betrag = Betrag(skaliert);
  if (skaliert < 0) *p++ = '-';
  std::uint64_t ganz = betrag / zehner;
  std::uint64_t bruch = betrag % zehner;
  if (ganz != 0 || m.ganzNullen > 0) p += ZiffernSchreiben(p, ganz, m.ganzNullen);
  *p++ = '.';
  p += ZiffernSchreiben(p, bruch, stellen);
  // Fraction digits beyond the fourth are zeros.
  const std::size_t nullen = static_cast<std::size_t>(m.bruchStellen - stellen);
  BytesFuellen(p, '0', nullen);
  p += nullen;
  return static_cast<std::size_t>(p - aus) + RestSchreiben(p, m);
}

std::size_t GanzFormatiertSchreibenAllgemein(char* aus, std::int64_t wert, const Zahlmuster& m) {
  if (m.bruchStellen != 0) return FormatiertSchreiben(aus, Mal(wert, FestkommaEins), m);
  const std::size_t n = GanzSchreiben(aus, wert, m);
  return n + RestSchreiben(aus + n, m);
}

namespace {

// Appends what a formatting routine writes, through a local array when the pattern is short.
template <typename Schreiben>
void TextAnfuegen(std::string& aus, const Zahlmuster& m, Schreiben schreiben) {
  char puffer[64];
  const std::size_t hoechstens = m.Hoechstlaenge();
  if (hoechstens <= sizeof puffer) {
    aus.append(puffer, schreiben(puffer));
    return;
  }
  const std::size_t anfang = aus.size();
  aus.resize(anfang + hoechstens);
  aus.resize(anfang + schreiben(&aus[anfang]));
}

}  // namespace

void FormatiertAnfuegen(std::string& aus, Festkomma wert, const Zahlmuster& m) {
  TextAnfuegen(aus, m, [&](char* p) { return FormatiertSchreiben(p, wert, m); });
}

void GanzFormatiertAnfuegen(std::string& aus, std::int64_t wert, const Zahlmuster& m) {
  TextAnfuegen(aus, m, [&](char* p) { return GanzFormatiertSchreiben(p, wert, m); });
}

std::string Formatieren(Festkomma wert, std::string_view muster) {
  std::string aus;
  FormatiertAnfuegen(aus, wert, Zahlmuster(muster));
  return aus;
}

std::string FormatierenGanz(std::int64_t wert, std::string_view muster) {
  std::string aus;
  GanzFormatiertAnfuegen(aus, wert, Zahlmuster(muster));
  return aus;
}

Festkomma Umrechnen(Festkomma wert, double faktor, bool richtungTeilen) {
  long double w = static_cast<long double>(wert);
  long double r = richtungTeilen ? w / static_cast<long double>(faktor) : w * static_cast<long double>(faktor);
  if (!std::isfinite(static_cast<double>(r))) throw UeberlaufFehler();
  r = std::round(r);  // halves away from zero
  if (r >= 9.2e18L || r <= -9.2e18L) throw UeberlaufFehler();
  return static_cast<Festkomma>(r);
}

bool DoubleLesen(std::string_view text, double& wert) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string_view t = text.substr(i);
  bool negativ = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negativ = t[0] == '-';
    t.remove_prefix(1);
  }
  // A number begins with a digit or with a point and a digit ("inf" and "nan" are no numbers).
  if (t.empty() || !(IstZiffer(t[0]) || (t[0] == '.' && t.size() > 1 && IstZiffer(t[1])))) return false;
  double v = 0;
  auto [ende, fehler] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (fehler != std::errc()) return false;
  (void)ende;
  wert = negativ ? -v : v;
  return true;
}

std::string DoubleAlsText(double wert) {
  if (wert == 0) return "0";
  char puffer[64];
  auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::fixed, 15);
  std::string s;
  if (fehler == std::errc()) {
    // 15 significant digits: re-round with the general format, then expand to plain decimals.
    auto [e2, f2] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 15);
    (void)f2;
    s.assign(puffer, e2);
    if (s.find('e') != std::string::npos) {
      double gerundet = 0;
      std::from_chars(s.data(), s.data() + s.size(), gerundet);
      auto [e3, f3] = std::to_chars(puffer, puffer + sizeof puffer, gerundet, std::chars_format::fixed);
      (void)f3;
      s.assign(puffer, e3);
    }
  } else {
    auto [e2, f2] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 15);
    (void)f2;
    s.assign(puffer, e2);
  }
  (void)ende;
  if (s.find('.') != std::string::npos && s.find('e') == std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return s;
}

}  // namespace korvelan
