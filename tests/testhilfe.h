#pragma once
// Helpers shared by the core tests: temporary files and directories, reading files back,
// and a context whose input or output is a temporary file.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "context/kontext.h"
#include "record/text.h"

namespace korvelan::test {

// A fresh temporary directory, removed with everything in it when the object goes.
class TempVerzeichnis {
 public:
  TempVerzeichnis() {
    std::string muster = (std::filesystem::temp_directory_path() / "korvelan-XXXXXX").string();
    char* p = ::mkdtemp(muster.data());
    pfad_ = p ? p : muster;
  }
  ~TempVerzeichnis() {
    std::error_code ec;
    std::filesystem::remove_all(pfad_, ec);
  }
  TempVerzeichnis(const TempVerzeichnis&) = delete;
  TempVerzeichnis& operator=(const TempVerzeichnis&) = delete;
  const std::string& Pfad() const { return pfad_; }
  std::string Datei(const std::string& name) const { return pfad_ + "/" + name; }

 private:
  std::string pfad_;
};

inline void DateiSchreiben(const std::string& pfad, const std::string& inhalt) {
  std::ofstream d(pfad, std::ios::binary | std::ios::trunc);
  d << inhalt;
}

inline std::string DateiLesen(const std::string& pfad) {
  std::ifstream d(pfad, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(d)), std::istreambuf_iterator<char>());
}

// Lines joined with CR LF, each line ended by CR LF.
inline std::string Zeilen(std::initializer_list<std::string> zeilen) {
  std::string t;
  for (const auto& z : zeilen) t += z + "\r\n";
  return t;
}

// While it lives, no file of this process may grow beyond the given size: a write past it fails
// (EFBIG) as on a full disk, instead of ending the process.
class Dateigrenze {
 public:
  explicit Dateigrenze(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &alt_);
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit neu = alt_;
    neu.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &neu);
  }
  ~Dateigrenze() {
    ::setrlimit(RLIMIT_FSIZE, &alt_);
    std::signal(SIGXFSZ, signal_);
  }

 private:
  rlimit alt_{};
  void (*signal_)(int) = nullptr;
};

// Path of a file in tests/data.
inline std::string Testdaten(const std::string& name) { return std::string(KORVELAN_TESTDATEN) + "/" + name; }

// Path of a file of the real corpus; empty when the corpus is absent (tests then skip).
inline std::string Korpusdatei(const std::string& name) {
  std::string p = std::string(KORVELAN_KORPUS) + "/" + name;
  return std::filesystem::exists(p) ? p : std::string();
}

// Writes the input text to a file in the directory and opens it as the run's input.
inline void EingabeOeffnen(Kontext& k, const TempVerzeichnis& v, const std::string& inhalt) {
  std::string pfad = v.Datei("eingabe.dat");
  DateiSchreiben(pfad, inhalt);
  k.kz.Eingabedateiname = pfad;
  k.kz.EingabeDateiNr.Oeffnen(pfad);
}

// Creates the run's output file in the directory; read it back with AusgabeLesen.
inline void AusgabeErstellen(Kontext& k, const TempVerzeichnis& v, std::int16_t version) {
  k.kz.Ausgabeversion = version;
  k.kz.AusgabeDateiNr.Erstellen(v.Datei("ausgabe.dat"));
}
inline std::string AusgabeLesen(Kontext& k, const TempVerzeichnis& v) {
  k.kz.AusgabeDateiNr.Schliessen();
  return DateiLesen(v.Datei("ausgabe.dat"));
}

// Runs a writer on a record built by hand, with the kind the reader of an article file would
// give it (the writers choose their lines by the kind).
inline std::int16_t MitSatzart(Schreibfunktion schreiber, Kontext& k) {
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Artikel);
  return schreiber(k);
}

}  // namespace korvelan::test
