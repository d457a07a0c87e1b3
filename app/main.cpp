// The desktop program: without an argument the main window; with "input;output;version" one
// conversion in the progress window, then the program ends.
#include <QApplication>
#include <QFile>
#include <cstring>
#include <memory>
#include <string>

#include "control/kontext.h"
#include "control/konvertierlauf.h"
#include "control/parameter.h"
#include "settings/grunddaten.h"
#include "ui/aanzeige.h"
#include "ui/aautomat.h"
#include "ui/bildschirmfotos.h"
#include "ui/zeichensatz.h"

using namespace korvelan;

int main(int argc, char** argv) {
  // The command line as the process received it, before Qt takes its own options out.
  std::string kommandozeile;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) kommandozeile += ' ';
    kommandozeile += argv[i];
  }
  const bool fotos = argc == 3 && std::strcmp(argv[1], "--bildschirmfotos") == 0;
  const std::string fotoverzeichnis = fotos ? argv[2] : "";

  QApplication app(argc, argv);
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

  // Command-line mode: fill the progress window, check the parameters, analyse the input, show
  // the window and convert; then every window closes and the program ends, whatever happened.
  ArbeitszeileZerlegen(*k, arbeitszeile);
  ui::AAutomat automat(*k);
  KommandozeilenLauf(*k, automat, [&automat] { automat.show(); });
  QApplication::closeAllWindows();
  return 0;
}
