#pragma once
// The header record of version 4: how an input is recognised as version 4, and the header line
// of a version-4 output.
#include <string>

#include "context/fenster.h"
#include "context/kontext.h"
#include "formats/kopfsatz.h"

namespace korvelan::v4 {

// A line-separated file with a header of fixed columns. Recognised: the analysis fields and the
// window's header controls are filled and the input is closed; Version5 when the header is not
// one of fixed columns.
Befund KopfPruefen(Kontext& k, Fenster& f);

// The header line of a version-4 output for the header date "DD.MM.YYYY" and the output
// currency, in the output's code.
std::string Kopfsatz(const Konvertierzustand& kz, const std::string& datum, const std::string& waehrung);

}  // namespace korvelan::v4
