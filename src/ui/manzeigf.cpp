#include "ui/manzeigf.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>

#include "formats/feldlayout.h"
#include "record/festkomma.h"
#include "record/text.h"
#include "ui/arbeitsbereich.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {

// A number shown with the user's decimal separator.
std::string OrtsueblicheZahl(const std::string& zahl) {
  return AlsAnsi(QString::fromStdString(zahl).replace(QLatin1Char('.'), QLocale().decimalPoint()));
}

// The window's answer to a line whose record kind the tables do not describe.
Feldauskunft Unbeschrieben(char buchstabe, int version) {
  return {Feldauskunft::Unbeschrieben,
          {std::string(1, GrossZeichen(buchstabe)) + " ",
           "Dieser Satz ist in Version " + FormatierenGanz(version, "0") + " nicht beschrieben.", "", ""}};
}

}  // namespace

Feldauskunft FeldauskunftErmitteln(const std::string& zeile, int k, int version) {
  const feldlayout::Layout* layout = feldlayout::LayoutDerVersion(version);
  if (zeile.empty()) return {Feldauskunft::Nichts, {}};
  // A version without tables (a header may name any version) describes none of its lines.
  std::optional<feldlayout::Zerlegung> z;
  if (layout) z = feldlayout::ZeileZerlegen(*layout, zeile);
  if (!z) return Unbeschrieben(zeile[0], version);
  // The field clicked: the first one that ends at or after the column (the ";" that ends a
  // field belongs to it). A field without a label of its own passes the click to the next.
  for (std::size_t i = 0; i < z->felder.size(); ++i) {
    const feldlayout::Feldinhalt& f = z->felder[i];
    if (f.ende < k || f.feld->OhneEigenenNamen()) continue;
    return {Feldauskunft::Feld,
            {z->buchstabe + " ", z->Bezeichnung(i), f.name,
             (f.zahl ? OrtsueblicheZahl(f.wert) : f.wert) + f.zusatz + " "}};
  }
  // Beyond the rest of a record whose selecting field holds a value the tables do not know.
  if (z->teilUnbekannt) return Unbeschrieben(zeile[0], version);
  return {Feldauskunft::Nichts, {}};
}

std::optional<Feldinformation> FeldinformationErmitteln(const std::string& zeile, int k, int version) {
  Feldauskunft a = FeldauskunftErmitteln(zeile, k, version);
  if (a.art != Feldauskunft::Feld) return std::nullopt;
  return a.info;
}

MANZEIGF::MANZEIGF(QWidget* eltern) : QWidget(eltern, Qt::Window) {
  setWindowTitle(QStringLiteral("Feldinformation"));
  setObjectName(QStringLiteral("MANZEIGF"));
  Lab_Satzart = new QLabel(this);
  Lab_SatzartBez = new QLabel(this);
  Lab_Feldbezeichnung = new QLabel(this);
  Lab_Feldinhalt = new QLabel(this);
  Lab_Satzart->setObjectName(QStringLiteral("Lab_Satzart"));
  Lab_SatzartBez->setObjectName(QStringLiteral("Lab_SatzartBez"));
  Lab_Feldbezeichnung->setObjectName(QStringLiteral("Lab_Feldbezeichnung"));
  Lab_Feldinhalt->setObjectName(QStringLiteral("Lab_Feldinhalt"));
  for (QLabel* l : {Lab_Satzart, Lab_Feldinhalt}) {
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }
  Lab_Feldinhalt->setTextFormat(Qt::PlainText);
  Lab_Feldinhalt->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* l = new QHBoxLayout(this);
  l->addWidget(Lab_Satzart);
  l->addWidget(Lab_SatzartBez, 2);
  l->addWidget(Lab_Feldbezeichnung, 2);
  l->addWidget(Lab_Feldinhalt, 4);
}

void MANZEIGF::Zeigen(const std::string& zeile, int k, int version, int breite) {
  hide();
  const Feldauskunft a = FeldauskunftErmitteln(zeile, k, version);
  if (a.art == Feldauskunft::Nichts) return;
  const Feldinformation* f = &a.info;
  Lab_SatzartBez->setText(AlsQString(f->satzartbezeichnung));
  Lab_Satzart->setText(AlsQString(f->satzart));
  Lab_Feldbezeichnung->setText(AlsQString(f->feldbezeichnung));
  Lab_Feldinhalt->setText(AlsQString(f->feldinhalt));
  // At the top left of the screen, or of the main window's work area when it is a sub-window
  // there; the frame takes the width given.
  QWidget* rahmen = Rahmen(this);
  rahmen->move(0, 0);
  rahmen->resize(breite, rahmen->sizeHint().height());
  show();
  rahmen->show();
  rahmen->raise();
}

}  // namespace korvelan::ui
