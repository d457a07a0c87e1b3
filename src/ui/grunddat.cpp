#include "ui/grunddat.h"

#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <cerrno>

#include "context/dateien.h"
#include "record/festkomma.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"
#include "settings/grunddaten.h"
#include "ui/qtfenster.h"
#include "ui/zahlen.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {

constexpr int ZeilenRolle = Qt::UserRole;

std::string Einheitenzeile(const std::string& codeUndBezeichnung, const std::string& schreibweisen) {
  return Auffuellen(codeUndBezeichnung, 20) + "\t" + schreibweisen;
}

QFont Festbreitenschrift() {
  QFont f(QStringLiteral("Courier New"), 10);
  f.setStyleHint(QFont::Monospace);
  return f;
}

}  // namespace

std::string SchreibweisenNormalisieren(const std::string& text) {
  std::string ergebnis, stueck;
  auto anhaengen = [&] {
    if (!IstLeer(stueck)) {
      std::size_t a = stueck.find_first_not_of(' ');
      ergebnis += Auffuellen(stueck.substr(a), 4) + ";";
    }
    stueck.clear();
  };
  for (char c : text) {
    if (c == ';')
      anhaengen();
    else
      stueck += c;
  }
  anhaengen();
  if (!IstLeer(ergebnis) && ergebnis.back() != ';') ergebnis += ";";
  return ergebnis;
}

std::string CodeUndBezeichnung(const std::string& text) {
  std::string gepolstert = text + std::string(20, ' ');
  std::size_t i = 0;
  while (i < gepolstert.size() && gepolstert[i] != ' ' && i < 4) ++i;
  std::string rest = gepolstert.substr(i, gepolstert.size() - i - 1);
  return gepolstert.substr(0, i) + " " + Trimmen(rest);
}

Grunddat::Grunddat(Kontext& k, QWidget* eltern) : QWidget(eltern, eltern ? Qt::Window : Qt::WindowFlags()), k_(k) {
  setWindowTitle(QStringLiteral("Verwaltung Umr.Faktoren / Mengeneinheiten"));
  setObjectName(QStringLiteral("Grunddat"));
  auto* Label1 = new QLabel(QStringLiteral("EUR Umrechnungskurs"), this);
  auto* Label2 = new QLabel(QStringLiteral("Übertragungs-Mengeneinheiten (Vers.5) "), this);
  auto* Label3 = new QLabel(QStringLiteral("&Währung"), this);
  auto* Label4 = new QLabel(QStringLiteral("&Kurs (je 1 EUR)"), this);
  auto* Label5 = new QLabel(QStringLiteral("&Code und Bezeichnung"), this);
  auto* Label6 = new QLabel(QStringLiteral("&Schreibweisen (durch ; getrennt)"), this);
  List1 = new QListWidget(this);
  List2 = new QListWidget(this);
  Tex_Waehrung = new QLineEdit(this);
  Tex_Kurs = new QLineEdit(this);
  Tex_EinhV5 = new QLineEdit(this);
  Tex_Einh = new QLineEdit(this);
  Command1 = new QPushButton(QStringLiteral("&neu"), this);
  Com_Loschen = new QPushButton(QStringLiteral("&löschen"), this);
  Com_Ende = new QPushButton(QStringLiteral("B&eenden"), this);
  const std::pair<QWidget*, const char*> namen[] = {
      {List1, "List1"},         {List2, "List2"},       {Tex_Waehrung, "Tex_Waehrung"}, {Tex_Kurs, "Tex_Kurs"},
      {Tex_EinhV5, "Tex_EinhV5"}, {Tex_Einh, "Tex_Einh"}, {Command1, "Command1"},         {Com_Loschen, "Com_Loschen"},
      {Com_Ende, "Com_Ende"}};
  for (auto& [w, n] : namen) w->setObjectName(QString::fromLatin1(n));
  List1->setFont(Festbreitenschrift());
  List2->setFont(Festbreitenschrift());
  Tex_Waehrung->setReadOnly(true);
  Tex_EinhV5->setReadOnly(true);

  // Each edit box carries its label above it (and is reached by the label's access key).
  Label3->setBuddy(Tex_Waehrung);
  Label4->setBuddy(Tex_Kurs);
  Label5->setBuddy(Tex_EinhV5);
  Label6->setBuddy(Tex_Einh);
  auto* g = new QGridLayout(this);
  g->addWidget(Label1, 0, 0, 1, 2);
  g->addWidget(Label2, 0, 2, 1, 2);
  g->addWidget(List1, 1, 0, 1, 2);
  g->addWidget(List2, 1, 2, 1, 2);
  g->addWidget(Label3, 2, 0);
  g->addWidget(Label4, 2, 1);
  g->addWidget(Label5, 2, 2);
  g->addWidget(Label6, 2, 3);
  g->addWidget(Tex_Waehrung, 3, 0);
  g->addWidget(Tex_Kurs, 3, 1);
  g->addWidget(Tex_EinhV5, 3, 2);
  g->addWidget(Tex_Einh, 3, 3);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(Command1);
  knoepfe->addWidget(Com_Loschen);
  knoepfe->addWidget(Com_Ende);
  g->addLayout(knoepfe, 4, 0, 1, 4);
  g->setRowStretch(1, 1);
  g->setColumnStretch(3, 1);

  connect(List1, &QListWidget::currentRowChanged, this, &Grunddat::List1_Click);
  connect(List1, &QListWidget::itemClicked, this, &Grunddat::List1_Click);
  connect(List2, &QListWidget::currentRowChanged, this, &Grunddat::List2_Click);
  connect(List2, &QListWidget::itemClicked, this, &Grunddat::List2_Click);
  connect(Tex_Einh, &QLineEdit::textChanged, this, &Grunddat::Tex_Einh_Change);
  connect(Tex_Kurs, &QLineEdit::returnPressed, List2, qOverload<>(&QWidget::setFocus));
  connect(Tex_Einh, &QLineEdit::returnPressed, List2, qOverload<>(&QWidget::setFocus));
  connect(Command1, &QPushButton::clicked, this, &Grunddat::Command1_Click);
  connect(Com_Loschen, &QPushButton::clicked, this, &Grunddat::Com_Loschen_Click);
  connect(Com_Ende, &QPushButton::clicked, this, &Grunddat::Com_Ende_Click);
  for (QLineEdit* e : {Tex_Kurs, Tex_Einh, Tex_EinhV5}) e->installEventFilter(this);

  Form_Load();
}

