#pragma once
// The window of the headless converter: controls are held in memory, every question is answered
// from the converter's options and printed to standard error with its title and the answer.
#include <atomic>
#include <chrono>
#include <csignal>
#include <optional>
#include <string>

#include "context/kontext.h"
#include "control/skriptfenster.h"

namespace korvelan {

struct KopflosOptionen {
  std::optional<std::string> waehrung;          // answer of the output-currency question
  bool ueberschreiben = false;                  // answer of the overwrite question
  std::optional<bool> setBloecke;               // answer of the SET question
  std::optional<std::string> datenkennzeichen;  // answer of the data-kind question
  bool fortschrittAnzeigen = false;             // one-line progress display on standard error
};

// What the closing line of a run reports.
struct Laufzahlen {
  std::int64_t saetze = 0;        // logical records read
  std::int64_t zeilen = 0;        // lines the output holds
  std::int64_t eintraege = 0;     // entries of the error log
  std::int64_t millisekunden = 0;  // time of the run
  std::string zeichensatz;         // the character set the input was read in; empty when not opened
};

// The closing line korvelan-konvert prints on standard error (UTF-8, without line end).
std::string Abschlusszeile(const Laufzahlen& z);

class KopflosFenster : public SkriptFenster {
 public:
  KopflosFenster(Kontext& k, KopflosOptionen optionen, std::FILE* meldungen = stderr);

  Antwort Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) override;
  std::optional<std::string> Eingabe(const std::string& aufforderung, const std::string& titel,
                                     const std::string& vorgabe) override;
  // The progress line (when asked for) and the cancel request of a signal.
  bool Melden(const Fortschritt& stand) override;
  void ProtokollZeigen(const std::string&, int, int) override {}

  // Removes the progress line from the terminal.
  void FortschrittLoeschen();

  // Set from a signal handler: acts like closing the progress window.
  static volatile std::sig_atomic_t abbruchAngefordert;

 private:
  void FortschrittZeigen(std::uint64_t gelesen, std::uint64_t gesamt);
  void Ausgeben(const std::string& titel, const std::string& text, const std::string& antwort);
  // Said after an answer the options left open: which option gives it.
  static std::string OptionNennen(const char* option);

  Kontext& k_;
  KopflosOptionen optionen_;
  std::FILE* meldungen_;
  std::chrono::steady_clock::time_point letzteAnzeige_{};
  bool zeileOffen_ = false;
};

}  // namespace korvelan
