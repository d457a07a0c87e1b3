#pragma once
// The rows of a file listed by the viewer, for files of any size: a sparse index of the file
// offsets of every 64th row, built step by step, and rows read on demand from the nearest mark.
// A row is a line (versions 4 and 5: it ends at CR LF, a lone LF or a lone CR, and a last line
// without an end counts) or a record block of 130 characters (version 3). Rows are handed out in
// the file's code, CP850; a file in UTF-8 or Windows-1252 is taken into CP850 as the conversion
// reads it. The end-of-file byte 0x1A is file content like any other: a line holding it is a row
// (the readers pass over it), and in version 3 a last block beginning with it is the end marker.
#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "context/dateien.h"

namespace korvelan::ui {

// What a row of the file is and which code its bytes are in.
struct Dateiform {
  bool bloecke = false;  // version 3: rows of 130 characters
  Zeichensatz zeichensatz = Zeichensatz::Cp850;
};

// Reads rows one after another from a file offset, through a buffer of its own.
class Zeilenleser {
 public:
  // Bytes of one row that are kept for showing and searching; the rest of a longer row is passed
  // over (a DATANORM row has a few hundred characters; a file without line ends is one row).
  static constexpr std::size_t Zeilenkappe = std::size_t{1} << 16;

  Zeilenleser(QFile& datei, Dateiform form, std::uint64_t ab, std::size_t puffergroesse = std::size_t{1} << 14);
  // The next row; its text in CP850 when text is given. False at the end of the file. A failed
  // read raises a Laufzeitfehler.
  bool Naechste(std::string* text);
  // The file offset after the rows read.
  std::uint64_t Position() const { return dateipos_ - (ende_ - anfang_); }
  // Version 3: the last row read was a block shorter than 130 characters that is no end marker.
  bool Kurz() const { return kurz_; }

 private:
  bool Fuellen();
  bool ZeileNehmen(std::string* text);
  bool BlockNehmen(std::string* text);

  QFile& datei_;
  Dateiform form_;
  std::vector<char> puffer_;
  std::size_t anfang_ = 0, ende_ = 0;
  std::uint64_t dateipos_;  // file offset of the byte after the buffer's content
  bool kurz_ = false;
};

class Zeilenindex {
 public:
  static constexpr int Gruppe = 64;  // rows per mark

  // Opens the file for a new index; false when it cannot be opened.
  bool Oeffnen(const QString& pfad, Dateiform form);
  void Schliessen();
  bool IstOffen() const { return datei_.isOpen(); }

  // Indexes at least the given number of bytes further (whole rows); true once the end of the
  // file is reached. A failed read raises a Laufzeitfehler.
  bool Indexieren(std::uint64_t bytes);
  bool Fertig() const { return fertig_; }
  // Stops the index where it stands (a cancelled listing); a search then ends there too.
  void Anhalten() { angehalten_ = true; }
  bool Abgeschlossen() const { return fertig_ || angehalten_; }
  // Rows indexed so far.
  std::int64_t Zeilen() const { return zeilen_; }
  // Version 3: the file ends with a block shorter than a record.
  bool KurzerLetzterBlock() const { return kurz_; }
  std::uint64_t Indexiert() const { return leser_ ? leser_->Position() : 0; }
  std::uint64_t Groesse() const { return groesse_; }
  const Dateiform& Form() const { return form_; }

  // A reader standing at the start of row n (n at most Zeilen()).
  Zeilenleser LeserAb(std::int64_t n);
  // Rows [erste, erste + n) in CP850; fewer where the file ends.
  std::vector<std::string> ZeilenLesen(std::int64_t erste, int n);

 private:
  QFile datei_;
  Dateiform form_;
  std::vector<std::uint64_t> marken_;  // offset of row Gruppe * i
  std::unique_ptr<Zeilenleser> leser_;  // where the index stands
  std::int64_t zeilen_ = 0;
  std::uint64_t groesse_ = 0;
  bool fertig_ = false, kurz_ = false, angehalten_ = false;
};

// A search for a text in the rows as shown, without regard to case, forward or backward from a
// row, in steps. It covers the indexed rows and waits for the index where it reaches its end.
class Zeilensuche {
 public:
  enum class Stand { Laeuft, Gefunden, NichtGefunden };

  // Forward from row ab (inclusive), backward from row ab - 1 down to row 0.
  Zeilensuche(Zeilenindex& index, const QString& text, bool vorwaerts, std::int64_t ab);
  // Searches at least the given number of bytes further.
  Stand Schritt(std::uint64_t bytes);
  std::int64_t Fund() const { return fund_; }
  std::int64_t Durchsucht() const { return durchsucht_; }

 private:
  bool Passt(const std::string& zeile);

  Zeilenindex& index_;
  std::string muster_;  // the text in folded CP850; empty when no shown character matches it
  bool unmoeglich_ = false;
  bool vorwaerts_;
  std::int64_t naechste_;  // forward: the next row; backward: the rows below it are left
  std::int64_t fund_ = -1, durchsucht_ = 0;
  // Backward, one stretch of rows at a time from a mark: the row read next, the stretch and its
  // last match.
  std::int64_t zeile_nr_ = 0, stueckanfang_ = 0, stueckende_ = 0, letzter_ = -1;
  std::unique_ptr<Zeilenleser> leser_;
  std::string zeile_, gefaltet_;
};

}  // namespace korvelan::ui
