#pragma once
// Takes the next ";"-separated field of a line from a 1-based cursor, cut to a maximum width.
// The character at the last position of a line is never taken: the walk stops when the cursor
// reaches the length of the line. Readers therefore fill their lines before taking fields.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "record/bytebloecke.h"
#include "record/festkomma.h"
#include "record/schnellweg.h"

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

// The cursor is a 16-bit position; reaching its limit counts as the end of the line.
inline constexpr std::size_t CursorGrenze = 32767;

// A line read as if its fill followed it, without copying the two together. Fields taken from
// it are the same, with the same cursor and field status, as those of the line with the fill
// appended; a view points into the line (or is a single blank).
struct GefuellteZeile {
  // Inline: readers describe every line they take fields from.
  GefuellteZeile(std::string_view z, Fuellart f) : zeile(z), fuellung(f) {
    const std::size_t gesamt = std::min<std::size_t>(z.size() + f.anzahl1 + f.anzahl2, CursorGrenze);
    grenze = gesamt == 0 ? 0 : gesamt - 1;
    imText = std::min(grenze, z.size());
  }

  std::string_view zeile;
  Fuellart fuellung;
  std::size_t grenze;  // 0-based position where every walk stops (the last one of line and fill)
  std::size_t imText;  // end of the walk within the line itself
};

// Assigns a field taken as a view to a text, reusing its memory. Cheaper than assign(view),
// which goes through the general replace; the view must not point into the text itself.
inline void FeldZuweisen(std::string& ziel, std::string_view feld) {
  ziel.clear();
  // Empty and one-character fields (absent, "@", flags) are frequent: they need no call, as
  // every text has room for one character.
  if (feld.size() <= 1) {
    if (!feld.empty()) ziel.push_back(feld[0]);
    return;
  }
  ziel.append(feld.data(), feld.size());
}

// FeldZuweisen for a text that often holds a text of the field's length already: the article
// texts, which keep the record before's texts until their line comes again (see
// NeutralsatzLeerenAusserArtikeltexten), and the record's key, set again by each of its lines.
// A text of the field's length, up to sixteen characters, is overwritten in place without a call
// (two words that may overlap). Kept apart from FeldZuweisen: the test of the length in every
// FeldZuweisen costs about 1 % instructions on version-4 input for the texts emptied before.
inline void FeldUeberschreiben(std::string& ziel, std::string_view feld) {
  const std::size_t n = feld.size();
  if (ziel.size() != n || n > 16) {
    FeldZuweisen(ziel, feld);
    return;
  }
  char* z = ziel.data();
  auto wort = [&](auto w, std::size_t i) {
    std::memcpy(&w, feld.data() + i, sizeof w);
    std::memcpy(z + i, &w, sizeof w);
  };
  if (n >= 8) {
    wort(std::uint64_t{}, 0);
    wort(std::uint64_t{}, n - 8);
  } else if (n >= 4) {
    wort(std::uint32_t{}, 0);
    wort(std::uint32_t{}, n - 4);
  } else {
    for (std::size_t i = 0; i < n; ++i) z[i] = feld[i];
  }
}

// Assigns a whole number with at least `stellen` digits (leading zeros) and "-" before a
// negative one: what the number patterns "0", "00", "0000000000" make of Runden(value).
inline void GanzZuweisen(std::string& ziel, std::int64_t wert, int stellen) {
  Zahlmuster muster("");
  muster.ganzNullen = stellen;  // `stellen` times "0"; a zero is written as "0" all the same
  muster.nurRaute = false;
  ziel.clear();
  GanzFormatiertAnfuegen(ziel, wert, muster);
}

// What GanzZuweisen(ziel, Runden(Val(feld)), stellen) assigns (stellen up to 20); the digits
// overwrite a text of their length in place.
inline void GanzAusFeldZuweisen(std::string& ziel, std::string_view feld, int stellen) {
  std::string_view ziffern;
  const std::size_t laenge = stellen < 1 ? 1 : static_cast<std::size_t>(stellen);
  if (!ZiffernOhneNullen(feld, ziffern) || laenge > 20) {
    GanzZuweisen(ziel, Runden(Val(feld)), stellen);
  } else if (ziffern.size() >= laenge) {
    FeldUeberschreiben(ziel, ziffern);
  } else if (feld.size() >= laenge) {
    // The field ends with its digits after leading zeros: its last places are the number.
    FeldUeberschreiben(ziel, feld.substr(feld.size() - laenge));
  } else {
    char puffer[20];
    std::memset(puffer, '0', laenge - ziffern.size());
    std::memcpy(puffer + laenge - ziffern.size(), ziffern.data(), ziffern.size());
    FeldUeberschreiben(ziel, std::string_view(puffer, laenge));
  }
}

// A whole number without leading zeros, and beiNull in place of zero (quantities, cost kinds).
inline void OhneNullenAusFeldZuweisen(std::string& ziel, std::string_view feld, std::string_view beiNull) {
  std::string_view ziffern;
  if (ZiffernOhneNullen(feld, ziffern)) {
    FeldUeberschreiben(ziel, ziffern.empty() ? beiNull : ziffern);
    return;
  }
  const std::int64_t ganz = Runden(Val(feld));
  if (ganz == 0)
    FeldUeberschreiben(ziel, beiNull);
  else
    GanzZuweisen(ziel, ganz, 1);
}