bool Grunddat::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusIn && o == Tex_Kurs) Tex_Kurs_GotFocus();
  if (e->type() == QEvent::FocusOut) {
    auto r = static_cast<QFocusEvent*>(e)->reason();
    if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) {
      if (o == Tex_Kurs) Tex_Kurs_LostFocus();
      if (o == Tex_Einh) Tex_Einh_LostFocus();
      if (o == Tex_EinhV5) Tex_EinhV5_LostFocus();
    }
  }
  return QWidget::eventFilter(o, e);
}

std::string Grunddat::Zeile1(int i) const {
  QListWidgetItem* it = List1->item(i);
  return it ? it->data(ZeilenRolle).toByteArray().toStdString() : std::string();
}
std::string Grunddat::Zeile2(int i) const {
  QListWidgetItem* it = List2->item(i);
  return it ? it->data(ZeilenRolle).toByteArray().toStdString() : std::string();
}

namespace {
void ZeileSetzen(QListWidgetItem* it, const std::string& zeile) {
  it->setData(ZeilenRolle, QByteArray::fromStdString(zeile));
  // The tab between the columns is shown as two blanks; the columns are already padded.
  it->setText(AlsQString(zeile).replace(QLatin1Char('\t'), QLatin1String("  ")));
}
}  // namespace

void Grunddat::SetzeZeile1(int i, const std::string& zeile) {
  if (QListWidgetItem* it = List1->item(i)) ZeileSetzen(it, zeile);
}
void Grunddat::SetzeZeile2(int i, const std::string& zeile) {
  if (QListWidgetItem* it = List2->item(i)) ZeileSetzen(it, zeile);
}
void Grunddat::ZeileHinzufuegen(QListWidget* liste, const std::string& zeile) {
  auto* it = new QListWidgetItem;
  ZeileSetzen(it, zeile);
  QSignalBlocker b(liste);
  liste->addItem(it);
}

