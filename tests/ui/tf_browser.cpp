// SPDX-License-Identifier: GPL-3.0-or-later
// The report window with the HTML engine: the engine starts with the first report, the window's
// size and resize limits, replacing a shown report, closing with and without the way back to
// the table window, saving as HTML and PDF, copying, printing and its preview, the report menu,
// and pages that can neither run scripts nor reach the network.
#include "ui/okna/tf_browser.h"

#include "reports/raport_jakosc_pytan.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "reports/raport_statystyka.h"
#include "support/klasa_testowa.h"
#include "support/ui/program_testowy.h"
#include "ui/okna/tf_archiwum.h"
#include "ui/okna/tf_glowny.h"
#include "ui/okna/tf_pop_menu.h"
#include "ui/okna/tf_pop_osoba.h"
#include "ui/okna/tf_pop_pyt.h"
#include "ui/okna/tf_tabela.h"
#include "ui/program.h"
#include "ui/wydruk_raportu.h"

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

constexpr int Czekaj = 30000; // the engine's first start may take long on a busy machine

class PrzegladarkaTestowa : public TFBrowser {
public:
    using TFBrowser::TFBrowser;
    QString odpowiedz; // what the save dialog answers
    QStringList dialogi;
    QList<QUrl> otwarte; // what the desktop was asked to open

protected:
    void OtworzAdres(const QUrl& adres) override { otwarte << adres; }
    QString WybierzPlikZapisu(const QString& folder, const QString& nazwa) override {
        dialogi << QDir(folder).filePath(nazwa);
        return odpowiedz;
    }
};

void ZapiszTekst(const QString& sciezka, const QByteArray& tresc) {
    QFile plik(sciezka);
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write(tresc);
}

// A report long enough for several pages, with the frame's pictures beside it.
QByteArray DlugiRaport(int akapitow) {
    QByteArray html = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=windows-1250\"><title>Zadrix - Raport</title></head><body>"
                      "<img src=\"naglowek.jpg\" width=\"500\" height=\"20\">"
                      "<p align=\"center\" class=\"N\"><b>Informacje o te\x9C"
                      "cie.</b><br><br></p>"
                      "<table border=\"1\"><tr><td><b>Ucze\xF1</b></td><td style=\"color:#FF0000\">"
                      "Ocena</td></tr></table>";
    for (int i = 1; i <= akapitow; ++i)
        html += "<p>Akapit " + QByteArray::number(i) + " \xBF\xF3\xB3w</p>";
    return html + "<img src=\"stopka.jpg\" width=\"500\" height=\"20\"></body></html>";
}

class TFBrowserTest : public testy::ProgramTestowy {
protected:
    std::unique_ptr<TFTabela> tabela;
    std::unique_ptr<PrzegladarkaTestowa> okno;

    void SetUp() override {
        tabela = std::make_unique<TFTabela>(program);
        okno = std::make_unique<PrzegladarkaTestowa>(program);
        program.Zasady().Podlacz(tabela.get());
        program.Zasady().Podlacz(okno.get());
        for (const char* obraz : {"naglowek.jpg", "stopka.jpg"})
            ZapisObrazu(obraz);
    }
    void ZapisObrazu(const char* nazwa) {
        ASSERT_TRUE(
            ZapiszObrazZasobu(QString::fromLatin1(nazwa).section('.', 0, 0), sciezka(nazwa)));
    }
    QString sciezka(const QString& nazwa) const {
        return QDir(program.srodowisko.foldery.FolderTemp).filePath(nazwa);
    }
    // Shows a report and waits until its page is loaded.
    bool Pokaz(const QString& plik) {
        QSignalSpy zaladowano(okno.get(), &TFBrowser::zaladowano);
        okno->WyswietlRaport(plik);
        return zaladowano.wait(Czekaj) && zaladowano.last().at(0).toBool();
    }
    void Ciagnij(QPoint od, QPoint dokad) {
        const auto wyslij = [&](QEvent::Type typ, QPoint gdzie, Qt::MouseButtons przyciski) {
            QMouseEvent e(typ, QPointF(okno->LCiongnij->mapFromGlobal(gdzie)), QPointF(gdzie),
                          Qt::LeftButton, przyciski, Qt::NoModifier);
            QApplication::sendEvent(okno->LCiongnij, &e);
        };
        wyslij(QEvent::MouseButtonPress, od, Qt::LeftButton);
        wyslij(QEvent::MouseMove, dokad, Qt::LeftButton);
        EXPECT_TRUE(okno->Rameczka->isVisible());
        wyslij(QEvent::MouseButtonRelease, dokad, Qt::NoButton);
        EXPECT_FALSE(okno->Rameczka->isVisible());
    }
};

