#pragma once
// Generator of large DATANORM files for the benchmark: deterministic from a seed, in version 3, 4
// or 5 and data kind A, S, R, J or P. The files mix what real ones hold: every article with its A
// and B lines (version 5: the one long A line), most with up to three dimension lines, a third with
// a long text of 3 to 12 lines, a fifth with price scales or raw-material lines, a few additional
// data lines, K, S and R lines, umlauts in the 8-bit codes of the files, and a few delete and
// renumber records; price and SET files likewise. The file is written in one pass through a large
// buffer, so files of several GB cost no memory.
//
// Header only: every bench/*.cpp becomes its own program, and the generator program and the
// benchmark share this code.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>

namespace korvelan::bench {

struct Erzeugerauftrag {
  std::uint64_t seed = 1;
  int version = 4;              // 3, 4 or 5
  char datenkennzeichen = 'A';  // A, S, R, J or P
  std::uint64_t zielbytes = 0;  // stop once the file has at least this many bytes (0: no limit)
  std::uint64_t artikel = 0;    // stop after this many articles, SETs or price lines (0: no limit)
};

struct Erzeugerergebnis {
  std::uint64_t bytes = 0;
  std::uint64_t zeilen = 0;   // physical records (lines, or 130-byte blocks of version 3), header included
  std::uint64_t artikel = 0;  // articles, SETs or price lines written
};

namespace erzeuger_intern {

// splitmix64: small, fast and the same on every machine.
class Zufall {
 public:
  explicit Zufall(std::uint64_t seed) : s_(seed) {}
  std::uint64_t Naechste() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // 0 .. n-1
  std::uint32_t Bis(std::uint32_t n) { return static_cast<std::uint32_t>(Naechste() % n); }
  bool Prozent(std::uint32_t p) { return Bis(100) < p; }

 private:
  std::uint64_t s_;
};

// Words of the texts in the 8-bit codes of DATANORM files (0x81 ue, 0x84 ae, 0x94 oe, 0x8E Ae,
// 0x99 Oe, 0x9A Ue, 0xE1 sz, 0xFD superscript 2, 0xF8 degree, 0x15 paragraph).
const char* const Woerter[] = {
    "Kupferrohr", "Stange",   "hart",        "weich",    "Muffe",        "Bogen",     "90\xF8",
    "45\xF8",     "verzinkt", "Edelstahl",   "Messing",  "Gr\x94\xE1" "e", "Schraube",  "Mutter",
    "Dichtung",   "Ventil",   "Absperrh\x84hn", "Kugelhahn", "Waschtisch", "Sp\x81le", "Armatur",
    "\x8E" "nderung", "Rohrschelle", "D\x81" "bel", "Fl\x84" "che", "1,5mm\xFD", "2,5mm\xFD",
    "Kabel",      "Leitung",  "\x99lfilter", "\x9A" "berwurf", "Gewinde", "DN15",  "DN20",
    "DN25",       "\xBE" "Zoll", "St\x81" "ck", "gepr\x81" "ft", "nach", "\x15" "4",  "f\x81r",
    "Heizk\x94rper", "Thermostat", "wei\xE1", "grau", "schwarz", "Pressfitting", "Wandscheibe"};
constexpr std::uint32_t WortZahl = sizeof(Woerter) / sizeof(Woerter[0]);

const char* const Einheiten[] = {"Stk", "STK", "MTR", "m", "kg", "Paar", "Satz", "Rol", "l", "m\xFD"};
constexpr std::uint32_t EinheitZahl = sizeof(Einheiten) / sizeof(Einheiten[0]);

class Ziel {
 public:
  Ziel(std::FILE* datei, Erzeugerergebnis& e) : datei_(datei), e_(e) { puffer_.reserve(Puffer + 4096); }
  // Appends one line (or a 128-character record) and CR LF.
  void Zeile(const std::string& z) {
    puffer_ += z;
    puffer_ += "\r\n";
    ++e_.zeilen;
    if (puffer_.size() >= Puffer) Leeren();
  }
  // Appends bytes without a line end (the end marker of a version-3 file).
  void Roh(const std::string& z) {
    puffer_ += z;
    if (puffer_.size() >= Puffer) Leeren();
  }
  bool Leeren() {
    if (!puffer_.empty() && std::fwrite(puffer_.data(), 1, puffer_.size(), datei_) != puffer_.size()) ok_ = false;
    e_.bytes += puffer_.size();
    puffer_.clear();
    return ok_;
  }
  std::uint64_t Bytes() const { return e_.bytes + puffer_.size(); }
  std::uint64_t Zeilen() const { return e_.zeilen; }
  bool Ok() const { return ok_; }

