// The error-log window and the code-page bridge: printing the log to a PDF, a cancelled printer
// choice, and the Windows-1252 table.
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "ui/fanzeige.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::FAnzeige;

class TestFAnzeige : public QObject {
  Q_OBJECT

 private slots:
  void codeseite() {
    // 0x80-0x9F are not Latin-1: the euro sign, quotes, dashes.
    QCOMPARE(ui::AlsQString("\x80\x84\x93\x96"), QStringLiteral("€„“–"));
    QCOMPARE(ui::AlsQString("\xE4\xFC\xDF\xB2"), QStringLiteral("äüß²"));
    for (int i = 0; i < 256; ++i) {
      std::string b(1, static_cast<char>(i));
      QCOMPARE(ui::AlsAnsi(ui::AlsQString(b)), b);
    }
    QCOMPARE(ui::AlsAnsi(QStringLiteral("€ und Ω")), std::string("\x80 und ?"));
  }

  void drucken_als_pdf() {
    TempVerzeichnis v;
    const QString pdf = QString::fromStdString(v.Datei("protokoll.pdf"));
    ui::FAnzeige::DruckerWaehlen() = [pdf](QPrinter& p, QWidget*) {
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(pdf);
      return true;
    };
    FAnzeige f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Fehlerprotokoll"));
    QVERIFY(f.findChild<QPlainTextEdit*>(QStringLiteral("Tex_Protokoll"))->isReadOnly());
    QCOMPARE(f.findChild<QPushButton*>(QStringLiteral("Com_Protokoll"))->text(), QStringLiteral("&Protokoll drucken"));
    f.ProtokollSetzen(ui::AlsQString(Ansi("F E H L E R P R O T O K O L L   vom 01.01.2025\r\n"
                                          "Artikel 4711  Kurztext gekürzt\r\nArtikel 4712  Einheit fehlt\r\n")));
    f.show();
    f.Com_Protokoll_Click();
    QVERIFY(QFile::exists(pdf));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext fehlt");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("F E H L E R P R O T O K O L L +vom 01.01.2025"))),
             qPrintable(text));
    // pdftotext may join the blanks between the columns.
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Artikel 4711 +Kurztext gekürzt"))), qPrintable(text));
    // Each line of the log is a printed line.
    QVERIFY(text.indexOf(QStringLiteral("4712")) > text.indexOf(QStringLiteral("gekürzt")));
  }

  void druck_abgebrochen() {
    TempVerzeichnis v;
    bool gefragt = false;
    ui::FAnzeige::DruckerWaehlen() = [&](QPrinter& p, QWidget*) {
      gefragt = true;
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(QString::fromStdString(v.Datei("nicht.pdf")));
      return false;
    };
    FAnzeige f;
    f.ProtokollSetzen(QStringLiteral("F E H L E R P R O T O K O L L"));
    f.show();
    f.Com_Protokoll_Click();
    QVERIFY(gefragt);
    QVERIFY(!QFile::exists(QString::fromStdString(v.Datei("nicht.pdf"))));
    QVERIFY(f.isVisible());
    f.Com_Ende_Click();
    QVERIFY(!f.isVisible());
  }
};

QTEST_MAIN(TestFAnzeige)
#include "test_fanzeige.moc"
