#include "context/verluste.h"

#include <string>

#include "record/text.h"

namespace korvelan {

namespace {

// One word per kind, in the order of Verlust. Written in the source as UTF-8 and held as
// Windows-1252 like every text of the program.
const std::array<std::string, Verlustarten> Woerter = [] {
  std::array<std::string, Verlustarten> w;
  auto setzen = [&](Verlust v, const char* utf8) { w[static_cast<std::size_t>(v)] = Ansi(utf8); };
  setzen(Verlust::Zuschlagsaetze, "Zuschlagsätze");
  setzen(Verlust::Preisdatum, "Preisdatum");
  setzen(Verlust::Zahlbreite, "Zahlbreite");
  setzen(Verlust::Preiseinheit, "Preiseinheit");
  setzen(Verlust::Preiskennzeichen, "Preiskennzeichen");
  setzen(Verlust::Rabattgruppe, "Rabattgruppe");
  setzen(Verlust::WerkstoffArbeit, "Werkstoff/Arbeit");
  setzen(Verlust::Warengruppe, "Warengruppe");
  setzen(Verlust::Kostenart, "Kostenart");
  setzen(Verlust::Verpackungsmenge, "VPE");
  setzen(Verlust::Referenz, "Referenz");
  setzen(Verlust::Anbindung, "Anbindung");
  setzen(Verlust::Katalogseite, "Katalogseite");
  setzen(Verlust::Ean, "EAN");
  setzen(Verlust::Zusatzfelder, "Zusatzfelder");
  setzen(Verlust::Kundendaten, "Kundendaten");
  setzen(Verlust::Preispflege, "Preispflege");
  setzen(Verlust::SetDaten, "SET-Daten");
  setzen(Verlust::SetText, "SET-Text");
  setzen(Verlust::Hauptgruppentext, "Hauptgruppentext");
  setzen(Verlust::Textschluessel, "Textschlüssel");
  setzen(Verlust::Langtext, "Langtext");
  setzen(Verlust::CZeilen, "C-Zeilen");
  return w;
}();

}  // namespace

std::string_view Verlustwort(Verlust v) { return Woerter[static_cast<std::size_t>(v)]; }

}  // namespace korvelan
