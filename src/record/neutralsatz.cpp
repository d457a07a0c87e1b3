#include "record/neutralsatz.h"

namespace korvelan {

namespace {

// A row is emptied field by field rather than replaced by a new one: a new row would free the
// memory of its texts, which the next record then allocates again. Every field of a row is
// listed here; a field added to a row must be added to its function.
void Leeren(Staffelzeile& z) {
  z.StaffelArt = z.StaffelBasismerker = z.StaffelMerker = z.StaffelZuAbArt = 0;
  z.StaffelBasistext1.clear();
  z.StaffelBasistext2.clear();
  z.StaffelVorzeichen.clear();
  z.StaffelPreis = 0;
  z.StaffelEndeA = z.StaffelEndeB = 0;
  z.RohVBMerker.clear();
  z.RohVBZuAbArt = 0;
  z.RohVBVorzeichen.clear();
  z.RohVBKz = z.RohVBEnde = 0;
  z.RohVBPreis = z.VonBasis = z.BisBasis = z.RohVBFaktor = z.RohVBWert5 = z.RohVBWert6 = 0;
  z.RohstoffMerker.clear();
  z.RohstoffKz = z.RohstoffMengenbasis = 0;
  z.RohstoffBasis = z.RohstoffFaktor = z.RohstoffGewicht = z.RohstoffWert4 = 0;
}

void Leeren(Dimensionszeile& z) {
  z.DimUnterkz.clear();
  z.DimText.clear();
  z.DimLangtextNr.clear();
}

void Leeren(Langtextzeile& z) {
  z.LangtextMarke.clear();
  z.LangtextZeile.clear();
}

void Leeren(std::string& z) { z.clear(); }

void Leeren(Setzeile& z) {
  z.SetNr.clear();
  z.SetMerker.clear();
  z.SetKurztext.clear();
  z.SetAufrufmerker = 0;
  z.SetArtikelNr.clear();
  z.SetBeschreibung.clear();
  z.SetMenge = 0;
}

void Leeren(Preiszeile& z) {
  z.PArtikelNr.clear();
  z.PPreiskz = z.PPreiseinheit = 0;
  z.PPreis = 0;
  z.PZuAbKz1 = z.PZuAbKz2 = z.PZuAbKz3 = 0;
  z.PZuAbMarke1.clear();
  z.PZuAbMarke2.clear();
  z.PZuAbMarke3.clear();
  z.PRabattgruppe.clear();
  z.PZuAbWert1 = z.PZuAbWert2 = z.PZuAbWert3 = 0;
}

// Clears each text given, one statement each (cheaper than a loop over a list of pointers).
template <typename... Texte>
void AlleLeeren(Texte&... texte) {
  (texte.clear(), ...);
}

// Clears rows from the first one up to (not including) the first free one.
template <typename Tabelle, typename IstFrei>
void ZeilenLeeren(Tabelle& t, IstFrei istFrei) {
  for (auto& z : t) {
    if (istFrei(z)) break;
    Leeren(z);
  }
}

template <typename Tabelle, typename IstFrei>
int ErsteFreie(const Tabelle& t, IstFrei istFrei) {
  for (std::size_t i = 0; i < t.size(); ++i)
    if (istFrei(t[i])) return static_cast<int>(i);
  return -1;
}

const auto StaffelFrei = [](const Staffelzeile& z) { return z.StaffelArt == 0; };
const auto DimFrei = [](const Dimensionszeile& z) { return z.DimUnterkz.empty(); };
const auto LangtextFrei = [](const Langtextzeile& z) { return z.LangtextMarke.empty(); };
const auto CFrei = [](const std::string& z) { return z.empty(); };
const auto SetFrei = [](const Setzeile& z) { return z.SetNr.empty(); };
const auto PreisFrei = [](const Preiszeile& z) { return z.PArtikelNr.empty(); };

}  // namespace

void ArtikeltexteLeeren(Neutralsatz& ns, unsigned teile) {
  if (teile & ArtikelteilA)
    AlleLeeren(ns.Textkz, ns.Kurztext1, ns.Kurztext2, ns.Preiskz, ns.Preiseinheit, ns.Mengeneinheit, ns.Preis,
               ns.Rabattgruppe, ns.Warenhauptgruppe, ns.Langtextschluessel);
  if (teile & ArtikelteilB)
    AlleLeeren(ns.Matchcode, ns.AlternativArtikelNr, ns.Katalogseite, ns.EanNr, ns.Anbindungsnummer,
               ns.Warengruppe, ns.Kostenart, ns.Verpackungsmenge, ns.ReferenzKuerzel, ns.ReferenzNr);
  if (teile & ArtikelteilNur5) AlleLeeren(ns.A5Feld14, ns.A5Feld16, ns.A5Feld17, ns.A5Feld18, ns.A5Feld26);
}

void NeutralsatzLeeren(Neutralsatz& ns) {
  NeutralsatzLeerenAusserArtikeltexten(ns);
  ArtikeltexteLeeren(ns, AlleArtikelteile);
}

void NeutralsatzLeerenAusserArtikeltexten(Neutralsatz& ns) {
  // 1. Single article fields. Verarbeitungskz and Termin1 carry over (see the declaration).
  AlleLeeren(ns.ArtikelNr, ns.A5Zusatz);
  ns.AnbindungKz = 0;
  // 2. to 4. Tables up to their first free row (rows are filled from the first one on, so the
  // rows behind it are empty already).
  ZeilenLeeren(ns.Staffeltabelle, StaffelFrei);
  ZeilenLeeren(ns.Dimensionstabelle, DimFrei);
  ns.LangtextNr.clear();
  ns.LangtextArt = 0;
  ZeilenLeeren(ns.Langtexttabelle, LangtextFrei);
  // 5. Delete / renumber data, material and labour data.
  ns.NummerAltKz.clear();
  ns.NeueArtikelNr.clear();
  ns.NummerAltZusatz.clear();
  ns.WerkstoffText.clear();
  ns.WerkstoffWert1 = ns.WerkstoffWert2 = ns.WerkstoffWert3 = ns.WerkstoffWert4 = ns.WerkstoffWert5 = 0;
  ns.WerkstoffKz = 0;
  ns.ArbeitKz1 = ns.ArbeitKz2 = 0;
  ns.ArbeitWert = 0;
  // 6. Kept C lines.
  ZeilenLeeren(ns.CZeilen, CFrei);
  // 7. Single-line records.
  AlleLeeren(ns.Kundennummer, ns.Preispflege, ns.KName1, ns.KName2, ns.KName3, ns.KName4, ns.KKz, ns.KFeld9,
             ns.KFeld30, ns.Hauptwarengruppe, ns.HwgBezeichnung, ns.WgNummer, ns.WgBezeichnung, ns.RgNummer);
  ns.RabattKz = 0;
  ns.Rabatt = 0;
  ns.RgBezeichnung.clear();
  // 8. and 9.
  SetTabelleLeeren(ns);
  ZeilenLeeren(ns.Preistabelle, PreisFrei);
}

void VerarbeitungskzBeginnen(Neutralsatz& ns, char kennzeichen, bool loeschenErlaubt) {
  if (kennzeichen == 'N' || kennzeichen == 'A' || (loeschenErlaubt && kennzeichen == 'L'))
    ns.Verarbeitungskz.assign(1, kennzeichen);
  else if (ns.Verarbeitungskz == "L" || ns.Verarbeitungskz == "X")
    ns.Verarbeitungskz = "A";
}

void SetTabelleLeeren(Neutralsatz& ns) { ZeilenLeeren(ns.SetTabelle, SetFrei); }

void PreistabelleLeeren(Neutralsatz& ns) {
  for (auto& z : ns.Preistabelle) Leeren(z);
}

const Staffelzeile* KupferzeileDerBZeile(const Neutralsatz& ns, bool genau) {
  for (const Staffelzeile& s : ns.Staffeltabelle) {
    if (s.StaffelArt == 0) break;
    const std::string& merker = s.RohstoffMerker;
    if (s.StaffelArt != 3 || merker.size() != 2 || merker[0] != 'C' || merker[1] != 'U') continue;
    const bool je100 = s.RohstoffWert4 == FestkommaEins / 100, je1000 = s.RohstoffWert4 == FestkommaEins / 1000;
    if (!je100 && !je1000) return nullptr;
    if (!genau) return &s;
    // The weight in hundredths of six digits: at most 9999.99.
    const Festkomma hundertstel = FestkommaEins / 100;
    const bool passt = s.RohstoffMengenbasis == (je100 ? 100 : 1000) && s.RohstoffFaktor == FestkommaEins / 100 &&
                       s.RohstoffBasis % FestkommaEins == 0 && s.RohstoffBasis >= 0 &&
                       s.RohstoffBasis <= 999 * FestkommaEins && s.RohstoffGewicht % hundertstel == 0 &&
                       s.RohstoffGewicht >= 0 && s.RohstoffGewicht <= 999999 * hundertstel;
    return passt ? &s : nullptr;
  }
  return nullptr;
}

int FreieStaffelzeile(const Neutralsatz& ns) { return ErsteFreie(ns.Staffeltabelle, StaffelFrei); }
int FreieDimensionszeile(const Neutralsatz& ns) { return ErsteFreie(ns.Dimensionstabelle, DimFrei); }
int FreieLangtextzeile(const Neutralsatz& ns) { return ErsteFreie(ns.Langtexttabelle, LangtextFrei); }
int FreieCZeile(const Neutralsatz& ns) { return ErsteFreie(ns.CZeilen, CFrei); }
int FreieSetzeile(const Neutralsatz& ns) { return ErsteFreie(ns.SetTabelle, SetFrei); }

Satzart SatzartBestimmen(const Neutralsatz& ns, Satzart datenart) {
  if (!ns.Kundennummer.empty()) return Satzart::Kunde;
  if (!ns.Hauptwarengruppe.empty() || !ns.WgNummer.empty()) return Satzart::Warengruppe;
  if (!ns.RgNummer.empty()) return Satzart::Rabattgruppe;
  if (datenart != Satzart::Artikel) return datenart;
  if (IstLeer(ns.ArtikelNr)) return Satzart::Langtext;
  const std::string& vk = ns.Verarbeitungskz;
  if (vk.size() == 1 && (vk[0] == 'L' || vk[0] == 'X')) return Satzart::Loeschen;
  return Satzart::Artikel;
}

}  // namespace korvelan
