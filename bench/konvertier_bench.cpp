// konvertier_bench: measures the conversion against plainly copying the same file.
//
//   konvertier_bench paare     [--groesse 200M] [--verzeichnis DIR] [--seed N] [--art A] [--nur 45]
//   konvertier_bench programme --korvelan PFAD --konvert PFAD [--groesse 200M] [--verzeichnis DIR]
//                              [--version 4] [--ausgabe 4]
//
// "paare" generates one input file per version (about --groesse each) and converts it into each of
// the three versions in this process, through the headless command-line road of korvelan-konvert
// (KommandozeilenLauf with a KopflosFenster). Per pair it prints MB/s of input, input lines per
// second, the peak resident memory of the conversion, the time of copying the input (read and
// written to the same directory) and the ratio of the two times; each time is the faster of two.
//
// "programme" times `korvelan "IN;OUT;V"` (QT_QPA_PLATFORM=offscreen, progress window) against
// `korvelan-konvert IN OUT V` on the same file, each as its own process, and then runs anzeige_bench
// (built with the windows, beside this program), which times the file viewer on a file of 1 GB.
//
// The files live in --verzeichnis (default /tmp/korvelan-bench) and are deleted at the end.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "context/kontext.h"
#include "control/konvertierlauf.h"
#include "control/kopflosfenster.h"
#include "control/parameter.h"
#include "erzeuger.h"
#include "spitze.h"
#include "settings/grunddaten.h"


extern char** environ;

using namespace korvelan;
using Uhr = std::chrono::steady_clock;
using bench::SpitzeKiB;
using bench::SpitzeZuruecksetzen;

