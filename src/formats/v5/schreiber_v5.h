#pragma once
// Writer of DATANORM version 5 output: turns the Neutralsatz into lines of that version.
// 0 = written, -1 = run-time failure with its text in Ausgabefehlertext.
#include <cstdint>

#include "context/fenster.h"
#include "context/kontext.h"

namespace korvelan::v5 {

std::int16_t Artikelschreiber(Kontext& k, Fenster& f);
std::int16_t Setschreiber(Kontext& k, Fenster& f);
std::int16_t Preisschreiber(Kontext& k, Fenster& f);

}  // namespace korvelan::v5
