#include "ui/zeilenliste.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "record/laufzeitfehler.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {
constexpr int Rand = 3;  // pixels left of the first column
}

// ---- Zeilenmodell ----------------------------------------------------------------------------

void Zeilenmodell::Setzen(Zeilenindex* index) {
  beginResetModel();
  index_ = index;
  zeilen_ = 0;
  mitSchlusszeile_ = false;
  schlusszeile_.clear();
  gruppen_.clear();
  endResetModel();
  Nachziehen();
}

void Zeilenmodell::Nachziehen() {
  if (!index_ || mitSchlusszeile_) return;
  const int neu = static_cast<int>(std::min<std::int64_t>(index_->Zeilen(), INT_MAX - 1));
  if (neu <= zeilen_) return;
  beginInsertRows(QModelIndex(), zeilen_, neu - 1);
  zeilen_ = neu;
  endInsertRows();
}

void Zeilenmodell::SchlusszeileAnhaengen(const QString& text) {
  beginInsertRows(QModelIndex(), zeilen_, zeilen_);
  schlusszeile_ = text;
  mitSchlusszeile_ = true;
  endInsertRows();
}

int Zeilenmodell::rowCount(const QModelIndex& eltern) const {
  if (eltern.isValid()) return 0;
  return zeilen_ + (mitSchlusszeile_ ? 1 : 0);
}

QVariant Zeilenmodell::data(const QModelIndex& i, int rolle) const {
  if (rolle != Qt::DisplayRole || !i.isValid()) return {};
  return Zeile(i.row());
}

QString Zeilenmodell::Zeile(int n) const {
  if (n == zeilen_ && mitSchlusszeile_) return schlusszeile_;
  if (!index_ || n < 0 || n >= zeilen_) return {};
  const int g = n / Zeilenindex::Gruppe;
  const int erste = g * Zeilenindex::Gruppe;
  const int noetig = std::min(Zeilenindex::Gruppe, zeilen_ - erste);
  QStringList* gruppe = gruppen_.object(g);
  // A group read while the index was still within it is read again once it has grown.
  if (!gruppe || gruppe->size() < noetig) {
    gruppe = new QStringList;
    try {
      for (const std::string& zeile : index_->ZeilenLesen(erste, noetig)) {
        QString text = DateitextAlsQString(zeile);
        if (index_->Form().bloecke) {
          // A record block is one row: its CR LF ends it, another line break shows as a blank.
          if (text.endsWith(QLatin1String("\r\n"))) text.chop(2);
          text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        gruppe->append(text);
      }
    } catch (const Laufzeitfehler&) {
      // A file that can no longer be read shows what it gave.
    }
    const int groesse = static_cast<int>(gruppe->size());
    gruppen_.insert(g, gruppe);
    if (n - erste >= groesse) return {};
    return gruppen_.object(g)->at(n - erste);
  }
  return gruppe->at(n - erste);
}

// ---- Zeilenansicht ---------------------------------------------------------------------------

Zeilenansicht::Zeilenansicht(QWidget* eltern) : QAbstractScrollArea(eltern) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void Zeilenansicht::setModel(QAbstractItemModel* modell) {
  modell_ = modell;
  auto neu = [this] {
    aktuell_ = -1;
    spalte_ = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    BereichSetzen();
    viewport()->update();
  };
  auto mehr = [this] {
    BereichSetzen();
    viewport()->update();
  };
  connect(modell, &QAbstractItemModel::modelReset, this, neu);
  connect(modell, &QAbstractItemModel::rowsInserted, this, mehr);
  BereichSetzen();
}

int Zeilenansicht::Zeilenzahl() const { return modell_ ? modell_->rowCount() : 0; }
int Zeilenansicht::Zeilenhoehe() const { return std::max(1, fontMetrics().height()); }
int Zeilenansicht::Zeichenbreite() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('M'))); }
int Zeilenansicht::ErsteSichtbareZeile() const { return verticalScrollBar()->value(); }
int Zeilenansicht::SichtbareZeilen() const { return std::max(1, viewport()->height() / Zeilenhoehe()); }

void Zeilenansicht::BereichSetzen() {
  // The vertical bar counts rows, the horizontal one pixels.
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(0, Zeilenzahl() - SichtbareZeilen()));
  v->setPageStep(SichtbareZeilen());
  v->setSingleStep(1);
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, std::max(0, breiteZeichen_ * Zeichenbreite() + 2 * Rand - viewport()->width()));
  h->setPageStep(viewport()->width());
  h->setSingleStep(Zeichenbreite());
}

