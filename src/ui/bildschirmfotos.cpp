#include "ui/bildschirmfotos.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QComboBox>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>

#include "control/satzpruefung.h"
#include "record/text.h"
#include "settings/grunddaten.h"
#include "ui/aanzeige.h"
#include "ui/danzeige.h"
#include "ui/dateiwahl.h"
#include "ui/fanzeige.h"
#include "ui/grunddat.h"
#include "ui/manzeige.h"
#include "ui/manzeigf.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {

std::string Beispieldatei() {
  std::string kopf = "V 150324" + Auffuellen("Beispiel Sanitaer Grosshandel", 40) +
                     Auffuellen("Preisliste 2024", 40) + Auffuellen("Alle Preise in DM", 35) + "04DEM";
  std::string t = kopf + "\r\n";
  t += "A;N;4711;00;Schraube M8x40;verzinkt;1;0;St;1234;AB12;010;;\r\n";
  t += "B;N;4711;SCHRAUBE;;12;0;;;4012345678901;;;;;;\r\n";
  t += "A;N;4712;00;Mutter M8;verzinkt;1;0;St;245;AB12;010;;\r\n";
  t += "A;N;4713;00;Unterlegscheibe 8,4;;2;1;St;1890;AB13;010;;\r\n";
  t += "R;;AB12;1;3500;Schrauben und Muttern;\r\n";
  return t;
}

bool Speichern(const QPixmap& bild, const QString& pfad) {
  if (!bild.save(pfad, "PNG")) {
    std::fprintf(stderr, "%s konnte nicht geschrieben werden\n", QFile::encodeName(pfad).constData());
    return false;
  }
  return true;
}

void Warten() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Runs oeffnen, which shows a modal dialog and waits for it; the dialog is photographed as soon
// as it is painted, then closed (as with Escape).
bool DialogFotografieren(const std::function<void()>& oeffnen, const QString& pfad) {
  bool ok = false;
  QTimer warten;
  int runden = 0;
  QObject::connect(&warten, &QTimer::timeout, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!d || ++runden < 5) return;
    warten.stop();
    ok = Speichern(d->grab(), pfad);
    d->reject();
  });
  warten.start(20);
  oeffnen();
  return ok;
}

}  // namespace

