#include "ui/aanzeige.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QTextBrowser>
#include <QUrl>

#include "ui/danzeige.h"
#include "ui/fanzeige.h"
#include "ui/grunddat.h"
#include "ui/hanzeige.h"
#include "ui/manzeige.h"
#include "ui/qtfenster.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

AAnzeige::AAnzeige(Kontext& k, QWidget* eltern) : QMainWindow(eltern), k_(k) {
  setWindowTitle(QStringLiteral("KORVELAN         Rel. 1.1"));
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

  auto* flaeche = new QWidget(this);
  flaeche->setAutoFillBackground(true);
  flaeche->setBackgroundRole(QPalette::Dark);
  setCentralWidget(flaeche);
  resize(1000, 700);
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

void AAnzeige::Platzieren(QWidget* w, int obenTwips) {
  QPoint p = frameGeometry().topLeft();
  w->move(p.x() + Px(100), p.y() + Px(obenTwips));
  w->showNormal();
  w->raise();
  w->activateWindow();
}

void AAnzeige::Men_Konvertieren_Click() {
  if (!danzeige_) {
    danzeige_ = new DAnzeige(k_, this);
    danzeige_->setAttribute(Qt::WA_DeleteOnClose);
  }
  Platzieren(danzeige_, 300);
}

void AAnzeige::Men_Anzeigen_Click() {
  if (!manzeige_) {
    manzeige_ = new MAnzeige(this, this);
    manzeige_->setAttribute(Qt::WA_DeleteOnClose);
  }
  Platzieren(manzeige_, 500);
}

void AAnzeige::Men_Grunddaten_Click() {
  if (!grunddat_) {
    grunddat_ = new Grunddat(k_, this);
    grunddat_->setAttribute(Qt::WA_DeleteOnClose);
  }
  Platzieren(grunddat_, 300);
}

void AAnzeige::Men_Hilfe2_Click() {
  if (!hanzeige_) {
    hanzeige_ = new HAnzeige(this);
    hanzeige_->setAttribute(Qt::WA_DeleteOnClose);
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
    hilfe_->setWindowFlags(Qt::Window);
    hilfe_->setAttribute(Qt::WA_DeleteOnClose);
    hilfe_->setObjectName(QStringLiteral("Hilfe"));
    hilfe_->setWindowTitle(QStringLiteral("KORVELAN - Hilfe"));
    hilfe_->setOpenExternalLinks(false);
    hilfe_->resize(700, 600);
  }
  // The contents page is the start of the document.
  hilfe_->setSource(QUrl::fromLocalFile(datei), QTextDocument::HtmlResource);
  hilfe_->home();
  Platzieren(hilfe_, 300);
}

void AAnzeige::Men_Beenden_Click() {
  // The conversion window, the error log (when open), the viewer and this window, in this
  // order; the other windows go with the program, the basic-data window without saving.
  if (danzeige_) danzeige_->close();
  for (FAnzeige* f : findChildren<FAnzeige*>()) f->close();
  if (manzeige_) manzeige_->close();
  close();
}

void AAnzeige::closeEvent(QCloseEvent* e) {
  // The program ends with the main window: the windows still open go with it, the basic-data
  // window without saving.
  for (QWidget* w : {static_cast<QWidget*>(danzeige_.data()), static_cast<QWidget*>(manzeige_.data()),
                     static_cast<QWidget*>(grunddat_.data()), static_cast<QWidget*>(hanzeige_.data()),
                     static_cast<QWidget*>(hilfe_.data())})
    if (w) w->hide();
  e->accept();
  QCoreApplication::quit();
}

}  // namespace korvelan::ui
