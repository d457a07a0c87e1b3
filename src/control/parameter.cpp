#include "control/parameter.h"

#include "context/dateien.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan {

std::string ArbeitszeileBilden(const std::string& kommandozeile) {
  std::string zeile = Rechtstrimmen(kommandozeile);
  // The file system is case-sensitive: the two file names (before the second ";") keep their
  // case, the rest of the line is taken in capitals.
  int trenner = 0;
  for (char& c : zeile) {
    if (c == ';')
      ++trenner;
    else if (trenner >= 2 && c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return zeile;
}

bool IstInteraktiv(const std::string& arbeitszeile) { return arbeitszeile.find_first_not_of(' ') == std::string::npos; }

void ArbeitszeileZerlegen(Kontext& k, const std::string& arbeitszeile) {
  auto& kz = k.kz;
  kz.AufrufEingabe.clear();
  kz.AufrufAusgabe.clear();
  kz.Ausgabeversion = 0;
  std::string version;
  int feld = 1;
  for (char c : arbeitszeile) {
    if (c == ';') {
      if (feld == 4) break;  // everything from the fourth ";" on is ignored
      ++feld;
      continue;
    }
    switch (feld) {
      case 1:
        kz.AufrufEingabe += c;
        break;
      case 2:
        kz.AufrufAusgabe += c;
        break;
      case 3:
        version += c;
        break;
      default:
        break;
    }
  }
  // The version is one digit, blanks around it aside: "15", "0" or "4X" is not read by its last
  // character but refused as a wrong version (-1), as "7" is. No version at all stays 0.
  version = Trimmen(version);
  if (version.size() == 1 && version[0] >= '1' && version[0] <= '9')
    kz.Ausgabeversion = static_cast<std::int16_t>(version[0] - '0');
  else if (!version.empty())
    kz.Ausgabeversion = -1;
}

void AutomatikFensterFuellen(Kontext& k, Fenster& f) {
  f.SetzeText("Tex_Eingabe", k.kz.AufrufEingabe);
  f.SetzeText("Tex_Ausgabe", k.kz.AufrufAusgabe);
  f.SetzeText("Lab_VersionAus", "Vers." + FormatierenGanz(k.kz.Ausgabeversion, "0"));
  f.SetzeText("Com_Version", GanzAlsText(k.kz.Ausgabeversion));
}

void ParameterPruefen(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  kz.Aufruffehler = 0;
  std::string meldung;
  if (kz.AufrufAusgabe.empty() || kz.Ausgabeversion == 0)
    meldung = "Aufrufparameter ist falsch";
  else if (kz.Ausgabeversion < 3 || kz.Ausgabeversion > 5)
    // Versions 1 and 2 have neither writers nor a header layout: refused like 6 to 9.
    meldung = Ansi("Vers.Nr für Ausgabedatei nicht angegeben bzw. falsch");
  else if (!DateiVorhanden(kz.AufrufEingabe))
    meldung = "Eingabedatei " + kz.AufrufEingabe + " nicht gefunden";
  else if (IstLeer(kz.AufrufAusgabe))
    meldung = Ansi("bitte Namen für Ausgabedatei angeben");
  if (meldung.empty()) return;
  kz.Aufruffehler = -1;
  kz.Aufruffehlertext = meldung;
  // The box has an OK button only; its answer is stored as the code of "OK" (1).
  f.Meldung(meldung, "", Knoepfe::Ok, Symbol::Kein);
  kz.Ergebnis = 1;
}

}  // namespace korvelan
