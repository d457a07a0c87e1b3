#include "record/feldholen.h"

#include <algorithm>

namespace korvelan {

namespace {

std::string_view FeldAbschnitt(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  const std::size_t laenge = std::min<std::size_t>(zeile.size(), CursorGrenze);
  const std::size_t start = cursor < 1 ? 0 : static_cast<std::size_t>(cursor - 1);
  // Stop at ";" or when the cursor (1-based) reaches the length of the line. Fields are short:
  // a plain loop is cheaper than a search call per field.
  const std::size_t grenze = laenge == 0 ? 0 : laenge - 1;
  const char* d = zeile.data();
  std::size_t stop = start;
  while (stop < grenze && d[stop] != ';') ++stop;
  cursor = static_cast<int>(stop) + 2;
  std::size_t n = stop - start;
  feldStatus = n == 0 ? 9 : 0;
  if (n == 0) return {};  // the cursor may stand past the end of the line
  if (breite >= 0 && n > static_cast<std::size_t>(breite)) n = static_cast<std::size_t>(breite);
  return std::string_view(d + start, n);
}

// The walk over a line followed by its (described) fill, from where the search in the line
// ended. Returns the part of the field that lies in the line; laenge is the length of the whole
// field after the cut to the width. The part in the fill never holds ";" (the walk stops there),
// so it is blanks only.
std::string_view FeldAbschnitt(const GefuellteZeile& g, std::size_t start, std::size_t stop, int& cursor, int breite,
                               std::int16_t& feldStatus, std::size_t& laenge) {
  if (stop >= g.imText && stop < g.grenze) {
    // The walk goes on in the fill: a run of ";" stops it at once, a run of blanks is passed.
    const std::size_t ende1 = g.zeile.size() + g.fuellung.anzahl1;
    if (stop < ende1 && g.fuellung.zeichen1 != ';') stop = std::min(ende1, g.grenze);
    if (stop >= ende1 && stop < g.grenze && g.fuellung.zeichen2 != ';') stop = g.grenze;
  }
  cursor = static_cast<int>(stop) + 2;
  std::size_t n = stop - start;
  feldStatus = n == 0 ? 9 : 0;
  if (breite >= 0 && n > static_cast<std::size_t>(breite)) n = static_cast<std::size_t>(breite);
  laenge = n;
  if (n == 0 || start >= g.zeile.size()) return {};
  return std::string_view(g.zeile.data() + start, std::min(n, g.zeile.size() - start));
}

}  // namespace

std::string_view FeldHolenAnsichtBisFuellung(const GefuellteZeile& zeile, std::size_t start, std::size_t stop,
                                             int& cursor, int breite, std::int16_t& feldStatus) {
  std::size_t laenge = 0;
  std::string_view feld = FeldAbschnitt(zeile, start, stop, cursor, breite, feldStatus, laenge);
  if (laenge == 0) return {};
  std::size_t e = feld.size();
  while (e > 0 && feld[e - 1] == ' ') --e;
  if (e == 0) return " ";
  return std::string_view(feld.data(), e);
}

Festkomma FeldHolenZahlBisFuellung(const GefuellteZeile& zeile, std::size_t start, std::size_t stop, int& cursor,
                                   int breite, std::int16_t& feldStatus) {
  std::size_t laenge = 0;
  std::string_view feld = FeldAbschnitt(zeile, start, stop, cursor, breite, feldStatus, laenge);
  // Blanks after the line's part change neither the test nor the value: Val stops at a blank
  // that follows the number.
  if (feld.find_first_not_of(' ') == std::string_view::npos) {
    feldStatus = 9;
    return 0;
  }
  return Val(feld);
}

std::string_view FeldHolenAnsicht(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  std::string_view feld = FeldAbschnitt(zeile, cursor, breite, feldStatus);
  if (feld.empty()) return {};
  std::size_t e = feld.size();
  while (e > 0 && feld[e - 1] == ' ') --e;
  if (e == 0) return " ";
  return std::string_view(feld.data(), e);
}

std::string FeldHolen(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  return std::string(FeldHolenAnsicht(zeile, cursor, breite, feldStatus));
}

Festkomma FeldHolenZahl(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  std::string_view feld = FeldAbschnitt(zeile, cursor, breite, feldStatus);
  if (feld.find_first_not_of(' ') == std::string_view::npos) {
    feldStatus = 9;
    return 0;
  }
  return Val(feld);
}

}  // namespace korvelan