int Bildschirmfotos(Kontext& k, const QString& verzeichnis) {
  QDir().mkpath(verzeichnis);
  QDir ziel(verzeichnis);
  QTemporaryDir tmp;
  const QString datei = tmp.filePath(QStringLiteral("DATANORM.001"));
  {
    std::ofstream d(PfadAlsBytes(datei), std::ios::binary);
    d << Beispieldatei();
  }
  // The settings of a fresh installation; nothing is written beside the program.
  k.Programmverzeichnis = PfadAlsBytes(tmp.path());
  LadeGrunddaten(k.gd, GrunddatenPfad(k.Programmverzeichnis));
  DateiWaehlen() = [datei](QWidget*, const QString&, const QString&) { return std::optional<QString>(datei); };

  bool ok = true;
  AAnzeige haupt(k);
  haupt.resize(1500, 900);
  haupt.show();
  Warten();

  haupt.Men_Konvertieren_Click();
  DAnzeige* d = haupt.Konvertierfenster();
  d->Com_Laden_Click();
  // Output version 5 in euro, so that the exchange factor shows.
  auto* version = d->findChild<QComboBox*>(QStringLiteral("Com_Version"));
  version->setCurrentIndex(version->findText(QStringLiteral("5")));
  d->Com_Version_Click();
  auto* waehrung = d->findChild<QComboBox*>(QStringLiteral("Com_WaehrungsKz"));
  d->WaehrungslisteWaehlen(waehrung->findText(QStringLiteral("EUR")));
  Warten();
  // The main window with the conversion window inside its work area.
  ok &= Speichern(haupt.grab(), ziel.filePath(QStringLiteral("hauptfenster.png")));
  ok &= Speichern(d->grab(), ziel.filePath(QStringLiteral("konvertierung.png")));

  // The dialogs in German: the confirmation of the currency conversion (OK / Abbrechen), the
  // overwrite question (default "Nein"), the file dialog and the print dialog.
  ok &= DialogFotografieren([d] { d->Com_Konvertieren_Click(); },
                            ziel.filePath(QStringLiteral("waehrungsumrechnung.png")));
  {
    std::ofstream vorhanden(PfadAlsBytes(tmp.filePath(QStringLiteral("V5-ANORM.001"))), std::ios::binary);
    vorhanden << "vorhanden\r\n";
  }
  d->WaehrungslisteWaehlen(waehrung->findText(QStringLiteral("DEM")));
  ok &= DialogFotografieren([d] { d->Com_Konvertieren_Click(); }, ziel.filePath(QStringLiteral("ueberschreiben.png")));
  d->WaehrungslisteWaehlen(waehrung->findText(QStringLiteral("EUR")));
  ok &= DialogFotografieren(
      [d, &tmp] {
        QFileDialog dialog(d, QString::fromLatin1(DateiauswahlTitel), tmp.path(),
                           QtNamensfilter(QString::fromLatin1(DateiauswahlFilter)));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.resize(760, 440);
        dialog.exec();
      },
      ziel.filePath(QStringLiteral("dateiauswahl.png")));
  ok &= DialogFotografieren(
      [d] {
        QPrinter drucker;
        QPrintDialog dialog(&drucker, d);
        dialog.exec();
      },
      ziel.filePath(QStringLiteral("druckdialog.png")));
  d->close();

  haupt.Men_Grunddaten_Click();
  Warten();
  ok &= Speichern(haupt.Grunddatenfenster()->grab(), ziel.filePath(QStringLiteral("grunddaten.png")));
  haupt.Grunddatenfenster()->close();

  haupt.Men_Anzeigen_Click();
  MAnzeige* m = haupt.Betrachter();
  // The viewer with a row selected and the field under the caret: the price field of the first
  // article of the sample file, then a version-5 delivery from the test data beside the sources.
  auto listen = [m](const QString& pfad, int zeile, int spalte) {
    m->DateiAnzeigen(pfad);
    while (m->ListungLaeuft()) QApplication::processEvents();
    m->Liste()->ZeileWaehlen(zeile, spalte);
    m->Tex_Anzeige_Click();
    Warten();
  };
  listen(datei, 1, 43);
  // The viewer in the main window, the field information at the top of the work area.
  ok &= Speichern(haupt.grab(), ziel.filePath(QStringLiteral("anzeige.png")));
  // The version-5 test file of the sources (beside docs/), copied so that the picture shows a
  // path of no particular machine.
  const QString v5 = tmp.filePath(QStringLiteral("DATANORM.005"));
  if (QFile::copy(QDir(verzeichnis).filePath(QStringLiteral("../tests/data/v5_artikel.001")), v5)) {
    listen(v5, 1, 12);  // the article number of the first article line
    ok &= Speichern(haupt.grab(), ziel.filePath(QStringLiteral("anzeige_v5.png")));
  }
  m->Com_Ende_Click();

  Kontext lauf;
  ProtokollEintrag(lauf, Ansi("Artikel 4711      Kurztext 2 wurde gekürzt"));
  ProtokollEintrag(lauf, Ansi("Artikel 4713      Mengeneinheit ST  nicht umsetzbar"));
  FAnzeige f(&haupt);
  f.ProtokollSetzen(AlsQString(lauf.kz.Fehlerprotokoll));
  f.show();
  Warten();
  ok &= Speichern(f.grab(), ziel.filePath(QStringLiteral("fehlerprotokoll.png")));
  f.close();
  haupt.hide();
  return ok ? 0 : 1;
}

}  // namespace korvelan::ui
