#include "ui/qtfenster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMdiArea>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include <utility>

#include "record/festkomma.h"
#include "ui/arbeitsbereich.h"
#include "ui/fanzeige.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

int TitelBreite(const QString& titel) {
  // The title bar's font is the window system's; the application's font with a quarter more,
  // and room for the bar's buttons.
  return QFontMetrics(QApplication::font()).horizontalAdvance(titel) * 5 / 4 + 150;
}

Antwort MeldungZeigen(QWidget* eltern, const QString& text, const QString& titel, Knoepfe knoepfe, Symbol symbol) {
  QMessageBox box(eltern);
  box.setWindowTitle(titel.isEmpty() ? QString::fromLatin1(Anwendungstitel) : titel);
  box.setTextFormat(Qt::PlainText);
  box.setText(ZeilenendenFuerAnzeige(text));
  switch (symbol) {
    case Symbol::Frage: box.setIcon(QMessageBox::Question); break;
    case Symbol::Kritisch: box.setIcon(QMessageBox::Critical); break;
    case Symbol::Information: box.setIcon(QMessageBox::Information); break;
    case Symbol::Kein: box.setIcon(QMessageBox::NoIcon); break;
  }
  switch (knoepfe) {
    case Knoepfe::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Knoepfe::OkAbbrechen:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      break;
    case Knoepfe::JaNein:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case Knoepfe::JaNeinVorgabeNein:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::No);
      break;
    case Knoepfe::JaNeinAbbrechen:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      break;
  }
  // A box narrower than its title gets the title cut by the window system: a blank row of the
  // title's width keeps it wide enough (the box sizes itself from its layout, which the setters
  // above build anew).
  if (auto* raster = qobject_cast<QGridLayout*>(box.layout()))
    raster->addItem(new QSpacerItem(TitelBreite(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                    raster->rowCount(), 0, 1, raster->columnCount());
  switch (box.exec()) {
    case QMessageBox::Cancel: return Antwort::Abbrechen;
    case QMessageBox::Yes: return Antwort::Ja;
    case QMessageBox::No: return Antwort::Nein;
    default:
      // Closing the box without a button answers like its escape button.
      if (box.clickedButton() == nullptr &&
          (knoepfe == Knoepfe::OkAbbrechen || knoepfe == Knoepfe::JaNeinAbbrechen))
        return Antwort::Abbrechen;
      return Antwort::Ok;
  }
}

QtFenster::QtFenster(QWidget* eltern) : QWidget(eltern, eltern ? Qt::Window : Qt::WindowFlags()) {}

QtFenster::~QtFenster() {
  if (sanduhr_) QApplication::restoreOverrideCursor();
}

void QtFenster::Registrieren(const char* name, QWidget* w, bool pfad) {
  w->setObjectName(QString::fromLatin1(name));
  steuer_[name] = w;
  if (pfad) pfade_.insert(name);
  const int platz = ProSatzPlatz(name);
  if (platz >= 0) proSatz_[static_cast<std::size_t>(platz)].steuerelement = w;
}

QWidget* QtFenster::Steuerelement(std::string_view name) const {
  auto it = steuer_.find(name);
  return it == steuer_.end() ? nullptr : it->second;
}


std::string QtFenster::Text(std::string_view name) const {
  QWidget* w = Steuerelement(name);
  if (!w) return {};
  const int platz = ProSatzPlatz(name);
  if (platz >= 0 && proSatz_[static_cast<std::size_t>(platz)].wartet) {
    const std::string& text = proSatz_[static_cast<std::size_t>(platz)].text;
    return ZeigtDateitext(platz) ? text : AlsAnsi(AlsQString(text));
  }
  QString t;
  if (auto* e = qobject_cast<QLineEdit*>(w))
    t = e->text();
  else if (auto* l = qobject_cast<QLabel*>(w))
    t = l->text();
  else if (auto* c = qobject_cast<QComboBox*>(w))
    t = c->currentText();
  else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
    t = p->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  else if (auto* b = qobject_cast<QAbstractButton*>(w))
    t = b->text();
  if (pfade_.count(name)) return PfadAlsBytes(t);
  if (ZeigtDateitext(platz)) return AlsDateitext(t);
  return AlsAnsi(t);
}

void QtFenster::SetzeText(std::string_view name, std::string_view text) {
  // The texts set for every record are held back without looking up their control by name: a
  // run sets them a few million times.
  const int platz = ProSatzPlatz(name);
  if (platz >= 0) {
    ProSatzText& p = proSatz_[static_cast<std::size_t>(platz)];
    if (!p.steuerelement) return;
    p.zahlGilt = false;
    if (sanduhr_) {
      p.text.assign(text.data(), text.size());
      p.wartet = true;
      return;
    }
    p.wartet = false;
  }
  QWidget* w = Steuerelement(name);
  if (!w) return;
  QString t = pfade_.count(name)      ? PfadAlsQString(std::string(text))
              : ZeigtDateitext(platz) ? DateitextAlsQString(text)
                                      : AlsQString(text);
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    e->setText(t);
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    l->setText(t);
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    int i = c->findText(t);
    if (i >= 0)
      c->setCurrentIndex(i);
    else if (c->isEditable())
      c->setEditText(t);
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    p->setPlainText(ZeilenendenFuerAnzeige(t));
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    b->setText(t);
  }
}

bool QtFenster::Sichtbar(std::string_view name) const {
  QWidget* w = Steuerelement(name);
  return w && !w->isHidden();
}

void QtFenster::Aktivieren(std::string_view name, bool an) {
  if (QWidget* w = Steuerelement(name)) w->setEnabled(an);
}

