#include "control/analyse.h"

namespace korvelan {

void EingabeAnalysieren(Kontext& k, Fenster& f) {
  (void)k;
  (void)f;
}

}  // namespace korvelan
