#include "control/skriptfenster.h"

#include <cstdint>
#include <cstring>

namespace korvelan {

namespace {

// Names compared by eight-byte words (the last word may overlap the one before): the per-record
// texts are set by name, and a library compare per call would cost more than the rest.
bool NamenGleich(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  if (n < 8) return a == b;
  std::uint64_t x, y;
  for (std::size_t i = 0; i + 8 < n; i += 8) {
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) return false;
  }
  std::memcpy(&x, a.data() + n - 8, 8);
  std::memcpy(&y, b.data() + n - 8, 8);
  return x == y;
}

}  // namespace

std::size_t SkriptFenster::Stelle(std::string_view name) const {
  if (name.empty()) {
    std::size_t i = 0;
    while (i < texte_.size() && !texte_[i].first.empty()) ++i;
    return i;
  }
  // A run sets the same few controls for every record: the place a name was last found is tried
  // first, and checked, since other names may share its hint.
  std::size_t& hinweis = hinweise_[(name.size() + static_cast<unsigned char>(name.front())) % hinweise_.size()];
  if (hinweis < texte_.size() && NamenGleich(texte_[hinweis].first, name)) return hinweis;
  // Names of the same length mostly differ in their first or last character ("Lab_Bearbeitet",
  // "Tex_Bearbeitet", "Lab_WaehrungKz"); only a name that agrees in these is compared whole.
  const char erstes = name.front(), letztes = name.back();
  for (std::size_t i = 0; i < texte_.size(); ++i) {
    const std::string& n = texte_[i].first;
    if (n.size() == name.size() && n[0] == erstes && n.back() == letztes && NamenGleich(n, name)) {
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
