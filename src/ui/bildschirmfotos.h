#pragma once
// Renders the windows to PNG files for the documentation (hidden option of the program).
#include <QString>

#include "context/kontext.h"

namespace korvelan::ui {

// Writes hauptfenster.png, konvertierung.png, waehrungsumrechnung.png, ueberschreiben.png,
// dateiauswahl.png, druckdialog.png, grunddaten.png, anzeige.png and fehlerprotokoll.png into
// the directory; returns the process exit code.
int Bildschirmfotos(Kontext& k, const QString& verzeichnis);

}  // namespace korvelan::ui
