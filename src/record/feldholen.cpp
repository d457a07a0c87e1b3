#include "record/feldholen.h"

#include <algorithm>

namespace korvelan {

namespace {

// The cursor is a 16-bit position; reaching its limit counts as the end of the line.
constexpr int CursorGrenze = 32767;

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

}  // namespace

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
