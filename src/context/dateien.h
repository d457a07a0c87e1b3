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
// Takes a text of a file in character set z into CP850 in place, as the input file does with its
// blocks: each character to its CP850 byte, "?" for a character CP850 lacks and for an invalid
// UTF-8 byte. For a whole text (a row of the viewer), so a cut sequence at its end is invalid.
void TextInCp850(std::string& text, Zeichensatz z);

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

  // Creates the output file named pfad. A name not in use, or that of a regular file, is written
  // to a new temporary file in the same directory, which takes the name only when Schliessen
  // succeeds: until then an existing file keeps its content, and Verwerfen removes the temporary
  // file. A device or pipe is written directly, as it is. With dauerhaft set the data reach the
  // disk before the file takes its name (for small files that must survive a crash). False
  // (with errno set) on failure: a directory, a write-protected file, a path that cannot be used.
  bool Erstellen(const std::string& pfad, bool dauerhaft = false);
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
    ++zeilen_;
    if (belegt_ >= Blockgroesse) Leeren();
  }
  // Flushes and closes, then gives a temporary file the output's name. A failure raises a
  // Laufzeitfehler; the file is closed all the same and a temporary file stays for Verwerfen.
  void Schliessen();
  // Closes without reporting failures (on the way out of an error or a cancel): a temporary file
  // is removed, so that nothing incomplete takes the output's name; a device or pipe keeps what
  // was written.
  void Verwerfen();
  bool IstOffen() const { return datei_ != nullptr; }
  // True while the output goes to a temporary file that has not taken its name yet.
  bool Vorlaeufig() const { return !vorlaeufig_.empty(); }
  // Lines the output holds: those written since Erstellen, none once a temporary file was
  // removed.
  std::uint64_t Zeilen() const { return zeilen_; }

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
  std::uint64_t zeilen_ = 0;
  std::string vorlaeufig_;  // the temporary file while it has not taken its name; else empty
  std::string ziel_;        // the name it takes
  bool dauerhaft_ = false;
};

// Creates a new, empty file beside pfad, named pfad followed by "." and six characters, with the
// rights of the file pfad names (or those a new file of that name gets). Returns the open
// descriptor and sets vorlaeufig to its name; -1 (errno set) on failure.
int VorlaeufigeDateiAnlegen(const std::string& pfad, std::string& vorlaeufig);

bool DateiVorhanden(const std::string& pfad);
// True when both names exist and denote the same file.
bool DieselbeDatei(const std::string& a, const std::string& b);

}  // namespace korvelan
