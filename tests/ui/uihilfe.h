#pragma once
// Helpers of the window tests: answering modal boxes, small DATANORM files, a German locale.
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "record/text.h"
#include "testhilfe.h"
#include "ui/fanzeige.h"

namespace korvelan::test {

// Answers every modal box that appears while it lives: a repeating 10 ms timer waits for
// QApplication::activeModalWidget(), notes title and text, and clicks the prepared answer
// (without one: the first button, Ok or Yes; an input box is cancelled; the error log closes).
class Boxen : public QObject {
 public:
  struct Box {
    QString art, titel, text;
    int breite = 0;        // width of the box when it was answered
    QStringList knoepfe;   // texts of its buttons
    QString vorgabe;       // text of its default button (message boxes)
  };
  Boxen() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Pruefen(); });
    timer_.start();
  }

  // Called with each box before it is answered (to look at the windows while it is open).
  std::function<void(QWidget*)> vorAntwort;
  std::deque<QMessageBox::StandardButton> knoepfe;
  std::deque<std::optional<QString>> eingaben;
  QList<Box> gesehen;

  QStringList Texte() const {
    QStringList t;
    for (const Box& b : gesehen) t << b.text;
    return t;
  }

 private:
  // The modal box, or an error log shown as a sub-window of the main window (modal there).
  static QWidget* Offen() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    for (QWidget* w : QApplication::allWidgets())
      if (qobject_cast<ui::FAnzeige*>(w) && w->isVisible() && !w->property("beantwortet").toBool()) return w;
    return nullptr;
  }

  void Pruefen() {
    QWidget* w = Offen();
    if (!w || w->property("beantwortet").toBool()) return;
    w->setProperty("beantwortet", true);
    if (vorAntwort) vorAntwort(w);
    if (auto* m = qobject_cast<QMessageBox*>(w)) {
      Box box{QStringLiteral("Meldung"), m->windowTitle(), m->text(), m->width(), {}, {}};
      for (QAbstractButton* k : m->buttons()) box.knoepfe << k->text();
      if (m->defaultButton()) box.vorgabe = m->defaultButton()->text();
      gesehen.append(box);
      QAbstractButton* b = nullptr;
      if (!knoepfe.empty()) {
        b = m->button(knoepfe.front());
        knoepfe.pop_front();
      }
      if (!b) b = m->button(QMessageBox::Ok);
      if (!b) b = m->button(QMessageBox::Yes);
      if (b)
        b->click();
      else
        m->reject();
    } else if (auto* e = qobject_cast<QInputDialog*>(w)) {
      gesehen.append({QStringLiteral("Eingabe"), e->windowTitle(), e->labelText(), e->width(), {}, {}});
      std::optional<QString> a;
      if (!eingaben.empty()) {
        a = eingaben.front();
        eingaben.pop_front();
      }
      if (a) {
        e->setTextValue(*a);
        e->accept();
      } else {
        e->reject();
      }
    } else if (auto* f = qobject_cast<ui::FAnzeige*>(w)) {
      gesehen.append({QStringLiteral("Protokoll"), f->windowTitle(), f->Protokoll(), f->width(), {}, {}});
      f->Com_Ende_Click();
    } else if (auto* d = qobject_cast<QDialog*>(w)) {
      gesehen.append({QStringLiteral("Dialog"), d->windowTitle(), QString(), d->width(), {}, {}});
      d->reject();
    }
  }

  QTimer timer_;
};

inline void DeutschEinstellen() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

// A version-4 header line: date, three info texts, version "04" and the currency.
inline std::string V4Kopf(const std::string& waehrung, const std::string& info1 = "Testdaten") {
  return "V 010125" + Auffuellen(info1, 40) + Auffuellen("", 40) + Auffuellen("", 35) + "04" + waehrung;
}

// A small version-4 article file in the given currency.
inline std::string V4Datei(const std::string& waehrung) {
  return Zeilen({V4Kopf(waehrung), "A;N;4711;00;Schraube M6;Kreuzschlitz;1;0;Stk;1962;RG1;001;;",
                 "A;N;4712;00;Mutter M6;;1;0;Stk;500;RG1;001;;"});
}

// A version-3 file: header and one article record of 128 characters each.
inline std::string V3Datei() {
  std::string kopf = Auffuellen("V 010125Testdaten", 128);
  std::string satz = Auffuellen("A N4711", 128);
  return kopf + "\r\n" + satz + "\r\n";
}

}  // namespace korvelan::test
