#include "ui/arbeitsbereich.h"

#include <QEvent>
#include <QLayout>
#include <QMdiArea>

namespace korvelan::ui {

Unterfenster::Unterfenster(QMdiArea* bereich, QWidget* fenster, QObject* besitzer) : QMdiSubWindow(bereich) {
  setAttribute(Qt::WA_DeleteOnClose);
  // Inside a frame a window's layout no longer keeps it from being made smaller than its
  // controls need (only a window of its own is kept so): it is told to.
  if (QLayout* l = fenster->layout()) l->setSizeConstraint(QLayout::SetMinimumSize);
  const QSize groesse = fenster->size().expandedTo(fenster->minimumSizeHint());
  setWidget(fenster);
  bereich->addSubWindow(this);
  // The frame around the content: borders and title bar.
  const QMargins rand = contentsMargins();
  resize(groesse + QSize(rand.left() + rand.right(), rand.top() + rand.bottom()));
  connect(fenster, &QObject::destroyed, this, &QObject::deleteLater);
  if (besitzer) connect(besitzer, &QObject::destroyed, this, &QObject::deleteLater);
}

bool Unterfenster::eventFilter(QObject* o, QEvent* e) {
  const bool ergebnis = QMdiSubWindow::eventFilter(o, e);
  // A window that hides or closes itself (its own "Beenden") takes its frame along; a window
  // whose controls grow (a loaded file, a factor shown) widens its frame.
  if (o == widget()) {
    if (e->type() == QEvent::HideToParent && !isHidden())
      hide();
    else if (e->type() == QEvent::ShowToParent && isHidden())
      show();
    else if (e->type() == QEvent::Resize || e->type() == QEvent::LayoutRequest)
      Anpassen();
  }
  return ergebnis;
}

void Unterfenster::Anpassen() {
  const QMargins rand = contentsMargins();
  const QSize noetig = widget()->minimumSize() + QSize(rand.left() + rand.right(), rand.top() + rand.bottom());
  setMinimumSize(noetig);
  if (width() < noetig.width() || height() < noetig.height()) resize(size().expandedTo(noetig));
}

QMdiArea* Arbeitsbereich(const QWidget* w) {
  for (const QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
    if (auto* bereich = qobject_cast<QMdiArea*>(const_cast<QWidget*>(p))) return bereich;
  return nullptr;
}

QWidget* Rahmen(QWidget* w) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) return sub;
  return w;
}

}  // namespace korvelan::ui
