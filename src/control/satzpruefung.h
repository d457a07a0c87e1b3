#pragma once
// The checks between reader and writer of every record, and the error log.
#include <string>

#include "context/fenster.h"
#include "context/kontext.h"
#include "context/protokoll.h"

namespace korvelan {

// Maps Mengeneinheit between free spellings and version-5 unit codes (the run's output version decides).
void EinheitUmsetzen(Kontext& k);
// Repairs short texts and text flag, names what the output version cannot hold and writes the
// record's data-loss entry (VerlusteEintragen).
void SatzPruefen(Kontext& k);
// Writes one data-loss entry under the key for the losses named for the record (Satzverluste),
// counts them for the run and empties the list; nothing when none was named.
void VerlusteEintragen(Kontext& k, const std::string& schluessel);
// After the last record: one line per kind of loss with the number of records it was named for,
// appended to the log also when the cap kept entries out.
void VerlustzusammenfassungAnfuegen(Kontext& k);
// Converts every price of the record by the run's exchange factor (interactive runs only).
void WaehrungUmrechnen(Kontext& k);

}  // namespace korvelan
