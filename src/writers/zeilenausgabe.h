#pragma once
// Line emission shared by the writers of all versions.
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "control/kontext.h"
#include "record/laufzeitfehler.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

// Passes Ausgabezeile through ZeichenNachOem and writes it with CR LF; a counted line increases
// AusgabeSatzzahl. Raises a Laufzeitfehler when the write fails.
void ZeileAusgeben(Kontext& k, bool gezaehlt);
// Writes a line exactly as it is (kept C lines): no character conversion, not counted.
void ZeileUnveraendertAusgeben(Kontext& k, std::string_view zeile);

// Length of a line without its run of empty fields at the end, keeping exactly one closing ";":
// "S;12;;;" gives the length of "S;12;", "S;12;" keeps its length. A line that does not end
// with ";" has no empty trailing fields and keeps its length.
std::size_t OhneLeerfelderLaenge(std::string_view zeile);
// Cuts those empty fields off the line.
inline void LeerfelderKuerzen(std::string& zeile) { zeile.resize(OhneLeerfelderLaenge(zeile)); }
inline void LeerfelderKuerzen(Zeilenpuffer& zeile) { zeile.resize(OhneLeerfelderLaenge(zeile)); }

// Writes "," for every ";" among n bytes. Eight bytes are tested at once: fields rarely hold one.
inline void SemikolonErsetzen(char* p, std::size_t n) {
  constexpr std::uint64_t Einsen = 0x0101010101010101ULL;
  constexpr std::uint64_t Hoch = 0x8080808080808080ULL;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    const std::uint64_t x = w ^ (Einsen * ';');  // a zero byte where the word holds ";"
    if (((x - Einsen) & ~x & Hoch) == 0) continue;
    for (std::size_t j = i; j < i + 8; ++j)
      if (p[j] == ';') p[j] = ',';
  }
  for (; i < n; ++i)
    if (p[i] == ';') p[i] = ',';
}

// Appends a field's text to a ";"-separated line. A ";" inside the text (possible in texts read
// from version 3) would split the field and shift every later one, so it is written as ",".
inline void FeldtextAnfuegen(Zeilenpuffer& zeile, std::string_view text) {
  char* p = zeile.Platz(text.size());
  BytesKopieren(p, text.data(), text.size());
  SemikolonErsetzen(p, text.size());
  zeile.Vorruecken(text.size());
}

// A neutral text field for output: "@" (present but empty) is written as an empty field.
inline const std::string& OhneKeineAngabe(const std::string& feld) {
  static const std::string leer;
  // Compared by hand: this runs for nearly every field written.
  return feld.size() == 1 && feld[0] == '@' ? leer : feld;
}

// Runs a writer body and turns a run-time failure into the writer result -1 with its text in
// Ausgabefehlertext. Lines written before the failure stay written.
template <typename Rumpf>
std::int16_t SchreiberAusfuehren(Kontext& k, Rumpf rumpf) {
  try {
    rumpf();
    return 0;
  } catch (const Laufzeitfehler& f) {
    k.kz.Ausgabefehlertext = f.Text();
    return -1;
  } catch (const std::exception& f) {
    // Out of memory and the like end the writer call the same way.
    k.kz.Ausgabefehlertext = f.what();
    return -1;
  }
}

}  // namespace korvelan