TEST_F(TFBrowserTest, RozmiarOdswiezanieIZamykanie) {
    ZapiszTekst(sciezka("a.htm"), DlugiRaport(3));
    ZapiszTekst(sciezka("b.htm"), DlugiRaport(5));
    // no engine until the first report needs it
    EXPECT_FALSE(okno->SilnikUruchomiony());
    ASSERT_TRUE(Pokaz(sciezka("a.htm")));
    EXPECT_TRUE(okno->SilnikUruchomiony());
    EXPECT_TRUE(okno->isVisible());
    EXPECT_EQ(okno->size(), QSize(750, 500));
    EXPECT_EQ(okno->windowTitle(), QString::fromUtf8("Sondrel – Raport"));
    const QRect ekran = okno->screen()->availableGeometry();
    EXPECT_EQ(okno->geometry().center().x(), ekran.center().x());
    EXPECT_EQ(okno->WebBrowser->geometry(), QRect(0, 0, 593, 429));

    // the grip: the height stays within 400 .. 600, the width never changes
    const QPoint chwyt = okno->LCiongnij->mapToGlobal(QPoint(7, 6));
    const struct { int o, wysokosc; } ciagniecia[] = {{-200, 400}, {300, 600}, {-50, 550}};
    for (const auto& c : ciagniecia) {
        const QPoint start = okno->LCiongnij->mapToGlobal(QPoint(7, 6));
        Ciagnij(start, start + QPoint(40, c.o));
        EXPECT_EQ(okno->size(), QSize(750, c.wysokosc)) << c.o;
        EXPECT_EQ(okno->PPodWebbrowser->height(), c.wysokosc - 71);
        EXPECT_EQ(okno->Pdown->y(), c.wysokosc - 32);
    }
    (void)chwyt;

    // a report shown while the window is open replaces the page at once, in the window as high
    // as the teacher made it
    ASSERT_TRUE(Pokaz(sciezka("b.htm")));
    EXPECT_EQ(okno->size(), QSize(750, 550));
    EXPECT_EQ(okno->Silnik()->Adres(), QUrl::fromLocalFile(sciezka("b.htm")));

    // the close mark: the table window comes back only for a report from a popup
    okno->PowrotDoTabeli = 0;
    okno->LCloseWykres->klik();
    EXPECT_FALSE(okno->isVisible());
    EXPECT_FALSE(tabela->isVisible());
    ASSERT_TRUE(Pokaz(sciezka("a.htm")));
    EXPECT_EQ(okno->size(), QSize(750, 550)); // opened again, as high as it was
    okno->PowrotDoTabeli = 1;
    okno->LCloseWykres->klik();
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(tabela->isVisible());
    tabela->Zamknij();
    // "Zamknij raport" does the same
    ASSERT_TRUE(Pokaz(sciezka("a.htm")));
    okno->LClose->klik();
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(tabela->isVisible());

    // F1 on the page opens the report window's help page; Alt+F4 there is swallowed
    ASSERT_TRUE(Pokaz(sciezka("a.htm")));
    EXPECT_EQ(okno->StronaPomocy(), QStringLiteral("menuraport.htm"));
    QWidget* strona =
        okno->WebBrowser->focusProxy() ? okno->WebBrowser->focusProxy() : okno->WebBrowser;
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(strona, &f1);
    ASSERT_EQ(okno->otwarte.size(), 1);
    EXPECT_TRUE(okno->otwarte.at(0).toLocalFile().endsWith(QStringLiteral("Pomoc/menuraport.htm")));
    QKeyEvent altF4(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
    QApplication::sendEvent(strona, &altF4);
    EXPECT_TRUE(okno->isVisible());
}

// The command column by keyboard alone: Tab and Shift+Tab walk the commands in their order
// with a visible mark on the one with the focus, Enter runs it, Esc closes the window as its
// close mark does; screen readers see buttons with a press action and no separators.
TEST_F(TFBrowserTest, PoleceniaZKlawiatury) {
    ZapiszTekst(sciezka("a.htm"), DlugiRaport(3));
    ASSERT_TRUE(Pokaz(sciezka("a.htm")));
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    const QList<Etykieta*> kolejnosc = {okno->LZapisz, okno->LKopiuj, okno->LDrukuj,
                                        okno->LPodglond, okno->LClose};
    EXPECT_EQ(okno->PozycjeMenu(), kolejnosc);
    for (Etykieta* p : kolejnosc) {
        QAccessibleInterface* d = QAccessible::queryAccessibleInterface(p);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->role(), QAccessible::Button);
        EXPECT_TRUE(d->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    for (Etykieta* k : {okno->LKreska1, okno->LKreska2})
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(k)->state().invisible);

    const QImage bezFokusu = okno->LPodglond->grab().toImage();
    okno->LZapisz->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < kolejnosc.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), kolejnosc[i]) << i;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), okno->LPodglond);
    EXPECT_NE(okno->LPodglond->grab().toImage(), bezFokusu); // the focus mark

    // Enter on "Zamknij raport": closed, the table window back for a report from a popup
    okno->PowrotDoTabeli = 1;
    okno->LClose->setFocus(Qt::TabFocusReason);
    QTest::keyClick(okno->LClose, Qt::Key_Return);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(tabela->isVisible());
    tabela->Zamknij();

    // Esc does what the close mark does
    ASSERT_TRUE(Pokaz(sciezka("a.htm")));
    okno->PowrotDoTabeli = 0;
    QTest::keyClick(okno->LZapisz, Qt::Key_Escape);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_FALSE(tabela->isVisible());
}

