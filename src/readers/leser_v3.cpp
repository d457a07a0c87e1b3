#include "readers/leser_v3.h"

namespace korvelan::v3 {

std::int16_t Artikelleser(Kontext&, Fenster&) { return -1; }
std::int16_t SetLeser(Kontext&, Fenster&) { return -1; }
std::int16_t Preisleser(Kontext&, Fenster&) { return -1; }

}  // namespace korvelan::v3
