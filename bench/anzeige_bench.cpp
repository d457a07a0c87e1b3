// anzeige_bench: times the file viewer on a generated version-4 article file of 1 GB, as
// "&Datei laden" does after the dialog: the time until the first rows show, the time until the
// whole file is indexed (set beside the time the conversion's input file takes to read the same
// file line by line), a search for the last article from the first row, and the peak memory of
// the viewer. Runs under the offscreen platform.
//
//   anzeige_bench [--groesse 1G] [--verzeichnis DIR] [--seed N]
//
// konvertier_bench programme starts it after timing the two programs.
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "context/dateien.h"
#include "erzeuger.h"
#include "spitze.h"
#include "ui/manzeige.h"
#include "ui/zeichensatz.h"

using namespace korvelan;
using Uhr = std::chrono::steady_clock;

namespace {

double Sekunden(Uhr::time_point seit) { return std::chrono::duration<double>(Uhr::now() - seit).count(); }

bool GroesseLesen(const std::string& t, std::uint64_t& v) {
  char* ende = nullptr;
  v = std::strtoull(t.c_str(), &ende, 10);
  if (ende == t.c_str()) return false;
  switch (*ende) {
    case 'G': v <<= 30; break;
    case 'M': v <<= 20; break;
    case 'K': v <<= 10; break;
    case '\0': break;
    default: return false;
  }
  return true;
}

// The article number of the file's last A line, taken from its last megabyte.
std::string LetzterArtikel(const std::string& pfad) {
  std::ifstream d(pfad, std::ios::binary | std::ios::ate);
  const auto groesse = static_cast<std::streamoff>(d.tellg());
  const std::streamoff ab = groesse > (1 << 20) ? groesse - (1 << 20) : 0;
  std::string rest(static_cast<std::size_t>(groesse - ab), '\0');
  d.seekg(ab);
  d.read(rest.data(), static_cast<std::streamsize>(rest.size()));
  const std::size_t a = rest.rfind("\nA;");
  if (a == std::string::npos) return {};
  const std::size_t nr = rest.find(';', a + 3);  // after the processing flag
  const std::size_t ende = rest.find(';', nr + 1);
  return rest.substr(nr + 1, ende - nr - 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string verzeichnis = "/tmp/korvelan-bench";
  std::uint64_t seed = 1, groesse = 1ULL << 30;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    bool ok = true;
    if (a == "--verzeichnis") {
      verzeichnis = argv[i + 1];
    } else if (a == "--seed") {
      seed = std::strtoull(argv[i + 1], nullptr, 10);
    } else if (a == "--groesse") {
      ok = GroesseLesen(argv[i + 1], groesse);
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "anzeige_bench: Option %s falsch\n", a.c_str());
      return 2;
    }
  }
  bench::Erzeugerauftrag auftrag;
  auftrag.seed = seed;
  auftrag.version = 4;
  auftrag.datenkennzeichen = 'A';
  auftrag.zielbytes = groesse;
  const std::string datei = verzeichnis + "/anzeige.001";
  bench::Erzeugerergebnis ergebnis;
  if (!bench::DateiErzeugen(datei, auftrag, ergebnis)) {
    std::perror(datei.c_str());
    return 1;
  }
  const std::string artikel = LetzterArtikel(datei);

  // Reading the file line by line as a conversion does (the page cache is warm after writing it).
  auto start = Uhr::now();
  std::uint64_t gelesen = 0;
  {
    Eingabedatei e;
    if (!e.Oeffnen(datei)) {
      std::perror(datei.c_str());
      return 1;
    }
    std::string_view zeile;
    while (e.ZeileLesen(zeile)) ++gelesen;
  }
  const double lesen = Sekunden(start);

  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ui::MAnzeige anzeige;
  anzeige.resize(1000, 700);
  anzeige.show();
  QApplication::processEvents();
  bench::SpitzeZuruecksetzen();
  const double vorher = bench::SpitzeKiB() / 1024.0;

  // The first screen: the call returns after the first step, and the rows are painted with the
  // next events.
  start = Uhr::now();
  anzeige.DateiAnzeigen(ui::PfadAlsQString(datei));
  QApplication::processEvents();
  const double ersterSchirm = Sekunden(start);
  const int ersteZeilen = anzeige.Modell()->rowCount();
  while (anzeige.ListungLaeuft()) QApplication::processEvents();
  const double index = Sekunden(start);
  const int zeilen = anzeige.Modell()->rowCount();

  // The last article, searched from the first row.
  anzeige.Liste()->ZeileWaehlen(0);
  anzeige.findChild<QLineEdit*>(QStringLiteral("Tex_Suchtext"))->setText(QString::fromStdString(";" + artikel + ";"));
  start = Uhr::now();
  anzeige.Com_Suchen_Click();
  while (anzeige.SucheLaeuft()) QApplication::processEvents();
  const double suche = Sekunden(start);
  const int fund = anzeige.Liste()->AktuelleZeile();
  const double spitze = bench::SpitzeKiB() / 1024.0;

  std::printf("Anzeige %.1f MB, %llu Zeilen (Lesen der Datei %.2f s, %.0f MB/s)\n", ergebnis.bytes / 1e6,
              static_cast<unsigned long long>(ergebnis.zeilen), lesen, ergebnis.bytes / 1e6 / lesen);
  std::printf("  erster Schirm         %8.3f s  (%d Zeilen)\n", ersterSchirm, ersteZeilen);
  std::printf("  ganzer Index          %8.2f s  (%.0f MB/s, %.2f x Lesen)  gelistet %d Zeilen\n", index,
              ergebnis.bytes / 1e6 / index, index / lesen, zeilen);
  std::printf("  Suche letzter Artikel %8.2f s  (%s in Zeile %d)\n", suche, artikel.c_str(), fund + 1);
  std::printf("  Spitze %7.1f MB (Fenster ohne Datei %.1f MB)\n", spitze, vorher);
  ::unlink(datei.c_str());
  const bool ok = static_cast<std::uint64_t>(zeilen) == ergebnis.zeilen && gelesen == ergebnis.zeilen && fund > 0;
  return ok ? 0 : 1;
}