void QtFenster::AusstehendeAnzeigen() {
  const bool an = sanduhr_;
  sanduhr_ = false;  // shown now, not held back again
  for (std::size_t i = 0; i < proSatz_.size(); ++i) {
    if (!proSatz_[i].wartet) continue;
    const std::string text = std::move(proSatz_[i].text);
    SetzeText(ProSatzNamen[i], text);
  }
  sanduhr_ = an;
}

Antwort QtFenster::Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) {
  AusstehendeAnzeigen();
  return MeldungZeigen(this, AlsQString(text), AlsQString(titel), knoepfe, symbol);
}

std::optional<std::string> QtFenster::Eingabe(const std::string& aufforderung, const std::string& titel,
                                              const std::string& vorgabe) {
  AusstehendeAnzeigen();
  QInputDialog d(this);
  d.setWindowTitle(titel.empty() ? QString::fromLatin1(Anwendungstitel) : AlsQString(titel));
  d.setMinimumWidth(TitelBreite(d.windowTitle()));
  d.setLabelText(ZeilenendenFuerAnzeige(AlsQString(aufforderung)));
  d.setTextValue(AlsQString(vorgabe));
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return AlsAnsi(d.textValue());
}

char QtFenster::Dezimalzeichen() const {
  const std::string z = AlsAnsi(QLocale().decimalPoint());
  return z.size() == 1 ? z[0] : '.';
}

void QtFenster::Sanduhr(bool an) {
  if (!an) {
    AusstehendeAnzeigen();
    // The end of a run is painted at once: the progress window of the command line closes right
    // after it, and its last state (100 %, every record) is to be seen.
    if (sanduhr_ && isVisible()) repaint();
  }
  if (an == sanduhr_) return;
  sanduhr_ = an;
  if (an)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtFenster::Piepton() { QApplication::beep(); }

void QtFenster::ProSatzHalten(std::size_t platz, std::string_view text) {
  ProSatzText& p = proSatz_[platz];
  if (!p.steuerelement) return;
  if (!sanduhr_) {
    SetzeText(ProSatzNamen[platz], text);
    return;
  }
  p.text.assign(text.data(), text.size());
  p.wartet = true;
}

void QtFenster::ProSatzZahlHalten(std::size_t platz, std::int64_t zahl) {
  ProSatzText& p = proSatz_[platz];
  if (!p.steuerelement) return;
  // Only a count that changed is formatted anew: most reports repeat the error count.
  if (p.zahlGilt && p.zahl == zahl) return;
  ProSatzHalten(platz, FormatierenGanz(zahl, platz == 2 ? "#######" : "#####0"));
  p.zahl = zahl;
  p.zahlGilt = true;
}

bool QtFenster::Melden(const Fortschritt& stand) {
  ProSatzHalten(0, stand.schluessel);
  ProSatzHalten(1, stand.zeile);
  ProSatzZahlHalten(2, stand.bearbeitet);
  ProSatzZahlHalten(3, stand.fehler);
  FortschrittZeigen(stand.gelesen, stand.gesamt);
  if (stand.ende) {
    imLauf_ = false;
    abbrechen_ = false;
    return false;
  }
  imLauf_ = true;
  EreignisseVerarbeiten();
  return std::exchange(abbrechen_, false);
}

bool QtFenster::AbbruchAnfordern() {
  if (!imLauf_) return false;
  abbrechen_ = true;
  return true;
}

void QtFenster::EreignisseVerarbeiten() {
  // Called once per record. Letting Qt paint after every record would cost more than the
  // conversion itself, so pending events are processed at most every 20 ms; a cancel request
  // is still seen before the next record after that.
  if (letzteVerarbeitung_.isValid() && letzteVerarbeitung_.elapsed() < 20) return;
  AusstehendeAnzeigen();
  QCoreApplication::processEvents();
  letzteVerarbeitung_.start();
}

void QtFenster::ProtokollZeigen(const std::string& protokoll, int obenTwips, int linksTwips) {
  AusstehendeAnzeigen();
  QMdiArea* bereich = Arbeitsbereich(this);
  if (!bereich) {
    // A window of its own (the progress window of the command line): the log is a dialog.
    FAnzeige f(this);
    f.ProtokollSetzen(AlsQString(protokoll));
    QPoint p = frameGeometry().topLeft();
    f.move(p.x() + Px(linksTwips), p.y() + Px(obenTwips));
    f.exec();
    return;
  }
  // In the main window the log is a sub-window of the work area, over the window that drove the
  // run. It is modal there: the other sub-windows and the menu wait until it is closed.
  auto* f = new FAnzeige;
  f->ProtokollSetzen(AlsQString(protokoll));
  auto* sub = new Unterfenster(bereich, f);
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  sub->move(Rahmen(this)->pos() + QPoint(Px(linksTwips), Px(obenTwips)));
  QList<QPointer<QWidget>> gesperrt;
  for (QMdiSubWindow* anderes : bereich->subWindowList())
    if (anderes != sub && anderes->isEnabled()) gesperrt << anderes;
  if (auto* haupt = qobject_cast<QMainWindow*>(bereich->window()); haupt && haupt->menuWidget() &&
                                                                      haupt->menuWidget()->isEnabled())
    gesperrt << haupt->menuWidget();
  for (QWidget* w : gesperrt) w->setEnabled(false);
  sub->show();
  bereich->setActiveSubWindow(sub);
  f->exec();
  for (const QPointer<QWidget>& w : gesperrt)
    if (w) w->setEnabled(true);
  delete sub;
}

}  // namespace korvelan::ui
