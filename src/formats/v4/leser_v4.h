#pragma once
// Reader of DATANORM version 4 input: one logical record per call into the Neutralsatz.
// 0 = record assembled, -1 = input exhausted (the record assembled in this call is still written).
#include <cstdint>

#include "context/kontext.h"

namespace korvelan::v4 {

std::int16_t Artikelleser(Kontext& k);
std::int16_t SetLeser(Kontext& k);
std::int16_t Preisleser(Kontext& k);

}  // namespace korvelan::v4
