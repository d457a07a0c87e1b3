#pragma once
// The header and end records of version 5: how an input is recognised as version 5, the header
// line of a version-5 output and its end record.
#include <string>

#include "context/fenster.h"
#include "context/kontext.h"
#include "formats/kopfsatz.h"

namespace korvelan::v5 {

// A ";"-separated header. Recognised: the analysis fields and the window's header controls are
// filled and the input is closed. An unknown data kind is asked for.
Befund KopfPruefen(Kontext& k, Fenster& f);

// The header line of a version-5 output for the header date "DD.MM.YYYY" and the output
// currency, in the output's code.
std::string Kopfsatz(const Konvertierzustand& kz, const std::string& datum, const std::string& waehrung);

// The end record of a version-5 output, which counts itself, in the output's code: it names the
// input version as shown and the date of the run, and the number of log entries when there are any.
std::string Endesatz(const Konvertierzustand& kz, const std::string& eingabeversion, const std::string& datum);

}  // namespace korvelan::v5
