#pragma once
// The checks between reader and writer of every record, and the error log.
#include <string>

#include "control/fenster.h"
#include "control/kontext.h"

namespace korvelan {

// Maps Mengeneinheit between free spellings and version-5 unit codes (Com_Version decides).
void EinheitUmsetzen(Kontext& k, Fenster& f);
// Repairs short texts and text flag, logs what the output version cannot hold.
void SatzPruefen(Kontext& k, Fenster& f);
// Converts every price of the record by Umrechnungsfaktor (interactive runs only).
void WaehrungUmrechnen(Kontext& k);
// Appends an entry line (without CR LF) to the error log: the header first when Fehlerzahl is 0,
// the entry only while the log is shorter than 60000 characters; Fehlerzahl always counts.
// The log is Windows-1252: file text in an entry (article numbers, kept C lines) is passed
// through DateitextNachAnsi first, so that the log window shows its letters.
void ProtokollEintrag(Kontext& k, Fenster& f, const std::string& eintrag);
// Version number shown in a control ("3", "4", "5"); 0 when the text holds no number.
int VersionAusText(const std::string& text);

}  // namespace korvelan