void Grunddat::Form_Load() {
  FaktAnzeigen();
  gesichert_ = k_.gd;
  // The window opens at a size that shows both lists whole, every row and its full width. The
  // lists may still be made smaller afterwards (a small screen): they scroll then.
  const int rand = 2 * List1->frameWidth() + List1->verticalScrollBar()->sizeHint().width() + 4;
  List1->setMinimumWidth(List1->sizeHintForColumn(0) + rand);
  const int zeilen = std::max(List1->count(), List2->count());
  const int zeilenhoehe = std::max(List2->sizeHintForRow(0), List1->sizeHintForRow(0));
  List2->setMinimumSize(List2->sizeHintForColumn(0) + rand,
                        zeilenhoehe * std::max(zeilen, 1) + 2 * List2->frameWidth() +
                            List2->horizontalScrollBar()->sizeHint().height());
  const QSize ganz = sizeHint();
  List1->setMinimumSize(0, 0);
  List2->setMinimumSize(0, 0);
  resize(ganz);
}

bool Grunddat::Geaendert() const { return GrunddatenText(k_.gd) != GrunddatenText(gesichert_); }

void Grunddat::AenderungenVerwerfen() { k_.gd = gesichert_; }

void Grunddat::FaktAnzeigen() {
  {
    QSignalBlocker b1(List1), b2(List2);
    List1->clear();
    List2->clear();
  }
  const Grunddaten& gd = k_.gd;
  for (int i = 0; i < Grunddateneintraege && !IstLeer(gd.WaehrungTab[i]); ++i)
    ZeileHinzufuegen(List1, gd.WaehrungTab[i] + "\t" + AlsAnsi(ZahlAnzeigen(gd.KursTab[i], 6)));
  for (int i = 0; i < Grunddateneintraege && !IstLeer(gd.EinhV5Tab[i]); ++i)
    ZeileHinzufuegen(List2, Einheitenzeile(gd.EinhV5Tab[i], gd.EinhTab[i]));
}

void Grunddat::List1_Click() {
  int i = List1->currentRow();
  if (i < 0) return;
  waehrungszeile_ = i;
  const std::string zeile = Zeile1(i);
  Tex_Waehrung->setText(AlsQString(Mitte(zeile, 1, 3)));
  QString kurs = AlsQString(Mitte(zeile, 5, 15)).replace(QLatin1Char(','), QLatin1Char('.'));
  Tex_Kurs->setText(ZahlAnzeigen(ZahlWert(kurs), 6));
}

void Grunddat::Tex_Kurs_GotFocus() { Tex_Kurs->selectAll(); }

void Grunddat::Tex_Kurs_LostFocus() {
  double v = ZahlWert(Tex_Kurs->text().replace(QLatin1Char(','), QLatin1Char('.')));
  const std::string waehrung = AlsAnsi(Tex_Waehrung->text());
  SetzeZeile1(waehrungszeile_, waehrung + "\t" + AlsAnsi(ZahlAnzeigen(v, 6)));
  const std::string gesucht = Gross(Trimmen(waehrung));
  for (int i = 0; i < Grunddateneintraege; ++i)
    if (Gross(Trimmen(k_.gd.WaehrungTab[i])) == gesucht) k_.gd.KursTab[i] = v;
}

void Grunddat::List2_Click() {
  if (bearbeitungszeile_ == NeueZeile) return;
  int i = List2->currentRow();
  if (i < 0) return;
  bearbeitungszeile_ = i;
  const std::string zeile = Zeile2(i);
  Tex_EinhV5->setText(AlsQString(Mitte(zeile, 1, 20)));
  Tex_Einh->setText(AlsQString(zeile.size() > 21 ? zeile.substr(21) : std::string()));
}

void Grunddat::Tex_Einh_Change() {
  if (bearbeitungszeile_ == NeueZeile) return;
  const std::string einh = AlsAnsi(Tex_Einh->text());
  SetzeZeile2(bearbeitungszeile_, Einheitenzeile(AlsAnsi(Tex_EinhV5->text()), einh));
  if (bearbeitungszeile_ >= 0 && bearbeitungszeile_ < Grunddateneintraege) k_.gd.EinhTab[bearbeitungszeile_] = einh;
}

