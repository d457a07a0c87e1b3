#include "control/skriptfenster.h"

namespace korvelan {

std::size_t SkriptFenster::Stelle(std::string_view name) const {
  std::size_t i = 0;
  while (i < texte_.size() && texte_[i].first != name) ++i;
  return i;
}

std::string SkriptFenster::Text(std::string_view name) const {
  const int platz = ProSatzPlatz(name);
  if (platz >= 0) return std::string(std::string_view(proSatz_[static_cast<std::size_t>(platz)]));
  std::size_t i = Stelle(name);
  return i < texte_.size() ? texte_[i].second : std::string();
}

void SkriptFenster::SetzeText(std::string_view name, std::string_view text) {
  if (!alle_ && steuerelemente_.count(std::string(name)) == 0) return;
  const int platz = ProSatzPlatz(name);
  if (platz >= 0) {
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
