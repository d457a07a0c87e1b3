#pragma once
// The program's persistent settings: currency codes with their euro exchange rates and the table
// mapping unit spellings onto version-5 unit codes. Kept in KELBORIS.DAT beside the program.
#include <array>
#include <string>

namespace korvelan {

constexpr int Grunddateneintraege = 100;
inline const char* const GrunddatenDateiname = "KELBORIS.DAT";

struct Grunddaten {
  // Index 0 is entry 1.
  std::array<std::string, Grunddateneintraege> WaehrungTab{};
  std::array<double, Grunddateneintraege> KursTab{};
  std::array<std::string, Grunddateneintraege> EinhV5Tab{};
  std::array<std::string, Grunddateneintraege> EinhTab{};
};

// Path of the settings file in the given program directory ("/" appended when missing).
std::string GrunddatenPfad(const std::string& programmverzeichnis);

// Reads the settings file (tolerant, field by field) into the tables, then loads the defaults
// when entry 1 is unused. Never writes the file. A missing file gives the defaults.
void LadeGrunddaten(Grunddaten& gd, const std::string& pfad);
// Reads settings text (the file's content) into the tables; stops at the first unreadable field.
void GrunddatenLesen(Grunddaten& gd, const std::string& inhalt);
// Loads the defaults when entry 1 of the currencies, rates and unit codes is unused.
void StandardwerteAnwenden(Grunddaten& gd);

// The file's content: exactly 100 lines of four fields, Windows-1252, CR LF.
std::string GrunddatenText(const Grunddaten& gd);

// Exchange rate of a currency code (trimmed, capitals compared); 0 when none is stored.
double KursSuchen(const Grunddaten& gd, const std::string& waehrung);

}  // namespace korvelan