void Grunddat::Tex_Einh_LostFocus() {
  if (bearbeitungszeile_ == NeueZeile) return;
  const std::string ergebnis = SchreibweisenNormalisieren(AlsAnsi(Tex_Einh->text()));
  SetzeZeile2(bearbeitungszeile_, Einheitenzeile(AlsAnsi(Tex_EinhV5->text()), ergebnis));
  if (bearbeitungszeile_ >= 0 && bearbeitungszeile_ < Grunddateneintraege) k_.gd.EinhTab[bearbeitungszeile_] = ergebnis;
}

void Grunddat::Command1_Click() {
  bearbeitungszeile_ = NeueZeile;
  Tex_EinhV5->setReadOnly(false);
  Tex_EinhV5->clear();
  Tex_Einh->clear();
  Tex_EinhV5->setFocus();
}

void Grunddat::EinheitenAusListe() {
  for (int i = 0; i < Grunddateneintraege; ++i) {
    k_.gd.EinhV5Tab[i].clear();
    k_.gd.EinhTab[i].clear();
  }
  for (int i = 0; i < List2->count() && i < Grunddateneintraege; ++i) {
    const std::string zeile = Zeile2(i);
    k_.gd.EinhV5Tab[i] = std::string(Mitte(zeile, 1, 20));
    k_.gd.EinhTab[i] = zeile.size() > 21 ? zeile.substr(21) : std::string();
  }
}

void Grunddat::Tex_EinhV5_LostFocus() {
  if (bearbeitungszeile_ != NeueZeile) return;
  if (IstLeer(AlsAnsi(Tex_EinhV5->text()))) return;
  Tex_EinhV5->setText(AlsQString(CodeUndBezeichnung(AlsAnsi(Tex_EinhV5->text()))));
  Tex_EinhV5->setReadOnly(true);
  const std::string code = AlsAnsi(Tex_EinhV5->text());
  ZeileHinzufuegen(List2, Einheitenzeile(code, AlsAnsi(Tex_Einh->text())));
  // The row that takes the spellings typed next: the first one with the same code field, which
  // is the new row unless an earlier row has that code.
  const std::string gesucht = Gross(Mitte(code, 1, 4));
  int treffer = List2->count() - 1;
  for (int i = 0; i < List2->count(); ++i)
    if (Gross(Mitte(Zeile2(i), 1, 4)) == gesucht) {
      treffer = i;
      break;
    }
  {
    QSignalBlocker b(List2);
    List2->setCurrentRow(treffer);
  }
  bearbeitungszeile_ = treffer;
  EinheitenAusListe();
  Tex_Einh->setFocus();
}

void Grunddat::Com_Loschen_Click() {
  if (bearbeitungszeile_ > List2->count() - 1 || bearbeitungszeile_ == -1 || List2->currentRow() < 0) return;
  {
    QSignalBlocker b(List2);
    delete List2->takeItem(bearbeitungszeile_);
  }
  EinheitenAusListe();
  bearbeitungszeile_ = 0;
  {
    QSignalBlocker b(List2);
    List2->setCurrentRow(0);
  }
  List2_Click();
}

bool Grunddat::FaktSpeichern() {
  const std::string pfad = GrunddatenPfad(k_.Programmverzeichnis);
  // Written like a conversion's output: a new file beside the old one takes its name only when
  // it is complete (and on the disk), so that a failed write leaves the old file as it was.
  Ausgabedatei datei;
  try {
    if (!datei.Erstellen(pfad, true)) throw SystemFehler(errno ? errno : EIO);
    const std::string text = GrunddatenText(k_.gd);
    for (std::size_t a = 0, e; (e = text.find("\r\n", a)) != std::string::npos; a = e + 2)
      datei.ZeileSchreiben(std::string_view(text).substr(a, e - a));
    datei.Schliessen();
  } catch (const Laufzeitfehler& fehler) {
    datei.Verwerfen();
    MeldungZeigen(this,
                  QStringLiteral("Die Grunddaten konnten nicht gespeichert werden:\n\n") + PfadAlsQString(pfad) +
                      QStringLiteral("\n\n") + AlsQString(fehler.Text()),
                  QStringLiteral("Grunddaten"), Knoepfe::Ok, Symbol::Kein);
    return false;
  }
  gesichert_ = k_.gd;
  return true;
}

void Grunddat::Com_Ende_Click() {
  // A failed write was reported; the window closes all the same and the changes stay in memory.
  FaktSpeichern();
  close();
}

}  // namespace korvelan::ui
