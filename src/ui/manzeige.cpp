#include "ui/manzeige.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <memory>

#include "control/analyse.h"
#include "context/dateien.h"
#include "context/kontext.h"
#include "record/festkomma.h"
#include "record/laufzeitfehler.h"
#include "ui/arbeitsbereich.h"
#include "ui/dateiwahl.h"
#include "ui/manzeigf.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

MAnzeige::MAnzeige(QWidget* eltern, QWidget* hauptfenster) : QtFenster(eltern), hauptfenster_(hauptfenster) {
  setWindowTitle(QStringLiteral("DATANORM-Datei anzeigen"));
  setObjectName(QStringLiteral("MAnzeige"));
  Tex_Anzeige = new Zeilenansicht(this);
  modell_ = new Zeilenmodell(this);
  Tex_Anzeige->setModel(modell_);
  QFont schrift(QStringLiteral("Courier New"), 10);
  schrift.setStyleHint(QFont::Monospace);
  Tex_Anzeige->setFont(schrift);
  Tex_Suchtext = new QLineEdit(this);
  Tex_Suchtext->setPlaceholderText(QStringLiteral("Suchtext (Strg+F)"));
  Com_Suchen = new QPushButton(QStringLiteral("&Suchen"), this);
  Com_Rueckwaerts = new QPushButton(QStringLiteral("&Rückwärts suchen"), this);
  Com_Laden = new QPushButton(QStringLiteral("&Datei laden"), this);
  Com_Ende = new QPushButton(QStringLiteral("B&eenden"), this);
  Lab_Hilfe = new QLabel(this);
  Lab_Hilfe->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Registrieren("Tex_Anzeige", Tex_Anzeige);
  Registrieren("Tex_Suchtext", Tex_Suchtext);
  Registrieren("Com_Suchen", Com_Suchen);
  Registrieren("Com_Rueckwaerts", Com_Rueckwaerts);
  Registrieren("Com_Laden", Com_Laden);
  Registrieren("Com_Ende", Com_Ende);
  Registrieren("Lab_Hilfe", Lab_Hilfe);

  auto* suchen = new QHBoxLayout;
  suchen->addWidget(Tex_Suchtext, 1);
  suchen->addWidget(Com_Suchen);
  suchen->addWidget(Com_Rueckwaerts);
  auto* unten = new QHBoxLayout;
  unten->addWidget(Lab_Hilfe, 1);
  unten->addWidget(Com_Laden);
  unten->addWidget(Com_Ende);
  auto* l = new QVBoxLayout(this);
  l->addWidget(Tex_Anzeige, 1);
  l->addLayout(suchen);
  l->addLayout(unten);

  connect(Com_Laden, &QPushButton::clicked, this, &MAnzeige::Com_Laden_Click);
  connect(Com_Ende, &QPushButton::clicked, this, &MAnzeige::Com_Ende_Click);
  connect(Com_Suchen, &QPushButton::clicked, this, &MAnzeige::Com_Suchen_Click);
  connect(Com_Rueckwaerts, &QPushButton::clicked, this, &MAnzeige::Com_Rueckwaerts_Click);
  connect(Tex_Suchtext, &QLineEdit::returnPressed, this, &MAnzeige::Com_Suchen_Click);
  connect(Tex_Anzeige, &Zeilenansicht::Geklickt, this, &MAnzeige::Tex_Anzeige_Click);
  // Ctrl+F goes to the search text, F3 and Shift+F3 search on forward and backward.
  auto kurzbefehl = [this](QKeySequence taste, auto handler) {
    auto* k = new QShortcut(taste, this);
    k->setContext(Qt::WidgetWithChildrenShortcut);
    connect(k, &QShortcut::activated, this, handler);
  };
  kurzbefehl(QKeySequence::Find, [this] {
    Tex_Suchtext->setFocus(Qt::ShortcutFocusReason);
    Tex_Suchtext->selectAll();
  });
  kurzbefehl(QKeySequence::FindNext, [this] { Com_Suchen_Click(); });
  kurzbefehl(QKeySequence::FindPrevious, [this] { Com_Rueckwaerts_Click(); });
  indexTakt_.setInterval(0);
  suchTakt_.setInterval(0);
  connect(&indexTakt_, &QTimer::timeout, this, &MAnzeige::Indexschritt);
  connect(&suchTakt_, &QTimer::timeout, this, &MAnzeige::Suchschritt);
  Form_Load();
}

