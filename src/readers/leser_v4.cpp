#include "readers/leser_v4.h"

namespace korvelan::v4 {

std::int16_t Artikelleser(Kontext&, Fenster&) { return -1; }
std::int16_t SetLeser(Kontext&, Fenster&) { return -1; }
std::int16_t Preisleser(Kontext&, Fenster&) { return -1; }

}  // namespace korvelan::v4
