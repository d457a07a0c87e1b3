#pragma once
// Field information of the viewer: names the record kind and the field under the caret of a
// version-4 line and shows the field's content, decoded or scaled.
#include <QWidget>
#include <optional>
#include <string>

class QLabel;

namespace korvelan::ui {

struct Feldinformation {
  std::string satzart;          // record letter and a blank
  std::string satzartbezeichnung;
  std::string feldbezeichnung;
  std::string feldinhalt;       // content and a blank
};

// The field of a version-4 line (Windows-1252, without its line end) at 1-based column k;
// nothing when the column lies beyond the record's fields or the record kind is unknown.
std::optional<Feldinformation> FeldinformationErmitteln(const std::string& zeile, int k);

class MANZEIGF : public QWidget {
  Q_OBJECT

 public:
  explicit MANZEIGF(QWidget* eltern = nullptr);

  // Hides the strip, then shows it with the field at column k of the line if there is one.
  // breite: the width of the strip in pixels.
  void Zeigen(const std::string& zeile, int k, int breite);

 private:
  QLabel *Lab_Satzart, *Lab_SatzartBez, *Lab_Feldbezeichnung, *Lab_Feldinhalt;
};

}  // namespace korvelan::ui
