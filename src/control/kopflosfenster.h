#pragma once
// The window of the headless converter: controls are held in memory, every question is answered
// from the converter's options and printed to standard error with its title and the answer.
#include <atomic>
#include <chrono>
#include <csignal>
#include <optional>
#include <string>

#include "control/kontext.h"
#include "control/skriptfenster.h"

namespace korvelan {

struct KopflosOptionen {
  std::optional<std::string> waehrung;          // answer of the output-currency question
  bool ueberschreiben = false;                  // answer of the overwrite question
  std::optional<bool> setBloecke;               // answer of the SET question
  std::optional<std::string> datenkennzeichen;  // answer of the data-kind question
  bool fortschrittAnzeigen = false;             // one-line progress display on standard error
};

class KopflosFenster : public SkriptFenster {
 public:
  KopflosFenster(Kontext& k, KopflosOptionen optionen, std::FILE* meldungen = stderr);

  Antwort Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) override;
  std::optional<std::string> Eingabe(const std::string& aufforderung, const std::string& titel,
                                     const std::string& vorgabe) override;
  void EreignisseVerarbeiten() override;
  void Fortschritt(std::uint64_t gelesen, std::uint64_t gesamt) override;
  void ProtokollZeigen(const std::string&, int, int) override {}

  // Removes the progress line from the terminal.
  void FortschrittLoeschen();

  // Set from a signal handler: acts like closing the progress window.
  static volatile std::sig_atomic_t abbruchAngefordert;

 private:
  void Ausgeben(const std::string& titel, const std::string& text, const std::string& antwort);

  Kontext& k_;
  KopflosOptionen optionen_;
  std::FILE* meldungen_;
  std::chrono::steady_clock::time_point letzteAnzeige_{};
  bool zeileOffen_ = false;
};

}  // namespace korvelan
