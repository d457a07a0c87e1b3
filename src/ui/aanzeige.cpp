#include "ui/aanzeige.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>

#include "settings/grunddaten.h"
#include "ui/arbeitsbereich.h"
#include "ui/danzeige.h"
#include "ui/fanzeige.h"
#include "ui/grunddat.h"
#include "ui/hanzeige.h"
#include "ui/manzeige.h"
#include "ui/qtfenster.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

AAnzeige::AAnzeige(Kontext& k, QWidget* eltern) : QMainWindow(eltern), k_(k) {
  setWindowTitle(QString::fromLatin1(Anwendungstitel) + QStringLiteral("         ") +
                 QString::fromLatin1(Programmversion));
  setObjectName(QStringLiteral("AAnzeige"));
  QMenuBar* leiste = menuBar();
  auto eintrag = [&](const char* name, const QString& titel, void (AAnzeige::*handler)()) {
    QAction* a = leiste->addAction(titel);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
  };
  eintrag("Men_Beenden", QStringLiteral("&Beenden"), &AAnzeige::Men_Beenden_Click);
  eintrag("Men_Konvertieren", QStringLiteral("&Konvertieren"), &AAnzeige::Men_Konvertieren_Click);
  eintrag("Men_Anzeigen", QStringLiteral("&Anzeigen"), &AAnzeige::Men_Anzeigen_Click);
  eintrag("Men_Grunddaten", QStringLiteral("&Grunddaten"), &AAnzeige::Men_Grunddaten_Click);
  QMenu* hilfe = leiste->addMenu(QStringLiteral("?"));
  hilfe->setObjectName(QStringLiteral("Men_Hilfe"));
  QAction* h1 = hilfe->addAction(QStringLiteral("Hilfe"));
  h1->setObjectName(QStringLiteral("Men_Hilfe1"));
  connect(h1, &QAction::triggered, this, &AAnzeige::Men_Hilfe1_Click);
  QAction* h2 = hilfe->addAction(QStringLiteral("Information"));
  h2->setObjectName(QStringLiteral("Men_Hilfe2"));
  connect(h2, &QAction::triggered, this, &AAnzeige::Men_Hilfe2_Click);

  // The work area: the child windows open inside it, below the menu, and stay there.
  bereich_ = new QMdiArea(this);
  bereich_->setObjectName(QStringLiteral("Arbeitsbereich"));
  bereich_->setBackground(palette().brush(QPalette::Dark));
  setCentralWidget(bereich_);
  // Large enough for the basic-data window with its lists whole, where the screen allows it.
  QSize groesse(1480, 900);
  if (QScreen* s = screen()) groesse = groesse.boundedTo(s->availableGeometry().size());
  resize(groesse);
}

AAnzeige::~AAnzeige() {
  // The child windows go with the main window (they are its children); nothing is saved.
}

QString AAnzeige::Programmverzeichnis() const {
  QString v = PfadAlsQString(k_.Programmverzeichnis);
  if (!v.endsWith(QLatin1Char('/'))) v += QLatin1Char('/');
  return v;
}

QString AAnzeige::Hilfedatei() const { return Programmverzeichnis() + QStringLiteral("Valmerik.HLP"); }

void AAnzeige::Aufnehmen(QWidget* w) {
  w->setAttribute(Qt::WA_DeleteOnClose);
  new Unterfenster(bereich_, w);
}

void AAnzeige::Platzieren(QWidget* w, int obenTwips) {
  QWidget* rahmen = Rahmen(w);
  const QPoint ort(Px(100), Px(obenTwips));
  rahmen->move(ort);
  // A window larger than the work area is made to fit, so that its buttons stay in reach.
  const QSize platz = bereich_->viewport()->size() - QSize(ort.x(), ort.y());
  if (rahmen != w && platz.isValid()) rahmen->resize(rahmen->size().boundedTo(platz));
  w->show();
  rahmen->showNormal();
  rahmen->raise();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(rahmen)) bereich_->setActiveSubWindow(sub);
}

