#include "control/textschluessel.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "context/zeichentabellen.h"
#include "control/satzpruefung.h"
#include "record/neutralsatz.h"
#include "record/text.h"

namespace korvelan {

namespace {

using Gedaechtnis = Konvertierzustand::Textschluesselgedaechtnis;

constexpr std::size_t Schluesselbreite = 8;

// The two entries of the error log, in the shape of the other entries: the key the entry is
// about, padded to 16, a TAB, what happened, a TAB and the other key (keys are file text, shown in
// their letters).
//   "<key of the input>\tTextschlüssel geändert in: \t<key written>"
//     the key is written in another form than its first 8 characters (its first 8 were given
//     out already): the receiver finds the text under the written key.
//   "<key>\tTextschlüssel schon vergeben an: \t<other key of the input>"
//     the key is written as the same key as another one: in the output the texts of the two
//     can no longer be told apart.
const std::string EintragGeaendert = "\t" + Ansi("Textschlüssel geändert in: ") + "\t";
const std::string EintragVergeben = "\t" + Ansi("Textschlüssel schon vergeben an: ") + "\t";

void Protokollieren(Kontext& k, const std::string& schluessel, const std::string& was,
                    const std::string& anderer) {
  ProtokollEintrag(k, Auffuellen(DateitextNachAnsi(schluessel), 16) + was + DateitextNachAnsi(anderer));
}

// The first 8 characters of a key without their trailing blanks.
std::string_view Schnitt(std::string_view schluessel) {
  schluessel = schluessel.substr(0, Schluesselbreite);
  while (!schluessel.empty() && schluessel.back() == ' ') schluessel.remove_suffix(1);
  return schluessel;
}

// The table of written keys (Textschluesselgedaechtnis::vergeben).

using Vergabe = Gedaechtnis::Vergabe;

// The place of a key in the table, or the free place where it belongs.
std::size_t Platz(const std::vector<Vergabe>& tabelle, std::uint64_t zeichen, std::uint8_t laenge) {
  const std::size_t maske = tabelle.size() - 1;
  // Keys of a file mostly differ in their last characters only, the high bytes of `zeichen`:
  // every bit is mixed into the low ones that choose the place.
  std::uint64_t h = zeichen ^ laenge;
  h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDu;
  h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53u;
  h ^= h >> 33;
  for (std::size_t i = static_cast<std::size_t>(h) & maske;; i = (i + 1) & maske) {
    const Vergabe& v = tabelle[i];
    if (v.laenge == 0 || (v.zeichen == zeichen && v.laenge == laenge)) return i;
  }
}

std::uint64_t Zeichen(std::string_view schluessel) {
  std::uint64_t z = 0;
  std::memcpy(&z, schluessel.data(), schluessel.size());
  return z;
}

// True when the key (1 to 8 characters) was given out in this run (the listed keys entered).
bool IstVergeben(const Gedaechtnis& g, std::string_view schluessel) {
  if (g.vergeben.empty()) return false;
  const auto laenge = static_cast<std::uint8_t>(schluessel.size());
  return g.vergeben[Platz(g.vergeben, Zeichen(schluessel), laenge)].laenge != 0;
}

// The entry of a key (1 to 8 characters); a key not given out yet gets one, and `neu` is set. The
// reference holds until the next entry is made.
Vergabe& Eintragen(Gedaechtnis& g, std::uint64_t zeichen, std::uint8_t laenge, bool& neu) {
  if ((g.vergebenBelegt + 1) * 2 > g.vergeben.size()) {
    std::vector<Vergabe> alt(g.vergeben.empty() ? 1024 : g.vergeben.size() * 2);
    alt.swap(g.vergeben);
    for (const Vergabe& v : alt)
      if (v.laenge != 0) g.vergeben[Platz(g.vergeben, v.zeichen, v.laenge)] = v;
  }
  Vergabe& v = g.vergeben[Platz(g.vergeben, zeichen, laenge)];
  neu = v.laenge == 0;
  if (neu) {
    v.zeichen = zeichen;
    v.laenge = laenge;
    ++g.vergebenBelegt;
  }
  return v;
}

Vergabe& Eintragen(Gedaechtnis& g, std::string_view schluessel, bool& neu) {
  return Eintragen(g, Zeichen(schluessel), static_cast<std::uint8_t>(schluessel.size()), neu);
}

// The listed keys of up to 8 characters into the table, each as a key of its own.
void GesammelteEintragen(Gedaechtnis& g) {
  bool neu = false;
  for (const Vergabe& v : g.gesammelt) Eintragen(g, v.zeichen, v.laenge, neu).selbst = true;
  g.gesammelt = {};
}

// The longer key a written key was given to.
const std::string& LangerSchluessel(const Gedaechtnis& g, const Vergabe& v) { return *g.langeReihe[v.an - 1]; }

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
    if (!IstVergeben(g, kandidat)) return kandidat;
  }
  return {};
}

