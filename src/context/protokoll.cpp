#include "context/protokoll.h"

#include "context/datum.h"

namespace korvelan {

namespace {

constexpr std::size_t Protokollgrenze = 60000;

std::string Protokollkopf(const Laufbeschreibung& lauf) {
  // "DD.MM.YYYY" -> "DD.MM.YY"
  std::string heute = HeutigesDatum();
  std::string datum = heute.size() >= 10 ? heute.substr(0, 6) + heute.substr(8, 2) : heute;
  std::string kopf = "F E H L E R P R O T O K O L L   vom " + datum + "\r\n";
  kopf += "Konvertierung von Vers." + lauf.eingabeversionText + " in Vers." + lauf.ausgabeversionText + "\r\n";
  kopf += std::string(45, '_') + "\r\n\r\n";
  return kopf;
}

}  // namespace

bool EintragWirdGelesen(const Konvertierzustand& kz) {
  return kz.Fehlerprotokoll.size() < Protokollgrenze || static_cast<bool>(kz.Protokollsenke);
}

void ProtokollAnfuegen(Konvertierzustand& kz, std::string_view text, bool begrenzt) {
  if (!begrenzt || kz.Fehlerprotokoll.size() < Protokollgrenze) kz.Fehlerprotokoll += text;
  if (kz.Protokollsenke) kz.Protokollsenke(text);
}

void ProtokollEintrag(Kontext& k, const std::string& eintrag) {
  auto& kz = k.kz;
  if (kz.Fehlerzahl == 0) ProtokollAnfuegen(kz, Protokollkopf(k.lauf), false);
  ProtokollAnfuegen(kz, eintrag + "\r\n", true);
  ++kz.Fehlerzahl;
}

}  // namespace korvelan
