#include "ui/danzeige.h"

#include "context/laufbeschreibung.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "control/analyse.h"
#include "control/konvertierlauf.h"
#include "record/text.h"
#include "ui/dateiwahl.h"
#include "ui/zahlen.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {

// The national currencies the conversion knows, in the order they are offered.
const char* const Landeswaehrungen[] = {"DEM", "LUF", "BEF", "CAD", "YUD", "DKK", "GRD", "GBP", "PTE", "FRF",
                                        "FIM", "HUF", "NLG", "IEP", "PLZ", "ROL", "BGL", "TRL", "ITL", "NOK",
                                        "ATS", "MTP", "ESP", "ZAR", "SUR", "CHF", "SEK", "USD", "JPY"};

std::string Marke(const std::string& version) { return "V" + version + "-"; }

// Rightmost 1-based position p (from length - 3 down to 1) where the text of the given width,
// in capitals, equals the wanted text; 0 when there is none. With stopp set the scan gives up
// at a directory separator.
std::size_t SucheVonRechts(const std::string& s, const std::string& gesucht, bool stopp) {
  if (s.size() < 4) return 0;
  for (std::size_t p = s.size() - 3; p >= 1; --p) {
    if (Gross(Mitte(s, p, gesucht.size())) == gesucht) return p;
    if (stopp && s[p - 1] == '/') return 0;
  }
  return 0;
}

QLabel* Wertfeld(QWidget* eltern) {
  auto* l = new QLabel(eltern);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setMinimumWidth(Px(1400));
  return l;
}

}  // namespace

std::string AusgabenameVorschlagen(const std::string& eingabe, int eingabeversion) {
  const std::string marke = Marke(std::to_string(eingabeversion));
  auto ersetzt = [&](std::size_t p) { return eingabe.substr(0, p - 1) + marke + eingabe.substr(p - 1 + 3); };
  if (eingabe.size() < 4) return {};
  for (std::size_t p = eingabe.size() - 3; p >= 1; --p) {
    if (Gross(Mitte(eingabe, p, 4)) == "DATA") return ersetzt(p);
    if (eingabe[p - 1] == '/') return {};
  }
  if (std::size_t p = SucheVonRechts(eingabe, "DATP", false)) return ersetzt(p);
  if (SucheVonRechts(eingabe, marke, false)) return eingabe;
  return {};
}

std::string VersionsmarkeErsetzen(const std::string& ausgabe, int eingabeversion, const std::string& ausgabeversion) {
  std::size_t p = SucheVonRechts(ausgabe, Marke(std::to_string(eingabeversion)), false);
  if (p == 0) return ausgabe;
  return ausgabe.substr(0, p - 1) + Marke(ausgabeversion) + ausgabe.substr(p - 1 + 3);
}

std::vector<std::string> Waehrungsliste(const std::string& w) {
  std::vector<std::string> liste;
  if (w == "XXX") {
    liste.assign(std::begin(Landeswaehrungen), std::end(Landeswaehrungen));
    liste.push_back("EUR");
  } else if (w == "EUR") {
    liste.assign(std::begin(Landeswaehrungen), std::end(Landeswaehrungen));
    liste.insert(liste.begin() + 1, "EUR");
  } else if (std::find(std::begin(Landeswaehrungen), std::end(Landeswaehrungen), w) != std::end(Landeswaehrungen)) {
    liste = {w, "EUR"};
  } else {
    liste = {"EUR"};
  }
  return liste;
}

