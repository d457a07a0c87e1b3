#include "control/kopflosfenster.h"

#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan {

volatile std::sig_atomic_t KopflosFenster::abbruchAngefordert = 0;

KopflosFenster::KopflosFenster(Kontext& k, KopflosOptionen optionen, std::FILE* meldungen)
    : k_(k), optionen_(std::move(optionen)), meldungen_(meldungen) {}

void KopflosFenster::FortschrittLoeschen() {
  if (!zeileOffen_) return;
  std::fputs("\r\033[K", meldungen_);
  zeileOffen_ = false;
}

void KopflosFenster::Ausgeben(const std::string& titel, const std::string& text, const std::string& antwort) {
  FortschrittLoeschen();
  std::string zeile = "[" + Utf8(titel.empty() ? std::string("KORVELAN") : titel) + "] " + Utf8(text);
  for (char& c : zeile)
    if (c == '\r') c = ' ';
  if (!antwort.empty()) zeile += " -> " + antwort;
  std::fprintf(meldungen_, "%s\n", zeile.c_str());
  std::fflush(meldungen_);
}

Antwort KopflosFenster::Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) {
  SkriptFenster::Meldung(text, titel, knoepfe, symbol);
  Antwort a = Antwort::Ok;
  std::string wort;
  if (FragtJaNein(knoepfe)) {
    bool ja = false;
    // A question the options leave open is answered No; the answer names the option that
    // answers it.
    const char* option = nullptr;
    if (titel == "Ausgabedatei ") {
      ja = optionen_.ueberschreiben;
      if (!ja) option = "--ueberschreiben";
    } else if (text.find("SET-Bl") != std::string::npos) {
      ja = optionen_.setBloecke.value_or(false);
      if (!optionen_.setBloecke) option = "--set-bloecke ja|nein";
    }
    a = ja ? Antwort::Ja : Antwort::Nein;
    wort = ja ? "Ja" : "Nein";
    if (option) wort += OptionNennen(option);
  } else if (knoepfe == Knoepfe::OkAbbrechen) {
    a = Antwort::Abbrechen;
    wort = "Abbrechen";
  }
  Ausgeben(titel, text, wort);
  return a;
}

std::optional<std::string> KopflosFenster::Eingabe(const std::string& aufforderung, const std::string& titel,
                                                   const std::string& vorgabe) {
  SkriptFenster::Eingabe(aufforderung, titel, vorgabe);
  std::optional<std::string> antwort;
  const char* option = nullptr;
  if (aufforderung.find("Datenkennzeichen") != std::string::npos) {
    antwort = optionen_.datenkennzeichen;
    option = "--datenkennzeichen X";
  } else if (aufforderung.find(Ansi("Währungskennzeichen")) != std::string::npos) {
    antwort = optionen_.waehrung;
    option = "--waehrung CODE";
  }
  std::string wort = antwort ? "\"" + Utf8(*antwort) + "\"" : std::string("abgebrochen");
  if (!antwort && option) wort += OptionNennen(option);
  Ausgeben(titel, aufforderung, wort);
  return antwort;
}

std::string KopflosFenster::OptionNennen(const char* option) {
  return std::string(" (Antwort mit ") + option + " vorgeben)";
}

std::string Abschlusszeile(const Laufzahlen& z) {
  // One line in German, the pieces separated by commas; seconds with one decimal.
  std::string zeile = "korvelan-konvert: " + GanzAlsText(z.saetze) + (z.saetze == 1 ? " Satz" : " Sätze") +
                      " gelesen" + (z.zeichensatz.empty() ? "" : " (Zeichensatz " + z.zeichensatz + ")") + ", " +
                      GanzAlsText(z.zeilen) + (z.zeilen == 1 ? " Zeile" : " Zeilen") +
                      " geschrieben, " + GanzAlsText(z.eintraege) +
                      (z.eintraege == 1 ? " Eintrag" : " Einträge") + " im Fehlerprotokoll, ";
  std::string sekunden = Formatieren(z.millisekunden * (FestkommaEins / 1000), "#####0.0");
  for (char& c : sekunden)
    if (c == '.') c = ',';
  return zeile + Trimmen(sekunden) + " s";
}

bool KopflosFenster::Melden(const Fortschritt& stand) {
  const bool abbrechen = SkriptFenster::Melden(stand);
  FortschrittZeigen(stand.gelesen, stand.gesamt);
  if (stand.ende || !abbruchAngefordert) return abbrechen;
  abbruchAngefordert = 0;
  return true;
}

void KopflosFenster::FortschrittZeigen(std::uint64_t gelesen, std::uint64_t gesamt) {
  if (!optionen_.fortschrittAnzeigen) return;
  auto jetzt = std::chrono::steady_clock::now();
  if (jetzt - letzteAnzeige_ < std::chrono::milliseconds(100)) return;
  letzteAnzeige_ = jetzt;
  std::uint64_t prozent = gesamt ? (gelesen >= gesamt ? 100 : gelesen * 100 / gesamt) : 0;
  std::string zeile = "\r" + Text("Lab_Bearbeitet") + " Sätze, " + Text("Lab_Fehler") +
                      " Fehler, " + GanzAlsText(static_cast<std::int64_t>(prozent)) + " %\033[K";
  std::fputs(zeile.c_str(), meldungen_);
  std::fflush(meldungen_);
  zeileOffen_ = true;
}

}  // namespace korvelan
