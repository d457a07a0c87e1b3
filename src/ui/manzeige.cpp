#include "ui/manzeige.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <memory>

#include "control/analyse.h"
#include "context/dateien.h"
#include "context/kontext.h"
#include "record/festkomma.h"
#include "ui/arbeitsbereich.h"
#include "ui/dateiwahl.h"
#include "ui/manzeigf.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {
// The line counter of a listing is a 16-bit number.
constexpr int HoechsteZeilenzahl = 32767;
}  // namespace

MAnzeige::MAnzeige(QWidget* eltern, QWidget* hauptfenster) : QtFenster(eltern), hauptfenster_(hauptfenster) {
  setWindowTitle(QStringLiteral("DATANORM-Datei anzeigen"));
  setObjectName(QStringLiteral("MAnzeige"));
  Tex_Anzeige = new QPlainTextEdit(this);
  Tex_Anzeige->setReadOnly(true);
  Tex_Anzeige->setLineWrapMode(QPlainTextEdit::NoWrap);
  Tex_Anzeige->setUndoRedoEnabled(false);
  Tex_Anzeige->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Tex_Anzeige->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont schrift(QStringLiteral("Courier New"), 10);
  schrift.setStyleHint(QFont::Monospace);
  Tex_Anzeige->setFont(schrift);
  // Read-only, but the caret stays, so that a click names a column.
  Tex_Anzeige->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Com_Laden = new QPushButton(QStringLiteral("&Datei laden"), this);
  Com_Ende = new QPushButton(QStringLiteral("B&eenden"), this);
  Lab_Hilfe = new QLabel(this);
  Lab_Hilfe->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Registrieren("Tex_Anzeige", Tex_Anzeige);
  Registrieren("Com_Laden", Com_Laden);
  Registrieren("Com_Ende", Com_Ende);
  Registrieren("Lab_Hilfe", Lab_Hilfe);

  auto* unten = new QHBoxLayout;
  unten->addWidget(Lab_Hilfe, 1);
  unten->addWidget(Com_Laden);
  unten->addWidget(Com_Ende);
  auto* l = new QVBoxLayout(this);
  l->addWidget(Tex_Anzeige, 1);
  l->addLayout(unten);

  connect(Com_Laden, &QPushButton::clicked, this, &MAnzeige::Com_Laden_Click);
  connect(Com_Ende, &QPushButton::clicked, this, &MAnzeige::Com_Ende_Click);
  Tex_Anzeige->viewport()->installEventFilter(this);
  Form_Load();
}

void MAnzeige::Form_Load() {
  Lab_Hilfe->setText(QStringLiteral("bitte die DATANORM-Datei die Sie betrachten möchten, über 'Datei laden' auswählen"));
  resize(Px(9420), Px(4716));
  move(Px(80), Px(500));
}

