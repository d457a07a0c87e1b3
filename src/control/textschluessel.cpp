#include "control/textschluessel.h"

#include <string_view>

#include "control/satzpruefung.h"
#include "record/neutralsatz.h"
#include "record/text.h"

namespace korvelan {

namespace {

using Gedaechtnis = Konvertierzustand::Textschluesselgedaechtnis;

constexpr std::size_t Schluesselbreite = 8;

// The two entries of the error log, in the shape of the other entries: the key the entry is
// about, padded to 16, a TAB, what happened, a TAB and the other key.
//   "<key of the input>\tTextschlüssel geändert in: \t<key written>"
//     the key is written in another form than its first 8 characters (its first 8 were given
//     out already): the receiver finds the text under the written key.
//   "<key>\tTextschlüssel schon vergeben an: \t<other key of the input>"
//     the key is written as the same key as another one: in the output the texts of the two
//     can no longer be told apart.
const std::string EintragGeaendert = "\t" + Ansi("Textschlüssel geändert in: ") + "\t";
const std::string EintragVergeben = "\t" + Ansi("Textschlüssel schon vergeben an: ") + "\t";

// The first 8 characters of a key without their trailing blanks.
std::string_view Schnitt(std::string_view schluessel) {
  schluessel = schluessel.substr(0, Schluesselbreite);
  while (!schluessel.empty() && schluessel.back() == ' ') schluessel.remove_suffix(1);
  return schluessel;
}

// The first 8 - stellen characters of the key followed by the lowest number of `stellen` digits,
// from 1, that gives a key not yet given out; empty when every number is given out. Keys given
// out are never given back within a run, so the numbers below the one last tried for the same
// beginning stay taken and are not tried again.
std::string Nummeriert(Gedaechtnis& g, const std::string& schluessel, std::size_t stellen) {
  const std::size_t vorn = Schluesselbreite - stellen;
  std::string kandidat = schluessel.substr(0, vorn);
  int& nummer = g.naechsteNummer.try_emplace(kandidat, 1).first->second;
  const int hoechste = stellen == 2 ? 99 : 9999;
  kandidat.resize(Schluesselbreite);
  while (nummer <= hoechste) {
    int rest = nummer++;
    for (std::size_t i = Schluesselbreite; i > vorn; --i, rest /= 10) kandidat[i - 1] = static_cast<char>('0' + rest % 10);
    if (g.vergeben.find(kandidat) == g.vergeben.end()) return kandidat;
  }
  return {};
}

// Gives out the written key of a key of more than 8 characters met for the first time.
const std::string& LangenVergeben(Kontext& k, Fenster& f, const std::string& schluessel) {
  Gedaechtnis& g = k.kz.Textschluessel;
  const std::string_view schnitt = Schnitt(schluessel);
  // A blank cut counts as given out: it would be written as no key at all.
  std::string geschrieben;
  if (schnitt.empty() || g.vergeben.find(std::string(schnitt)) != g.vergeben.end()) {
    geschrieben = Nummeriert(g, schluessel, 2);
    if (geschrieben.empty()) geschrieben = Nummeriert(g, schluessel, 4);
  }
  if (!geschrieben.empty()) {
    g.vergeben[geschrieben].an = schluessel;
    ProtokollEintrag(k, f, Auffuellen(schluessel, 16) + EintragGeaendert + geschrieben);
  } else {
    // The cut: free, or, when every numbered form is given out as well, shared with the key that
    // has it already.
    geschrieben = schnitt;
    auto [platz, frei] = g.vergeben.try_emplace(geschrieben);
    Gedaechtnis::Vergabe& v = platz->second;
    if (frei) {
      v.an = schluessel;
    } else {
      v.geteilt = true;
      ProtokollEintrag(k, f, Auffuellen(schluessel, 16) + EintragVergeben + (v.an.empty() ? geschrieben : v.an));
    }
  }
  return g.lange.emplace(schluessel, std::move(geschrieben)).first->second;
}

// Replaces one key of the record by its written key; true when the record names the loss: the
// key is written shorter, or its written key is shared with another key.
bool Vergeben(Kontext& k, Fenster& f, std::string& schluessel) {
  if (schluessel.empty() || schluessel == KeineAngabe) return false;
  Gedaechtnis& g = k.kz.Textschluessel;
  if (schluessel.size() <= Schluesselbreite) {
    // Written as it is.
    auto [platz, neu] = g.vergeben.try_emplace(schluessel);
    Gedaechtnis::Vergabe& v = platz->second;
    if (!neu && !v.selbst) {
      // A longer key got these 8 characters before.
      v.geteilt = true;
      ProtokollEintrag(k, f, Auffuellen(schluessel, 16) + EintragVergeben + v.an);
    }
    v.selbst = true;
    return v.geteilt;
  }
  auto platz = g.lange.find(schluessel);
  schluessel = platz != g.lange.end() ? platz->second : LangenVergeben(k, f, schluessel);
  return true;
}

}  // namespace

void TextschluesselVergeben(Kontext& k, Fenster& f) {
  Neutralsatz& ns = k.ns;
  Gedaechtnis& g = k.kz.Textschluessel;
  g.urLangtextNr.clear();
  // Only what the article writers of versions 3 and 4 write: a customer, goods-group or
  // discount-group record writes no key, a delete or renumber line neither.
  if (!ns.Kundennummer.empty() || !ns.Hauptwarengruppe.empty() || !ns.WgNummer.empty() || !ns.RgNummer.empty())
    return;
  bool verlust = false;
  if (!IstLeer(ns.ArtikelNr)) {
    if (ns.Verarbeitungskz == "L" || ns.Verarbeitungskz == "X") return;
    verlust |= Vergeben(k, f, ns.Langtextschluessel);
    for (Dimensionszeile& d : ns.Dimensionstabelle) {
      if (d.DimUnterkz.empty()) break;
      verlust |= Vergeben(k, f, d.DimLangtextNr);
    }
  }
  if (ns.LangtextArt != 0 && !ns.Langtexttabelle[0].LangtextMarke.empty()) {
    if (ns.LangtextNr.size() > Schluesselbreite) g.urLangtextNr = ns.LangtextNr;
    verlust |= Vergeben(k, f, ns.LangtextNr);
  }
  if (verlust) k.kz.Satzverluste.Nennen(Verlust::Textschluessel);
}

}  // namespace korvelan