TEST_F(TFBrowserTest, ZapisJakoHtmIPdfZeStopkami) {
    ZapiszTekst(sciezka("Klasa_OTescie.htm"), DlugiRaport(160));
    ASSERT_TRUE(Pokaz(sciezka("Klasa_OTescie.htm")));

    // the dialog proposes the report's own name in the Documents folder
    const QString htm = folder.filePath("Dokumenty/kopia.htm");
    okno->odpowiedz = htm;
    QSignalSpy zapisano(okno.get(), &TFBrowser::zapisano);
    okno->LZapisz->klik();
    ASSERT_EQ(okno->dialogi.size(), 1);
    EXPECT_EQ(okno->dialogi.at(0), folder.filePath("Dokumenty/Klasa_OTescie.htm"));
    ASSERT_EQ(zapisano.size(), 1);
    EXPECT_TRUE(zapisano.at(0).at(1).toBool());
    EXPECT_TRUE(QFileInfo(folder.filePath("Dokumenty/kopia_pliki/naglowek.jpg")).isFile());

    const QString pdf = folder.filePath("Dokumenty/kopia.pdf");
    okno->ZapiszRaportJako(pdf);
    while (zapisano.size() < 2)
        ASSERT_TRUE(zapisano.wait(Czekaj));
    EXPECT_TRUE(zapisano.last().at(1).toBool());
    EXPECT_TRUE(QFileInfo(pdf).isFile());

    // text kept as text, on A4 pages, the footer on every page
    QPdfDocument dokument;
    ASSERT_EQ(dokument.load(pdf), QPdfDocument::Error::None);
    ASSERT_GE(dokument.pageCount(), 3);
    QString caly;
    for (int i = 0; i < dokument.pageCount(); ++i) {
        const QString tekst = dokument.getAllText(i).text();
        EXPECT_TRUE(tekst.contains(QStringLiteral("- Str. %1 -").arg(i + 1)))
            << i << tekst.toStdString();
        EXPECT_NEAR(dokument.pagePointSize(i).width(), 595.3, 1.5);
        EXPECT_NEAR(dokument.pagePointSize(i).height(), 841.9, 1.5);
        caly += tekst;
    }
    // the report's title and the program in the document information
    EXPECT_EQ(dokument.metaData(QPdfDocument::MetaDataField::Title).toString(),
              QString::fromUtf8("Informacje o teście"));
    EXPECT_EQ(dokument.metaData(QPdfDocument::MetaDataField::Creator).toString(), TworcaPdf());
    EXPECT_TRUE(caly.contains(QString::fromUtf8("Akapit 1 żółw")));
    EXPECT_TRUE(caly.contains(QString::fromUtf8("Akapit 160 żółw")));

    // a place that cannot take the file: the message, a journal line, nothing left there
    QDir().mkpath(folder.filePath("Dokumenty/zajete.pdf"));
    okno->ZapiszRaportJako(folder.filePath("Dokumenty/zajete.pdf"));
    while (zapisano.size() < 3)
        ASSERT_TRUE(zapisano.wait(Czekaj));
    EXPECT_FALSE(zapisano.last().at(1).toBool());
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(komunikaty.at(0).tekst, QString::fromUtf8("Nie udało się zapisać raportu.\rBrak "
                                                        "możliwości zapisu w wybranym miejscu."));
    QFile dziennik(program.srodowisko.foldery.PlikDziennika);
    ASSERT_TRUE(dziennik.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dziennik.readAll().contains("zajete.pdf"));
}