bool MAnzeige::eventFilter(QObject* o, QEvent* e) {
  if (o == Tex_Anzeige->viewport() && e->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
    Tex_Anzeige_Click();
  return QtFenster::eventFilter(o, e);
}

void MAnzeige::closeEvent(QCloseEvent* e) {
  // The listing works on this window until it returns: closing now only stops it.
  if (listung_ == 9) {
    listung_ = 0;
    e->ignore();
    return;
  }
  if (feldinfo_) feldinfo_->close();
  e->accept();
}

void MAnzeige::Com_Laden_Click() {
  if (listung_ == 9) return;
  std::optional<QString> pfad = DateiWaehlen()(this, QString::fromLatin1(DateiauswahlTitel),
                                               QString::fromLatin1(DateiauswahlFilter));
  if (!pfad) return;
  DateiAnzeigen(*pfad);
}

void MAnzeige::DateiAnzeigen(const QString& pfad) {
  if (listung_ == 9) return;
  dateiname_ = pfad;
  if (!DateiVorhanden(PfadAlsBytes(pfad))) return;

  // The same recognition as for a conversion, on a context of its own: the viewer changes
  // nothing of a conversion in progress elsewhere.
  auto pruef = std::make_unique<Kontext>();
  pruef->kz.Eingabedateiname = PfadAlsBytes(pfad);
  EingabeAnalysieren(*pruef, *this);
  pruefung_ = pruef->kz.Analysestatus;
  version_ = pruef->kz.Eingabeversion;
  datenkennzeichen_ = pruef->kz.Datenkennzeichen;

  if (pruefung_ == 0) {
    MeldungZeigen(this,
                  QStringLiteral("Fehler beim laden der Datei: ") + pfad +
                      QStringLiteral("\n\nKeine bzw. fehlerhafte DATANORM - Datei"),
                  QStringLiteral("DATANORM-Prüfung"), Knoepfe::Ok, Symbol::Kritisch);
    Lab_Hilfe->clear();
    return;
  }
  if (pruefung_ == 9) {
    Tex_Anzeige->clear();
    Lab_Hilfe->clear();
    return;
  }
  Listen(version_ == 3);
}

void MAnzeige::Listen(bool version3) {
  Tex_Anzeige->clear();
  if (feldinfo_) feldinfo_->hide();
  Eingabedatei datei;
  if (!datei.Oeffnen(PfadAlsBytes(dateiname_)) || datei.AmEnde()) return;

  listung_ = 9;
  Sanduhr(true);
  QTextCursor ende(Tex_Anzeige->document());
  ende.movePosition(QTextCursor::End);
  int zeilen = 0;
  bool abgebrochen = false;
  std::string text;
  try {
    for (;;) {
      EreignisseVerarbeiten();
      if (datei.AmEnde()) break;
      if (listung_ != 9 || zeilen == HoechsteZeilenzahl) {
        abgebrochen = true;
        break;
      }
      bool kurz = false;
      if (version3) {
        // A record of 128 characters with its CR LF; a shorter last block is shown as far as
        // it goes and ends the listing like a cancellation.
        kurz = datei.BlockLesen(text, 130) < 130;
      } else {
        datei.ZeileLesen(text);
        text += "\n";
      }
      ende.insertText(ZeilenendenFuerAnzeige(DateitextAlsQString(text)));
      ++zeilen;
      Lab_Hilfe->setText(QString::fromStdString(FormatierenGanz(zeilen, "######0")) +
                         QStringLiteral("  Zeilen eingelesen    /   abbrechen mit Taste 'Beenden'"));
      if (kurz) {
        abgebrochen = true;
        break;
      }
    }
  } catch (const Laufzeitfehler&) {
    // A file that cannot be read to its end shows what was read.
    abgebrochen = true;
  }
  datei.Schliessen();
  Sanduhr(false);
  listung_ = 0;
  if (abgebrochen) ende.insertText(QStringLiteral("\n") + QString::fromLatin1(Abbruchzeile));
  Lab_Hilfe->setText(QStringLiteral("Datei:   ") + dateiname_ + QStringLiteral("      DATANORM Version ") +
                     QString::fromStdString(FormatierenGanz(version_, "#")));
}

void MAnzeige::Com_Ende_Click() {
  if (listung_ == 9) {
    listung_ = 0;
    return;
  }
  if (feldinfo_) feldinfo_->close();
  close();
}

void MAnzeige::Tex_Anzeige_Click() {
  QTextCursor c = Tex_Anzeige->textCursor();
  QTextBlock b = c.block();
  FeldinfoZeigen(AlsAnsi(b.text()), c.positionInBlock() + 1);
}

void MAnzeige::FeldinfoZeigen(const std::string& zeile, int k) {
  if (version_ != 4 || listung_ == 9) return;
  QMdiArea* bereich = Arbeitsbereich(this);
  if (!feldinfo_) {
    feldinfo_ = new MANZEIGF(this);
    // Inside the main window the field information is a sub-window at the top of its work area,
    // going with the viewer.
    if (bereich) new Unterfenster(bereich, feldinfo_, this);
  }
  QWidget* bezug = bereich ? static_cast<QWidget*>(bereich) : hauptfenster_ ? hauptfenster_ : this;
  feldinfo_->Zeigen(zeile, k, bezug->frameGeometry().width() - Px(20));
}

}  // namespace korvelan::ui
