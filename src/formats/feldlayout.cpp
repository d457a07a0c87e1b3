#include "formats/feldlayout.h"

#include "record/laufzeitfehler.h"
#include "record/text.h"

namespace korvelan::feldlayout {

const Layout* LayoutDerVersion(int version) {
  switch (version) {
    case 3: return &LayoutV3();
    case 4: return &LayoutV4();
    case 5: return &LayoutV5();
  }
  return nullptr;
}

namespace codes {

const Codeliste& Verarbeitung() {
  static const Codeliste c{{{"A", "     / Änderung"}, {"N", "     / Neuanlage"}, {"L", "     / Löschung"}}};
  return c;
}
const Codeliste& VerarbeitungMitX() {
  static const Codeliste c{{{"A", "     / Änderung"},
                            {"N", "     / Neuanlage"},
                            {"L", "     / Löschung"},
                            {"X", "     / Artikelnummern-Änderung"}}};
  return c;
}
const Codeliste& Preiskennzeichen() {
  static const Codeliste c{{{"1", "   / Bruttopreis"}, {"2", "   / Nettopreis"}}, "   / Falsche Angabe"};
  return c;
}
const Codeliste& PreiskennzeichenOderLeer() {
  static const Codeliste c{{{"1", "   / Bruttopreis"}, {"2", "   / Nettopreis"}, {"", ""}}, "   / Falsche Angabe"};
  return c;
}
const Codeliste& Preiseinheit() {
  static const Codeliste c{{{"0", "   / per Einheit"},
                            {"1", "   / per 10 Einheiten"},
                            {"2", "   / per 100 Einheiten"},
                            {"3", "   / per 1000 Einheiten"}}};
  return c;
}
const Codeliste& Unterkennzeichen() {
  static const Codeliste c{{{"F", "   / freie Texteingabe"}, {"T", "   / Einfügung von Textblöcken"}}};
  return c;
}
const Codeliste& Preispflege() {
  static const Codeliste c{{{"N", "   / Nettopreise"}, {"B", "   / Bruttopreise"}}};
  return c;
}
const Codeliste& Rabattkennzeichen() {
  static const Codeliste c{{{"1", "   / Rabattsatz"}, {"2", "   / Multi"}}};
  return c;
}

const Codeliste& CuMerker() {
  static const Codeliste c{{{"0", "   / keine Kupferverarbeitung"},
                            {"1", "   / Cu-Verarbeitung pro 100 Mengeneinheiten"},
                            {"2", "   / Cu-Verarbeitung pro 1000 Mengeneinheiten"}}};
  return c;
}
const Codeliste& CuBasis() {
  static const Codeliste c{{{"0", "   / Hohlpreis"}}};
  return c;
}

const Codeliste& Zuschlagsart() {
  static const Codeliste c{{{"1", "   / Rabatt"}, {"2", "   / Multi"}, {"3", "   / Zuschlag"}}};
  return c;
}
const Codeliste& ZuschlagsartMitGruppe() {
  static const Codeliste c{{{"0", "   / Rabattgruppe"}, {"1", "   / Rabatt"}, {"2", "   / Multi"}, {"3", "   / Zuschlag"}}};
  return c;
}

}  // namespace codes

std::vector<Wahl> Zuschlagswert(int j, bool gruppe) {
  static const char* const rabatt[] = {"Rabatt 1", "Rabatt 2", "Rabatt 3"};
  static const char* const multi[] = {"Multi 1", "Multi 2", "Multi 3"};
  static const char* const zuschlag[] = {"Zuschlag 1", "Zuschlag 2", "Zuschlag 3"};
  static const char* const zuab[] = {"Zu-,Abschlag 1", "Zu-,Abschlag 2", "Zu-,Abschlag 3"};
  const std::size_t i = static_cast<std::size_t>(j - 1);
  const char* ohneArt = gruppe ? "Rabattgruppe" : zuab[i];
  return {{"1", rabatt[i], Zahl(100, "###0.00")},
          {"2", multi[i], Zahl(1000, "###0.000")},
          {"3", zuschlag[i], Zahl(100, "###0.00")},
          {"0", ohneArt, Text()},
          {"", ohneArt, Text()},
          {nullptr, zuab[i], Zahl(100, "###0.00")}};
}

std::vector<Feld> Preiszeile34(bool festeSpalten) {
  static const char* const kennzeichen[] = {"Zu-,Abschlagkennzeichen 1", "Zu-,Abschlagkennzeichen 2",
                                            "Zu-,Abschlagkennzeichen 3"};
  std::vector<Feld> felder;
  int stelle = 2;
  // The next field: fixed-column fields follow each other without a gap.
  auto neu = [&](int breite, const char* name, Wert wert, std::vector<Wahl> wahl = {}) {
    felder.push_back(Feld{festeSpalten ? 0 : stelle, festeSpalten ? stelle : 0, breite, name, wert, std::move(wahl)});
    stelle += festeSpalten ? breite : 1;
  };
  neu(1, "Verarbeitungskennzeichen", Text(&codes::Verarbeitung()));
  for (int artikel = 0; artikel < 3; ++artikel) {
    neu(15, "Artikelnummer", Text());
    neu(1, "Preiskennzeichen", Text(&codes::PreiskennzeichenOderLeer()));
    neu(8, "Preis", Zahl(100, "#####0.00"));
    for (int j = 1; j <= 3; ++j) {
      neu(1, kennzeichen[j - 1], Text(j == 1 ? &codes::ZuschlagsartMitGruppe() : &codes::Zuschlagsart()));
      neu(4, nullptr, Text(), Zuschlagswert(j, j == 1));
    }
  }
  return felder;
}

Festkomma Zahlwert(std::string_view text) {
  std::string ohne;
  for (char c : text)
    if (c != ' ') ohne += c;
  try {
    return Val(ohne);
  } catch (const Laufzeitfehler&) {
    return 0;
  }
}

namespace {

// Reads the fields of a ";"-separated line one after another from a 1-based position. A field runs
// up to the next ";"; the last one, without ";", up to the last character of the line, which is
// left out (the line is read with ";" appended, so this touches only lines of many empty fields).
class Feldleser {
 public:
  explicit Feldleser(std::string_view zeile) : zeile_(zeile) {}
  std::string_view Naechstes() {
    const std::size_t start = pos_ - 1;
    const std::size_t semikolon = start < zeile_.size() ? zeile_.find(';', start) : std::string_view::npos;
    std::string_view feld;
    if (semikolon == std::string_view::npos) {
      if (start + 1 < zeile_.size()) feld = zeile_.substr(start, zeile_.size() - 1 - start);
      pos_ = zeile_.size() + 1;
    } else {
      feld = zeile_.substr(start, semikolon - start);
      pos_ = semikolon + 2;
    }
    ++gelesen_;
    return feld;
  }
  // The 1-based column after the ";" of the field read last.
  std::size_t Position() const { return pos_; }
  // Fields read so far, the record letter being the first.
  int Gelesen() const { return gelesen_; }

