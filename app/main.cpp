// The desktop program: without an argument the main window; with "input;output;version" one
// conversion in the progress window, then the program ends.
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "context/kontext.h"
#include "control/parameter.h"
#include "programmverzeichnis.h"
#include "settings/grunddaten.h"
#include "ui/aanzeige.h"
#include "ui/aautomat.h"
#include "ui/bildschirmfotos.h"
#include "ui/deutsch.h"
#include "ui/zeichensatz.h"

using namespace korvelan;

namespace {

// Whether a screen can be reached: Qt aborts without one. A platform chosen by the caller
// (offscreen, for example) needs none.
bool BildschirmVorhanden() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* wert = std::getenv(name);
    if (wert && *wert) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!BildschirmVorhanden()) {
    const std::string konvert = ProgrammverzeichnisDesProzesses() + "/korvelan-konvert";
    std::fprintf(stderr,
                 "korvelan: Es wurde kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).\n"
                 "Ohne Bildschirm konvertiert korvelan-konvert eine Datei:\n"
                 "  %s EINGABE AUSGABE VERSION\n"
                 "Alle Optionen: %s --help\n",
                 konvert.c_str(), konvert.c_str());
    return 2;
  }

  // The command line as the process received it, before Qt takes its own options out.
  std::string kommandozeile;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) kommandozeile += ' ';
    kommandozeile += argv[i];
  }
  const bool fotos = argc == 3 && std::strcmp(argv[1], "--bildschirmfotos") == 0;
  const std::string fotoverzeichnis = fotos ? argv[2] : "";

  QApplication app(argc, argv);
  ui::QtTexteDeutsch(app);
  auto k = std::make_unique<Kontext>();
  k->Programmverzeichnis = ui::PfadAlsBytes(QCoreApplication::applicationDirPath());
  if (fotos) return ui::Bildschirmfotos(*k, QFile::decodeName(fotoverzeichnis.c_str()));

  const std::string arbeitszeile = ArbeitszeileBilden(kommandozeile);
  LadeGrunddaten(k->gd, GrunddatenPfad(k->Programmverzeichnis));

  if (IstInteraktiv(arbeitszeile)) {
    ui::AAnzeige hauptfenster(*k);
    hauptfenster.show();
    return app.exec();
  }

  return ui::KommandozeilenModus(*k, arbeitszeile);
}
