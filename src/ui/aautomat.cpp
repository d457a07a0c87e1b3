#include "ui/aautomat.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include "control/konvertierlauf.h"
#include "control/parameter.h"
#include "record/text.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {

QLabel* Wertfeld(QWidget* eltern) {
  auto* l = new QLabel(eltern);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setMinimumWidth(Px(900));
  return l;
}

QLineEdit* Textfeld(QWidget* eltern) {
  auto* e = new QLineEdit(eltern);
  e->setReadOnly(true);
  return e;
}

}  // namespace

AAutomat::AAutomat(Kontext& k, QWidget* eltern) : QtFenster(eltern), k_(k) {
  setWindowTitle(QStringLiteral("DATANORM Konvertierung "));
  auto* g = new QGridLayout(this);

  auto* dateien = new QGroupBox(this);
  auto* gd = new QGridLayout(dateien);
  auto* eingabe = Textfeld(dateien);
  auto* ausgabe = Textfeld(dateien);
  Registrieren("Tex_Eingabe", eingabe, true);
  Registrieren("Tex_Ausgabe", ausgabe, true);
  auto* versionEin = new QLabel(dateien);
  auto* versionAus = new QLabel(dateien);
  Registrieren("Lab_VersionEin", versionEin);
  Registrieren("Lab_VersionAus", versionAus);
  gd->addWidget(new QLabel(QStringLiteral("Eingabe"), dateien), 0, 0);
  gd->addWidget(eingabe, 0, 1);
  gd->addWidget(versionEin, 0, 2);
  gd->addWidget(new QLabel(QStringLiteral("Ausgabe"), dateien), 1, 0);
  gd->addWidget(ausgabe, 1, 1);
  gd->addWidget(versionAus, 1, 2);
  gd->setColumnStretch(1, 1);
  g->addWidget(dateien, 0, 0, 1, 2);

  auto* kopf = new QGroupBox(QStringLiteral("Vorlaufsatz"), this);
  auto* gk = new QGridLayout(kopf);
  struct Zeile {
    const char* titel;
    const char* name;
  };
  const Zeile links[] = {{"Version", "Lab_Version"}, {"Datum", "Lab_Datum"}, {"Währungskz.", "Lab_WaehrungKz"}};
  const Zeile rechts[] = {{"Ausgabeversion", "Com_Version"}, {"Datum", "Lab_Datum1"}, {"Währungskz.", "Com_WaehrungsKz"}};
  for (int i = 0; i < 3; ++i) {
    gk->addWidget(new QLabel(QString::fromUtf8(links[i].titel), kopf), i, 0);
    auto* w = Wertfeld(kopf);
    Registrieren(links[i].name, w);
    gk->addWidget(w, i, 1);
    gk->addWidget(new QLabel(QString::fromUtf8(rechts[i].titel), kopf), i, 2);
    auto* r = Wertfeld(kopf);
    Registrieren(rechts[i].name, r);
    gk->addWidget(r, i, 3);
  }
  auto* info1 = Textfeld(kopf);
  auto* info2 = Textfeld(kopf);
  auto* info3 = new QPlainTextEdit(kopf);
  info3->setReadOnly(true);
  info3->setFixedHeight(Px(900));
  Registrieren("Tex_Info1", info1);
  Registrieren("Tex_Info2", info2);
  Registrieren("Tex_Info3", info3);
  gk->addWidget(new QLabel(QStringLiteral("Info- Text 1"), kopf), 3, 0);
  gk->addWidget(info1, 3, 1, 1, 3);
  gk->addWidget(new QLabel(QStringLiteral("Info- Text 2"), kopf), 4, 0);
  gk->addWidget(info2, 4, 1, 1, 3);
  gk->addWidget(new QLabel(QStringLiteral("Info- Text 3"), kopf), 5, 0);
  gk->addWidget(info3, 5, 1, 1, 3);
  g->addWidget(kopf, 1, 0, 1, 2);

  auto* arbeit = new QGroupBox(this);
  auto* ga = new QGridLayout(arbeit);
  auto* artikel = Textfeld(arbeit);
  auto* bearbeitet = Textfeld(arbeit);
  auto* labBearbeitet = Wertfeld(arbeit);
  auto* labFehler = Wertfeld(arbeit);
  Registrieren("Tex_ArtikelNr", artikel);
  Registrieren("Tex_Bearbeitet", bearbeitet);
  Registrieren("Lab_Bearbeitet", labBearbeitet);
  Registrieren("Lab_Fehler", labFehler);
  labBearbeitet->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  labFehler->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ga->addWidget(new QLabel(QStringLiteral("Artikel Nr"), arbeit), 0, 0);
  ga->addWidget(artikel, 0, 1);
  ga->addWidget(new QLabel(QStringLiteral("OK"), arbeit), 0, 2);
  ga->addWidget(labBearbeitet, 0, 3);
  ga->addWidget(bearbeitet, 1, 0, 1, 2);
  ga->addWidget(new QLabel(QStringLiteral("Fehler"), arbeit), 1, 2);
  ga->addWidget(labFehler, 1, 3);
  fortschritt_ = new QProgressBar(arbeit);
  fortschritt_->setObjectName(QStringLiteral("Fortschritt"));
  fortschritt_->setRange(0, 100);
  fortschritt_->setValue(0);
  ga->addWidget(fortschritt_, 2, 0, 1, 4);
  ga->setColumnStretch(1, 1);
  g->addWidget(arbeit, 2, 0, 1, 2);

  resize(Px(8000), sizeHint().height());
}

void AAutomat::FortschrittZeigen(std::uint64_t gelesen, std::uint64_t gesamt) {
  int p = 0;
  if (gesamt > 0) {
    if (gelesen >= gesamt)
      p = 100;
    else
      p = static_cast<int>(static_cast<long double>(gelesen) * 100.0L / static_cast<long double>(gesamt));
  }
  if (p == fortschritt_->value()) return;
  // The bar would repaint itself at once on every new percent; with its updates held back it is
  // only marked for painting, and painted with the rest of the window when events are processed.
  fortschritt_->setUpdatesEnabled(false);
  fortschritt_->setValue(p);
  fortschritt_->setUpdatesEnabled(true);
}

int AAutomat::Prozent() const { return fortschritt_->value(); }

void AAutomat::showEvent(QShowEvent* e) {
  QtFenster::showEvent(e);
  // The activation the window system raises when the window appears; coming back from a message
  // or input box of the run does not count, so a refused currency ends the run without a message.
  if (!e->spontaneous()) QTimer::singleShot(0, this, &AAutomat::Form_Activate);
}

void AAutomat::Form_Activate() {
  if (k_.kz.Aufruffehler != -1 || !isVisible()) return;
  Meldung(Ansi("keine Bearbeitung möglich!") + "\r\n\r\n" + k_.kz.Aufruffehlertext,
          "Fehler im Programmaufruf", Knoepfe::Ok, Symbol::Kritisch);
  close();
}

void AAutomat::closeEvent(QCloseEvent* e) {
  AbbruchAnfordern();
  e->accept();
}

int KommandozeilenModus(Kontext& k, const std::string& arbeitszeile) {
  ArbeitszeileZerlegen(k, arbeitszeile);
  AAutomat automat(k);
  const Laufergebnis ergebnis = KommandozeilenLauf(k, automat, [&automat] { automat.show(); });
  QApplication::closeAllWindows();
  return Rueckgabewert(ergebnis, k.kz.Fehlerzahl);
}

}  // namespace korvelan::ui
