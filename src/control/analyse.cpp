// Recognition of an input: the first look at the file tells which version looks at its header
// first; each version's recognition lives with its reader (formats/v3, v4, v5).
#include "control/analyse.h"

#include <string>

#include "context/dateien.h"
#include "context/zeichentabellen.h"
#include "formats/v3/kopfsatz_v3.h"
#include "formats/v4/kopfsatz_v4.h"
#include "formats/v5/kopfsatz_v5.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"

namespace korvelan {

namespace {

void NichtErkanntMelden(Kontext& k, Fenster& f) {
  for (const char* name :
       {"Tex_Info1", "Tex_Info2", "Tex_Info3", "Lab_WaehrungKz", "Lab_Version", "Lab_Datum", "Lab_Datum1"})
    f.SetzeText(name, "");
  f.WaehrungslisteLeeren();
  k.kz.Eingabeversion = 0;
  k.kz.Analysestatus = 0;
  k.kz.EingabeDateiNr.Schliessen();
}

// The first look at the first 130 characters decides where the tests begin.
Befund ErsterBlick(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  auto& datei = kz.EingabeDateiNr;
  std::string block;
  // A file shorter than one version-3 record can only be a line-separated file.
  if (datei.BlockLesen(block, v3::Blocklaenge) < v3::Blocklaenge) return Befund::Version4;
  if (v3::HatZeilenende(block)) return Befund::Version5;
  const std::string roh = block;
  ZeichenNachAnsi(block);
  if (Gross(Mitte(block, 1, 1)) != "V") return Befund::NichtErkannt;
  if (Mitte(block, 2, 1) != " ") return Befund::Version5;
  if (!IstNumerisch(Mitte(block, 3, 6))) return Befund::Version4;
  return v3::KopfPruefen(k, f, block, roh);
}

}  // namespace

void EingabeAnalysieren(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  InfotexteLeeren(kz);
  for (const char* name : {"Tex_Info1", "Tex_Info2", "Tex_Info3", "Lab_Version"}) f.SetzeText(name, "");
  kz.Eingabezeichensatz.clear();
  kz.Eingabeversion = 0;
  kz.Analysestatus = 0;
  if (!DateiVorhanden(kz.Eingabedateiname)) {
    NichtErkanntMelden(k, f);
    return;
  }
  f.SetzeText("Tex_Eingabe", kz.Eingabedateiname);
  f.SetzeText("Lab_Hilfe", "");

  auto& datei = kz.EingabeDateiNr;
  Befund befund = Befund::NichtErkannt;
  try {
    if (!datei.Oeffnen(kz.Eingabedateiname)) {
      NichtErkanntMelden(k, f);
      return;
    }
    kz.Eingabezeichensatz = ZeichensatzName(datei.ErkannterZeichensatz());
    if (datei.AmEnde()) {
      kz.Analysestatus = 9;
      datei.Schliessen();
      return;
    }
    befund = ErsterBlick(k, f);
    if (befund == Befund::Version4) befund = v4::KopfPruefen(k, f);
    if (befund == Befund::Version5) befund = v5::KopfPruefen(k, f);
  } catch (const Laufzeitfehler&) {
    // A file that cannot be read to its header's end is not recognised.
    befund = Befund::NichtErkannt;
  }
  if (befund != Befund::Erkannt) NichtErkanntMelden(k, f);
  datei.Schliessen();
}

}  // namespace korvelan
