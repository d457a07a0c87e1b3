#include "ui/manzeigf.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <vector>

#include "record/festkomma.h"
#include "record/text.h"
#include "ui/arbeitsbereich.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {

// How a field's content is shown.
enum class Art {
  Text,        // as read, with the suffix of its decoding
  Betrag100,   // numeric value / 100, "#####0.00"
  Faktor1000,  // numeric value / 1000, "#####0.000"
  Zahl,        // numeric value, "#####0.00"
  Rabatt,      // discount-group value: meaning and scale from the field before
  OhneName,    // has no label of its own: a click on it reports the next field
};

struct Bedeutung {
  const char* wert;
  const char* zusatz;
};

enum class Dekodierung { Keine, Vk, VkMitX, Preiskennzeichen, Preiseinheit, CuMerker, CuBasis, Preispflege,
                         Rabattkennzeichen, Unterkennzeichen };

struct Feld {
  int laenge;
  const char* name;
  Art art = Art::Text;
  Dekodierung dek = Dekodierung::Keine;
};

struct Satzart {
  char buchstabe;
  const char* bezeichnung;
  std::vector<Feld> felder;
};

const std::vector<Bedeutung>& Bedeutungen(Dekodierung d) {
  static const std::vector<Bedeutung> keine;
  static const std::vector<Bedeutung> vk = {
      {"A", "     / Änderung"}, {"N", "     / Neuanlage"}, {"L", "     / Löschung"}};
  static const std::vector<Bedeutung> vkX = {{"A", "     / Änderung"},
                                             {"N", "     / Neuanlage"},
                                             {"L", "     / Löschung"},
                                             {"X", "     / Artikelnummern-Änderung"}};
  static const std::vector<Bedeutung> preiskz = {{"1", "   / Bruttopreis"}, {"2", "   / Nettopreis"}};
  static const std::vector<Bedeutung> preiseinheit = {{"0", "   / per Einheit"},
                                                      {"1", "   / per 10 Einheiten"},
                                                      {"2", "   / per 100 Einheiten"},
                                                      {"3", "   / per 1000 Einheiten"}};
  static const std::vector<Bedeutung> cuMerker = {{"0", "   / keine Kupferverarbeitung"},
                                                  {"1", "   / Cu-Verarbeitung pro 100 Mengeneinheiten"},
                                                  {"2", "   / Cu-Verarbeitung pro 1000 Mengeneinheiten"}};
  static const std::vector<Bedeutung> cuBasis = {{"0", "   / Hohlpreis"}};
  static const std::vector<Bedeutung> preispflege = {{"N", "   / Nettopreise"}, {"B", "   / Bruttopreise"}};
  static const std::vector<Bedeutung> rabattkz = {{"1", "   / Rabattsatz"}, {"2", "   / Multi"}};
  static const std::vector<Bedeutung> unterkz = {{"F", "   / freie Texteingabe"},
                                                 {"T", "   / Einfügung von Textblöcken"}};
  switch (d) {
    case Dekodierung::Vk: return vk;
    case Dekodierung::VkMitX: return vkX;
    case Dekodierung::Preiskennzeichen: return preiskz;
    case Dekodierung::Preiseinheit: return preiseinheit;
    case Dekodierung::CuMerker: return cuMerker;
    case Dekodierung::CuBasis: return cuBasis;
    case Dekodierung::Preispflege: return preispflege;
    case Dekodierung::Rabattkennzeichen: return rabattkz;
    case Dekodierung::Unterkennzeichen: return unterkz;
    case Dekodierung::Keine: break;
  }
  return keine;
}

