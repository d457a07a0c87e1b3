#pragma once
// Recognition of an input file: version, data kind, date, info texts, currency.
#include "context/fenster.h"
#include "context/kontext.h"

namespace korvelan {

// Reads Eingabedateiname, fills the analysis fields of the state and the controls of the window.
void EingabeAnalysieren(Kontext& k, Fenster& f);

}  // namespace korvelan
