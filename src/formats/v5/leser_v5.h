#pragma once
// Reader of DATANORM version 5 input: one logical record per call into the Neutralsatz.
// 0 = record assembled, -1 = input exhausted (the record assembled in this call is still written).
#include <cstdint>

#include "context/fenster.h"
#include "context/kontext.h"

namespace korvelan::v5 {

std::int16_t Artikelleser(Kontext& k, Fenster& f);
std::int16_t SetLeser(Kontext& k, Fenster& f);
std::int16_t Preisleser(Kontext& k, Fenster& f);

}  // namespace korvelan::v5