void Zeilenansicht::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  BereichSetzen();
}

QRect Zeilenansicht::Zeichenrechteck(int zeile, int spalte) const {
  return QRect(Rand + spalte * Zeichenbreite() - horizontalScrollBar()->value(),
               (zeile - ErsteSichtbareZeile()) * Zeilenhoehe(), Zeichenbreite(), Zeilenhoehe());
}

void Zeilenansicht::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const int erste = ErsteSichtbareZeile();
  const int hoehe = Zeilenhoehe();
  const int x = Rand - horizontalScrollBar()->value();
  const int letzte = std::min(Zeilenzahl(), erste + viewport()->height() / hoehe + 1);
  int breiteste = breiteZeichen_;
  for (int z = erste; z < letzte; ++z) {
    const QString text = modell_->data(modell_->index(z, 0)).toString();
    breiteste = std::max(breiteste, static_cast<int>(text.size()));
    const QRect zeile(0, (z - erste) * hoehe, viewport()->width(), hoehe);
    if (z == aktuell_) {
      p.fillRect(zeile, palette().brush(QPalette::Highlight));
      p.setPen(palette().color(QPalette::HighlightedText));
    } else {
      p.setPen(palette().color(QPalette::Text));
    }
    p.drawText(QPoint(x, zeile.top() + fontMetrics().ascent()), text);
  }
  if (aktuell_ >= erste && aktuell_ < letzte && hasFocus()) {
    // The caret: where a click set it.
    const QRect r = Zeichenrechteck(aktuell_, spalte_);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), palette().color(QPalette::HighlightedText));
  }
  if (breiteste > breiteZeichen_) {
    breiteZeichen_ = breiteste;
    BereichSetzen();
  }
}

void Zeilenansicht::ZeileWaehlen(int zeile, int spalte) {
  if (zeile < 0 || zeile >= Zeilenzahl()) return;
  aktuell_ = zeile;
  spalte_ = std::max(0, spalte);
  const int erste = ErsteSichtbareZeile();
  // A row out of sight comes into the middle of the list.
  if (zeile < erste || zeile >= erste + SichtbareZeilen())
    verticalScrollBar()->setValue(zeile - SichtbareZeilen() / 2);
  viewport()->update();
}

void Zeilenansicht::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(e);
  const QPoint pos = e->position().toPoint();
  const int zeile = ErsteSichtbareZeile() + pos.y() / Zeilenhoehe();
  gedrueckt_ = zeile < Zeilenzahl();
  if (!gedrueckt_) return;
  // The caret goes to the nearest boundary between two characters, as in a text box.
  const int x = pos.x() + horizontalScrollBar()->value() - Rand;
  const int laenge = static_cast<int>(modell_->data(modell_->index(zeile, 0)).toString().size());
  aktuell_ = zeile;
  spalte_ = std::clamp((2 * x + Zeichenbreite()) / (2 * Zeichenbreite()), 0, laenge);
  viewport()->update();
}

void Zeilenansicht::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && gedrueckt_) {
    gedrueckt_ = false;
    emit Geklickt();
    return;
  }
  QAbstractScrollArea::mouseReleaseEvent(e);
}

void Zeilenansicht::keyPressEvent(QKeyEvent* e) {
  const int n = Zeilenzahl();
  if (n == 0) return QAbstractScrollArea::keyPressEvent(e);
  int z = std::max(aktuell_, 0);
  switch (e->key()) {
    case Qt::Key_Up: z -= 1; break;
    case Qt::Key_Down: z += aktuell_ < 0 ? 0 : 1; break;
    case Qt::Key_PageUp: z -= SichtbareZeilen(); break;
    case Qt::Key_PageDown: z += SichtbareZeilen(); break;
    case Qt::Key_Home:
      if (e->modifiers() & Qt::ControlModifier) z = 0;
      break;
    case Qt::Key_End:
      if (e->modifiers() & Qt::ControlModifier) z = n - 1;
      break;
    default: return QAbstractScrollArea::keyPressEvent(e);
  }
  ZeileWaehlen(std::clamp(z, 0, n - 1), spalte_);
  // Rows keep in sight while the selection moves through them.
  if (aktuell_ < ErsteSichtbareZeile()) verticalScrollBar()->setValue(aktuell_);
  if (aktuell_ >= ErsteSichtbareZeile() + SichtbareZeilen())
    verticalScrollBar()->setValue(aktuell_ - SichtbareZeilen() + 1);
}

}  // namespace korvelan::ui
