#pragma once
// Field information of the viewer: names the record kind and the field under the caret of a line
// of a version-3, -4 or -5 file and shows the field's content, decoded or scaled, from the
// version's field layouts.
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

// What a click at 1-based column k of a line (Windows-1252, without its line end) shows: a field;
// nothing (an empty line, a column beyond the record's fields); or, for a line whose record kind
// the version's tables do not describe, a sentence saying so in place of the description.
struct Feldauskunft {
  enum Art { Nichts, Feld, Unbeschrieben } art;
  Feldinformation info;
};
Feldauskunft FeldauskunftErmitteln(const std::string& zeile, int k, int version);

// The field at column k, when there is one.
std::optional<Feldinformation> FeldinformationErmitteln(const std::string& zeile, int k, int version = 4);

class MANZEIGF : public QWidget {
  Q_OBJECT

 public:
  explicit MANZEIGF(QWidget* eltern = nullptr);

  // Hides the strip, then shows it with what a click at column k of a line of a file of the
  // version shows, if anything. breite: the width of the strip in pixels.
  void Zeigen(const std::string& zeile, int k, int version, int breite);

 private:
  QLabel *Lab_Satzart, *Lab_SatzartBez, *Lab_Feldbezeichnung, *Lab_Feldinhalt;
};

}  // namespace korvelan::ui