// The question-quality report printed: the header row on every page, no question's rows
// (its figures and the flags under them) split between two pages.
TEST_F(TFBrowserTest, JakoscPytanWDrukuCaleWierszeINaglowekNaKazdejStronie) {
    Analiza& a = program.analiza;
    constexpr int pytan = 40;
    testy::UstawNaglowek(a, QStringLiteral("Długi test"), 4, pytan);
    QStringList klucze;
    for (int q = 0; q < pytan; ++q)
        klucze << QStringLiteral("0000").replace(q % 4, 1, u'1');
    QList<testy::UczenProbny> uczniowie;
    for (int u = 0; u < 12; ++u) {
        QStringList wybory;
        for (int q = 0; q < pytan; ++q)
            wybory << QStringLiteral("0000").replace((q * 7 + u * (q % 3 + 1)) % 4, 1, u'1');
        uczniowie << testy::UczenProbny{QStringLiteral("N%1").arg(u), QStringLiteral("I"), wybory};
    }
    testy::DodajUczniow(a, klucze, uczniowie);
    const WynikRaportu raport =
        RaportJakoscPytan(a, program.UstawieniaRaportow(), program.srodowisko);
    ASSERT_TRUE(raport.udany()) << raport.blad.toStdString();
    ASSERT_TRUE(Pokaz(raport.sciezka));
    const QString pdf = folder.filePath("jakosc.pdf");
    QSignalSpy zapisano(okno.get(), &TFBrowser::zapisano);
    okno->ZapiszRaportJako(pdf);
    ASSERT_TRUE(zapisano.wait(Czekaj));
    ASSERT_TRUE(zapisano.last().at(1).toBool());
    QPdfDocument dokument;
    ASSERT_EQ(dokument.load(pdf), QPdfDocument::Error::None);
    ASSERT_GE(dokument.pageCount(), 3);
    int stronZTabela = 0;
    for (int i = 0; i < dokument.pageCount(); ++i) {
        const QStringList wiersze = dokument.getAllText(i).text().split(
            QRegularExpression("[\\r\\n]+"), Qt::SkipEmptyParts);
        const qsizetype naglowek = wiersze.indexOf(QRegularExpression("^Nr\\s*Łatwość.*"));
        if (naglowek < 0) {
            // a page before the table
            EXPECT_EQ(stronZTabela, 0) << i;
            continue;
        }
        ++stronZTabela;
        // the first row under the header is a question's own row, not flags cut from it
        ASSERT_GT(wiersze.size(), naglowek + 1) << i;
        EXPECT_TRUE(wiersze.at(naglowek + 1).contains(QRegularExpression("^\\d+\\s")))
            << i << " " << wiersze.at(naglowek + 1).toStdString();
    }
    EXPECT_GE(stronZTabela, 2);
}

