#include "control/skriptfenster.h"

#include <utility>

#include "record/festkomma.h"

namespace korvelan {

std::size_t SkriptFenster::Stelle(std::string_view name) const {
  std::size_t i = 0;
  while (i < texte_.size() && texte_[i].first != name) ++i;
  return i;
}

std::string SkriptFenster::StandText(std::size_t platz) const {
  switch (platz) {
    case 0: return std::string(stand_.schluessel);
    case 1: return std::string(stand_.zeile);
    case 2: return FormatierenGanz(stand_.bearbeitet, "#######");
    default: return FormatierenGanz(stand_.fehler, "#####0");
  }
}

void SkriptFenster::StandNehmen() {
  if (!standOffen_) return;
  standOffen_ = false;
  for (std::size_t i = 0; i < proSatz_.size(); ++i)
    if (Hat(ProSatzNamen[i])) proSatz_[i] = StandText(i);
}

bool SkriptFenster::Melden(const Fortschritt& stand) {
  stand_ = stand;
  standOffen_ = true;
  if (stand.ende) {
    StandNehmen();
    return false;
  }
  ++ereignisaufrufe;
  if (beiEreignis) beiEreignis();
  return std::exchange(abbrechen, false);
}

std::string SkriptFenster::Text(std::string_view name) const {
  const int platz = ProSatzPlatz(name);
  if (platz >= 0) {
    if (standOffen_ && Hat(name)) return StandText(static_cast<std::size_t>(platz));
    return std::string(std::string_view(proSatz_[static_cast<std::size_t>(platz)]));
  }
  std::size_t i = Stelle(name);
  return i < texte_.size() ? texte_[i].second : std::string();
}

void SkriptFenster::SetzeText(std::string_view name, std::string_view text) {
  if (!alle_ && steuerelemente_.count(std::string(name)) == 0) return;
  const int platz = ProSatzPlatz(name);
  if (platz >= 0) {
    StandNehmen();
    proSatz_[static_cast<std::size_t>(platz)] = text;
    return;
  }
  std::size_t i = Stelle(name);
  if (i < texte_.size())
    texte_[i].second = text;
  else
    texte_.emplace_back(std::string(name), std::string(text));
}

Antwort SkriptFenster::Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) {
  fragen.push_back({"Meldung", text, titel, knoepfe, symbol});
  if (!antworten.empty()) {
    Antwort a = antworten.front();
    antworten.pop_front();
    return a;
  }
  return FragtJaNein(knoepfe) ? Antwort::Ja : Antwort::Ok;
}

std::optional<std::string> SkriptFenster::Eingabe(const std::string& aufforderung, const std::string& titel,
                                                  const std::string& vorgabe) {
  (void)vorgabe;
  fragen.push_back({"Eingabe", aufforderung, titel, Knoepfe::OkAbbrechen, Symbol::Kein});
  if (!eingaben.empty()) {
    auto e = eingaben.front();
    eingaben.pop_front();
    return e;
  }
  return std::nullopt;
}

}  // namespace korvelan
