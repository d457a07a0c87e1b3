#pragma once
// The error log of a run: its head, its entries and its cap.
#include <string>
#include <string_view>

#include "context/fenster.h"
#include "context/kontext.h"

namespace korvelan {

// Appends an entry line (without CR LF) to the error log: the header first when Fehlerzahl is 0,
// the entry only while the log is shorter than 60000 characters; Fehlerzahl always counts. The
// run's Protokollsenke receives header and entry in every case.
// The log is Windows-1252: file text in an entry (article numbers, kept C lines) is passed
// through DateitextNachAnsi first, so that the log window shows its letters.
void ProtokollEintrag(Kontext& k, const std::string& eintrag);

// True when an entry reaches anywhere: the window's text below its cap or the run's sink. Past
// both, an entry is only counted, and its text need not be made (a conversion that loses a field
// of every record would spend its time on texts nobody sees).
bool EintragWirdGelesen(const Konvertierzustand& kz);

// Appends a piece of the error log: to the window's text (entries only while it is shorter than
// the cap; the head and the closing lines always) and to the run's sink, which takes every piece.
void ProtokollAnfuegen(Konvertierzustand& kz, std::string_view text, bool begrenzt);

}  // namespace korvelan