TEST_F(TFBrowserTest, KopiowanieDrukIPodglad) {
    ZapiszTekst(sciezka("r.htm"), DlugiRaport(120));
    ASSERT_TRUE(Pokaz(sciezka("r.htm")));

    QGuiApplication::clipboard()->setText(QStringLiteral("stare"));
    QTest::qWait(100);
    QSignalSpy skopiowano(okno.get(), &TFBrowser::skopiowano);
    okno->LKopiuj->klik();
    ASSERT_TRUE(skopiowano.wait(Czekaj));
    const QMimeData* dane = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(dane);
    EXPECT_TRUE(dane->hasHtml());
    EXPECT_TRUE(dane->html().contains(QStringLiteral("<table")));
    EXPECT_TRUE(dane->html().contains(QStringLiteral("color: rgb(255, 0, 0)")));
    EXPECT_TRUE(dane->html().contains(QStringLiteral("src=\"") +
                                      QUrl::fromLocalFile(sciezka("naglowek.jpg")).toString()));
    EXPECT_TRUE(dane->html().contains(QString::fromUtf8("<b>Uczeń</b>")))
        << dane->html().left(3000).toStdString();
    EXPECT_TRUE(dane->text().contains(QString::fromUtf8("Akapit 120 żółw")));
    // the clipboard's HTML is UTF-8 and says so
    const QByteArray bajty = dane->data(QStringLiteral("text/html"));
    EXPECT_TRUE(bajty.contains("charset=\"utf-8\"") || bajty.contains("charset='utf-8'") ||
                bajty.contains("charset=utf-8"))
        << bajty.left(300).toStdString();
    EXPECT_FALSE(bajty.contains("1250"));
    EXPECT_TRUE(bajty.contains(QString::fromUtf8("<b>Uczeń</b>").toUtf8()));

    // printing to a PDF printer: the same pages as the saved PDF, one run at a time
    auto drukarka = std::make_shared<QPrinter>(QPrinter::HighResolution);
    drukarka->setOutputFormat(QPrinter::PdfFormat);
    drukarka->setOutputFileName(folder.filePath("wydruk.pdf"));
    QSignalSpy wydrukowano(okno.get(), &TFBrowser::wydrukowano);
    okno->Drukuj(drukarka);
    EXPECT_TRUE(okno->Zajety());
    okno->Drukuj(drukarka); // ignored while the first runs
    ASSERT_TRUE(wydrukowano.wait(Czekaj));
    EXPECT_TRUE(wydrukowano.at(0).at(0).toBool());
    QTest::qWait(50);
    EXPECT_EQ(wydrukowano.size(), 1);
    QPdfDocument wydruk;
    ASSERT_EQ(wydruk.load(folder.filePath("wydruk.pdf")), QPdfDocument::Error::None);
    ASSERT_GE(wydruk.pageCount(), 2);
    // the pages keep their text and footers as text
    EXPECT_TRUE(wydruk.getAllText(0).text().contains(QString::fromUtf8("Akapit 1 żółw")));
    EXPECT_TRUE(wydruk.getAllText(1).text().contains(QStringLiteral("- Str. 2 -")));

    // the preview shows exactly those pages
    QSignalSpy podglad(okno.get(), &TFBrowser::podgladOtwarty);
    okno->LPodglond->klik();
    ASSERT_TRUE(podglad.wait(Czekaj));
    auto* dialog = okno->findChild<QPrintPreviewDialog*>();
    ASSERT_TRUE(dialog);
    auto* widok = dialog->findChild<QPrintPreviewWidget*>();
    ASSERT_TRUE(widok);
    widok->updatePreview();
    EXPECT_EQ(widok->pageCount(), wydruk.pageCount());
    // the whole dialog fits the screen
    EXPECT_LE(dialog->frameGeometry().height(), okno->screen()->availableGeometry().height());
    dialog->close();
}

