#include "writers/schreiber_v3.h"

namespace korvelan::v3 {

std::int16_t Artikelschreiber(Kontext&, Fenster&) { return -1; }
std::int16_t Setschreiber(Kontext&, Fenster&) { return -1; }
std::int16_t Preisschreiber(Kontext&, Fenster&) { return -1; }

}  // namespace korvelan::v3
