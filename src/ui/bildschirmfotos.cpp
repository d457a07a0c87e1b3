#include "ui/bildschirmfotos.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QComboBox>
#include <cstdio>
#include <fstream>

#include "control/skriptfenster.h"
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
  haupt.resize(900, 600);
  haupt.show();
  Warten();
  ok &= Speichern(haupt.grab(), ziel.filePath(QStringLiteral("hauptfenster.png")));

  haupt.Men_Konvertieren_Click();
  DAnzeige* d = haupt.Konvertierfenster();
  d->Com_Laden_Click();
  // Output version 5 in euro, so that the exchange factor shows.
  auto* version = d->findChild<QComboBox*>(QStringLiteral("Com_Version"));
  version->setCurrentIndex(version->findText(QStringLiteral("5")));
  d->Com_Version_Click();
  d->WaehrungslisteWaehlen(1);
  Warten();
  ok &= Speichern(d->grab(), ziel.filePath(QStringLiteral("konvertierung.png")));
  d->close();

  haupt.Men_Grunddaten_Click();
  Warten();
  ok &= Speichern(haupt.Grunddatenfenster()->grab(), ziel.filePath(QStringLiteral("grunddaten.png")));
  haupt.Grunddatenfenster()->hide();

  haupt.Men_Anzeigen_Click();
  MAnzeige* m = haupt.Betrachter();
  m->DateiAnzeigen(datei);
  auto* text = m->findChild<QPlainTextEdit*>(QStringLiteral("Tex_Anzeige"));
  QTextCursor c(text->document()->findBlockByNumber(1));
  c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 43);  // the price field of the first article
  text->setTextCursor(c);
  m->Tex_Anzeige_Click();
  Warten();
  QPixmap betrachter = m->grab();
  QPixmap streifen = m->Feldinfo() && m->Feldinfo()->isVisible() ? m->Feldinfo()->grab() : QPixmap();
  QPixmap beide(qMax(betrachter.width(), streifen.width()), betrachter.height() + streifen.height() + 8);
  beide.fill(Qt::white);
  {
    QPainter p(&beide);
    p.drawPixmap(0, 0, streifen);
    p.drawPixmap(0, streifen.height() + 8, betrachter);
  }
  ok &= Speichern(beide, ziel.filePath(QStringLiteral("anzeige.png")));
  m->Com_Ende_Click();

  Kontext lauf;
  SkriptFenster skript;
  ProtokollEintrag(lauf, skript, Ansi("Artikel 4711      Kurztext 2 wurde gekürzt"));
  ProtokollEintrag(lauf, skript, Ansi("Artikel 4713      Mengeneinheit ST  nicht umsetzbar"));
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