 private:
  std::string_view zeile_;
  std::size_t pos_ = 1;
  int gelesen_ = 0;
};

// The field's text as shown: right-trimmed unless blank, cut to its width.
std::string Feldtext(std::string_view roh, int breite) {
  std::string t = IstLeer(roh) ? std::string(roh) : Rechtstrimmen(roh);
  return std::string(Mitte(t, 1, static_cast<std::size_t>(breite)));
}

// A value compared with the keys of codes and choices: trimmed, in capitals.
std::string Schluessel(std::string_view text) { return Gross(TrimmenAnsicht(text)); }

// The entry whose value is the key, else the first one for any other value (value nullptr).
template <typename Eintrag>
const Eintrag* Waehlen(const std::vector<Eintrag>& eintraege, const std::string& schluessel) {
  const Eintrag* sonst = nullptr;
  for (const Eintrag& e : eintraege) {
    if (!e.wert) {
      if (!sonst) sonst = &e;
    } else if (schluessel == e.wert) {
      return &e;
    }
  }
  return sonst;
}

// Fills value and suffix of a field from its text, shown as `w`.
void Darstellen(Feldinhalt& f, const Wert& w) {
  switch (w.art) {
    case Darstellung::Text:
      f.wert = f.text;
      break;
    case Darstellung::Zahl: {
      Festkomma z = 0;
      try {
        z = Teilen(Mal(Zahlwert(f.text), w.faktor), w.teiler);
      } catch (const Laufzeitfehler&) {
        z = 0;
      }
      f.zahl = z;
      f.wert = Formatieren(z, w.muster ? w.muster : "#####0");
      break;
    }
    case Darstellung::DatumTTMMJJ:
      // An empty date stays empty; a blank one is shown in its places.
      if (f.text.empty()) break;
      f.wert = std::string(Mitte(f.text, 1, 2)) + "." + std::string(Mitte(f.text, 3, 2)) + "." +
               std::string(Mitte(f.text, 5, 2));
      break;
    case Darstellung::DatumJJJJMMTT:
      if (f.text.empty()) break;
      f.wert = std::string(Mitte(f.text, 7, 2)) + "." + std::string(Mitte(f.text, 5, 2)) + "." +
               std::string(Mitte(f.text, 1, 4));
      break;
    case Darstellung::DatumTTMMJJJJ:
      if (f.text.empty()) break;
      // The year of two or of four digits, as the line gives it.
      f.wert = std::string(Mitte(f.text, 1, 2)) + "." + std::string(Mitte(f.text, 3, 2)) + "." +
               std::string(Mitte(f.text, 5, f.text.size() > 6 ? 4 : 2));
      break;
  }
  if (w.codes) {
    bool bekannt = false;
    for (const Bedeutung& b : w.codes->bedeutungen)
      if (f.wert == b.wert) {
        f.zusatz += Ansi(b.zusatz);
        bekannt = true;
        break;
      }
    if (!bekannt && w.codes->sonst && f.wert != " ") f.zusatz += Ansi(w.codes->sonst);
  }
  if (w.zusatz) f.zusatz += Ansi(w.zusatz);
}

// One field: its label and value, by the field before it where the table says so.
Feldinhalt Inhalt(const Feld& feld, std::string text, int ende, const std::string* vorher) {
  Feldinhalt f{&feld, feld.name ? Ansi(feld.name) : std::string(), std::move(text), std::nullopt, {}, {}, ende};
  const Wert* w = &feld.wert;
  if (!feld.wahl.empty()) {
    const Wahl* gewaehlt = Waehlen(feld.wahl, vorher ? Schluessel(*vorher) : std::string());
    if (gewaehlt) {
      f.name = Ansi(gewaehlt->name);
      w = &gewaehlt->darstellung;
    }
  }
  Darstellen(f, *w);
  return f;
}

bool Trifft(const Satzart& s, char buchstabe, std::string_view zeile) {
  if (s.buchstabe != buchstabe) return false;
  switch (s.bedingung) {
    case Bedingung::Immer: return true;
    case Bedingung::Semikolon: return zeile.size() > 1 && zeile[1] == ';';
    case Bedingung::KeinSemikolon: return !(zeile.size() > 1 && zeile[1] == ';');
    case Bedingung::Endesatz: {
      // Read as the reader reads it, with a ";" after the line.
      const std::string gefuellt = std::string(zeile) + ";";
      Feldleser l(gefuellt);
      l.Naechstes();
      return zeile.size() > 1 && zeile[1] == ';' && IstNumerisch(Trimmen(l.Naechstes()));
    }
  }
  return false;
}

// The fields of a list, from the reader's position on. Fields the list skips are read and passed.
void Lesen(const std::vector<Feld>& felder, bool festeSpalten, bool ungetrimmt, std::string_view zeile,
           Feldleser& leser, Zerlegung& z) {
  for (const Feld& feld : felder) {
    const std::string* vorher = z.felder.empty() ? nullptr : &z.felder.back().text;
    if (festeSpalten) {
      std::string_view roh = Mitte(zeile, static_cast<std::size_t>(feld.von), static_cast<std::size_t>(feld.breite));
      // A fixed-column field is padded to its width: a blank one shows as empty.
      std::string text = ungetrimmt ? std::string(roh) : Rechtstrimmen(roh);
      z.felder.push_back(Inhalt(feld, std::move(text), feld.von + feld.breite - 1, vorher));
    } else {
      while (leser.Gelesen() + 1 < feld.nummer) leser.Naechstes();
      std::string text = Feldtext(leser.Naechstes(), feld.breite);
      z.felder.push_back(Inhalt(feld, std::move(text), static_cast<int>(leser.Position()) - 1, vorher));
    }
  }
}

}  // namespace

std::optional<Zerlegung> ZeileZerlegen(const Layout& layout, std::string_view eingabe) {
  if (eingabe.empty()) return std::nullopt;
  const char buchstabe = GrossZeichen(eingabe[0]);
  const Satzart* satzart = nullptr;
  for (const Satzart& s : layout.satzarten)
    if (Trifft(s, buchstabe, eingabe)) {
      satzart = &s;
      break;
    }
  if (!satzart) return std::nullopt;

  const std::string zeile = std::string(eingabe) + (satzart->festeSpalten ? "" : ";;;;;;;;;;");
  Zerlegung z;
  z.satzart = satzart;
  z.buchstabe = std::string(1, buchstabe);
  z.bezeichnung = Ansi(satzart->bezeichnung);
  Feldleser leser(zeile);
  leser.Naechstes();  // the record letter
  Lesen(satzart->felder, satzart->festeSpalten, satzart->ungetrimmt, zeile, leser, z);
  z.teilAb = z.felder.size();
  if (satzart->auswahl < 0) return z;

  // The field that selects the rest of the record.
  const Feldinhalt& auswahl = z.felder[static_cast<std::size_t>(satzart->auswahl)];
  const std::string schluessel = satzart->auswahlNachZahl ? FormatierenGanz(Runden(Zahlwert(auswahl.text)), "0")
                                                          : Schluessel(auswahl.text);
  const Teil* teil = Waehlen(satzart->teile, schluessel);
  if (!teil) {
    z.teilUnbekannt = true;
    return z;
  }
  z.teilbezeichnung = Ansi(teil->bezeichnung ? teil->bezeichnung : satzart->bezeichnung);
  Lesen(teil->felder, satzart->festeSpalten, satzart->ungetrimmt, zeile, leser, z);
  return z;
}

}  // namespace korvelan::feldlayout
