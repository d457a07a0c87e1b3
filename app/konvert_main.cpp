// korvelan-konvert: the headless converter. Runs the command-line road of the desktop program
// (parameter check, analysis, automatic run) without a display; questions are answered from the
// options, messages go to standard error.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "programmverzeichnis.h"
#include "context/kontext.h"
#include "control/konvertierlauf.h"
#include "control/kopflosfenster.h"
#include "control/parameter.h"
#include "record/text.h"
#include "settings/grunddaten.h"

using namespace korvelan;

namespace {

const char* const Hilfetext =
    "Aufruf: korvelan-konvert EINGABE AUSGABE VERSION [Optionen]\n"
    "\n"
    "Konvertiert die DATANORM-Datei EINGABE (Version 3, 4 oder 5) in die Version VERSION\n"
    "(3, 4 oder 5) und schreibt sie nach AUSGABE. Es werden dieselben Prüfungen und dieselbe\n"
    "Konvertierung ausgeführt wie beim Aufruf korvelan \"EINGABE;AUSGABE;VERSION\", ohne Fenster.\n"
    "Alle Meldungen und Fragen erscheinen mit Titel und gewählter Antwort auf der\n"
    "Standardfehlerausgabe.\n"
    "\n"
    "Optionen:\n"
    "  --waehrung CODE         Währungskennzeichen der Ausgabedatei, wenn danach gefragt wird\n"
    "                          (DEM, LUF, BEF, PTE, FRF, NLG, ITL, ATS, CHF oder EUR). Ohne diese\n"
    "                          Option wird die Frage abgebrochen.\n"
    "  --ueberschreiben        eine vorhandene Ausgabedatei ersetzen (sonst: Nein)\n"
    "  --set-bloecke ja|nein   Antwort auf die Frage nach der Verwendung der SET-Blöcke\n"
    "                          (ja: Aufruf-Folgen, nein: Stücklisten; sonst: Nein)\n"
    "  --datenkennzeichen X    Datenkennzeichen einer Version-5-Datei mit falschem Kennzeichen\n"
    "  --protokoll DATEI       das vollständige Fehlerprotokoll als UTF-8 in DATEI schreiben (sonst\n"
    "                          wird es, wie im Fenster auf 60000 Zeichen begrenzt, nach dem Lauf\n"
    "                          auf der Standardfehlerausgabe ausgegeben)\n"
    "  --help                  diese Hilfe\n"
    "\n"
    "Die Grunddaten (Einheitentabelle) werden aus KELBORIS.DAT im Programmverzeichnis gelesen.\n"
    "Eine Eingabe in UTF-8 oder Windows-1252 wird erkannt und wie eine CP850-Datei gelesen.\n"
    "SIGINT und SIGTERM brechen die Konvertierung vor dem nächsten Satz ab.\n"
    "\n"
    "Rückgabewert:\n"
    "  0  konvertiert ohne Einträge im Fehlerprotokoll\n"
    "  1  konvertiert mit Einträgen im Fehlerprotokoll\n"
    "  2  nichts konvertiert (Aufrufprüfung, Dateiprüfung, Namensprüfung, Überschreiben\n"
    "     abgelehnt, Währungskennzeichen nicht zulässig)\n"
    "  3  der Lauf endete mit einer Fehlermeldung\n"
    "  4  abgebrochen\n"
    "\n"
    "Die Ausgabe entsteht als neue temporäre Datei im Verzeichnis der Ausgabedatei und erhält\n"
    "deren Namen erst, wenn die Konvertierung fertig ist. Nach einem Abbruch oder Fehler wird\n"
    "keine Ausgabedatei geschrieben; eine vorhandene bleibt unverändert. Ein Gerät oder eine\n"
    "Pipe als AUSGABE wird direkt beschrieben.\n"
    "Am Ende steht eine Zeile mit gelesenen Sätzen und dem Zeichensatz der Eingabe,\n"
    "geschriebenen Zeilen, Einträgen im Fehlerprotokoll und Sekunden auf der\n"
    "Standardfehlerausgabe.\n";

void AbbruchSignal(int) { KopflosFenster::abbruchAngefordert = 1; }

int Falsch(const char* text) {
  std::fprintf(stderr, "korvelan-konvert: %s\nHilfe: korvelan-konvert --help\n", text);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> positionen;
  KopflosOptionen optionen;
  std::string protokolldatei;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto wert = [&](std::string& ziel) {
      if (i + 1 >= argc) return false;
      ziel = argv[++i];
      return true;
    };
    std::string w;
    if (a == "--help" || a == "-h") {
      std::fputs(Hilfetext, stdout);
      return 0;
    } else if (a == "--waehrung") {
      if (!wert(w)) return Falsch("--waehrung verlangt ein Währungskennzeichen");
      optionen.waehrung = Ansi(w);
    } else if (a == "--ueberschreiben") {
      optionen.ueberschreiben = true;
    } else if (a == "--set-bloecke") {
      if (!wert(w) || (w != "ja" && w != "nein")) return Falsch("--set-bloecke verlangt ja oder nein");
      optionen.setBloecke = w == "ja";
    } else if (a == "--datenkennzeichen") {
      if (!wert(w)) return Falsch("--datenkennzeichen verlangt einen Buchstaben");
      optionen.datenkennzeichen = Ansi(w);
    } else if (a == "--protokoll") {
      if (!wert(protokolldatei)) return Falsch("--protokoll verlangt einen Dateinamen");
    } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      return Falsch(("unbekannte Option " + a).c_str());
    } else {
      positionen.push_back(a);
    }
  }
  if (positionen.size() != 3) return Falsch("EINGABE, AUSGABE und VERSION angeben");
  optionen.fortschrittAnzeigen = ::isatty(STDERR_FILENO);

  struct sigaction sa {};
  sa.sa_handler = AbbruchSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);

  Kontext k;
  k.Programmverzeichnis = ProgrammverzeichnisDesProzesses();
  LadeGrunddaten(k.gd, GrunddatenPfad(k.Programmverzeichnis));
  KopflosFenster fenster(k, optionen);

  // The same road as the desktop program's command-line mode; names are taken as given (a ";"
  // inside a name is allowed here), the version by the working line's rule.
  ArbeitszeileZerlegen(k, ArbeitszeileBilden("E;A;" + positionen[2]));
  k.kz.AufrufEingabe = positionen[0];
  k.kz.AufrufAusgabe = positionen[1];
  // The log file takes every entry as it is made: the cap of 60000 characters is the window's.
  // It is written in every case, empty when nothing was logged, so that a script finds it.
  std::ofstream protokoll;
  if (!protokolldatei.empty()) {
    protokoll.open(protokolldatei, std::ios::binary | std::ios::trunc);
    k.kz.Protokollsenke = [&protokoll](std::string_view text) { protokoll << Utf8(text); };
  }
  const auto beginn = std::chrono::steady_clock::now();
  Laufergebnis ergebnis = KommandozeilenLauf(k, fenster);
  const auto dauer = std::chrono::steady_clock::now() - beginn;
  fenster.FortschrittLoeschen();

  if (!protokolldatei.empty()) {
    protokoll.close();
    if (!protokoll)
      std::fprintf(stderr, "korvelan-konvert: Protokoll %s konnte nicht geschrieben werden\n", protokolldatei.c_str());
  } else if (!k.kz.Fehlerprotokoll.empty()) {
    std::fputs(Utf8(k.kz.Fehlerprotokoll).c_str(), stderr);
  }
  std::fprintf(stderr, "%s\n",
               Abschlusszeile({k.kz.SaetzeGelesen, static_cast<std::int64_t>(k.kz.AusgabeDateiNr.Zeilen()),
                               k.kz.Fehlerzahl,
                               std::chrono::duration_cast<std::chrono::milliseconds>(dauer).count(),
                               k.kz.Eingabezeichensatz})
                   .c_str());
  return Rueckgabewert(ergebnis, k.kz.Fehlerzahl);
}
