#include "control/skriptfenster.h"

namespace korvelan {

std::size_t SkriptFenster::Stelle(std::string_view name) const {
  if (name.empty()) {
    std::size_t i = 0;
    while (i < texte_.size() && !texte_[i].first.empty()) ++i;
    return i;
  }
  // A run sets the same few controls for every record: the place a name was last found is tried
  // first, and checked, since other names may share its hint.
  std::size_t& hinweis = hinweise_[(name.size() + static_cast<unsigned char>(name.front())) % hinweise_.size()];
  if (hinweis < texte_.size() && texte_[hinweis].first == name) return hinweis;
  // Names of the same length mostly differ in their first or last character ("Lab_Bearbeitet",
  // "Tex_Bearbeitet", "Lab_WaehrungKz"); only a name that agrees in these is compared whole.
  const char erstes = name.front(), letztes = name.back();
  for (std::size_t i = 0; i < texte_.size(); ++i) {
    const std::string& n = texte_[i].first;
    if (n.size() == name.size() && n[0] == erstes && n.back() == letztes && n == name) {
      hinweis = i;
      return i;
    }
  }
  return texte_.size();
}

std::string SkriptFenster::Text(std::string_view name) const {
  std::size_t i = Stelle(name);
  return i < texte_.size() ? std::string(std::string_view(texte_[i].second)) : std::string();
}

void SkriptFenster::SetzeText(std::string_view name, std::string_view text) {
  if (!alle_ && steuerelemente_.count(std::string(name)) == 0) return;
  std::size_t i = Stelle(name);
  if (i < texte_.size())
    texte_[i].second = text;
  else
    texte_.emplace_back(std::string(name), Zeilenpuffer()).second = text;
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