// Gives out the written key of a key of more than 8 characters met for the first time.
const std::string& LangenVergeben(Kontext& k, const std::string& schluessel) {
  Gedaechtnis& g = k.kz.Textschluessel;
  if (g.lange.empty()) GesammelteEintragen(g);
  // Elements of the map keep their place when it grows: the written key can point at its key.
  auto& [lang, geschrieben] = *g.lange.try_emplace(schluessel).first;
  const std::string_view schnitt = Schnitt(schluessel);
  // A blank cut counts as given out: it would be written as no key at all.
  if (schnitt.empty() || IstVergeben(g, schnitt)) {
    geschrieben = Nummeriert(g, schluessel, 2);
    if (geschrieben.empty()) geschrieben = Nummeriert(g, schluessel, 4);
  }
  bool frei = !geschrieben.empty();
  if (frei) {
    Protokollieren(k, schluessel, EintragGeaendert, geschrieben);
  } else {
    // The cut: free, or, when every numbered form is given out as well, shared with the key that
    // has it already. (A blank cut with every numbered form given out, more than 10,000 keys
    // beginning with 8 blanks, stays what the writers make of it: no key.)
    geschrieben = schnitt;
    if (schnitt.empty()) return geschrieben;
  }
  Vergabe& v = Eintragen(g, geschrieben, frei);
  if (frei) {
    g.langeReihe.push_back(&lang);
    v.an = static_cast<std::uint32_t>(g.langeReihe.size());
  } else {
    v.geteilt = true;
    Protokollieren(k, schluessel, EintragVergeben, v.an != 0 ? LangerSchluessel(g, v) : geschrieben);
  }
  return geschrieben;
}

// The written key of a key met again or for the first time; sets `verlust` when the record names
// the loss: the key is written shorter, or its written key is shared with another key.
// `geschrieben` stays empty for a key written as it is.
void Nachschlagen(Kontext& k, const std::string& schluessel, std::string& geschrieben, bool& verlust) {
  Gedaechtnis& g = k.kz.Textschluessel;
  if (schluessel.size() > Schluesselbreite) {
    auto platz = g.lange.find(schluessel);
    geschrieben = platz != g.lange.end() ? platz->second : LangenVergeben(k, schluessel);
    verlust = true;
    return;
  }
  geschrieben.clear();
  // A list of a million keys (16 MB) is entered into the table: a file whose keys come again and
  // again between others would otherwise list them over and over.
  constexpr std::size_t Listengrenze = std::size_t{1} << 20;
  if (g.lange.empty() && g.vergeben.empty()) {
    if (g.gesammelt.size() < Listengrenze) {
      g.gesammelt.push_back({Zeichen(schluessel), static_cast<std::uint8_t>(schluessel.size())});
      verlust = false;
      return;
    }
    GesammelteEintragen(g);
  }
  bool neu = false;
  Vergabe& v = Eintragen(g, schluessel, neu);
  if (!neu && !v.selbst) {
    // A longer key got these 8 characters before.
    v.geteilt = true;
    Protokollieren(k, schluessel, EintragVergeben, LangerSchluessel(g, v));
  }
  v.selbst = true;
  verlust = v.geteilt;
}

// Replaces one key of the record by its written key; true when the record names the loss.
bool Vergeben(Kontext& k, std::string& schluessel) {
  if (schluessel.size() == 1 && schluessel[0] == '@') return false;
  Gedaechtnis& g = k.kz.Textschluessel;
  // Only the key met last can be answered without looking it up: a later key may change what
  // an earlier one shares.
  if (!TexteGleich(schluessel, g.letzter)) {
    g.letzter = schluessel;
    Nachschlagen(k, schluessel, g.letzterGeschrieben, g.letzterVerlust);
  }
  if (!g.letzterGeschrieben.empty()) schluessel = g.letzterGeschrieben;
  return g.letzterVerlust;
}

}  // namespace

void TextschluesselVergeben(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Gedaechtnis& g = k.kz.Textschluessel;
  g.urLangtextNr.clear();
  // Only what the article writers of versions 3 and 4 write: a customer, goods-group or
  // discount-group record writes no key, a delete or renumber line neither.
  if (ns.Art != Satzart::Artikel && ns.Art != Satzart::Langtext) return;
  bool verlust = false;
  if (ns.Art == Satzart::Artikel) {
    if (!ns.Langtextschluessel.empty()) verlust |= Vergeben(k, ns.Langtextschluessel);
    for (Dimensionszeile& d : ns.Dimensionstabelle) {
      if (d.DimUnterkz.empty()) break;
      if (!d.DimLangtextNr.empty()) verlust |= Vergeben(k, d.DimLangtextNr);
    }
  }
  if (ns.LangtextArt != 0 && !ns.LangtextNr.empty() && !ns.Langtexttabelle[0].LangtextMarke.empty()) {
    if (ns.LangtextNr.size() > Schluesselbreite) g.urLangtextNr = ns.LangtextNr;
    verlust |= Vergeben(k, ns.LangtextNr);
  }
  if (verlust) k.kz.Satzverluste.Nennen(Verlust::Textschluessel);
}

}  // namespace korvelan