void AAnzeige::Men_Konvertieren_Click() {
  if (!danzeige_) {
    danzeige_ = new DAnzeige(k_, this);
    Aufnehmen(danzeige_);
  }
  Platzieren(danzeige_, 300);
}

void AAnzeige::Men_Anzeigen_Click() {
  if (!manzeige_) {
    manzeige_ = new MAnzeige(this, this);
    Aufnehmen(manzeige_);
  }
  Platzieren(manzeige_, 500);
}

void AAnzeige::Men_Grunddaten_Click() {
  if (!grunddat_) {
    grunddat_ = new Grunddat(k_, this);
    Aufnehmen(grunddat_);
  }
  Platzieren(grunddat_, 300);
}

void AAnzeige::Men_Hilfe2_Click() {
  if (!hanzeige_) {
    hanzeige_ = new HAnzeige(this);
    Aufnehmen(hanzeige_);
  }
  Platzieren(hanzeige_, 300);
}

void AAnzeige::Men_Hilfe1_Click() {
  const QString datei = Hilfedatei();
  QFileInfo info(datei);
  if (!info.isFile() || !info.isReadable()) {
    MeldungZeigen(this,
                  QStringLiteral("Die Hilfedatei Valmerik.hlp befindet sich nicht im Programm-Verzeichnis: ") +
                      Programmverzeichnis(),
                  QString(), Knoepfe::Ok, Symbol::Kein);
    return;
  }
  if (!hilfe_) {
    hilfe_ = new QTextBrowser(this);
    hilfe_->setObjectName(QStringLiteral("Hilfe"));
    hilfe_->setWindowTitle(QStringLiteral("KORVELAN - Hilfe"));
    hilfe_->setOpenExternalLinks(false);
    hilfe_->resize(700, 600);
    Aufnehmen(hilfe_);
  }
  // The contents page is the start of the document.
  hilfe_->setSource(QUrl::fromLocalFile(datei), QTextDocument::HtmlResource);
  hilfe_->home();
  Platzieren(hilfe_, 300);
}

bool AAnzeige::GrunddatenSichern() {
  if (!grunddat_ || !grunddat_->Geaendert()) return true;
  switch (MeldungZeigen(grunddat_,
                        QStringLiteral("Die Grunddaten wurden geändert.\n\nSollen die Änderungen in ") +
                            QString::fromLatin1(GrunddatenDateiname) + QStringLiteral(" gespeichert werden?"),
                        QStringLiteral("Grunddaten"), Knoepfe::JaNeinAbbrechen, Symbol::Frage)) {
    case Antwort::Ja:
      // A file that could not be written was reported; the program stays open with the changes.
      return grunddat_->FaktSpeichern();
    case Antwort::Nein:
      grunddat_->AenderungenVerwerfen();
      return true;
    default:
      return false;
  }
}

void AAnzeige::Men_Beenden_Click() {
  // Unsaved basic data first; then the conversion window, the error log (when open), the viewer
  // and this window, in this order; the other windows go with the program.
  if (!GrunddatenSichern()) return;
  if (danzeige_) danzeige_->close();
  for (FAnzeige* f : findChildren<FAnzeige*>()) f->close();
  if (manzeige_) manzeige_->close();
  close();
}

void AAnzeige::closeEvent(QCloseEvent* e) {
  // The program ends with the main window: unsaved basic data are saved or discarded as the user
  // answers (or the window stays open); the windows still open go with it.
  if (!GrunddatenSichern()) {
    e->ignore();
    return;
  }
  for (QWidget* w : {static_cast<QWidget*>(danzeige_.data()), static_cast<QWidget*>(manzeige_.data()),
                     static_cast<QWidget*>(grunddat_.data()), static_cast<QWidget*>(hanzeige_.data()),
                     static_cast<QWidget*>(hilfe_.data())})
    if (w) w->hide();
  e->accept();
  QCoreApplication::quit();
}

}  // namespace korvelan::ui
