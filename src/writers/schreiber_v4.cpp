#include "writers/schreiber_v4.h"

namespace korvelan::v4 {

std::int16_t Artikelschreiber(Kontext&, Fenster&) { return -1; }
std::int16_t Setschreiber(Kontext&, Fenster&) { return -1; }
std::int16_t Preisschreiber(Kontext&, Fenster&) { return -1; }

}  // namespace korvelan::v4
