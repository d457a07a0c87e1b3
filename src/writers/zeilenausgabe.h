#pragma once
// Line emission shared by the writers of all versions.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "control/kontext.h"
#include "record/laufzeitfehler.h"

namespace korvelan {

// Passes Ausgabezeile through ZeichenNachOem and writes it with CR LF; a counted line increases
// AusgabeSatzzahl. Raises a Laufzeitfehler when the write fails.
void ZeileAusgeben(Kontext& k, bool gezaehlt);
// Writes a line exactly as it is (kept C lines): no character conversion, not counted.
void ZeileUnveraendertAusgeben(Kontext& k, const std::string& zeile);

// Removes the run of empty fields at the end, keeping exactly one closing ";":
// "S;12;;;" becomes "S;12;", "S;12;" stays. A line that does not end with ";" has no empty
// trailing fields and stays as it is.
void LeerfelderKuerzen(std::string& zeile);

// Appends a field's text to a ";"-separated line. A ";" inside the text (possible in texts read
// from version 3) would split the field and shift every later one, so it is written as ",".
inline void FeldtextAnfuegen(std::string& zeile, std::string_view text) {
  std::size_t anfang = zeile.size();
  zeile.append(text);
  // Fields are short: a plain loop is cheaper than a search call per field.
  for (std::size_t i = anfang; i < zeile.size(); ++i)
    if (zeile[i] == ';') zeile[i] = ',';
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
