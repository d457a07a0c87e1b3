// anzeige_bench: times the file viewer listing a version-4 file of 32767 lines (header, K line,
// TERMIN line, price lines, end marker), as "&Datei laden" does after the dialog: the analysis,
// then the listing into the window. Runs under the offscreen platform.
//
//   anzeige_bench [--verzeichnis DIR] [--seed N]
//
// konvertier_bench programme starts it after timing the two programs.
#include <unistd.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "erzeuger.h"
#include "spitze.h"
#include "ui/manzeige.h"
#include "ui/zeichensatz.h"

using namespace korvelan;
using Uhr = std::chrono::steady_clock;

int main(int argc, char** argv) {
  std::string verzeichnis = "/tmp/korvelan-bench";
  std::uint64_t seed = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--verzeichnis") {
      verzeichnis = argv[i + 1];
    } else if (a == "--seed") {
      seed = std::strtoull(argv[i + 1], nullptr, 10);
    } else {
      std::fprintf(stderr, "anzeige_bench: Option %s falsch\n", a.c_str());
      return 2;
    }
  }
  bench::Erzeugerauftrag auftrag;
  auftrag.seed = seed;
  auftrag.version = 4;
  auftrag.datenkennzeichen = 'P';
  auftrag.artikel = 32765 - 2;  // price lines besides header, K line, TERMIN line and end marker
  const std::string datei = verzeichnis + "/anzeige.001";
  bench::Erzeugerergebnis ergebnis;
  if (!bench::DateiErzeugen(datei, auftrag, ergebnis)) {
    std::perror(datei.c_str());
    return 1;
  }

  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ui::MAnzeige anzeige;
  anzeige.show();
  QApplication::processEvents();
  const auto start = Uhr::now();
  anzeige.DateiAnzeigen(ui::PfadAlsQString(datei));
  const double sekunden = std::chrono::duration<double>(Uhr::now() - start).count();
  const auto* text = anzeige.findChild<QPlainTextEdit*>();
  // Every listed line ends with a line break, so the last block of the text is empty.
  const int gelistet = text ? text->document()->blockCount() - 1 : -1;
  std::printf("Anzeige %llu Zeilen       %8.2f s  Spitze %7.1f MB  gelistet %d Zeilen\n",
              static_cast<unsigned long long>(ergebnis.zeilen), sekunden, bench::SpitzeKiB() / 1024.0, gelistet);
  ::unlink(datei.c_str());
  return gelistet == static_cast<int>(ergebnis.zeilen) ? 0 : 1;
}