const std::vector<Satzart>& Satzarten() {
  using A = Art;
  using D = Dekodierung;
  static const std::vector<Satzart> tabelle = {
      {'A', "Artikelsatz Teil A",
       {{1, "Verarbeitungskennzeichen", A::Text, D::VkMitX}, {15, "Artikelnummer"}, {2, "Textkennzeichen"},
        {40, "Kurztextzeile 1"}, {40, "Kurztextzeile 2"}, {1, "Preiskennzeichen", A::Text, D::Preiskennzeichen},
        {1, "Preiseinheit", A::Text, D::Preiseinheit}, {4, "Mengeneinheit"}, {8, "Preis", A::Betrag100},
        {4, "Rabattgruppe"}, {3, "Warenhauptgruppe"}, {8, "Langtextschlüssel"}}},
      {'B', "Artikelsatz Teil B",
       {{1, "Verarbeitungskennzeichen", A::Text, D::Vk}, {15, "Artikelnummer"}, {15, "Matchcode"},
        {15, "Alternativ-Artikelnummer"}, {8, "Katalogseite"}, {1, "CU-Gewichts Merker", A::Text, D::CuMerker},
        {3, "Kupfer-Basispreis", A::Text, D::CuBasis}, {6, "Cu-Gewicht"}, {13, "EAN-Nummer"},
        {12, "Anbindungsnummer"}, {10, "Warengruppe"}, {2, "Kostenart"}, {5, "Verpackungseinheit"},
        {4, "Referenz-Kürzel"}, {17, "Referenz-Nummer"}}},
      {'K', "Kundennummernsatz",
       {{1, "", A::OhneName}, {10, "Kundennummer"}, {1, "Preispflege", A::Text, D::Preispflege}}},
      {'S', "Warengruppensatz",
       {{1, "", A::OhneName}, {3, "Hauptwarengruppe"}, {40, "Hauptwarengruppenbezeichnung"}, {10, "Warengruppe"},
        {40, "Warengruppenbezeichnung"}, {40, "Hauptwarengruppenbez."}}},
      {'R', "Rabattgruppensatz",
       {{1, "", A::OhneName}, {4, "Rabattgruppe"},
        {1, "Rabattgruppenkennzeichen", A::Text, D::Rabattkennzeichen}, {4, "", A::Rabatt},
        {40, "Rabattgruppenbezeichnung"}}},
      {'D', "Dimensionssatz",
       {{1, "Verarbeitungskennzeichen", A::Text, D::Vk}, {15, "Artikelnummer"}, {2, "Zeilennummer"},
        {1, "Unterkennzeichen", A::Text, D::Unterkennzeichen}, {8, "Langtextnummer"}, {40, "Dimensionstext"},
        {2, "Zeilennummer"}, {1, "Unterkennzeichen", A::Text, D::Unterkennzeichen}, {8, "Langtextnummer"},
        {40, "Dimensionstext"}}},
      {'T', "Langtextsatz",
       {{1, "Verarbeitungskennzeichen", A::Text, D::Vk}, {8, "Langtextnummer"}, {7, "frei"}, {2, "Zeilennummer"},
        {9, "frei"}, {40, "Langtextzeile Teil 1"}, {2, "Zeilennummer"}, {9, "frei"}, {40, "Langtextzeile Teil 2"}}},
      {'E', "Einfügetextsatz",
       {{1, "Verarbeitungskennzeichen", A::Text, D::Vk}, {8, "Langtextnummer"}, {7, "frei"}, {2, "Zeilennummer"},
        {9, "frei"}, {40, "Einfügetextzeile Teil 1"}, {2, "Zeilennummer"}, {9, "frei"},
        {40, "Einfügetextzeile Teil 2"}}},
      {'Z', "Staffelpreissatz",
       {{1, "Verarbeitungskennzeichen", A::Text, D::Vk}, {15, "Artikelnummer"}, {2, "Zeilennummer"},
        {1, "Bearbeitungsmerker"}}},
      {'J', "Artikel SET-Satz",
       {{1, "Verarbeitungskennzeichen", A::Text, D::VkMitX}, {15, "SET-Satznummer"}, {2, "Zeilennummer"},
        {1, "SET-Merker"}, {15, "Matchcode"}, {28, "Beschreibungstext"}, {1, "Aufrufmerker"},
        {15, "Artikel-, SET-Nummer"}, {7, "Menge", A::Faktor1000}}},
  };
  return tabelle;
}

// The rest of a price-scale record, chosen by its Bearbeitungsmerker.
const Satzart* Staffelteil(long merker) {
  using A = Art;
  static const std::vector<Satzart> teile = {
      {'1', "Staffelpreissatz, Bearb.Mk.1",
       {{2, "Basismerker"}, {28, "Basisbeschreibung"}, {1, "Preiskennzeichen"}, {8, "Preis", A::Betrag100},
        {8, "Von Basis"}, {8, "Bis Basis"}}},
      {'2', "Staffelpreissatz, Bearb.Mk.2",
       {{2, "Basismerker"}, {28, "Basisbeschreibung"}, {1, "Zu-,Abschlagkennzeichen"},
        {8, "Preis/Zu-,Abschlag", A::Betrag100}, {8, "Von Basis"}, {8, "Bis Basis"}}},
      {'3', "Rohstoffsatz Von/Bis, Bearb.Mk.3",
       {{2, "Rohstoffmerker"}, {1, "Zu-,Abschlagkennzeichen"}, {8, "Preis/Zu-,Abschlag", A::Betrag100},
        {6, "Von Basis"}, {6, "Bis Basis"}, {6, "Umrechnungsfaktor", A::Faktor1000}}},
      {'4', "Rohstoffsatz (Berechng), Bearb.Mk.4",
       {{2, "Rohstoffmerker"}, {6, "Bezugspreis-Basis", A::Zahl}, {6, "Umrechnungsfaktor", A::Faktor1000},
        {6, "Gewicht", A::Betrag100}, {6, "Umrechnungsfaktor", A::Faktor1000}}},
      {'5', "Sonderkosten, Bearb.Mk.5", {{40, "Bezeichnung"}, {1, "Zuschlagkennzeichen"}, {8, "Preis", A::Betrag100}}},
  };
  if (merker < 1 || merker > 5) return nullptr;
  return &teile[static_cast<std::size_t>(merker - 1)];
}

