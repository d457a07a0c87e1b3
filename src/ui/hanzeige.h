#pragma once
// The information box: what DATANORM is and who lays it down.
#include <QWidget>

namespace korvelan::ui {

class HAnzeige : public QWidget {
  Q_OBJECT

 public:
  explicit HAnzeige(QWidget* eltern = nullptr);

 public slots:
  void Form_Load();
};

}  // namespace korvelan::ui
