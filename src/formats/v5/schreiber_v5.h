#pragma once
// Writer of DATANORM version 5 output: turns the Neutralsatz into lines of that version.
// 0 = written, -1 = run-time failure with its text in Ausgabefehlertext.
#include <cstdint>

#include "context/kontext.h"

namespace korvelan::v5 {

std::int16_t Artikelschreiber(Kontext& k);
std::int16_t Setschreiber(Kontext& k);
std::int16_t Preisschreiber(Kontext& k);

}  // namespace korvelan::v5