// Position of the first ";" in d[von, bis), or von when von >= bis, or bis when there is none.
// Fields are walked once per line and field, so this is the readers' innermost loop: sixteen
// characters are tested at a time; the last, shorter block is read as the sixteen characters
// ending at bis (nothing past bis is read), its marks before von shifted out.
inline std::size_t SemikolonSuchen(const char* d, std::size_t von, std::size_t bis) {
  const Byteblock semikolon = BlockAus(';');
  while (von + 16 <= bis) {
    const unsigned treffer = Trefferbits(BlockLaden(d + von) == semikolon);
    if (treffer != 0) return von + static_cast<std::size_t>(__builtin_ctz(treffer));
    von += 16;
  }
  if (von >= bis) return von;
  if (bis >= 16) {
    const unsigned treffer = Trefferbits(BlockLaden(d + bis - 16) == semikolon) >> (von + 16 - bis);
    return treffer != 0 ? von + static_cast<std::size_t>(__builtin_ctz(treffer)) : bis;
  }
  while (von < bis && d[von] != ';') ++von;  // a line shorter than a block
  return von;
}

// The walk once it reaches the fill (or the line holds no ";" after the cursor); stop is where
// the search in the line ended.
std::string_view FeldHolenAnsichtBisFuellung(const GefuellteZeile& zeile, std::size_t start, std::size_t stop,
                                             int& cursor, int breite, std::int16_t& feldStatus);
Festkomma FeldHolenZahlBisFuellung(const GefuellteZeile& zeile, std::size_t start, std::size_t stop, int& cursor,
                                   int breite, std::int16_t& feldStatus);

// The first step of every walk: where the field at the cursor starts and where its ";" stands.
// False when the walk reaches the fill (or the line holds no ";" after the cursor): the
// out-of-line parts go on from there.
inline KORVELAN_SCHNELLWEG bool FeldImText(const GefuellteZeile& zeile, int cursor, std::size_t& start, std::size_t& stop) {
  start = cursor < 1 ? 0 : static_cast<std::size_t>(cursor - 1);
  stop = SemikolonSuchen(zeile.zeile.data(), start, zeile.imText);
  return stop < zeile.imText;
}

// The common case, a field closed by ";" within the line, is taken inline; the rest goes on
// out of line.
inline KORVELAN_SCHNELLWEG std::string_view FeldHolenAnsicht(const GefuellteZeile& zeile, int& cursor, int breite,
                                         std::int16_t& feldStatus) {
  std::size_t start, stop;
  if (!FeldImText(zeile, cursor, start, stop))
    return FeldHolenAnsichtBisFuellung(zeile, start, stop, cursor, breite, feldStatus);
  const char* d = zeile.zeile.data();
  cursor = static_cast<int>(stop) + 2;
  std::size_t n = stop - start;
  if (n == 0) {
    feldStatus = 9;
    return {};
  }
  feldStatus = 0;
  if (breite >= 0 && n > static_cast<std::size_t>(breite)) {
    n = static_cast<std::size_t>(breite);
    if (n == 0) return {};  // width 0: nothing is taken, yet the field was not empty
  }
  while (n > 0 && d[start + n - 1] == ' ') --n;
  if (n == 0) return " ";
  return std::string_view(d + start, n);
}

// Passes over a field: cursor and field status as FeldHolenAnsicht leaves them, without forming
// the field's text (no cut, no trim: neither changes the status).
inline KORVELAN_SCHNELLWEG void FeldUeberspringen(const GefuellteZeile& zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  std::size_t start, stop;
  if (!FeldImText(zeile, cursor, start, stop)) {
    FeldHolenAnsichtBisFuellung(zeile, start, stop, cursor, breite, feldStatus);
    return;
  }
  cursor = static_cast<int>(stop) + 2;
  feldStatus = stop == start ? 9 : 0;
}

// A line that begins "X;F;", a record letter and a one-character flag (the usual form): fields
// 1 and 2 are those characters, and the cursor after them is 5, without a walk. Any other
// beginning is walked.
inline bool KurzerAnfang(const GefuellteZeile& zeile) {
  const char* d = zeile.zeile.data();
  return zeile.imText > 3 && d[0] != ';' && d[1] == ';' && d[2] != ';' && d[3] == ';';
}

inline KORVELAN_SCHNELLWEG Festkomma FeldHolenZahl(const GefuellteZeile& zeile, int& cursor, int breite, std::int16_t& feldStatus) {
  std::size_t start, stop;
  if (!FeldImText(zeile, cursor, start, stop)) return FeldHolenZahlBisFuellung(zeile, start, stop, cursor, breite, feldStatus);
  const char* d = zeile.zeile.data();
  cursor = static_cast<int>(stop) + 2;
  std::size_t n = stop - start;
  if (breite >= 0 && n > static_cast<std::size_t>(breite)) n = static_cast<std::size_t>(breite);
  std::size_t erstes = 0;
  while (erstes < n && d[start + erstes] == ' ') ++erstes;
  if (erstes == n) {
    feldStatus = 9;
    return 0;
  }
  feldStatus = 0;
  return Val(std::string_view(d + start, n));
}

}  // namespace korvelan
