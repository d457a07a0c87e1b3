#pragma once
// Takes the next ";"-separated field of a line from a 1-based cursor, cut to a maximum width.
// The character at the last position of a line is never taken: the walk stops when the cursor
// reaches the length of the line. Readers therefore fill their lines before taking fields.
#include <cstdint>
#include <string>
#include <string_view>

#include "record/festkomma.h"

namespace korvelan {

// Kind "T": returns the field text. Trailing blanks are removed; a field of blanks only becomes
// one blank. feldStatus is 9 when the field was empty, else 0. The cursor moves past the separator.
std::string FeldHolen(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus);

// The same as FeldHolen, returning a view into the line (or of a single blank) instead of a new
// text; valid while the line is. For readers that assign fields into existing texts.
std::string_view FeldHolenAnsicht(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus);

// Kind "N": the same walk, the field read as a decimal number (Val); feldStatus is 9 also when
// the field is blank.
Festkomma FeldHolenZahl(std::string_view zeile, int& cursor, int breite, std::int16_t& feldStatus);

// The fill readers append to a line: 128 ";" or 128 blanks.
inline const std::string FuellungSemikolon(128, ';');
inline const std::string FuellungBlank(128, ' ');

// A fill described instead of appended: up to two runs of ";" or blanks.
struct Fuellart {
  char zeichen1;
  std::size_t anzahl1;
  char zeichen2 = ' ';
  std::size_t anzahl2 = 0;
};
inline constexpr Fuellart MitSemikolon{';', 128};
inline constexpr Fuellart MitBlank{' ', 128};
inline constexpr Fuellart MitSemikolonUndBlank{';', 128, ' ', 128};

// A line read as if its fill followed it, without copying the two together. Fields taken from
// it are the same, with the same cursor and field status, as those of the line with the fill
// appended; a view points into the line (or is a single blank).
struct GefuellteZeile {
  GefuellteZeile(std::string_view z, Fuellart f);

  std::string_view zeile;
  Fuellart fuellung;
  std::size_t grenze;  // 0-based position where every walk stops (the last one of line and fill)
  std::size_t imText;  // end of the walk within the line itself
};

// Assigns a field taken as a view to a text, reusing its memory. Cheaper than assign(view),
// which goes through the general replace; the view must not point into the text itself.
inline void FeldZuweisen(std::string& ziel, std::string_view feld) {
  ziel.clear();
  ziel.append(feld.data(), feld.size());
}

std::string_view FeldHolenAnsicht(const GefuellteZeile& zeile, int& cursor, int breite, std::int16_t& feldStatus);
Festkomma FeldHolenZahl(const GefuellteZeile& zeile, int& cursor, int breite, std::int16_t& feldStatus);

}  // namespace korvelan
