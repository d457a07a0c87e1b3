#pragma once
// The checks between reader and writer of every record, and the error log.
#include <string>

#include "context/fenster.h"
#include "context/kontext.h"
#include "context/protokoll.h"

namespace korvelan {

// Maps Mengeneinheit between free spellings and version-5 unit codes (Com_Version decides).
void EinheitUmsetzen(Kontext& k, Fenster& f);
// Repairs short texts and text flag, names what the output version cannot hold and writes the
// record's data-loss entry (VerlusteEintragen).
void SatzPruefen(Kontext& k, Fenster& f);
// Writes one data-loss entry under the key for the losses named for the record (Satzverluste),
// counts them for the run and empties the list; nothing when none was named.
void VerlusteEintragen(Kontext& k, Fenster& f, const std::string& schluessel);
// After the last record: one line per kind of loss with the number of records it was named for,
// appended to the log also when the cap kept entries out.
void VerlustzusammenfassungAnfuegen(Kontext& k);
// Converts every price of the record by Umrechnungsfaktor (interactive runs only).
void WaehrungUmrechnen(Kontext& k);
// Version number shown in a control ("3", "4", "5"); 0 when the text holds no number.
int VersionAusText(const std::string& text);

}  // namespace korvelan
