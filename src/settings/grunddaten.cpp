#include "settings/grunddaten.h"

#include <fstream>
#include <iterator>

#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan {

std::string GrunddatenPfad(const std::string& programmverzeichnis) {
  std::string pfad = programmverzeichnis;
  if (pfad.empty() || pfad.back() != '/') pfad += '/';
  return pfad + GrunddatenDateiname;
}

namespace {

// Field-by-field reader in the manner of a quoted comma-separated reader: a field ends at a
// comma or at a line end; a comma directly before a line end (or the end of the text) closes an
// empty field, so a line whose last field is empty does not take the first field of the next.
class Feldleser {
 public:
  explicit Feldleser(const std::string& t) : t_(t) {}

  // Reads the next field; false at the end of the text.
  bool Feld(std::string& feld) {
    while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\t')) ++pos_;
    feld.clear();
    if (nachKomma_ && (pos_ >= t_.size() || IstZeilenende(t_[pos_]))) {
      nachKomma_ = false;
      return true;
    }
    // Line ends and blanks between fields are skipped.
    while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\t' || IstZeilenende(t_[pos_]))) ++pos_;
    if (pos_ >= t_.size()) return false;
    if (t_[pos_] == '"') {
      std::size_t ende = t_.find('"', pos_ + 1);
      if (ende == std::string::npos) ende = t_.size();
      feld.assign(t_, pos_ + 1, ende - pos_ - 1);
      pos_ = ende + 1;
      // Whatever follows the closing quote up to the next comma or line end is ignored.
      while (pos_ < t_.size() && t_[pos_] != ',' && !IstZeilenende(t_[pos_])) ++pos_;
    } else {
      std::size_t ende = pos_;
      while (ende < t_.size() && t_[ende] != ',' && !IstZeilenende(t_[ende])) ++ende;
      feld.assign(t_, pos_, ende - pos_);
      pos_ = ende;
    }
    nachKomma_ = pos_ < t_.size() && t_[pos_] == ',';
    if (nachKomma_) ++pos_;
    return true;
  }

 private:
  static bool IstZeilenende(char c) { return c == '\r' || c == '\n'; }

  const std::string& t_;
  std::size_t pos_ = 0;
  bool nachKomma_ = false;
};

struct Einheitsvorgabe {
  const char* code;   // UTF-8 source text
  const char* liste;  // UTF-8 source text
};

// The default currencies with their rates: the fixed legal euro rates of the currencies the euro
// replaced; GBP and DKK have no fixed rate (0: not stored).
struct Waehrungsvorgabe {
  const char* code;
  double kurs;
};
const Waehrungsvorgabe StandardWaehrungen[12] = {
    {"DEM", 1.95583}, {"LUF", 40.3399}, {"FRF", 6.55957},  {"ATS", 13.7603}, {"ESP", 166.386}, {"GBP", 0},
    {"BEF", 40.3399}, {"GRD", 340.750}, {"PTE", 200.482}, {"NLG", 2.20371}, {"ITL", 1936.27}, {"DKK", 0}};

const Einheitsvorgabe StandardEinheiten[20] = {
    {"CMK Quadratzentimet.", "cm² ;CM2 ;QCM ;QUCM;"},
    {"CMQ Kubikzentimeter ", "cm³ ;CM3 ;CCM ;"},
    {"CMT Zentimeter      ", "cm  ;"},
    {"DZN Dutzend         ", "Dtz ;"},
    {"GRM Gramm           ", "G   ;Gr  ;Gram;"},
    {"HLT Hektoliter      ", "Hl  ;HLTR;"},
    {"KGM Kilogramm       ", "kg  ;"},
    {"KMT Kilometer       ", "km  ;"},
    {"LTR Liter           ", "ltr ;l   ;"},
    {"MMT Millimeter     ", "mm  ;"},
    {"MTK Quadratmeter   ", "m²  ;QM  ;QUM ;"},
    {"MTQ Kubikmeter     ", "m³  ;CM  ;CBM ;"},
    {"MTR Meter          ", "m   ;LFM ;STM ;STGM;"},
    {"PCE  Stück         ", "St  ;Stck;Stk ;St. ;"},
    {"PCE Stück (sonst.)",
     "St  ;BA  ;BD  ;BE  ;BK  ;BTL ;BX  ;CO  ;DOS ;DY  ;EIM ;FA  ;FL  ;GAR ;GEB ;GL  ;HOB ;HUB ;KA  ;KB  ;KH  ;KI  ;KK  "
     ";KN  ;"},
    {"PCE Stück (sonst.)", "St  ;KO  ;KT  ;KTU ;PCK ;PG  ;PK  ;RNG ;RO  ;SCH ;SCK ;SO  ;TP  ;WA  ;WF  ;"},
    {"PR  Paar           ", "Paar;PAA ;"},
    {"SET Satz           ", "Satz;SA  ;SET ;"},
    {"TNE Tonne          ", "to  ;T   ;"},
    {"STG Stange         ", "Stg ;"},
};

}  // namespace

void GrunddatenLesen(Grunddaten& gd, const std::string& inhalt) {
  Feldleser leser(inhalt);
  std::string waehrung, kurs, code, liste;
  for (int i = 0; i < Grunddateneintraege; ++i) {
    if (!leser.Feld(waehrung)) return;
    if (!leser.Feld(kurs)) return;
    double wert = 0;
    if (!IstLeer(kurs) && !DoubleLesen(kurs, wert)) return;  // a rate field without number stops
    // The entry is taken field by field: what was read before a failure stays.
    gd.WaehrungTab[i] = waehrung;
    gd.KursTab[i] = wert;
    if (!leser.Feld(code)) return;
    gd.EinhV5Tab[i] = code;
    if (!leser.Feld(liste)) return;
    gd.EinhTab[i] = liste;
  }
}

void StandardwerteAnwenden(Grunddaten& gd) {
  if (!IstLeer(gd.WaehrungTab[0]) || gd.KursTab[0] != 0 || !IstLeer(gd.EinhV5Tab[0])) return;
  for (int i = 0; i < 12; ++i) {
    gd.WaehrungTab[i] = StandardWaehrungen[i].code;
    gd.KursTab[i] = StandardWaehrungen[i].kurs;
  }
  for (int i = 0; i < 20; ++i) {
    gd.EinhV5Tab[i] = Ansi(StandardEinheiten[i].code);
    gd.EinhTab[i] = Ansi(StandardEinheiten[i].liste);
  }
}

void LadeGrunddaten(Grunddaten& gd, const std::string& pfad) {
  std::ifstream datei(pfad, std::ios::binary);
  if (datei) {
    std::string inhalt((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
    GrunddatenLesen(gd, inhalt);
  }
  StandardwerteAnwenden(gd);
}

std::string GrunddatenText(const Grunddaten& gd) {
  std::string t;
  for (int i = 0; i < Grunddateneintraege; ++i) {
    t += '"';
    t += gd.WaehrungTab[i];
    t += "\",";
    t += DoubleAlsText(gd.KursTab[i]);
    t += ",\"";
    t += gd.EinhV5Tab[i];
    t += "\",\"";
    t += gd.EinhTab[i];
    t += "\"\r\n";
  }
  return t;
}

double KursSuchen(const Grunddaten& gd, const std::string& waehrung) {
  std::string gesucht = Gross(Trimmen(waehrung));
  for (int i = 0; i < Grunddateneintraege; ++i)
    if (Gross(Trimmen(gd.WaehrungTab[i])) == gesucht) return gd.KursTab[i];
  return 0;
}

}  // namespace korvelan
