#pragma once
// The viewer's listing: a list model over the rows of a Zeilenindex, read on demand through a
// small cache of row groups, and a list that paints only the rows in sight. The list keeps no
// data per row, so a file of millions of rows costs no more than one of ten (a QListView lays out
// and keeps a position for every row, which for the 16 million rows of a 1 GB file is 64 MB and a
// full layout pass each time the index grows).
#include <QAbstractListModel>
#include <QAbstractScrollArea>
#include <QCache>
#include <QStringList>

#include "ui/zeilenindex.h"

namespace korvelan::ui {

class Zeilenmodell : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit Zeilenmodell(QObject* eltern = nullptr) : QAbstractListModel(eltern) {}

  // A new listing of the index (null: empty).
  void Setzen(Zeilenindex* index);
  // Takes in the rows the index has reached since.
  void Nachziehen();
  // Appends a last row of the program's own (the cancel line of a listing).
  void SchlusszeileAnhaengen(const QString& text);

  int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
  QVariant data(const QModelIndex& i, int rolle = Qt::DisplayRole) const override;
  // The row as shown.
  QString Zeile(int n) const;

 private:
  Zeilenindex* index_ = nullptr;
  int zeilen_ = 0;  // rows of the index taken in
  QString schlusszeile_;
  bool mitSchlusszeile_ = false;
  // Groups of Zeilenindex::Gruppe rows as shown, by group number.
  mutable QCache<int, QStringList> gruppen_{32};
};

class Zeilenansicht : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit Zeilenansicht(QWidget* eltern = nullptr);

  void setModel(QAbstractItemModel* modell);
  QAbstractItemModel* model() const { return modell_; }

  // The selected row (-1: none) and the caret column within it (0-based).
  int AktuelleZeile() const { return aktuell_; }
  int Spalte() const { return spalte_; }
  // Selects a row and scrolls it into sight.
  void ZeileWaehlen(int zeile, int spalte = 0);
  int ErsteSichtbareZeile() const;
  int SichtbareZeilen() const;
  // Where column spalte of row zeile lies in the viewport (for a click on it).
  QRect Zeichenrechteck(int zeile, int spalte) const;

 signals:
  // A left click set row and column.
  void Geklickt();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void BereichSetzen();
  int Zeilenhoehe() const;
  int Zeichenbreite() const;
  int Zeilenzahl() const;

  QAbstractItemModel* modell_ = nullptr;
  int aktuell_ = -1, spalte_ = 0;
  int breiteZeichen_ = 130;  // widest row seen, in characters (for the horizontal scroll bar)
  bool gedrueckt_ = false;
};

}  // namespace korvelan::ui
