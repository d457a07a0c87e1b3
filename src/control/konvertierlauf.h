#pragma once
// The conversion run: preparation, the record loop with its dispatch table, the end record,
// the error handler. Two drivers share the loop.
#include <functional>

#include "context/datum.h"
#include "context/fenster.h"
#include "context/kontext.h"

namespace korvelan {

// Readers and writers for (version shown, data kind); null when there is none.
Lesefunktion LeserFuer(const std::string& version, const std::string& datenkennzeichen);
Schreibfunktion SchreiberFuer(const std::string& version, const std::string& datenkennzeichen);

// Opens the input, asks before overwriting, creates the output and writes its header.
// Success is AusgabeNichtBereit = 0.
void AusgabeOeffnen(Kontext& k, Fenster& f);
// The header line of output version 3, 4 or 5 (before the final ZeichenNachOem).
std::string KopfsatzBauen(Kontext& k, Fenster& f);

// The question how a version-3 input's SET blocks are used (true: as call sequences), asked in f
// when the run needs the answer (Laufbeschreibung::setFrage).
bool SetFrageStellen(Fenster& f);

// How a run ended, for the exit status of the headless converter.
enum class Laufergebnis {
  NichtsKonvertiert,  // a precondition failed or was declined: no record was read
  Konvertiert,        // the loop ran to the end of the input
  Fehler,             // the run ended in a stage message
  Abgebrochen         // the user cancelled
};

// The exit status of a command-line conversion, the same for korvelan and korvelan-konvert:
// 0 converted, 1 converted with entries in the error log, 2 nothing converted, 3 the run ended
// in an error message, 4 cancelled.
int Rueckgabewert(Laufergebnis ergebnis, std::int64_t fehlerzahl);

// Command-line driver with the automatic window.
Laufergebnis AutomatikLauf(Kontext& k, Fenster& f);

// The command-line road after parsing (AufrufEingabe, AufrufAusgabe, Ausgabeversion set): fills the
// automatic window, checks the parameters, analyses the input, calls fensterZeigen (the desktop
// program shows its progress window there) and runs AutomatikLauf.
Laufergebnis KommandozeilenLauf(Kontext& k, Fenster& f, const std::function<void()>& fensterZeigen = {});

// Interactive driver (the conversion window's "Konvertieren"): its own preparation with the
// exchange-rate confirmation, then the same loop with currency conversion and a Yes/No question
// before cancelling, and "Daten konvertiert" at the end.
Laufergebnis InteraktivLauf(Kontext& k, Fenster& f);

}  // namespace korvelan
