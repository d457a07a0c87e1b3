#pragma once
// Buffered binary input and output files of a conversion. A line ends at CR LF, a lone LF or a
// lone CR; every line written ends with CR LF. A failed read or write raises a Laufzeitfehler.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvelan {

// The character set an input file is read in. Most DATANORM files are CP850; a file in UTF-8 or
// Windows-1252 is taken into CP850 as it is read, so that everything after the input file sees
// the file's code.
enum class Zeichensatz { Cp850, Utf8, Windows1252 };
// "CP850", "UTF-8" or "Windows-1252".
const char* ZeichensatzName(Zeichensatz z);

class Eingabedatei {
 public:
  Eingabedatei() = default;
  ~Eingabedatei();
  Eingabedatei(const Eingabedatei&) = delete;
  Eingabedatei& operator=(const Eingabedatei&) = delete;

  // Opens a file for reading; false (with errno set) when it cannot be opened. The character set
  // is decided on the first 4 MiB (see ZeichensatzErkennen in the source); lines and blocks are
  // then handed out in CP850, each character as its CP850 byte, "?" for a character CP850 lacks
  // and for a byte that is no valid UTF-8.
  bool Oeffnen(const std::string& pfad);
  void Schliessen();
  bool IstOffen() const { return datei_ != nullptr; }

  // Reads the next line without its end; false when the file is at its end.
  bool ZeileLesen(std::string& zeile);
  // The same without a copy: the view points into the read block (or, for a line that runs
  // across two blocks, into a buffer of this file) and stays valid until the next read or
  // AmEnde on this file. Empty when false is returned.
  bool ZeileLesen(std::string_view& zeile);
  // Reads up to n bytes regardless of line breaks; returns the count read.
  std::size_t BlockLesen(std::string& block, std::size_t n);
  // True when no byte is left.
  bool AmEnde();

  // Bytes of the file consumed so far and the file's size when it was opened. Both count the
  // bytes of the file as it lies on disk, also when it is taken into CP850.
  std::uint64_t Position() const { return zeichensatz_ == Zeichensatz::Cp850 ? position_ : RohePosition(); }
  std::uint64_t Groesse() const { return groesse_; }
  // The character set of the file opened last.
  Zeichensatz ErkannterZeichensatz() const { return zeichensatz_; }

 private:
  bool Nachfuellen();
  bool UmgesetztNachfuellen();
  bool ZeileSammeln(std::string& zeile);
  std::uint64_t RohePosition() const;
  Zeichensatz ZeichensatzErkennen();

  std::FILE* datei_ = nullptr;
  std::vector<char> puffer_;
  std::size_t anfang_ = 0, ende_ = 0;
  std::uint64_t position_ = 0, groesse_ = 0;
  std::string zeilenrest_;  // a line that does not lie within one block, for the view

  Zeichensatz zeichensatz_ = Zeichensatz::Cp850;
  // Taking a file into CP850: the start of a UTF-8 character that the read block cut off, read
  // again at the front of the next block; the file's bytes before the block in hand and those
  // the block was made of (for the position).
  char uebertrag_[4] = {};
  std::size_t uebertragLaenge_ = 0;
  std::uint64_t rohVorBlock_ = 0, rohImBlock_ = 0;
};

class Ausgabedatei {
 public:
  Ausgabedatei() = default;
  ~Ausgabedatei();
  Ausgabedatei(const Ausgabedatei&) = delete;
  Ausgabedatei& operator=(const Ausgabedatei&) = delete;

  // Creates (or replaces) a file for writing; false (with errno set) on failure.
  bool Erstellen(const std::string& pfad);
  // Writes the text and CR LF.
  void ZeileSchreiben(std::string_view zeile);
  // The same in two steps, for a caller that writes the n bytes of the line itself: ZeilePlatz
  // returns where they go, ZeileFertig adds CR LF after them.
  char* ZeilePlatz(std::size_t n) {
    if (!datei_) KeineDatei();
    if (kapazitaet_ - belegt_ < n + 2) Vergroessern(belegt_ + n + 2);
    return puffer_.get() + belegt_;
  }
  void ZeileFertig(std::size_t n) {
    char* p = puffer_.get() + belegt_ + n;
    p[0] = '\r';
    p[1] = '\n';
    belegt_ += n + 2;
    if (belegt_ >= Blockgroesse) Leeren();
  }
  // Flushes and closes; a failure raises a Laufzeitfehler (the file is closed all the same).
  void Schliessen();
  // Closes without reporting failures (used on the way out of an error).
  void Verwerfen();
  bool IstOffen() const { return datei_ != nullptr; }

 private:
  static constexpr std::size_t Blockgroesse = 1 << 16;  // written out when reached

  void Leeren();
  void Vergroessern(std::size_t n);
  [[noreturn]] static void KeineDatei();

  std::FILE* datei_ = nullptr;
  // Lines collect here and are written when 64 KiB are reached; the block is larger than that
  // by room for an ordinary line, so that a line is copied in without a test for growth.
  std::unique_ptr<char[]> puffer_;
  std::size_t belegt_ = 0, kapazitaet_ = 0;
};

bool DateiVorhanden(const std::string& pfad);
// True for a regular file (not a device, pipe or directory).
bool IstNormaleDatei(const std::string& pfad);
// True when both names exist and denote the same file.
bool DieselbeDatei(const std::string& a, const std::string& b);

}  // namespace korvelan