 private:
  static constexpr std::size_t Puffer = 1 << 20;
  std::FILE* datei_;
  Erzeugerergebnis& e_;
  std::string puffer_;
  bool ok_ = true;
};

// Decimal digits of v, at least `breite` of them (zeros in front).
inline std::string Ziffern(std::uint64_t v, int breite = 1) {
  char b[24];
  int n = 0;
  do {
    b[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v);
  std::string s;
  for (int i = n; i < breite; ++i) s += '0';
  while (n) s += b[--n];
  return s;
}

class Erzeuger {
 public:
  Erzeuger(const Erzeugerauftrag& a, Ziel& z) : a_(a), z_(z), r_(a.seed) {}

  void Laufen(Erzeugerergebnis& e) {
    Kopf();
    Kundensatz();
    const char dk = a_.datenkennzeichen;
    if (dk == 'S')
      for (int i = 0; i < 20; ++i) Warengruppe(i);
    if (dk == 'R')
      for (int i = 0; i < 20; ++i) Rabattgruppe(i);
    if (dk == 'P' && a_.version == 4) z_.Zeile("C;;TERMIN-1;010825;");
    for (std::uint64_t i = 0;; ++i) {
      if (a_.artikel && i >= a_.artikel) break;
      if (a_.zielbytes && z_.Bytes() >= a_.zielbytes) break;
      if (dk == 'J')
        Set(i);
      else if (dk == 'P')
        Preiszeile(i);
      else {
        Artikel(i);
        if (i % 997 == 996) Warengruppe(i);
        if (i % 1009 == 1008) Rabattgruppe(i);
        if (i % 50021 == 50020) Kundensatz();
      }
      ++e.artikel;
    }
    Ende();
  }

 private:
  // ---- building blocks ----------------------------------------------------------------------
  std::string Nummer(std::uint64_t i) { return Ziffern(1000000 + i * 7, 7); }
  std::string Text(std::size_t max) {
    std::string t;
    int w = 1 + static_cast<int>(r_.Bis(5));
    for (int i = 0; i < w; ++i) {
      const char* wort = Woerter[r_.Bis(WortZahl)];
      std::string neu = t.empty() ? std::string(wort) : t + " " + wort;
      if (neu.size() > max) break;
      t = neu;
    }
    return t;
  }
  std::string Einheit() { return Einheiten[r_.Bis(EinheitZahl)]; }
  char Flag() { return r_.Prozent(85) ? 'N' : 'A'; }

  // A version-3 record: 128 characters; fields placed by 1-based start and length.
  struct Satz3 {
    std::string s = std::string(128, ' ');
    Satz3& Setzen(int start, int laenge, const std::string& t) {
      for (int i = 0; i < laenge && i < static_cast<int>(t.size()); ++i) s[start - 1 + i] = t[i];
      return *this;
    }
    // An empty field the way many version-3 files hold it: NUL characters.
    Satz3& Nul(int start, int laenge) {
      for (int i = 0; i < laenge; ++i) s[start - 1 + i] = '\0';
      return *this;
    }
  };

  void Kopf() {
    const std::string info1 = "Preisliste Gro\xE1handel S\x81" "d";
    const std::string info2 = "Testdaten Benchmark";
    if (a_.version == 5) {
      z_.Zeile(std::string("V;050;") + a_.datenkennzeichen + ";20250415;EUR;" + info1 + ";" + info2 + ";;;;;;;;;;");
      return;
    }
    Satz3 v;
    v.Setzen(1, 2, "V ").Setzen(3, 6, "150425").Setzen(9, 40, info1).Setzen(49, 40, info2).Setzen(89, 40, "Seed " + Ziffern(a_.seed));
    if (a_.version == 4) v.Setzen(89, 35, "Seed " + Ziffern(a_.seed)).Setzen(124, 2, "04").Setzen(126, 3, "EUR");
    z_.Zeile(v.s);
  }

  void Kundensatz() {
    if (a_.version == 3)
      z_.Zeile(Satz3().Setzen(1, 2, "K ").Setzen(3, 10, "0018988").Setzen(13, 1, "1").s);
    else if (a_.version == 4)
      z_.Zeile("K;;018988;1;");
    else
      z_.Zeile("K;018988;Musterhandel;Gro\xE1handel;;;X;FELD9;Feld 30;");
  }

  void Warengruppe(std::uint64_t i) {
    std::string hwg = Ziffern(i % 1000, 3);
    if (a_.version == 3)
      z_.Zeile(Satz3().Setzen(1, 2, "S ").Setzen(3, 3, hwg).Setzen(6, 40, Text(40)).s);
    else if (a_.version == 4)
      z_.Zeile("S;;" + hwg + ";" + Text(40) + ";" + hwg + "01;" + Text(40) + ";");
    else
      z_.Zeile("S;" + hwg + ";" + hwg + "01;" + Text(40) + ";");
  }

  void Rabattgruppe(std::uint64_t i) {
    std::string rg = "R" + Ziffern(i % 1000, 3);
    std::string wert = Ziffern(r_.Bis(5000), 4);
    if (a_.version == 3)
      z_.Zeile(Satz3().Setzen(1, 2, "R ").Setzen(3, 4, rg).Setzen(7, 1, "1").Setzen(8, 4, wert).Setzen(12, 40, Text(40)).s);
    else if (a_.version == 4)
      z_.Zeile("R;;" + rg + ";1;" + wert + ";" + Text(40) + ";");
    else
      z_.Zeile("R;" + rg + ";1;" + wert + ";" + Text(40) + ";");
  }

  // ---- articles ---------------------------------------------------------------------------
  void Artikel(std::uint64_t i) {
    const std::string nr = Nummer(i);
    const std::uint32_t art = r_.Bis(100);
    if (art == 0) return Loeschen(nr);
    if (art == 1) return Umnummern(nr, Nummer(i + 1000000000ULL));
    const char flag = Flag();
    const bool langtext = r_.Bis(3) == 0;
    const std::string textnr = langtext ? "T" + nr : std::string();
    const std::uint32_t dimensionen = r_.Prozent(80) ? r_.Bis(4) : 0;
    const bool staffel = r_.Bis(5) == 0;
    const bool zusatz = r_.Prozent(5);
    switch (a_.version) {
      case 3: Artikel3(nr, flag, textnr, dimensionen, staffel); break;
      case 4: Artikel4(nr, flag, textnr, dimensionen, staffel, zusatz); break;
      default: Artikel5(nr, flag, textnr, dimensionen, staffel, zusatz); break;
    }
    if (langtext) Langtext(textnr, flag, 3 + r_.Bis(10));
  }

  void Loeschen(const std::string& nr) {
    if (a_.version == 3)
      z_.Zeile(Satz3().Setzen(1, 2, "AL").Setzen(3, 15, nr).Nul(18, 111).s);
    else if (a_.version == 4)
      z_.Zeile("A;L;" + nr + ";");
    else
      z_.Zeile("B;L;" + nr + ";;;");
  }

  void Umnummern(const std::string& alt, const std::string& neu) {
    if (a_.version == 3)
      z_.Zeile(Satz3().Setzen(1, 2, "AX").Setzen(3, 15, alt).Nul(18, 2).Setzen(20, 15, neu).Nul(35, 94).s);
    else if (a_.version == 4)
      z_.Zeile("A;X;" + alt + ";;" + neu + ";");
    else
      z_.Zeile("B;A;" + alt + ";" + neu + ";20250101;");
  }

  std::string Preis() { return Ziffern(100 + r_.Bis(9999900)); }

  void Artikel3(const std::string& nr, char flag, const std::string& textnr, std::uint32_t dim, bool kupfer) {
    Satz3 a;
    a.Setzen(1, 1, "A").Setzen(2, 1, std::string(1, flag)).Setzen(3, 15, nr).Setzen(18, 2, "00");
    a.Setzen(20, 40, Text(40));
    if (r_.Prozent(40))
      a.Setzen(60, 40, Text(40));
    else
      a.Nul(60, 40);
    a.Setzen(100, 1, "1").Setzen(101, 1, Ziffern(r_.Bis(4))).Setzen(102, 4, Einheit()).Setzen(106, 8, Ziffern(r_.Bis(99999999), 8));
    a.Setzen(114, 4, "R" + Ziffern(r_.Bis(1000), 3)).Setzen(118, 3, Ziffern(r_.Bis(1000), 3));
    if (textnr.empty())
      a.Nul(121, 8);
    else
      a.Setzen(121, 8, textnr);
    z_.Zeile(a.s);
    Satz3 b;
    b.Setzen(1, 1, "B").Setzen(2, 1, std::string(1, flag)).Setzen(3, 15, nr).Setzen(18, 15, "M" + nr);
    b.Nul(33, 15).Setzen(48, 6, Ziffern(r_.Bis(999), 3));
    if (kupfer)
      b.Setzen(54, 1, r_.Bis(2) ? "1" : "2").Setzen(55, 3, Ziffern(100 + r_.Bis(300), 3)).Setzen(58, 6, Ziffern(1 + r_.Bis(99999), 6));
    else
      b.Setzen(54, 1, "0").Setzen(55, 3, "000").Setzen(58, 6, "000000");
    b.Setzen(64, 13, "40" + Ziffern(r_.Naechste() % 100000000000ULL, 11));
    z_.Zeile(b.s);
    for (std::uint32_t d = 0; d < dim; d += 2) {
      Satz3 s;
      s.Setzen(1, 1, "D").Setzen(2, 1, std::string(1, flag)).Setzen(3, 15, nr);
      s.Setzen(18, 2, Ziffern(d + 1, 2)).Setzen(20, 1, "1").Setzen(21, 8, textnr).Setzen(29, 40, Text(40));
      if (d + 1 < dim) s.Setzen(69, 2, Ziffern(d + 2, 2)).Setzen(71, 1, "1").Setzen(80, 40, Text(40));
      else s.Setzen(69, 2, "00");
      z_.Zeile(s.s);
    }
  }

  void Artikel4(const std::string& nr, char flag, const std::string& textnr, std::uint32_t dim, bool staffel,
                bool zusatz) {
    const std::string f(1, flag);
    std::string a = "A;" + f + ";" + nr + ";00;" + Text(40) + ";" + (r_.Prozent(40) ? Text(40) : "") + ";1;" +
                    Ziffern(r_.Bis(4)) + ";" + Einheit() + ";" + Preis() + ";R" + Ziffern(r_.Bis(1000), 3) + ";" +
                    Ziffern(r_.Bis(1000), 3) + ";" + textnr + ";";
    z_.Zeile(a);
    const bool kupfer = staffel && r_.Bis(2) == 0;
    std::string b = "B;" + f + ";" + nr + ";M" + nr + ";;" + Ziffern(r_.Bis(999), 3) + ";";
    if (kupfer)
      b += std::string(r_.Bis(2) ? "1" : "2") + ";" + Ziffern(100 + r_.Bis(300), 3) + ";" + Ziffern(1 + r_.Bis(99999), 6) + ";";
    else
      b += "0;;;";
    b += "40" + Ziffern(r_.Naechste() % 100000000000ULL, 11) + ";;WG" + Ziffern(r_.Bis(100), 2) + ";" +
         Ziffern(r_.Bis(100)) + ";" + Ziffern(1 + r_.Bis(50)) + ";;;";
    z_.Zeile(b);
    for (std::uint32_t d = 0; d < dim; d += 2) {
      std::string s = "D;" + f + ";" + nr + ";" + Ziffern(d + 1, 2) + ";T;" + textnr + ";" + Text(40) + ";";
      if (d + 1 < dim)
        s += Ziffern(d + 2, 2) + ";T;;" + Text(40) + ";";
      else
        s += "00;;;;";
      z_.Zeile(s);
    }
    if (staffel && !kupfer) {
      std::uint32_t n = 1 + r_.Bis(3);
      for (std::uint32_t j = 0; j < n; ++j) {
        std::string lfd = Ziffern(j + 1, 2);
        switch (r_.Bis(4)) {
          case 0:
            z_.Zeile("Z;" + f + ";" + nr + ";" + lfd + ";1;1;ab " + Ziffern(10 * (j + 1)) + " St\x81" "ck;1;" +
                     Ziffern(r_.Bis(99999), 8) + ";" + Ziffern(10 * (j + 1), 8) + ";00000999;");
            break;
          case 1:
            z_.Zeile("Z;" + f + ";" + nr + ";" + lfd + ";2;1;Zuschlag;" + Ziffern(1 + r_.Bis(4)) + ";" +
                     Ziffern(r_.Bis(99999), 8) + ";00000001;00000999;");
            break;
          case 2:
            z_.Zeile("Z;" + f + ";" + nr + ";" + lfd + ";3;CU;3;" + Ziffern(r_.Bis(99999), 8) + ";000100;000999;" +
                     Ziffern(r_.Bis(9999), 6) + ";");
            break;
          default:
            z_.Zeile("Z;" + f + ";" + nr + ";" + lfd + ";4;CU;000150;001000;" + Ziffern(r_.Bis(99999), 6) + ";000010;");
            break;
        }
      }
    }
    if (zusatz) {
      if (r_.Bis(2))
        z_.Zeile("C;" + f + ";WERKSTOFF-1;" + nr + ";00001500;00002500;0000003500;0000004500;2;Messing;");
      else
        z_.Zeile("C;" + f + ";ARBEIT-1;" + nr + ";1;2;" + Ziffern(r_.Bis(999999), 6) + ";");
    }
  }

  void Artikel5(const std::string& nr, char flag, const std::string& textnr, std::uint32_t dim, bool staffel,
                bool zusatz) {
    const std::string f(1, flag);
    std::string a = "A;" + f + ";" + nr + ";" + Text(40) + ";" + (r_.Prozent(40) ? Text(40) : "") + ";" + Einheit() +
                    ";1;" + (r_.Bis(2) ? "1" : "100") + ";" + Preis() + ";R" + Ziffern(r_.Bis(1000), 3) + ";" +
                    Ziffern(r_.Bis(1000), 3) + ";WG" + Ziffern(r_.Bis(100), 2) + ";M" + nr + ";;;;;;40" +
                    Ziffern(r_.Naechste() % 100000000000ULL, 11) + ";;" + Ziffern(1 + r_.Bis(50)) + ";" +
                    Ziffern(r_.Bis(999), 3) + ";" + (textnr.empty() ? "0" : "1") + ";" + textnr + ";" +
                    Ziffern(r_.Bis(100)) + ";;;;";
    z_.Zeile(a);
    for (std::uint32_t d = 0; d < dim; d += 2) {
      std::string s = "D;" + f + ";" + nr + ";" + Ziffern(d + 1, 2) + ";A;" + Text(40) + ";" + textnr + ";";
      if (d + 1 < dim)
        s += Ziffern(d + 2, 2) + ";T;" + Text(40) + ";;";
      else
        s += "00;;;;";
      z_.Zeile(s);
    }
    if (staffel) {
      std::uint32_t n = 1 + r_.Bis(3);
      for (std::uint32_t j = 0; j < n; ++j) {
        std::string lfd = Ziffern(j + 1, 2);
        switch (r_.Bis(3)) {
          case 0:
            z_.Zeile("Z;" + f + ";" + nr + ";" + lfd + ";1;Staffel ab " + Ziffern(10 * (j + 1)) + ";St\x81" "ckpreis;1;+;2;100;" +
                     Ziffern(r_.Bis(99999)) + ";;1;" + Ziffern(10 * (j + 1)) + ";999;");
            break;
          case 1:
            z_.Zeile("Z;" + f + ";" + nr + ";" + lfd + ";2;CU;3;-;2;100;" + Ziffern(r_.Bis(9999)) + ";15000;20000;1000;0;0;");
            break;
          default:
            z_.Zeile("Z;" + f + ";" + nr + ";" + lfd + ";3;CU;2;1000;15000;1000;" + Ziffern(r_.Bis(99999)) + ";1;");
            break;
        }
      }
    }
    if (zusatz) {
      switch (r_.Bis(3)) {
        case 0: z_.Zeile("C;" + f + ";WST1;" + nr + ";1500;2500;350000;0;1;Kupfer;"); break;
        case 1: z_.Zeile("C;" + f + ";ARBA;" + nr + ";1;2;" + Ziffern(r_.Bis(999999)) + ";"); break;
        default: z_.Zeile("C;" + f + ";ES01;" + nr + ";12 AH;0;;G 1;"); break;
      }
    }
  }

  void Langtext(const std::string& textnr, char flag, std::uint32_t zeilen) {
    const std::string f(1, flag);
    if (a_.version == 5) {
      for (std::uint32_t j = 0; j < zeilen; ++j)
        z_.Zeile("T;" + f + ";" + textnr + ";1;" + Ziffern(j + 1, 2) + ";" + Text(70) + ";");
      return;
    }
    // Versions 3 and 4 carry two text rows per record.
    for (std::uint32_t j = 0; j < zeilen; j += 2) {
      const bool zweite = j + 1 < zeilen;
      if (a_.version == 3) {
        Satz3 t;
        t.Setzen(1, 1, "T").Setzen(2, 1, f).Setzen(3, 8, textnr).Setzen(18, 2, Ziffern(j + 1, 2)).Setzen(29, 40, Text(40));
        t.Setzen(69, 2, zweite ? Ziffern(j + 2, 2) : "00");
        if (zweite) t.Setzen(80, 40, Text(40));
        z_.Zeile(t.s);
      } else {
        std::string t = "T;" + f + ";" + textnr + ";;" + Ziffern(j + 1, 2) + ";;" + Text(40) + ";";
        t += zweite ? Ziffern(j + 2, 2) + ";;" + Text(40) + ";" : "00;;;";
        z_.Zeile(t);
      }
    }
  }

  // ---- SET files ---------------------------------------------------------------------------
  void Set(std::uint64_t i) {
    const std::string setnr = "SET" + Ziffern(i, 6);
    const std::string kurz = Text(15);
    const std::uint32_t positionen = 2 + r_.Bis(5);
    if (a_.version == 3) {
      for (std::uint32_t p = 0; p < positionen; p += 4) {
        Satz3 j;
        j.Setzen(1, 1, "J").Setzen(2, 1, "N").Setzen(3, 15, setnr).Setzen(18, 15, kurz);
        for (std::uint32_t q = 0; q < 4; ++q) {
          const int start = 33 + 22 * static_cast<int>(q);
          if (p + q < positionen)
            j.Setzen(start, 15, Nummer(r_.Bis(1000000))).Setzen(start + 15, 7, Ziffern(1 + r_.Bis(99999), 7));
          else
            j.Nul(start, 22);
        }
        z_.Zeile(j.s);
      }
      return;
    }
    const bool liste = r_.Bis(2) == 0;
    for (std::uint32_t p = 0; p < positionen; ++p) {
      const std::string art = Nummer(r_.Bis(1000000));
      const std::string menge = Ziffern(1 + r_.Bis(99999), 7);
      const std::string lfd = Ziffern(p + 1, 2);
      if (a_.version == 4)
        z_.Zeile("J;N;" + setnr + ";" + lfd + ";L;" + kurz + ";" + Text(28) + ";1;" + art + ";" + menge + ";");
      else if (liste)
        z_.Zeile("J;N;" + setnr + ";L;" + lfd + ";" + kurz + ";" + Text(40) + ";1;" + art + ";" + menge + ";");
      else
        z_.Zeile("J;A;" + setnr + ";1;" + lfd + ";1;" + art + ";" + menge + ";");
    }
  }

  // ---- price files -------------------------------------------------------------------------
  std::string Rabatt() {
    switch (r_.Bis(4)) {
      case 0: return "1;" + Ziffern(r_.Bis(5000), 4);
      case 1: return "2;" + Ziffern(r_.Bis(5000), 4);
      case 2: return "3;" + Ziffern(r_.Bis(5000), 4);
      default: return ";";
    }
  }

  void Preiszeile(std::uint64_t i) {
    if (a_.version == 5) {
      std::string rg = r_.Bis(4) == 0 ? "R" + Ziffern(r_.Bis(1000), 3) : std::string();
      z_.Zeile("P;" + Nummer(i) + ";1;" + Ziffern(r_.Bis(4)) + ";" + Preis() + ";" + rg + ";" + Rabatt() + ";" +
               Rabatt() + ";" + Rabatt() + ";20250601;");
      return;
    }
    // Versions 3 and 4 carry up to three articles per record; the last record of a run may hold fewer.
    const std::uint32_t anzahl = r_.Prozent(90) ? 3 : 1 + r_.Bis(2);
    if (a_.version == 3) {
      Satz3 p;
      p.Setzen(1, 2, "PA");
      for (std::uint32_t k = 0; k < anzahl; ++k) {
        const int s = 3 + 39 * static_cast<int>(k);
        p.Setzen(s, 15, Nummer(i * 3 + k)).Setzen(s + 15, 1, "1").Setzen(s + 16, 8, Ziffern(r_.Bis(99999999), 8));
        for (int d = 0; d < 3; ++d) {
          if (r_.Bis(3) == 0)
            p.Setzen(s + 24 + 5 * d, 1, Ziffern(1 + r_.Bis(3))).Setzen(s + 25 + 5 * d, 4, Ziffern(r_.Bis(5000), 4));
          else
            p.Nul(s + 24 + 5 * d, 5);
        }
      }
      z_.Zeile(p.s);
      return;
    }
    std::string p = "P;A;";
    for (std::uint32_t k = 0; k < 3; ++k) {
      if (k < anzahl)
        p += Nummer(i * 3 + k) + ";1;" + Ziffern(r_.Bis(99999999)) + ";" + Rabatt() + ";" + Rabatt() + ";" + Rabatt() + ";";
      else
        p += ";;;;;;;;;";
    }
    z_.Zeile(p);
  }

  // The last line of a file is its end marker: version 5 ends with its end record, version 4
  // with a line holding the end-of-file character, version 3 with that character alone (a short
  // block).
  void Ende() {
    if (a_.version == 5)
      z_.Zeile("E;" + Ziffern(z_.Zeilen() + 1) + ";Ende der Testdaten;");
    else if (a_.version == 4)
      z_.Zeile("\x1A");
    else
      z_.Roh("\x1A");
  }

  const Erzeugerauftrag& a_;
  Ziel& z_;
  Zufall r_;
};

}  // namespace erzeuger_intern

// Writes the file; false (with errno set) when it cannot be created or written.
inline bool DateiErzeugen(const std::string& pfad, const Erzeugerauftrag& auftrag, Erzeugerergebnis& ergebnis) {
  ergebnis = Erzeugerergebnis{};
  if (auftrag.version < 3 || auftrag.version > 5) {
    errno = EINVAL;
    return false;
  }
  std::FILE* datei = std::fopen(pfad.c_str(), "wb");
  if (!datei) return false;
  std::setvbuf(datei, nullptr, _IONBF, 0);
  erzeuger_intern::Ziel ziel(datei, ergebnis);
  erzeuger_intern::Erzeuger erzeuger(auftrag, ziel);
  erzeuger.Laufen(ergebnis);
  bool ok = ziel.Leeren();
  if (std::fclose(datei) != 0) ok = false;
  if (!ok && errno == 0) errno = EIO;
  return ok;
}

}  // namespace korvelan::bench