TEST_F(TFBrowserTest, SpreparowanyPlikNieUruchamiaSkryptowINieSiegaDoSieci) {
    QTcpServer serwer;
    ASSERT_TRUE(serwer.listen(QHostAddress::LocalHost));
    int polaczen = 0;
    QObject::connect(&serwer, &QTcpServer::newConnection, [&] {
        ++polaczen;
        while (QTcpSocket* s = serwer.nextPendingConnection())
            s->close();
    });
    const QByteArray adres = "http://127.0.0.1:" + QByteArray::number(serwer.serverPort());
    // a test name, as an answer file carries it into every report
    Analiza& a = program.analiza;
    testy::KlasaProbna(a, folder.path());
    a.Test.NazwaTestu =
        QString::fromLatin1("Zly<script>document.title='przejety';location.href='" + adres +
                            "/js';</script>"
                            "<img src=\"" +
                            adres + "/obraz.png\"><link rel=\"stylesheet\" href=\"" + adres +
                            "/styl.css\"><iframe src=\"" + adres +
                            "/ramka\"></iframe>"
                            "<meta http-equiv=\"refresh\" content=\"0;url=" +
                            adres +
                            "/odswiez\">"
                            "<a id=\"l\" href=\"" +
                            adres +
                            "/link\">link</a><a id=\"w\" href=\"inny.htm\">w</a>"
                            "<form id=\"f\" action=\"" +
                            adres +
                            "/formularz\"><input "
                            "name=\"q\"></form><form id=\"g\" action=\"\"></form>");
    const WynikRaportu raport = RaportOTescie(a, program.UstawieniaRaportow(), program.srodowisko);
    ASSERT_TRUE(raport.udany());
    ASSERT_TRUE(Pokaz(raport.sciezka));
    ZapiszTekst(QFileInfo(raport.sciezka).dir().filePath("inny.htm"), "<p>inny</p>");
    // clicks on links and submitted forms (by the program's own script) go nowhere, and the
    // report stays shown and ready: saving as PDF, printing and copying work after them
    QSignalSpy zapisano(okno.get(), &TFBrowser::zapisano);
    QSignalSpy skopiowano(okno.get(), &TFBrowser::skopiowano);
    int pdf = 0;
    for (const char* skrypt :
         {"", "document.getElementById('l').click();", "document.getElementById('w').click();",
          "document.getElementById('f').submit();", "document.getElementById('g').submit();",
          "location.reload();"}) {
        SCOPED_TRACE(skrypt);
        okno->Silnik()->UruchomSkrypt(QString::fromLatin1(skrypt));
        QTest::qWait(1000);
        EXPECT_EQ(polaczen, 0);
        EXPECT_EQ(okno->Silnik()->Tytul(), QStringLiteral("Zadrix - Raport"));
        EXPECT_EQ(okno->Silnik()->Adres(), QUrl::fromLocalFile(raport.sciezka));
        EXPECT_TRUE(okno->Zaladowany());
        okno->ZapiszRaportJako(folder.filePath(QStringLiteral("po%1.pdf").arg(++pdf)));
        while (zapisano.size() < pdf)
            ASSERT_TRUE(zapisano.wait(Czekaj));
        EXPECT_TRUE(zapisano.last().at(1).toBool());
    }
    EXPECT_TRUE(komunikaty.isEmpty()) << teksty().join(' ').toStdString();
    okno->LKopiujClick();
    ASSERT_TRUE(skopiowano.wait(Czekaj));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("Zly")));
}

using MenuRaportow = testy::ProgramTestowy;

TEST_F(MenuRaportow, RaportyZGlownegoOkna) {
    program.UtworzOkna();
    ZapisujKomunikaty(); // instead of the message dialog the windows brought
    testy::KlasaProbna(program.analiza, folder.path());
    program.FGlowny()->show();
    program.FGlowny()->PokazAnalize();
    ASSERT_TRUE(program.FTabela()->isVisible());
    const struct {
        Etykieta* pozycja;
        const char* koniec;
    } pozycje[] = {{program.FGlowny()->LRaport1, "_OTescie.htm"},
                   {program.FGlowny()->Lraport2, "_WykazOcen.htm"},
                   {program.FGlowny()->LRaport3, "_WykazOcen.htm"}};
    for (const auto& p : pozycje) {
        program.FBrowser()->PowrotDoTabeli = 1;
        QSignalSpy zaladowano(program.FBrowser(), &TFBrowser::zaladowano);
        p.pozycja->klik();
        EXPECT_FALSE(program.FTabela()->isVisible());
        EXPECT_EQ(program.FBrowser()->PowrotDoTabeli, 0);
        EXPECT_TRUE(program.FBrowser()->isVisible());
        EXPECT_TRUE(program.FBrowser()->Sciezka().endsWith(QLatin1String(p.koniec)));
        ASSERT_TRUE(zaladowano.wait(Czekaj));
    }
    EXPECT_TRUE(komunikaty.isEmpty());
    // the table menu closes the report window
    program.FGlowny()->LTabelaWynikow->klik();
    EXPECT_FALSE(program.FBrowser()->isVisible());
    EXPECT_TRUE(program.FTabela()->isVisible());
}

