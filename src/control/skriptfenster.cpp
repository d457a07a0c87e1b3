#include "control/skriptfenster.h"

namespace korvelan {

std::string SkriptFenster::Text(std::string_view name) const {
  auto it = texte_.find(name);
  return it == texte_.end() ? std::string() : it->second;
}

void SkriptFenster::SetzeText(std::string_view name, const std::string& text) {
  if (!alle_ && steuerelemente_.count(std::string(name)) == 0) return;
  auto it = texte_.find(name);
  if (it == texte_.end())
    texte_.emplace(std::string(name), text);
  else
    it->second = text;
}

Antwort SkriptFenster::Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) {
  fragen.push_back({"Meldung", text, titel, knoepfe, symbol});
  if (!antworten.empty()) {
    Antwort a = antworten.front();
    antworten.pop_front();
    return a;
  }
  return knoepfe == Knoepfe::JaNein ? Antwort::Ja : Antwort::Ok;
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