DAnzeige::DAnzeige(Kontext& k, QWidget* eltern) : QtFenster(eltern), k_(k) {
  setWindowTitle(QStringLiteral("DATANORM Konvertierung  "));
  setObjectName(QStringLiteral("DAnzeige"));

  // Input side.
  Fra_Einlesen = new QGroupBox(QStringLiteral("Eingabe"), this);
  Tex_Eingabe = new QLineEdit(Fra_Einlesen);
  Lab_Version = Wertfeld(Fra_Einlesen);
  Lab_Datum = Wertfeld(Fra_Einlesen);
  Lab_WaehrungKz = Wertfeld(Fra_Einlesen);
  Tex_Info1 = new QLineEdit(Fra_Einlesen);
  Tex_Info2 = new QLineEdit(Fra_Einlesen);
  Tex_Info3 = new QPlainTextEdit(Fra_Einlesen);
  // The header texts are shown, not edited: the output header is built from what the analysis
  // stored.
  for (QLineEdit* e : {Tex_Info1, Tex_Info2}) {
    e->setMaxLength(40);
    e->setReadOnly(true);
  }
  Tex_Info3->setReadOnly(true);
  Tex_Info3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Tex_Info3->setFixedHeight(Px(1000));
  auto* ge = new QGridLayout(Fra_Einlesen);
  ge->addWidget(new QLabel(QStringLiteral("Eingabe- Datei"), Fra_Einlesen), 0, 0);
  ge->addWidget(Tex_Eingabe, 0, 1, 1, 5);
  ge->addWidget(new QLabel(QStringLiteral("Version"), Fra_Einlesen), 1, 0);
  ge->addWidget(Lab_Version, 1, 1);
  ge->addWidget(new QLabel(QStringLiteral("Datum"), Fra_Einlesen), 1, 2);
  ge->addWidget(Lab_Datum, 1, 3);
  ge->addWidget(new QLabel(QStringLiteral("Währungskz."), Fra_Einlesen), 1, 4);
  ge->addWidget(Lab_WaehrungKz, 1, 5);
  ge->addWidget(new QLabel(QStringLiteral("Info- Text 1"), Fra_Einlesen), 2, 0);
  ge->addWidget(Tex_Info1, 2, 1, 1, 5);
  ge->addWidget(new QLabel(QStringLiteral("Info- Text 2"), Fra_Einlesen), 3, 0);
  ge->addWidget(Tex_Info2, 3, 1, 1, 5);
  ge->addWidget(new QLabel(QStringLiteral("Info- Text 3"), Fra_Einlesen), 4, 0, Qt::AlignTop);
  ge->addWidget(Tex_Info3, 4, 1, 1, 5);

  // Output side.
  Fra_Auslesen = new QGroupBox(QStringLiteral("Ausgabe"), this);
  Tex_Ausgabe = new QLineEdit(Fra_Auslesen);
  Com_Version = new QComboBox(Fra_Auslesen);
  Lab_Datum1 = Wertfeld(Fra_Auslesen);
  Com_WaehrungsKz = new QComboBox(Fra_Auslesen);
  auto* ga = new QGridLayout(Fra_Auslesen);
  ga->addWidget(new QLabel(QStringLiteral("Ausgabe- Datei"), Fra_Auslesen), 0, 0);
  ga->addWidget(Tex_Ausgabe, 0, 1, 1, 5);
  ga->addWidget(new QLabel(QStringLiteral("Version"), Fra_Auslesen), 1, 0);
  ga->addWidget(Com_Version, 1, 1);
  ga->addWidget(new QLabel(QStringLiteral("Datum"), Fra_Auslesen), 1, 2);
  ga->addWidget(Lab_Datum1, 1, 3);
  ga->addWidget(new QLabel(QStringLiteral("Währungskz."), Fra_Auslesen), 1, 4);
  ga->addWidget(Com_WaehrungsKz, 1, 5);

  // Progress, written by the run.
  Fra_Arbeit = new QGroupBox(this);
  Tex_ArtikelNr = new QLineEdit(Fra_Arbeit);
  Tex_Bearbeitet = new QLineEdit(Fra_Arbeit);
  Lab_Bearbeitet = Wertfeld(Fra_Arbeit);
  Lab_Fehler = Wertfeld(Fra_Arbeit);
  Tex_ArtikelNr->setReadOnly(true);
  Tex_Bearbeitet->setReadOnly(true);
  Lab_Bearbeitet->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Lab_Fehler->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fortschritt_ = new QProgressBar(Fra_Arbeit);
  fortschritt_->setObjectName(QStringLiteral("Fortschritt"));
  fortschritt_->setRange(0, 100);
  fortschritt_->setValue(0);
  auto* gw = new QGridLayout(Fra_Arbeit);
  gw->addWidget(new QLabel(QStringLiteral("Artikel Nummer"), Fra_Arbeit), 0, 0);
  gw->addWidget(Tex_ArtikelNr, 0, 1);
  gw->addWidget(new QLabel(QStringLiteral("OK"), Fra_Arbeit), 0, 2);
  gw->addWidget(Lab_Bearbeitet, 0, 3);
  gw->addWidget(Tex_Bearbeitet, 1, 0, 1, 2);
  gw->addWidget(new QLabel(QStringLiteral("Fehler"), Fra_Arbeit), 1, 2);
  gw->addWidget(Lab_Fehler, 1, 3);
  gw->addWidget(fortschritt_, 2, 0, 1, 4);
  gw->setColumnStretch(1, 1);

  // Buttons and the exchange factor.
  Frame2 = new QGroupBox(this);
  Com_Laden = new QPushButton(QStringLiteral("&Datei laden"), Frame2);
  Com_Konvertieren = new QPushButton(QStringLiteral("&Konvertieren"), Frame2);
  Com_Ende = new QPushButton(QStringLiteral("B&eenden"), Frame2);
  Lab_Faktor = new QLabel(QStringLiteral("Umr. Kurs DEM / EUR"), Frame2);
  Tex_Faktor = new QLineEdit(Frame2);
  Tex_Faktor->setReadOnly(true);
  Tex_Faktor->setAlignment(Qt::AlignRight);
  auto* gk = new QVBoxLayout(Frame2);
  gk->addWidget(Com_Laden);
  gk->addWidget(Com_Konvertieren);
  gk->addWidget(Com_Ende);
  gk->addStretch();
  gk->addWidget(Lab_Faktor);
  gk->addWidget(Tex_Faktor);

  Lab_Hilfe = new QLabel(this);
  Lab_Hilfe->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  auto* links = new QVBoxLayout;
  links->addWidget(Fra_Einlesen);
  links->addWidget(Fra_Auslesen);
  links->addWidget(Fra_Arbeit);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links, 1);
  oben->addWidget(Frame2);
  auto* l = new QVBoxLayout(this);
  l->addLayout(oben);
  l->addWidget(Lab_Hilfe);

  Registrieren("Fra_Einlesen", Fra_Einlesen);
  Registrieren("Fra_Auslesen", Fra_Auslesen);
  Registrieren("Fra_Arbeit", Fra_Arbeit);
  Registrieren("Frame2", Frame2);
  Registrieren("Tex_Eingabe", Tex_Eingabe, true);
  Registrieren("Lab_Version", Lab_Version);
  Registrieren("Lab_Datum", Lab_Datum);
  Registrieren("Lab_WaehrungKz", Lab_WaehrungKz);
  Registrieren("Tex_Info1", Tex_Info1);
  Registrieren("Tex_Info2", Tex_Info2);
  Registrieren("Tex_Info3", Tex_Info3);
  Registrieren("Tex_Ausgabe", Tex_Ausgabe, true);
  Registrieren("Com_Version", Com_Version);
  Registrieren("Lab_Datum1", Lab_Datum1);
  Registrieren("Com_WaehrungsKz", Com_WaehrungsKz);
  Registrieren("Tex_ArtikelNr", Tex_ArtikelNr);
  Registrieren("Tex_Bearbeitet", Tex_Bearbeitet);
  Registrieren("Lab_Bearbeitet", Lab_Bearbeitet);
  Registrieren("Lab_Fehler", Lab_Fehler);
  Registrieren("Com_Laden", Com_Laden);
  Registrieren("Com_Konvertieren", Com_Konvertieren);
  Registrieren("Com_Ende", Com_Ende);
  Registrieren("Lab_Faktor", Lab_Faktor);
  Registrieren("Tex_Faktor", Tex_Faktor);
  Registrieren("Lab_Hilfe", Lab_Hilfe);

  connect(Com_Laden, &QPushButton::clicked, this, &DAnzeige::Com_Laden_Click);
  connect(Com_Konvertieren, &QPushButton::clicked, this, &DAnzeige::Com_Konvertieren_Click);
  connect(Com_Ende, &QPushButton::clicked, this, &DAnzeige::Com_Ende_Click);
  connect(Tex_Eingabe, &QLineEdit::returnPressed, this, &DAnzeige::Tex_Eingabe_KeyPress_Enter);
  connect(Tex_Faktor, &QLineEdit::returnPressed, this, &DAnzeige::Tex_Faktor_KeyPress_Enter);
  // Only the user's choices arrive here; where the program selects an entry it calls the
  // handler itself.
  connect(Com_Version, &QComboBox::activated, this, &DAnzeige::Com_Version_Click);
  connect(Com_WaehrungsKz, &QComboBox::activated, this, &DAnzeige::Com_WaehrungsKz_Click);
  Tex_Eingabe->installEventFilter(this);
  Tex_Faktor->installEventFilter(this);

  // Before the first file is prepared there is nothing to convert.
  Fra_Auslesen->setEnabled(false);
  Com_Konvertieren->hide();
  FaktorSichtbar(false);

  Form_Load();
}