// A requested report always comes to the front, active with the keyboard in its page: the first
// one of the run from the report menu (the main window had the keyboard), and a new one while
// the report window is open but covered by the archive window. It keeps the height the teacher
// gave the window, and until the new page is there its place stays white (never the earlier
// report). "Kopiuj raport" copies at once, without a click in the page first. Also run under
// Xvfb, with and without a window manager.
TEST_F(MenuRaportow, RaportNaWierzchuAktywnyZKlawiaturaWStronie) {
    program.UtworzOkna();
    ZapisujKomunikaty();
    testy::KlasaProbna(program.analiza, folder.path());
    TFGlowny& g = *program.FGlowny();
    TFBrowser& b = *program.FBrowser();
    g.show();
    g.PokazAnalize();
    // the main window has the keyboard (the results table came with the analysis)
    ASSERT_TRUE(QTest::qWaitForWindowExposed(program.FTabela()));
    g.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
    // the offscreen platform keeps no stacking order: there the activation tells
    const bool stos = QGuiApplication::platformName() != QLatin1String("offscreen");
    const auto naWierzchuZeStrona = [&] {
        return QTest::qWaitFor(
            [&] {
                const QWidget* fokus = QApplication::focusWidget();
                return QGuiApplication::focusWindow() == b.windowHandle() && b.WebBrowser &&
                       fokus && (fokus == b.WebBrowser || b.WebBrowser->isAncestorOf(fokus)) &&
                       (!stos || QApplication::topLevelAt(b.geometry().center()) == &b);
            },
            5000);
    };
    QSignalSpy zaladowano(&b, &TFBrowser::zaladowano);
    g.LRaport1->klik();
    ASSERT_TRUE(zaladowano.wait(Czekaj));
    EXPECT_TRUE(naWierzchuZeStrona());
    if (!stos) { // the copy itself: see KopiowanieDrukIPodglad (on the offscreen platform)
        QGuiApplication::clipboard()->setText(QStringLiteral("stare"));
        QSignalSpy skopiowano(&b, &TFBrowser::skopiowano);
        b.LKopiujClick();
        ASSERT_TRUE(skopiowano.wait(Czekaj));
        EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QString::fromUtf8("Ułamki")));
    }

    // the teacher makes the window higher, then the archive window comes over it
    b.UstawWysokosc(580);
    TFArchiwum& archiwum = *program.FArchiwum();
    archiwum.show();
    archiwum.move(b.pos());
    archiwum.raise();
    archiwum.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return (!stos || QApplication::topLevelAt(b.geometry().center()) == &archiwum) &&
                   QGuiApplication::focusWindow() == archiwum.windowHandle();
        },
        5000));
    // a comparison made in the archive window comes the way this one does
    const WynikRaportu drugi =
        RaportStatystyka(program.analiza, program.UstawieniaRaportow(), program.srodowisko);
    ASSERT_TRUE(drugi.udany());
    emit archiwum.raportGotowy(drugi);
    EXPECT_TRUE(b.StronaZakryta());
    EXPECT_EQ(b.size(), QSize(750, 580));
    ASSERT_TRUE(zaladowano.wait(Czekaj));
    EXPECT_TRUE(naWierzchuZeStrona());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !b.StronaZakryta(); }, 2000));
    EXPECT_EQ(b.Silnik()->Adres(), QUrl::fromLocalFile(drugi.sciezka));

    // closed and asked for again: white until the page asked for is there
    b.LClose->klik();
    g.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
    g.LRaport1->klik();
    EXPECT_TRUE(b.StronaZakryta());
    ASSERT_TRUE(zaladowano.wait(Czekaj));
    EXPECT_TRUE(naWierzchuZeStrona());
    EXPECT_TRUE(b.Silnik()->Adres().toLocalFile().endsWith(QStringLiteral("_OTescie.htm")));
    EXPECT_EQ(b.size(), QSize(750, 580));
    EXPECT_TRUE(komunikaty.isEmpty()) << teksty().join(' ').toStdString();
}

// The engine starts in the background once an analysis is open, so that the first report does
// not wait for it; never with reports in the default browser.
TEST_F(MenuRaportow, SilnikStartujeWTlePoOtwarciuAnalizy) {
    program.UtworzOkna();
    ZapisujKomunikaty();
    testy::KlasaProbna(program.analiza, folder.path());
    TFBrowser& b = *program.FBrowser();
    program.ustawienia.rdfw = true;
    program.FGlowny()->show();
    program.FGlowny()->PokazAnalize();
    QTest::qWait(1500);
    EXPECT_FALSE(b.SilnikUruchomiony());
    program.ustawienia.rdfw = false;
    program.FGlowny()->PokazAnalize();
    EXPECT_FALSE(b.SilnikUruchomiony()); // not while the analysis is being shown
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.SilnikUruchomiony(); }, Czekaj));
    EXPECT_FALSE(b.isVisible());
    EXPECT_TRUE(komunikaty.isEmpty());
}

} // namespace
} // namespace sondrel