void MAnzeige::Form_Load() {
  Lab_Hilfe->setText(QStringLiteral("bitte die DATANORM-Datei die Sie betrachten möchten, über 'Datei laden' auswählen"));
  resize(Px(9420), Px(4716));
  move(Px(80), Px(500));
}

void MAnzeige::closeEvent(QCloseEvent* e) {
  // Closing stops what runs; the listing stays as far as it came.
  if (suche_) SucheBeenden();
  if (listung_ == 9) ListungBeenden(true);
  if (feldinfo_) feldinfo_->close();
  e->accept();
}

void MAnzeige::Com_Laden_Click() {
  if (listung_ == 9) return;
  std::optional<QString> pfad = DateiWaehlen()(this, QString::fromLatin1(DateiauswahlTitel),
                                               QString::fromLatin1(DateiauswahlFilter));
  if (!pfad) return;
  DateiAnzeigen(*pfad);
}

void MAnzeige::DateiAnzeigen(const QString& pfad) {
  if (listung_ == 9) return;
  if (suche_) SucheBeenden();
  dateiname_ = pfad;
  if (!DateiVorhanden(PfadAlsBytes(pfad))) return;

  // The same recognition as for a conversion, on a context of its own: the viewer changes
  // nothing of a conversion in progress elsewhere.
  auto pruef = std::make_unique<Kontext>();
  pruef->kz.Eingabedateiname = PfadAlsBytes(pfad);
  EingabeAnalysieren(*pruef, *this);
  pruefung_ = pruef->kz.Analysestatus;
  version_ = pruef->kz.Eingabeversion;
  datenkennzeichen_ = pruef->kz.Datenkennzeichen;

  if (pruefung_ == 0) {
    MeldungZeigen(this,
                  QStringLiteral("Fehler beim laden der Datei: ") + pfad +
                      QStringLiteral("\n\nKeine bzw. fehlerhafte DATANORM - Datei"),
                  QStringLiteral("DATANORM-Prüfung"), Knoepfe::Ok, Symbol::Kritisch);
    Lab_Hilfe->clear();
    return;
  }
  if (pruefung_ == 9) {
    modell_->Setzen(nullptr);
    index_.Schliessen();
    Lab_Hilfe->clear();
    return;
  }
  Listen(version_ == 3);
}

void MAnzeige::Listen(bool version3) {
  if (feldinfo_) feldinfo_->hide();
  modell_->Setzen(nullptr);
  // The rows are read in the character set the conversion would read them in.
  Dateiform form;
  form.bloecke = version3;
  {
    Eingabedatei erkennung;
    if (!erkennung.Oeffnen(PfadAlsBytes(dateiname_))) return;
    form.zeichensatz = erkennung.ErkannterZeichensatz();
  }
  // The file stays open while it is listed: its rows are read from it as they come into sight.
  if (!index_.Oeffnen(dateiname_, form) || index_.Groesse() == 0) return;
  modell_->Setzen(&index_);
  listung_ = 9;
  setCursor(Qt::BusyCursor);
  // The first step at once, so that the first rows show with the window.
  Indexschritt();
  if (listung_ == 9) indexTakt_.start();
}

void MAnzeige::Indexschritt() {
  if (listung_ != 9) return;
  QElapsedTimer uhr;
  uhr.start();
  bool fertig = false, fehler = false;
  try {
    do {
      fertig = index_.Indexieren(schrittbytes_);
    } while (!fertig && uhr.elapsed() < schrittzeit_);
  } catch (const Laufzeitfehler&) {
    // A file that cannot be read to its end shows what was read.
    fehler = true;
  }
  modell_->Nachziehen();
  // A version-3 file whose last block is shorter than a record ends like a cancellation.
  if (fertig || fehler) return ListungBeenden(fehler || index_.KurzerLetzterBlock());
  FortschrittZeigen();
}

void MAnzeige::ListungBeenden(bool abgebrochen) {
  indexTakt_.stop();
  listung_ = 0;
  if (abgebrochen) {
    index_.Anhalten();
    modell_->SchlusszeileAnhaengen(QString::fromLatin1(Abbruchzeile));
  }
  if (!suche_) unsetCursor();
  FortschrittZeigen();
}

void MAnzeige::FortschrittZeigen() {
  if (suche_) {
    Lab_Hilfe->setText(QStringLiteral("Suche nach '") + suchtext_ + QStringLiteral("':  ") +
                       QString::fromStdString(FormatierenGanz(suche_->Durchsucht(), "######0")) +
                       QStringLiteral("  Zeilen durchsucht    /   abbrechen mit Taste 'Beenden'"));
  } else if (listung_ == 9) {
    Lab_Hilfe->setText(QString::fromStdString(FormatierenGanz(index_.Zeilen(), "######0")) +
                       QStringLiteral("  Zeilen eingelesen    /   abbrechen mit Taste 'Beenden'"));
  } else {
    DateizeileZeigen();
  }
}

