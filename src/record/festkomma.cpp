#include "record/festkomma.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace korvelan {

namespace {

constexpr std::int64_t Grenze = std::numeric_limits<std::int64_t>::max();

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

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
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negativ = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negativ = text[i] == '-';
    ++i;
  }
  std::int64_t ganz = 0;
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

std::int64_t Runden(Festkomma wert) { return Teilen(wert, FestkommaEins); }

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

// Appends the decimal digits of a value, with leading zeros up to the minimum count, in one piece.
void ZiffernAnfuegen(std::string& aus, std::uint64_t wert, int mindestens) {
  char puffer[48];
  char* ende = puffer + sizeof puffer;
  char* p = ende;
  do {
    *--p = static_cast<char>('0' + wert % 10);
    wert /= 10;
  } while (wert != 0);
  // At most 20 digits: more leading zeros than the buffer holds are appended separately.
  int fehlend = mindestens - static_cast<int>(ende - p);
  while (fehlend > 0 && p > puffer) {
    *--p = '0';
    --fehlend;
  }
  if (fehlend > 0) aus.append(static_cast<std::size_t>(fehlend), '0');
  // As pointer and count: the iterator-range form goes through the general replace.
  aus.append(p, static_cast<std::size_t>(ende - p));
}

std::uint64_t Betrag(std::int64_t wert) {
  return wert < 0 ? 0 - static_cast<std::uint64_t>(wert) : static_cast<std::uint64_t>(wert);
}

// A whole number with an integer pattern (no fraction digits).
void GanzAnfuegen(std::string& aus, std::int64_t g, const Zahlmuster& m) {
  if (g == 0 && m.nurRaute) {
    aus.append(m.rest);
    return;
  }
  if (g < 0) aus += '-';
  ZiffernAnfuegen(aus, Betrag(g), m.ganzNullen);
  aus.append(m.rest);
}

}  // namespace

void FormatiertAnfuegen(std::string& aus, Festkomma wert, const Zahlmuster& m) {
  if (m.bruchStellen == 0) {
    GanzAnfuegen(aus, Runden(wert), m);
    return;
  }
  int stellen = m.bruchStellen > 4 ? 4 : m.bruchStellen;
  std::int64_t teiler = 1;
  for (int k = stellen; k < 4; ++k) teiler *= 10;
  std::int64_t skaliert = Teilen(wert, teiler);  // value times 10^stellen
  std::int64_t zehner = 1;
  for (int k = 0; k < stellen; ++k) zehner *= 10;
  std::uint64_t betrag = Betrag(skaliert);
  if (skaliert < 0) aus += '-';
  std::uint64_t ganz = betrag / static_cast<std::uint64_t>(zehner);
  std::uint64_t bruch = betrag % static_cast<std::uint64_t>(zehner);
  if (ganz != 0 || m.ganzNullen > 0) ZiffernAnfuegen(aus, ganz, m.ganzNullen);
  aus += '.';
  ZiffernAnfuegen(aus, bruch, stellen);
  for (int k = stellen; k < m.bruchStellen; ++k) aus += '0';
  aus.append(m.rest);
}

void GanzFormatiertAnfuegen(std::string& aus, std::int64_t wert, const Zahlmuster& m) {
  if (m.bruchStellen != 0) {
    FormatiertAnfuegen(aus, Mal(wert, FestkommaEins), m);
    return;
  }
  GanzAnfuegen(aus, wert, m);
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
