// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_browser.h"

#include "core/pliki.h"
#include "reports/kopia_raportu.h"
#include "ui/obsluga_wydruku.h"
#include "ui/program.h"
#include "ui/schowek_html.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_raportu.h"
#include "ui/wydruk_raportu.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>

namespace sondrel {

namespace {

constexpr int Szerokosc = skora::raport::Szerokosc;
constexpr int WysokoscRaportu = 500; // every report opens the window at this height
constexpr int WysokoscMin = 400, WysokoscMax = 600;

// Relative picture addresses of copied HTML made absolute file addresses in `folder`.
QString AdresyObrazowBezwzgledne(const QString& html, const QString& folder) {
    static const QRegularExpression wzor(QStringLiteral("(\\bsrc=\")([^\":]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    const QUrl baza = QUrl::fromLocalFile(folder + QLatin1Char('/'));
    QString wynik;
    qsizetype od = 0;
    auto it = wzor.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        wynik += html.mid(od, m.capturedStart(2) - od);
        wynik += baza.resolved(QUrl(m.captured(2))).toString(QUrl::FullyEncoded);
        od = m.capturedEnd(2);
    }
    return wynik + html.mid(od);
}

} // namespace

TFBrowser::TFBrowser(Program& p, QWidget* rodzic)
    : OknoZRamka(rodzic), program(p), wysokoscOkna(WysokoscRaportu) {
    UstawTytulOkna(QStringLiteral("Raport"));
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawStronePomocy(QStringLiteral("menuraport.htm"));
    UstawRozmiar(Szerokosc, WysokoscRaportu);
    setAutoFillBackground(false);

    ImTlo = new Etykieta(this, 0, 0, Szerokosc, WysokoscRaportu);
    LListwa = new Etykieta(this, 120, 4, 585, 16);
    PodlaczListwe(LListwa);
    DodajZnakZamkniecia(this, skora::raport::ZnakZamkniecia, QStringLiteral("Zamknij raport"));

    LKreska1 = DodajKreskeMenu(this, 86);
    LKreska2 = DodajKreskeMenu(this, 126);
    LZapisz =
        DodajPozycjeMenu(this, 64, QStringLiteral("Zapisz raport ..."), [this] { LZapiszClick(); });
    LKopiuj =
        DodajPozycjeMenu(this, 80, QStringLiteral("Kopiuj raport"), [this] { LKopiujClick(); });
    LDrukuj =
        DodajPozycjeMenu(this, 103, QStringLiteral("Drukuj raport..."), [this] { LDrukujClick(); });
    LPodglond = DodajPozycjeMenu(this, 119, QString::fromUtf8("Podgląd wydruku"),
                                 [this] { LPodglondClick(); });
    LClose =
        DodajPozycjeMenu(this, 143, QStringLiteral("Zamknij raport"), [this] { LCloseClick(); });
    GasMenuNad(ImTlo);

    PPodWebbrowser = new QWidget(this);
    PPodWebbrowser->setAutoFillBackground(true);
    QPalette biala = PPodWebbrowser->palette();
    biala.setColor(QPalette::Window, Qt::white);
    PPodWebbrowser->setPalette(biala);
    zaslona = new QWidget(PPodWebbrowser);
    zaslona->setObjectName(QStringLiteral("zaslona"));
    zaslona->setAutoFillBackground(true);
    zaslona->setPalette(biala);
    zaslona->hide();
    rozruch = new QTimer(this);
    rozruch->setSingleShot(true);
    rozruch->setInterval(500);
    connect(rozruch, &QTimer::timeout, this, [this] {
        // then once nothing else waits in the program's queue
        QTimer::singleShot(0, this, [this] {
            if (silnik || isVisible() || program.ustawienia.rdfw ||
                !ModulSilnikaProgramu().funkcje || !UruchomSilnik())
                return;
            // a blank page of Temp, so that the engine's page process is the reports' one
            const QString pusta =
                QDir(program.srodowisko.foldery.FolderTemp).filePath(QStringLiteral("pusta.htm"));
            if (ZapiszPlikRoboczy(pusta, "<html><body></body></html>\r\n"))
                silnik->Rozgrzej(QUrl::fromLocalFile(pusta));
        });
    });

    Pdown = new QWidget(this);
    Pdown->setAttribute(Qt::WA_TranslucentBackground);
    Pdown->setGeometry(0, WysokoscRaportu - 32, Szerokosc, 34);
    DodajUchwyt(Pdown, QRect(731, 16, 15, 13), QSize(Szerokosc, WysokoscMin),
                QSize(Szerokosc, WysokoscMax));

    wydruk = new ObslugaWydruku(this);
    connect(wydruk, &ObslugaWydruku::wydrukowano, this, &TFBrowser::wydrukowano);
    connect(wydruk, &ObslugaWydruku::podgladOtwarty, this, &TFBrowser::podgladOtwarty);
    connect(wydruk, &ObslugaWydruku::niepowodzenie, this, &TFBrowser::Niepowodzenie);
    // printing by the mouse starts on the press, as the command always did
    LDrukuj->installEventFilter(this);
    ImTlo->lower();
    Uloz();
}

TFBrowser::~TFBrowser() {
    silnik.reset(); // the engine's view before the window's other children
}

bool TFBrowser::UruchomSilnik() {
    if (silnik) return true;
    QString komunikat, szczegoly;
    silnik = UtworzSilnikHtml(PPodWebbrowser, &komunikat, &szczegoly);
    if (!silnik) {
        Niepowodzenie(komunikat, QStringLiteral("Moduł przeglądarki: ") + szczegoly);
        return false;
    }
    WebBrowser = silnik->Widok();
    WebBrowser->setGeometry(PPodWebbrowser->rect());
    WebBrowser->show();
    silnik->zaladowano = [this](bool ok) { Zaladowano(ok); };
    silnik->klatka = [this] {
        if (czekaNaKlatke) {
            czekaNaKlatke = false;
            Zaslon(false);
        }
        emit klatkaStrony();
    };
    PodgladajKlawisze();
    zaslona->raise();
    return true;
}

void TFBrowser::Zaladowano(bool ok) {
    // the engine makes the widget that takes the keys as the page comes: F1 and Alt+F4 reach
    // the window from it too
    PodgladajKlawisze();
    zaladowany = ok;
    if (ok) stronaPokazana = true;
    // Asked for once more: the engine's view, made with the first report, makes the toolkit
    // remake the window's native window (drawn by OpenGL from then on), and an activation
    // asked of the earlier one is lost (without a window manager, every time).
    if (aktywuj) {
        aktywuj = false;
        if (isVisible() && !isActiveWindow()) {
            raise();
            activateWindow();
        }
    }
    // the keyboard in the page, unless the teacher went to the commands meanwhile
    const QWidget* fokus = focusWidget();
    if (WebBrowser && (!fokus || fokus == WebBrowser || WebBrowser->isAncestorOf(fokus) ||
                       fokus == WebBrowser->focusProxy()))
        WebBrowser->setFocus(Qt::OtherFocusReason);
    // uncovered with the engine's frame of the page (it may have come before the load's end:
    // then a moment later)
    czekaNaKlatke = ok && zaslona->isVisible();
    if (czekaNaKlatke)
        QTimer::singleShot(50, this, [this] {
            if (!czekaNaKlatke) return;
            czekaNaKlatke = false;
            Zaslon(false);
        });
    else
        Zaslon(false);
    emit zaladowano(ok);
}

void TFBrowser::Zaslon(bool zaslon) {
    if (!zaslon) {
        zaslona->hide();
        return;
    }
    zaslona->setGeometry(PPodWebbrowser->rect());
    zaslona->raise();
    zaslona->show();
}

bool TFBrowser::StronaZakryta() const {
    return zaslona->isVisible();
}

void TFBrowser::UruchomWTle() {
    if (!silnik) rozruch->start();
}

void TFBrowser::WyswietlRaport(const QString& plik) {
    sciezka = plik;
    zaladowany = false;
    rozruch->stop();
    UstawRozmiar(Szerokosc, wysokoscOkna);
    Uloz();
    // the page shown before stays out of sight until the new one is painted
    czekaNaKlatke = false;
    if (stronaPokazana) Zaslon(true);
    if (!isVisible()) show();
    // a requested report comes to the front, also over the window that asked for it
    raise();
    activateWindow();
    aktywuj = true;
    if (WebBrowser) {
        WebBrowser->setFocus(Qt::OtherFocusReason);
        Zaladuj();
        return;
    }
    // the window is on screen first; the engine starts and the page loads right after
    QTimer::singleShot(0, this, &TFBrowser::Zaladuj);
}

bool TFBrowser::Zajety() const {
    return wydruk->Zajety();
}

void TFBrowser::Zaladuj() {
    if (sciezka.isEmpty() || !isVisible()) return;
    if (!WebBrowser) {
        if (!UruchomSilnik()) return;
        WebBrowser->setFocus(Qt::OtherFocusReason);
    }
    zaladowany = false;
    wydruk->UstawStrone(silnik.get(), sciezka);
    silnik->Zaladuj(QUrl::fromLocalFile(QFileInfo(sciezka).absoluteFilePath()));
}

void TFBrowser::UstawWysokosc(int wysokosc) {
    wysokoscOkna = std::clamp(wysokosc, WysokoscMin, WysokoscMax);
    UstawRozmiar(Szerokosc, wysokoscOkna);
    Uloz();
}

void TFBrowser::Uloz() {
    const int H = std::max(height(), WysokoscMin);
    if (H != height()) UstawRozmiar(Szerokosc, H);
    Pdown->setGeometry(0, H - 32, Szerokosc, 34);
    PPodWebbrowser->setGeometry(skora::raport::LewaStrony, skora::raport::GoraStrony,
                                skora::raport::SzerokoscStrony, H - 71);
    if (WebBrowser) WebBrowser->setGeometry(PPodWebbrowser->rect());
    if (zaslona) zaslona->setGeometry(PPodWebbrowser->rect());
    ImTlo->setGeometry(0, 0, Szerokosc, H);
    if (ImTlo->pixmap().deviceIndependentSize().toSize() != QSize(Szerokosc, H))
        ImTlo->setPixmap(skora::ObrazOknaRaportu(QSize(Szerokosc, H), devicePixelRatioF()));
}

void TFBrowser::resizeEvent(QResizeEvent* e) {
    OknoZRamka::resizeEvent(e);
    Uloz();
}

void TFBrowser::showEvent(QShowEvent* e) {
    // clear of the main window's menu column when the screen has room
    if (!e->spontaneous()) UmiescObokMenu();
    OknoZRamka::showEvent(e);
}

bool TFBrowser::eventFilter(QObject* obiekt, QEvent* e) {
    if (obiekt == LDrukuj && e->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        PodswietlMenu(nullptr);
        QTimer::singleShot(0, this, &TFBrowser::LDrukujClick);
        return true;
    }
    return OknoZRamka::eventFilter(obiekt, e);
}

void TFBrowser::UstawRozmiarUchwytem(QSize rozmiar) {
    UstawWysokosc(rozmiar.height());
}

// ---- closing ------------------------------------------------------------------------------------

void TFBrowser::LCloseClick() {
    LCloseWykresClick();
}

void TFBrowser::LCloseWykresClick() {
    ZamknijOkno();
}

void TFBrowser::ZamknijOkno() {
    OknoZRamka::ZamknijOkno();
    emit zamknietoRaport();
}

// ---- the commands -------------------------------------------------------------------------------

void TFBrowser::Niepowodzenie(const QString& komunikat, const QString& szczegoly) {
    program.srodowisko.WpiszDoDziennika(0, QStringLiteral("Raport. ") + szczegoly);
    program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, komunikat);
}

QString TFBrowser::WybierzPlikZapisu(const QString& folder, const QString& nazwa) {
    const QString html = QStringLiteral("Strona HTML (*.htm)");
    const QString pdf = QStringLiteral("Dokument PDF (*.pdf)");
    QFileDialog dialog(this, QStringLiteral("Zapisz raport"),
                       QDir(FolderDialogu(folder)).filePath(nazwa),
                       html + QStringLiteral(";;") + pdf);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, pdf](const QString& filtr) {
        const bool naPdf = filtr == pdf;
        dialog.setDefaultSuffix(naPdf ? QStringLiteral("pdf") : QStringLiteral("htm"));
        // the proposed name follows the kind
        const QStringList wybrane = dialog.selectedFiles();
        if (!wybrane.isEmpty()) {
            const QFileInfo info(wybrane.constFirst());
            dialog.selectFile(info.completeBaseName() +
                              (naPdf ? QStringLiteral(".pdf") : QStringLiteral(".htm")));
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString wybrany = dialog.selectedFiles().constFirst();
    const QString koncowka = QFileInfo(wybrany).suffix().toLower();
    if (koncowka != QLatin1String("htm") && koncowka != QLatin1String("html") &&
        koncowka != QLatin1String("pdf"))
        wybrany +=
            dialog.selectedNameFilter() == pdf ? QStringLiteral(".pdf") : QStringLiteral(".htm");
    return wybrany;
}

void TFBrowser::LZapiszClick() {
    if (sciezka.isEmpty() || wydruk->Zajety()) return;
    if (folderZapisu.isEmpty()) folderZapisu = program.srodowisko.foldery.FolderDokumentow;
    const QString cel = WybierzPlikZapisu(folderZapisu, QFileInfo(sciezka).fileName());
    if (cel.isEmpty()) return;
    folderZapisu = QFileInfo(cel).absolutePath();
    ZapiszRaportJako(cel);
}

void TFBrowser::ZapiszRaportJako(const QString& cel) {
    const auto koniec = [this, cel](bool ok, const QString& przyczyna,
                                    const QString& plikZrodla = QString()) {
        const QString komunikat = KomunikatNieudanejKopii(plikZrodla, przyczyna);
        if (ok) {
            emit potwierdzZapis(QPoint(x() + 40, y() + 190));
        } else {
            Niepowodzenie(komunikat, QStringLiteral("Problem z zapisem raportu do pliku ") +
                                         QDir::toNativeSeparators(cel) + QStringLiteral(": ") +
                                         przyczyna);
        }
        emit zapisano(cel, ok);
    };
    if (QFileInfo(cel).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        QString przyczyna, plikZrodla;
        const bool ok = ZapiszKopieRaportu(sciezka, cel, &przyczyna, &plikZrodla);
        koniec(ok, przyczyna, plikZrodla);
        return;
    }
    if (!zaladowany) {
        koniec(false, QStringLiteral("raport nie jest gotowy"));
        return;
    }
    if (wydruk->Zajety()) return; // a PDF, a print or a preview is being made: one at a time
    // the outcome of this save alone
    auto polaczenie = std::make_shared<QMetaObject::Connection>();
    *polaczenie = connect(wydruk, &ObslugaWydruku::zapisanoPdf, this,
                          [koniec, polaczenie](bool ok, const QString& przyczyna) {
                              disconnect(*polaczenie);
                              koniec(ok, przyczyna);
                          });
    wydruk->ZapiszPdf(cel);
}

void TFBrowser::LKopiujClick() {
    if (!zaladowany || !silnik || kopiowanie) return;
    // select the whole page by the program's own script (the page's scripts stay off), copy,
    // and clear the selection once the copy reached the clipboard
    const QString folder = QFileInfo(sciezka).absolutePath();
    kopiowanie =
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this, folder] {
            const QMimeData* dane = QGuiApplication::clipboard()->mimeData();
            if (!dane || !dane->hasHtml()) return;
            // the pictures by their full address, so that they paste anywhere
            auto* nowe = new QMimeData;
            nowe->setHtml(HtmlWUtf8(AdresyObrazowBezwzgledne(dane->html(), folder)));
            nowe->setText(dane->text());
            KoniecKopiowania();
            QGuiApplication::clipboard()->setMimeData(nowe);
            emit skopiowano();
        });
    // a copy that never reaches the clipboard still leaves the page unselected
    QTimer::singleShot(5000, this, [this, nr = ++nrKopii] {
        if (nr == nrKopii) KoniecKopiowania();
    });
    // the engine copies only from a page that has the focus
    activateWindow();
    WebBrowser->setFocus(Qt::OtherFocusReason);
    silnik->UruchomSkrypt(QStringLiteral("document.execCommand('selectAll');"),
                          [this] { silnik->Kopiuj(); });
}

void TFBrowser::KoniecKopiowania() {
    if (!kopiowanie) return;
    disconnect(kopiowanie);
    kopiowanie = {};
    if (silnik) silnik->UruchomSkrypt(QStringLiteral("window.getSelection().removeAllRanges();"));
}

void TFBrowser::LDrukujClick() {
    if (zaladowany) wydruk->DrukujZDialogiem();
}

void TFBrowser::Drukuj(std::shared_ptr<QPrinter> drukarka) {
    if (zaladowany) wydruk->Drukuj(std::move(drukarka));
}

void TFBrowser::LPodglondClick() {
    if (zaladowany) wydruk->Podglad();
}

} // namespace sondrel