void MAnzeige::DateizeileZeigen() {
  Lab_Hilfe->setText(QStringLiteral("Datei:   ") + dateiname_ + QStringLiteral("      DATANORM Version ") +
                     QString::fromStdString(FormatierenGanz(version_, "#")));
}

void MAnzeige::Com_Suchen_Click() { SucheStarten(true); }
void MAnzeige::Com_Rueckwaerts_Click() { SucheStarten(false); }

void MAnzeige::SucheStarten(bool vorwaerts) {
  if (suche_ || !index_.IstOffen()) return;
  const QString text = Tex_Suchtext->text();
  if (text.isEmpty()) {
    Tex_Suchtext->setFocus();
    return;
  }
  // From the row after the selected one, or before it; without a selection from the first row
  // forward or from the last one backward.
  const std::int64_t aktuell = Tex_Anzeige->AktuelleZeile();
  const std::int64_t ab = vorwaerts ? aktuell + 1 : aktuell < 0 ? index_.Zeilen() : aktuell;
  suche_ = std::make_unique<Zeilensuche>(index_, text, vorwaerts, ab);
  suchtext_ = text;
  suchtVorwaerts_ = vorwaerts;
  setCursor(Qt::BusyCursor);
  Suchschritt();
  if (suche_) suchTakt_.start();
}

void MAnzeige::Suchschritt() {
  if (!suche_) return;
  QElapsedTimer uhr;
  uhr.start();
  Zeilensuche::Stand stand = Zeilensuche::Stand::Laeuft;
  try {
    for (;;) {
      const std::int64_t vorher = suche_->Durchsucht();
      stand = suche_->Schritt(schrittbytes_);
      // Waiting for the index: its own step comes next.
      if (stand != Zeilensuche::Stand::Laeuft || suche_->Durchsucht() == vorher || uhr.elapsed() >= schrittzeit_)
        break;
    }
  } catch (const Laufzeitfehler&) {
    stand = Zeilensuche::Stand::NichtGefunden;
  }
  if (stand == Zeilensuche::Stand::Laeuft) return FortschrittZeigen();
  const std::int64_t fund = suche_->Fund();
  SucheBeenden();
  if (stand == Zeilensuche::Stand::Gefunden) {
    modell_->Nachziehen();
    Tex_Anzeige->ZeileWaehlen(static_cast<int>(fund));
    return;
  }
  MeldungZeigen(this,
                QStringLiteral("Der Suchtext '") + suchtext_ +
                    (suchtVorwaerts_ ? QStringLiteral("' wurde bis zum Dateiende nicht gefunden.")
                                     : QStringLiteral("' wurde bis zum Dateianfang nicht gefunden.")),
                QStringLiteral("Suchen"), Knoepfe::Ok, Symbol::Information);
}

void MAnzeige::SucheBeenden() {
  suchTakt_.stop();
  suche_.reset();
  if (listung_ != 9) unsetCursor();
  FortschrittZeigen();
}

void MAnzeige::Com_Ende_Click() {
  // "B&eenden" stops a search first, then the listing, and only then closes the window.
  if (suche_) return SucheBeenden();
  if (listung_ == 9) return ListungBeenden(true);
  if (feldinfo_) feldinfo_->close();
  close();
}

void MAnzeige::Tex_Anzeige_Click() {
  const int zeile = Tex_Anzeige->AktuelleZeile();
  if (zeile < 0) return;
  FeldinfoZeigen(AlsAnsi(modell_->Zeile(zeile)), Tex_Anzeige->Spalte() + 1);
}

void MAnzeige::FeldinfoZeigen(const std::string& zeile, int k) {
  QMdiArea* bereich = Arbeitsbereich(this);
  if (!feldinfo_) {
    feldinfo_ = new MANZEIGF(this);
    // Inside the main window the field information is a sub-window at the top of its work area,
    // going with the viewer.
    if (bereich) new Unterfenster(bereich, feldinfo_, this);
  }
  QWidget* bezug = bereich ? static_cast<QWidget*>(bereich) : hauptfenster_ ? hauptfenster_ : this;
  feldinfo_->Zeigen(zeile, k, version_, bezug->frameGeometry().width() - Px(20));
}

}  // namespace korvelan::ui
