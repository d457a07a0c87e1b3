#include "record/feldholen.h"

#include <algorithm>

namespace korvelan {

namespace {

// The cursor is a 16-bit position; reaching its limit counts as the end of the line.
constexpr int CursorGrenze = 32767;

std::string_view FeldAbschnitt(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  const std::size_t laenge = std::min<std::size_t>(zeile.size(), CursorGrenze);
  std::size_t start = cursor < 1 ? 0 : static_cast<std::size_t>(cursor - 1);
  // Stop at ";" or when the cursor (1-based) reaches the length of the line.
  std::size_t stop = start;
  std::size_t grenze = laenge == 0 ? 0 : laenge - 1;
  // Fields are short: a plain loop is cheaper than a search call per field.
  const char* d = zeile.data();
  while (stop < grenze && d[stop] != ';') ++stop;
  std::string_view feld = start < stop ? zeile.substr(start, stop - start) : std::string_view();
  cursor = static_cast<int>(std::max(stop, start)) + 2;
  feldStatus = feld.empty() ? 9 : 0;
  if (breite >= 0 && feld.size() > static_cast<std::size_t>(breite)) feld = feld.substr(0, breite);
  return feld;
}

}  // namespace

std::string_view FeldHolenAnsicht(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  std::string_view feld = FeldAbschnitt(zeile, cursor, breite, feldStatus);
  if (feld.empty()) return {};
  std::size_t e = feld.size();
  while (e > 0 && feld[e - 1] == ' ') --e;
  if (e == 0) return " ";
  return feld.substr(0, e);
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
