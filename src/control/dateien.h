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

class Eingabedatei {
 public:
  Eingabedatei() = default;
  ~Eingabedatei();
  Eingabedatei(const Eingabedatei&) = delete;
  Eingabedatei& operator=(const Eingabedatei&) = delete;

  // Opens a file for reading; false (with errno set) when it cannot be opened.
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

  // Bytes consumed so far and the file's size when it was opened.
  std::uint64_t Position() const { return position_; }
  std::uint64_t Groesse() const { return groesse_; }

 private:
  bool Nachfuellen();
  bool ZeileSammeln(std::string& zeile);

  std::FILE* datei_ = nullptr;
  std::vector<char> puffer_;
  std::size_t anfang_ = 0, ende_ = 0;
  std::uint64_t position_ = 0, groesse_ = 0;
  std::string zeilenrest_;  // a line that does not lie within one block, for the view
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
