#pragma once
// The window that drives a run, as the core sees it: named controls, the currency list, message
// and input boxes, the busy pointer, the beep, event processing and the error log. Implemented by
// the Qt windows, by the headless converter and by a scripted window in tests. All texts are
// Windows-1252, except those of Tex_ArtikelNr and Tex_Bearbeitet (see ZeigtDateitext).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "context/fortschritt.h"

namespace korvelan {

// JaNeinVorgabeNein: Yes and No with No as the default button (a question whose Yes cannot be
// undone); JaNeinAbbrechen: Yes, No and Cancel.
enum class Knoepfe { Ok, OkAbbrechen, JaNein, JaNeinVorgabeNein, JaNeinAbbrechen };
enum class Symbol { Kein, Frage, Kritisch, Information };
enum class Antwort { Ok, Abbrechen, Ja, Nein };

// True for the buttons that ask Yes or No.
inline bool FragtJaNein(Knoepfe k) {
  return k == Knoepfe::JaNein || k == Knoepfe::JaNeinVorgabeNein || k == Knoepfe::JaNeinAbbrechen;
}

// The controls that show a run's progress (Fortschritt: the reader's line and key, the counts of
// records and errors). A run reports them millions of times, so windows keep them in places of
// their own instead of looking them up by name.
inline constexpr std::array<std::string_view, 4> ProSatzNamen{"Tex_ArtikelNr", "Tex_Bearbeitet", "Lab_Bearbeitet",
                                                              "Lab_Fehler"};
// The first two of them show text of the input file (the article number, the line read): their
// texts are in the file's code (CP850), not in Windows-1252, and a window shows them as such.
constexpr bool ZeigtDateitext(int proSatzPlatz) { return proSatzPlatz == 0 || proSatzPlatz == 1; }

// Place of a name among ProSatzNamen, or -1. Told apart by length first: compared with a
// literal of known length, a name costs a few instructions.
inline int ProSatzPlatz(std::string_view name) {
  switch (name.size()) {
    case 13: return name == ProSatzNamen[0] ? 0 : -1;
    case 14: return name == ProSatzNamen[1] ? 1 : name == ProSatzNamen[2] ? 2 : -1;
    case 10: return name == ProSatzNamen[3] ? 3 : -1;
    default: return -1;
  }
}

class Fenster : public Fortschrittsanzeige {
 public:
  virtual ~Fenster() = default;

  // Text of a control by name; a control the window lacks reads as empty and ignores what is set.
  virtual std::string Text(std::string_view name) const = 0;
  virtual void SetzeText(std::string_view name, std::string_view text) = 0;
  // Whether a control is visible (for the factor box of the conversion window).
  virtual bool Sichtbar(std::string_view name) const {
    (void)name;
    return false;
  }

  // Enables or disables a control (frames and buttons of the conversion window).
  virtual void Aktivieren(std::string_view name, bool an) {
    (void)name;
    (void)an;
  }

  // The currency list of Com_WaehrungsKz.
  virtual void WaehrungslisteLeeren() {}
  virtual void WaehrungslisteHinzufuegen(const std::string& eintrag) { (void)eintrag; }
  virtual void WaehrungslisteWaehlen(int index) { (void)index; }

  // Message box; an empty title means the application's title.
  virtual Antwort Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) = 0;
  // Input box; no value when cancelled.
  virtual std::optional<std::string> Eingabe(const std::string& aufforderung, const std::string& titel,
                                             const std::string& vorgabe) = 0;

  // Decimal separator of the user's locale, for numbers shown in messages.
  virtual char Dezimalzeichen() const { return '.'; }

  virtual void Sanduhr(bool an) { (void)an; }
  virtual void Piepton() {}
  // The run's progress; a window without progress controls never asks to stop.
  bool Melden(const Fortschritt& stand) override {
    (void)stand;
    return false;
  }
  // Shows the error log modally, placed below the top and right of the left edge of this window.
  virtual void ProtokollZeigen(const std::string& protokoll, int obenTwips, int linksTwips) {
    (void)protokoll;
    (void)obenTwips;
    (void)linksTwips;
  }
};

}  // namespace korvelan