// Numeric value of a field: the leading number, blanks anywhere ignored, 0 when there is none
// or when it is beyond every sensible size.
Festkomma Zahlwert(const std::string& text) {
  std::string ohne;
  for (char c : text)
    if (c != ' ') ohne += c;
  try {
    return Val(ohne);
  } catch (const Laufzeitfehler&) {
    return 0;
  }
}

std::string Zahltext(Festkomma wert, std::string_view muster) {
  return AlsAnsi(QString::fromStdString(Formatieren(wert, muster)).replace(QLatin1Char('.'), QLocale().decimalPoint()));
}

std::string Dekodiert(const std::string& wert, Dekodierung d) {
  for (const Bedeutung& b : Bedeutungen(d))
    if (wert == b.wert) return wert + Ansi(b.zusatz);
  if (d == Dekodierung::Preiskennzeichen && wert != " ") return wert + "   / Falsche Angabe";
  return wert;
}

// Reads the fields of a ";"-separated line one after another from a 1-based position.
class Feldleser {
 public:
  explicit Feldleser(const std::string& zeile) : zeile_(zeile) {}
  // The raw field from the current position; afterwards the position stands after its ";".
  std::string Naechstes() {
    std::size_t start = pos_ - 1;
    std::size_t semikolon = start < zeile_.size() ? zeile_.find(';', start) : std::string::npos;
    std::string feld;
    if (semikolon == std::string::npos) {
      // Up to the last character of the line, which is left out.
      if (start + 1 < zeile_.size()) feld = zeile_.substr(start, zeile_.size() - 1 - start);
      pos_ = zeile_.size() + 1;
    } else {
      feld = zeile_.substr(start, semikolon - start);
      pos_ = semikolon + 2;
    }
    return feld;
  }
  std::size_t Position() const { return pos_; }

 private:
  const std::string& zeile_;
  std::size_t pos_ = 1;
};

// The field text as shown: right-trimmed unless blank, cut to its length. The line is the one the
// viewer shows, whose characters are converted already.
std::string Feldtext(const std::string& roh, int laenge) {
  std::string t = IstLeer(roh) ? roh : Rechtstrimmen(roh);
  return std::string(Mitte(t, 1, static_cast<std::size_t>(laenge)));
}

std::optional<Feldinformation> Vorlaufsatz(const std::string& zeile, int k) {
  auto spalten = [&](std::size_t von, std::size_t bis) { return std::string(Mitte(zeile, von, bis - von + 1)); };
  Feldinformation f{"V ", "Vorlaufsatz", "", ""};
  if (k >= 1 && k <= 8) {
    f.feldbezeichnung = "Datum";
    f.feldinhalt = spalten(3, 4) + "." + spalten(5, 6) + "." + spalten(7, 8);
  } else if (k >= 9 && k <= 48) {
    f.feldbezeichnung = "Informationstext 1";
    f.feldinhalt = spalten(9, 48);
  } else if (k >= 49 && k <= 88) {
    f.feldbezeichnung = "Informationstext 2";
    f.feldinhalt = spalten(49, 88);
  } else if (k >= 89 && k <= 123) {
    f.feldbezeichnung = "Informationstext 3";
    f.feldinhalt = spalten(89, 123);
  } else if (k >= 124 && k <= 125) {
    f.feldbezeichnung = "Version";
    f.feldinhalt = spalten(124, 125);
  } else if (k >= 126 && k <= 128) {
    f.feldbezeichnung = Ansi("Währungskennzeichen");
    f.feldinhalt = spalten(126, 128);
  } else {
    return std::nullopt;
  }
  f.feldinhalt += " ";
  return f;
}

}  // namespace