void DAnzeige::Form_Load() {
  Lab_Hilfe->setText(QStringLiteral("bitte die DATANORM-Datei die Sie konvertieren möchten, über 'Datei laden' auswählen"));
  Com_Version->addItems({QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
  Com_Version->setCurrentIndex(-1);
  resize(Px(8076), Px(4644));
}

bool DAnzeige::eventFilter(QObject* o, QEvent* e) {
  // Only a move of the focus inside the program counts as leaving a box, not switching to
  // another application or a message box.
  auto innerhalb = [e] {
    auto r = static_cast<QFocusEvent*>(e)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
  };
  if (o == Tex_Eingabe && e->type() == QEvent::FocusOut) {
    if (innerhalb()) Tex_Eingabe_LostFocus();
  } else if (o == Tex_Faktor && e->type() == QEvent::FocusIn) {
    Tex_Faktor_GotFocus();
  } else if (o == Tex_Faktor && e->type() == QEvent::FocusOut) {
    if (innerhalb()) Tex_Faktor_LostFocus();
  }
  return QtFenster::eventFilter(o, e);
}

bool DAnzeige::LaeuftKonvertierung() const { return lauf_; }

void DAnzeige::closeEvent(QCloseEvent* e) {
  // The run works on this window until it returns: closing it now only requests cancellation.
  if (LaeuftKonvertierung()) {
    AbbruchAnfordern();
    e->ignore();
    return;
  }
  e->accept();
}

void DAnzeige::WaehrungslisteLeeren() {
  QSignalBlocker b(Com_WaehrungsKz);
  Com_WaehrungsKz->clear();
}

void DAnzeige::WaehrungslisteHinzufuegen(const std::string& eintrag) {
  QSignalBlocker b(Com_WaehrungsKz);
  Com_WaehrungsKz->addItem(AlsQString(eintrag));
}

void DAnzeige::WaehrungslisteWaehlen(int index) {
  {
    QSignalBlocker b(Com_WaehrungsKz);
    Com_WaehrungsKz->setCurrentIndex(index);
  }
  // The selection handler runs also when the program selects an entry.
  Com_WaehrungsKz_Click();
}

void DAnzeige::FortschrittZeigen(std::uint64_t gelesen, std::uint64_t gesamt) {
  int p = 0;
  if (gesamt > 0)
    p = gelesen >= gesamt ? 100
                          : static_cast<int>(static_cast<long double>(gelesen) * 100.0L / static_cast<long double>(gesamt));
  if (p != fortschritt_->value()) fortschritt_->setValue(p);
}

void DAnzeige::Com_Laden_Click() {
  for (const char* n : {"Tex_ArtikelNr", "Lab_Fehler", "Lab_Bearbeitet", "Tex_Bearbeitet"}) SetzeText(n, "");
  fortschritt_->setValue(0);
  std::optional<QString> pfad = DateiWaehlen()(this, QString::fromLatin1(DateiauswahlTitel),
                                               QString::fromLatin1(DateiauswahlFilter));
  if (!pfad) return;
  k_.kz.Eingabedateiname = PfadAlsBytes(*pfad);
  EingabeAnalysieren(k_, *this);
  bool fehlerhaft = k_.kz.Analysestatus == 0;
  if (fehlerhaft)
    MeldungZeigen(this,
                  QStringLiteral("Fehler beim laden der Datei: ") + *pfad +
                      QStringLiteral("\n\nKeine bzw. fehlerhafte DATANORM - Datei"),
                  QStringLiteral("DATANORM-Prüfung"), Knoepfe::Ok, Symbol::Kritisch);
  AnzeigeVorbereiten();
  if (fehlerhaft) Com_Konvertieren->hide();
  Com_Version->setFocus();
}

void DAnzeige::Tex_Eingabe_KeyPress_Enter() {
  // The typed name is analysed before the output side is prepared, so that the preparation
  // works with this file's version and currency and not with those of the file before.
  Tex_Eingabe_LostFocus();
  analysiert_ = Tex_Eingabe->text();
  AnzeigeVorbereiten();
  Tex_Ausgabe->setFocus();
}

void DAnzeige::Tex_Eingabe_LostFocus() {
  if (LaeuftKonvertierung()) return;
  if (!analysiert_.isNull() && analysiert_ == Tex_Eingabe->text()) {
    analysiert_ = QString();
    return;
  }
  analysiert_ = QString();
  if (IstLeer(Text("Tex_Eingabe"))) return;
  k_.kz.Eingabedateiname = Text("Tex_Eingabe");
  EingabeAnalysieren(k_, *this);
  if (k_.kz.Analysestatus == 9) Lab_Hilfe->setText(QStringLiteral("keine Datei zum Einlesen gefunden"));
  if (k_.kz.Analysestatus != 1) {
    for (QLabel* l : {Lab_WaehrungKz, Lab_Version, Lab_Datum}) l->clear();
    Tex_Info1->clear();
    Tex_Info2->clear();
    Tex_Info3->clear();
    Lab_Hilfe->setText(QStringLiteral("keine Datei zum Einlesen gefunden"));
    k_.kz.Eingabeversion = 0;
  }
}

void DAnzeige::HilfeZurVersion() {
  QString ein = Lab_Version->text();
  QString aus = Com_Version->currentText();
  QString text = QStringLiteral("Nach Anwahl Button 'Konvertieren' wird die Datei von Version ") + ein +
                 QStringLiteral(" in Version ") + aus;
  text += ein.trimmed() == aus.trimmed() ? QStringLiteral(" umgelesen") : QStringLiteral(" konvertiert");
  Lab_Hilfe->setText(text);
}

void DAnzeige::AnzeigeVorbereiten() {
  Fra_Auslesen->setEnabled(true);
  Tex_Ausgabe->clear();
  Com_Konvertieren->show();
  if (k_.kz.Eingabeversion == 0) return;
  {
    QSignalBlocker b(Com_Version);
    Com_Version->setCurrentIndex(Com_Version->findText(QString::number(k_.kz.Eingabeversion)));
  }
  Lab_Datum1->setText(Lab_Datum->text());
  HilfeZurVersion();
  // A new file: no output currency chosen yet.
  gewaehlteWaehrung_.clear();
  WaehrungslisteFuellen();
  SetzeText("Tex_Ausgabe", AusgabenameVorschlagen(Text("Tex_Eingabe"), k_.kz.Eingabeversion));
}

void DAnzeige::FaktorSichtbar(bool an) {
  Lab_Faktor->setVisible(an);
  Tex_Faktor->setVisible(an);
}

void DAnzeige::WaehrungslisteFuellen() {
  WaehrungslisteLeeren();
  if (Com_Version->currentText() == QLatin1String("3")) {
    FaktorSichtbar(false);
    SetzeText("Tex_Ausgabe", VersionsmarkeErsetzen(Text("Tex_Ausgabe"), k_.kz.Eingabeversion, "3"));
    return;
  }
  const std::string eingabewaehrung = Text("Lab_WaehrungKz");
  const std::vector<std::string> liste = Waehrungsliste(eingabewaehrung);
  for (const std::string& w : liste) WaehrungslisteHinzufuegen(w);
  // No price is converted unless the user chooses so: the currency chosen before (another output
  // version) when the list holds it, else the input currency when the list holds it, else the
  // first entry. The order of the list stays.
  auto stelle = [&liste](const std::string& w) {
    return static_cast<int>(std::find(liste.begin(), liste.end(), w) - liste.begin());
  };
  int wahl = stelle(gewaehlteWaehrung_);
  if (gewaehlteWaehrung_.empty() || wahl == static_cast<int>(liste.size())) wahl = stelle(eingabewaehrung);
  if (wahl == static_cast<int>(liste.size())) wahl = 0;
  WaehrungslisteWaehlen(wahl);
  const std::string gewaehlt = Text("Com_WaehrungsKz");
  FaktorSichtbar(!IstLeer(gewaehlt) && Trimmen(eingabewaehrung) != "XXX" && gewaehlt != eingabewaehrung);
}

void DAnzeige::Com_Version_Click() {
  HilfeZurVersion();
  WaehrungslisteFuellen();
  SetzeText("Tex_Ausgabe",
            VersionsmarkeErsetzen(Text("Tex_Ausgabe"), k_.kz.Eingabeversion, Text("Com_Version")));
}

void DAnzeige::Com_WaehrungsKz_Click() {
  FaktorSichtbar(false);
  Tex_Faktor->clear();
  const std::string gewaehlt = Text("Com_WaehrungsKz");
  if (IstLeer(gewaehlt)) return;
  gewaehlteWaehrung_ = gewaehlt;
  if (Text("Com_Version") == "3" || Text("Lab_Version") == "3") return;
  const std::string eingabewaehrung = Text("Lab_WaehrungKz");
  if (gewaehlt == eingabewaehrung) return;
  FaktorSichtbar(true);
  // The rate looked up is that of the currency other than the euro; the run divides the prices
  // by it when that is the input currency (UmrechnungTeilt).
  std::string waehrung = eingabewaehrung != "EUR" ? eingabewaehrung : gewaehlt;
  waehrung = Gross(Trimmen(waehrung));
  int gefunden = -1;
  for (int i = 0; i < Grunddateneintraege && gefunden < 0; ++i)
    if (Gross(Trimmen(k_.gd.WaehrungTab[i])) == waehrung) gefunden = i;
  if (gefunden < 0) {
    Meldung(Ansi("Währungskennzeichen nicht in den Grunddaten gespeichert\n\nkeine Umrechnung der Preise möglich!"), "",
            Knoepfe::Ok, Symbol::Kein);
  } else if (k_.gd.KursTab[gefunden] == 0) {
    Meldung(Ansi("Umrechnungskurs nicht in den Grunddaten gespeichert\n\nkeine Umrechnung der Preise möglich!"), "",
            Knoepfe::Ok, Symbol::Kein);
  } else {
    Tex_Faktor->setText(ZahlAnzeigen(k_.gd.KursTab[gefunden], 6));
  }
}

void DAnzeige::Tex_Faktor_GotFocus() { Tex_Faktor->selectAll(); }

void DAnzeige::Tex_Faktor_KeyPress_Enter() { Com_Konvertieren->setFocus(); }

void DAnzeige::Tex_Faktor_LostFocus() {
  if (Tex_Faktor->isHidden()) return;
  QString t = Tex_Faktor->text();
  int komma = t.indexOf(QLatin1Char(','));
  if (komma >= 0) t[komma] = QLatin1Char('.');
  Tex_Faktor->setText(ZahlAnzeigen(ZahlWert(t), 6));
}

void DAnzeige::Com_Konvertieren_Click() {
  if (LaeuftKonvertierung()) return;
  fortschritt_->setValue(0);
  lauf_ = true;
  InteraktivLauf(k_, *this);
  lauf_ = false;
}

void DAnzeige::Com_Ende_Click() {
  const bool angefordert = AbbruchAnfordern();
  Sanduhr(false);
  if (!angefordert && !LaeuftKonvertierung()) close();
}

}  // namespace korvelan::ui