namespace {

double Sekunden(Uhr::time_point a, Uhr::time_point b) { return std::chrono::duration<double>(b - a).count(); }

std::uint64_t Groesse(const std::string& pfad) {
  struct stat st {};
  return ::stat(pfad.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

// Plain copy: read and write in blocks of 128 KiB, as a file copy does without special calls.
double Kopieren(const std::string& von, const std::string& nach) {
  auto start = Uhr::now();
  int ein = ::open(von.c_str(), O_RDONLY);
  int aus = ::open(nach.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (ein < 0 || aus < 0) {
    std::perror("Kopieren");
    std::exit(1);
  }
  std::vector<char> puffer(128 * 1024);
  for (;;) {
    ssize_t n = ::read(ein, puffer.data(), puffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    for (ssize_t w = 0; w < n;) {
      ssize_t m = ::write(aus, puffer.data() + w, static_cast<std::size_t>(n - w));
      if (m < 0 && errno == EINTR) continue;
      if (m <= 0) {
        std::perror("Kopieren");
        std::exit(1);
      }
      w += m;
    }
  }
  ::close(ein);
  ::close(aus);
  return Sekunden(start, Uhr::now());
}

struct Lauf {
  double sekunden = 0;
  long spitzeKiB = 0;
  std::string saetze;  // logical records as counted by the run
  Laufergebnis ergebnis = Laufergebnis::Fehler;
};

// One conversion in this process, the road of korvelan-konvert: KommandozeilenLauf with a
// KopflosFenster; questions answered as with --waehrung EUR --ueberschreiben --set-bloecke nein.
Lauf Konvertieren(const std::string& ein, const std::string& aus, int version, std::FILE* meldungen) {
  Lauf l;
  SpitzeZuruecksetzen();
  auto start = Uhr::now();
  {
    auto k = std::make_unique<Kontext>();
    k->Programmverzeichnis = "/nonexistent";
    LadeGrunddaten(k->gd, GrunddatenPfad(k->Programmverzeichnis));
    KopflosOptionen optionen;
    optionen.waehrung = "EUR";
    optionen.ueberschreiben = true;
    optionen.setBloecke = false;
    KopflosFenster fenster(*k, optionen, meldungen);
    ArbeitszeileZerlegen(*k, ArbeitszeileBilden("E;A;" + std::to_string(version)));
    k->kz.AufrufEingabe = ein;
    k->kz.AufrufAusgabe = aus;
    l.ergebnis = KommandozeilenLauf(*k, fenster);
    l.saetze = fenster.Text("Lab_Bearbeitet");
  }
  l.sekunden = Sekunden(start, Uhr::now());
  l.spitzeKiB = SpitzeKiB();
  return l;
}

struct Optionen {
  std::uint64_t groesse = 200ULL << 20;
  std::string verzeichnis = "/tmp/korvelan-bench";
  std::uint64_t seed = 1;
  char art = 'A';
  std::string nur;  // e.g. "45": only this pair
  std::string korvelan, konvert;
  // The same version in and out by default: such a run logs nothing, so the desktop program's
  // progress window closes by itself. A run that logs ends with the error log, a window that waits
  // for its user (into version 5 the generated customer record's price maintenance is named).
  int version = 4, ausgabe = 4;
};

bool GroesseLesen(const std::string& t, std::uint64_t& v) {
  char* ende = nullptr;
  unsigned long long n = std::strtoull(t.c_str(), &ende, 10);
  if (ende == t.c_str()) return false;
  if (*ende == 'K' || *ende == 'k') n <<= 10, ++ende;
  else if (*ende == 'M' || *ende == 'm') n <<= 20, ++ende;
  else if (*ende == 'G' || *ende == 'g') n <<= 30, ++ende;
  if (*ende) return false;
  v = n;
  return true;
}

std::string Eingabedatei(const Optionen& o, int version, bench::Erzeugerergebnis& e) {
  std::string pfad = o.verzeichnis + "/eingabe_v" + std::to_string(version) + "_" + o.art + ".dat";
  bench::Erzeugerauftrag a;
  a.seed = o.seed;
  a.version = version;
  a.datenkennzeichen = o.art;
  a.zielbytes = o.groesse;
  auto start = Uhr::now();
  if (!bench::DateiErzeugen(pfad, a, e)) {
    std::perror(pfad.c_str());
    std::exit(1);
  }
  std::fprintf(stderr, "erzeugt: %s, %.1f MB, %llu Zeilen (%.1f s)\n", pfad.c_str(), e.bytes / 1e6,
               static_cast<unsigned long long>(e.zeilen), Sekunden(start, Uhr::now()));
  return pfad;
}

int Paare(const Optionen& o) {
  std::printf("%-5s %9s %9s %12s %10s %9s %9s %7s %9s\n", "Paar", "MB", "MB/s", "Zeilen/s", "Spitze MB", "Konv. s",
              "Kopie s", "Faktor", "Saetze");
  std::FILE* meldungen = std::fopen((o.verzeichnis + "/meldungen.txt").c_str(), "w");
  if (!meldungen) meldungen = stderr;
  for (int ein = 3; ein <= 5; ++ein) {
    bool gebraucht = o.nur.empty() || o.nur[0] - '0' == ein;
    if (!gebraucht) continue;
    bench::Erzeugerergebnis e;
    const std::string eingabe = Eingabedatei(o, ein, e);
    for (int aus = 3; aus <= 5; ++aus) {
      if (!o.nur.empty() && o.nur.size() > 1 && o.nur[1] - '0' != aus) continue;
      const std::string kopie = o.verzeichnis + "/kopie.dat";
      const std::string ausgabe = o.verzeichnis + "/ausgabe.dat";
      // Warm the page cache the same way for both: one copy first, then the timed ones. Each
      // copy creates its file afresh, as the conversion does: replacing an existing file would
      // add the cost of freeing its pages to the copy and flatter the ratio.
      Kopieren(eingabe, kopie);
      double kopierzeit = 0;
      for (int lauf = 0; lauf < 2; ++lauf) {
        ::unlink(kopie.c_str());
        const double zeit = Kopieren(eingabe, kopie);
        kopierzeit = lauf == 0 ? zeit : std::min(kopierzeit, zeit);
      }
      ::unlink(kopie.c_str());
      // The faster of two conversions, as the copy time is the faster of two copies.
      Lauf l = Konvertieren(eingabe, ausgabe, aus, meldungen);
      ::unlink(ausgabe.c_str());
      const Lauf zweiter = Konvertieren(eingabe, ausgabe, aus, meldungen);
      ::unlink(ausgabe.c_str());
      l.sekunden = std::min(l.sekunden, zweiter.sekunden);
      l.spitzeKiB = std::max(l.spitzeKiB, zweiter.spitzeKiB);
      const double mb = e.bytes / 1e6;
      std::printf("%d>%d   %9.1f %9.1f %12.0f %10.1f %9.2f %9.3f %7.1f %9s%s\n", ein, aus, mb, mb / l.sekunden,
                  e.zeilen / l.sekunden, l.spitzeKiB / 1024.0, l.sekunden, kopierzeit, l.sekunden / kopierzeit,
                  l.saetze.c_str(), l.ergebnis == Laufergebnis::Konvertiert ? "" : "  (Lauf nicht vollständig!)");
      std::fflush(stdout);
    }
    ::unlink(eingabe.c_str());
  }
  if (meldungen != stderr) std::fclose(meldungen);
  return 0;
}

// The directory of this program.
std::string EigenesVerzeichnis() {
  char pfad[4096];
  const ssize_t n = ::readlink("/proc/self/exe", pfad, sizeof pfad - 1);
  if (n <= 0) return ".";
  std::string p(pfad, static_cast<std::size_t>(n));
  const std::size_t schraeg = p.rfind('/');
  return schraeg == std::string::npos ? "." : p.substr(0, schraeg);
}

struct Prozesslauf {
  double sekunden = 0;
  long spitzeKiB = 0;
  int status = -1;
};

Prozesslauf Starten(const std::vector<std::string>& argumente, bool offscreen) {
  std::vector<char*> argv;
  for (const auto& a : argumente) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> umgebung;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) umgebung.emplace_back(*e);
  if (offscreen) umgebung.emplace_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> envp;
  for (auto& u : umgebung) envp.push_back(u.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t aktionen;
  posix_spawn_file_actions_init(&aktionen);
  posix_spawn_file_actions_addopen(&aktionen, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  Prozesslauf p;
  pid_t pid = 0;
  auto start = Uhr::now();
  if (posix_spawn(&pid, argv[0], &aktionen, nullptr, argv.data(), envp.data()) != 0) {
    std::perror(argv[0]);
    posix_spawn_file_actions_destroy(&aktionen);
    return p;
  }
  posix_spawn_file_actions_destroy(&aktionen);
  struct rusage ru {};
  int status = 0;
  while (::wait4(pid, &status, 0, &ru) < 0 && errno == EINTR) {
  }
  p.sekunden = Sekunden(start, Uhr::now());
  p.spitzeKiB = ru.ru_maxrss;
  p.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return p;
}


int Programme(const Optionen& o) {
  if (o.korvelan.empty() || o.konvert.empty()) {
    std::fprintf(stderr, "konvertier_bench programme: --korvelan und --konvert angeben\n");
    return 2;
  }
  bench::Erzeugerergebnis e;
  const std::string eingabe = Eingabedatei(o, o.version, e);
  const std::string v = std::to_string(o.ausgabe);
  const std::string aus1 = o.verzeichnis + "/ausgabe_konvert.dat";
  const std::string aus2 = o.verzeichnis + "/ausgabe_korvelan.dat";
  Kopieren(eingabe, o.verzeichnis + "/kopie.dat");  // page cache warm for both
  ::unlink((o.verzeichnis + "/kopie.dat").c_str());
  ::unlink(aus1.c_str());
  ::unlink(aus2.c_str());
  Prozesslauf a = Starten({o.konvert, eingabe, aus1, v}, false);
  // A fresh output name: the desktop program would otherwise ask before overwriting.
  Prozesslauf b = Starten({o.korvelan, eingabe + ";" + aus2 + ";" + v}, true);
  const bool gleich = Groesse(aus1) == Groesse(aus2) && Groesse(aus1) > 0;
  std::printf("Eingabe Version %d, %.1f MB, Ausgabe Version %d\n", o.version, e.bytes / 1e6, o.ausgabe);
  std::printf("korvelan-konvert        %8.2f s  Spitze %7.1f MB  Status %d\n", a.sekunden, a.spitzeKiB / 1024.0,
              a.status);
  std::printf("korvelan (Fortschritt)  %8.2f s  Spitze %7.1f MB  Status %d\n", b.sekunden, b.spitzeKiB / 1024.0,
              b.status);
  std::printf("Verhaeltnis korvelan / korvelan-konvert: %.2f%s\n", b.sekunden / a.sekunden,
              gleich ? "" : "  (Ausgaben verschieden gross!)");
  ::unlink(aus1.c_str());
  ::unlink(aus2.c_str());
  ::unlink(eingabe.c_str());

  // The viewer's listing is timed by anzeige_bench beside this program (built with the windows);
  // as a process of its own, so that Qt does not weigh on the memory figures of this one.
  const std::string anzeige = EigenesVerzeichnis() + "/anzeige_bench";
  if (::access(anzeige.c_str(), X_OK) == 0) {
    std::fflush(stdout);
    Starten({anzeige, "--verzeichnis", o.verzeichnis, "--seed", std::to_string(o.seed)}, true);
  } else {
    std::printf("Anzeige: %s fehlt (ohne Fenster gebaut), nicht gemessen\n", anzeige.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "Aufruf: konvertier_bench paare|programme [Optionen]\n");
    return 2;
  }
  const std::string modus = argv[1];
  Optionen o;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    const std::string w = i + 1 < argc ? argv[i + 1] : "";
    bool ok = i + 1 < argc;
    if (a == "--groesse") ok = ok && GroesseLesen(w, o.groesse);
    else if (a == "--verzeichnis") o.verzeichnis = w;
    else if (a == "--seed") ok = ok && GroesseLesen(w, o.seed);
    else if (a == "--art") ok = ok && w.size() == 1, o.art = w.empty() ? 'A' : w[0];
    else if (a == "--nur") o.nur = w;
    else if (a == "--korvelan") o.korvelan = w;
    else if (a == "--konvert") o.konvert = w;
    else if (a == "--version") o.version = std::atoi(w.c_str());
    else if (a == "--ausgabe") o.ausgabe = std::atoi(w.c_str());
    else ok = false;
    if (!ok) {
      std::fprintf(stderr, "konvertier_bench: Option %s falsch\n", a.c_str());
      return 2;
    }
    ++i;
  }
  ::mkdir(o.verzeichnis.c_str(), 0755);
  if (modus == "paare") return Paare(o);
  if (modus == "programme") return Programme(o);
  std::fprintf(stderr, "konvertier_bench: Modus paare oder programme\n");
  return 2;
}
