#include "control/parameter.h"

namespace korvelan {

std::string ArbeitszeileBilden(const std::string& kommandozeile) { return kommandozeile; }
bool IstInteraktiv(const std::string& arbeitszeile) { return arbeitszeile.find_first_not_of(' ') == std::string::npos; }
void ArbeitszeileZerlegen(Kontext&, const std::string&) {}
void AutomatikFensterFuellen(Kontext&, Fenster&) {}
void ParameterPruefen(Kontext&, Fenster&) {}

}  // namespace korvelan
