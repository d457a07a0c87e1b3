#pragma once
// Writer of DATANORM version 3 output: turns the Neutralsatz into lines of that version.
// 0 = written, -1 = run-time failure with its text in Ausgabefehlertext.
#include <cstdint>

#include "context/kontext.h"
#include "record/neutralsatz.h"

namespace korvelan::v3 {

std::int16_t Artikelschreiber(Kontext& k);
std::int16_t Setschreiber(Kontext& k);
std::int16_t Preisschreiber(Kontext& k);

// The number fields of version 3 have fixed widths. A value that does not fit its field (more
// digits, or below zero) is written as filler, which reads back as "no value"; a price row whose
// price or discount value does not fit is left out of its P line, as its price would read back
// as 0. The record check names such values with these tests, which the writer uses as well.
bool PreiszeilePasst(const Preiszeile& p);
// True when every number the writers write for the record, its price rows aside
// (PreiszeilePasst), fits its field.
bool ZahlenPassen(const Neutralsatz& ns);

}  // namespace korvelan::v3