std::optional<Feldinformation> FeldinformationErmitteln(const std::string& eingabe, int k) {
  if (eingabe.empty()) return std::nullopt;
  const std::string zeile = eingabe + ";;;;;;;;;;";
  const char buchstabe = Gross(zeile.substr(0, 1))[0];
  if (buchstabe == 'V') return Vorlaufsatz(zeile, k);

  const Satzart* satzart = nullptr;
  for (const Satzart& s : Satzarten())
    if (s.buchstabe == buchstabe) satzart = &s;
  if (!satzart) return std::nullopt;

  Feldleser leser(zeile);
  leser.Naechstes();  // the record letter
  std::string bezeichnung = Ansi(satzart->bezeichnung);
  std::string vorigerText;
  const std::size_t ziel = static_cast<std::size_t>(k) + 1;

  auto pruefen = [&](const Satzart& teil) -> std::optional<Feldinformation> {
    for (const Feld& feld : teil.felder) {
      std::string text = Feldtext(leser.Naechstes(), feld.laenge);
      std::string name = Ansi(feld.name);
      std::string inhalt;
      switch (feld.art) {
        case Art::Text:
        case Art::OhneName: inhalt = Dekodiert(text, feld.dek); break;
        case Art::Betrag100: inhalt = Zahltext(Teilen(Zahlwert(text), 100), "#####0.00"); break;
        case Art::Faktor1000: inhalt = Zahltext(Teilen(Zahlwert(text), 1000), "#####0.000"); break;
        case Art::Zahl: inhalt = Zahltext(Zahlwert(text), "#####0.00"); break;
        case Art::Rabatt:
          if (vorigerText == "1") {
            name = "Rabatt";
            inhalt = Zahltext(Teilen(Zahlwert(text), 100), "###0.00") + "   / Rabatt";
          } else if (vorigerText == "2") {
            name = "Multi";
            inhalt = Zahltext(Teilen(Zahlwert(text), 1000), "###0.000") + "   / Multi";
          } else {
            inhalt = text;
          }
          break;
      }
      vorigerText = text;
      if (feld.art != Art::OhneName && leser.Position() >= ziel)
        return Feldinformation{std::string(1, buchstabe) + " ", bezeichnung, name, inhalt + " "};
    }
    return std::nullopt;
  };

  if (auto f = pruefen(*satzart)) return f;
  if (buchstabe != 'Z') return std::nullopt;
  // The Bearbeitungsmerker (the last field read) selects the rest of a price-scale record.
  const Satzart* teil = Staffelteil(static_cast<long>(Runden(Zahlwert(vorigerText))));
  if (!teil) return std::nullopt;
  bezeichnung = Ansi(teil->bezeichnung);
  return pruefen(*teil);
}

MANZEIGF::MANZEIGF(QWidget* eltern) : QWidget(eltern, Qt::Window) {
  setWindowTitle(QStringLiteral("Feldinformation"));
  setObjectName(QStringLiteral("MANZEIGF"));
  Lab_Satzart = new QLabel(this);
  Lab_SatzartBez = new QLabel(this);
  Lab_Feldbezeichnung = new QLabel(this);
  Lab_Feldinhalt = new QLabel(this);
  Lab_Satzart->setObjectName(QStringLiteral("Lab_Satzart"));
  Lab_SatzartBez->setObjectName(QStringLiteral("Lab_SatzartBez"));
  Lab_Feldbezeichnung->setObjectName(QStringLiteral("Lab_Feldbezeichnung"));
  Lab_Feldinhalt->setObjectName(QStringLiteral("Lab_Feldinhalt"));
  for (QLabel* l : {Lab_Satzart, Lab_Feldinhalt}) {
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }
  Lab_Feldinhalt->setTextFormat(Qt::PlainText);
  Lab_Feldinhalt->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* l = new QHBoxLayout(this);
  l->addWidget(Lab_Satzart);
  l->addWidget(Lab_SatzartBez, 2);
  l->addWidget(Lab_Feldbezeichnung, 2);
  l->addWidget(Lab_Feldinhalt, 4);
}

void MANZEIGF::Zeigen(const std::string& zeile, int k, int breite) {
  hide();
  std::optional<Feldinformation> f = FeldinformationErmitteln(zeile, k);
  if (!f) return;
  Lab_SatzartBez->setText(AlsQString(f->satzartbezeichnung));
  Lab_Satzart->setText(AlsQString(f->satzart));
  Lab_Feldbezeichnung->setText(AlsQString(f->feldbezeichnung));
  Lab_Feldinhalt->setText(AlsQString(f->feldinhalt));
  // At the top left of the screen, or of the main window's work area when it is a sub-window
  // there; the frame takes the width given.
  QWidget* rahmen = Rahmen(this);
  rahmen->move(0, 0);
  rahmen->resize(breite, rahmen->sizeHint().height());
  show();
  rahmen->show();
  rahmen->raise();
}

}  // namespace korvelan::ui
