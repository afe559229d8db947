// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/panel_archiwum.h"

#include "archive/grupy_testow.h"
#include "archive/polaczenie.h"
#include "archive/raport_historii.h"
#include "archive/raport_porownania.h"
#include "archive/wybor_archiwum.h"
#include "arkusze/listy_archiwum.h"
#include "core/lokalizacja.h"
#include "ui/okno.h"
#include "ui/program.h"
#include "ui/skory/paleta.h"
#include "ui/skory/skora.h"
#include "ui/watek_archiwum.h"
#include "ui/zapis_arkusza_okna.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>
#include <set>

namespace sondrel {

namespace {

constexpr int RolaId = Qt::UserRole + 1; // a class's archive id (0 on a test's line)
constexpr int KolumnaDodal = 4;

// What the archive's thread needs of the program to save a report: its folders and journal
// level, copied, so that the thread shares nothing with the UI thread.
std::shared_ptr<Srodowisko> SrodowiskoRaportu(const Srodowisko& s) {
    auto kopia = std::make_shared<Srodowisko>();
    kopia->foldery = s.foldery;
    kopia->PoziomDziennika = s.PoziomDziennika;
    return kopia;
}

QString ProcentTekst(qint32 procent) {
    return QString::number(procent) + QStringLiteral("%");
}

// A tooltip that shows its text as it is: a test's name comes from a file and is never markup.
QString PodpowiedzTekstem(const QString& tekst) {
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") +
           tekst.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

// A class as the teacher knows it: "7a (03.03.2026)".
QString NazwaKlasy(const WpisArchiwum& w) {
    return QStringLiteral("%1 (%2)").arg(w.Klasa, TekstDatyKrotkiej(w.DataNapisania));
}

// An analysis in a question's list: "7a, test „Ułamki”, napisany 03.03.2026".
QString LiniaAnalizy(const WpisArchiwum& w) {
    return QStringLiteral("%1, test „%2”, napisany %3")
        .arg(w.Klasa, w.NazwaTestu, TekstDatyKrotkiej(w.DataNapisania));
}

// The lines of a question's list, at most `ile` of them and a line for the rest.
QString ListaLinii(const QStringList& linie, int ile = 12) {
    QStringList pokazane = linie.mid(0, ile);
    if (linie.size() > ile) pokazane << QStringLiteral("… i jeszcze %1").arg(linie.size() - ile);
    return pokazane.join(QLatin1Char('\r'));
}

} // namespace

PanelArchiwum::PanelArchiwum(Program& p, QWidget* rodzic)
    : QWidget(rodzic), program(p), watek(new WatekArchiwum(this)) {
    setFont(skora::CzcionkaPunkty(8));
    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(6);

    Drzewo = new QTreeWidget(this);
    Drzewo->setColumnCount(5);
    Drzewo->setHeaderLabels({QStringLiteral("Test i klasa"), QStringLiteral("Data napisania"),
                             QStringLiteral("Uczniów"), QStringLiteral("Średni wynik"),
                             QStringLiteral("Dodał")});
    Drzewo->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Drzewo->setSelectionBehavior(QAbstractItemView::SelectRows);
    Drzewo->setAllColumnsShowFocus(true);
    Drzewo->setRootIsDecorated(true);
    Drzewo->setUniformRowHeights(true);
    Drzewo->setAccessibleName(QStringLiteral("Analizy w archiwum"));
    Drzewo->header()->setStretchLastSection(false);
    Drzewo->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int k = 1; k < Drzewo->columnCount(); ++k)
        Drzewo->header()->setSectionResizeMode(k, QHeaderView::ResizeToContents);
    using skora::Css;
    Drzewo->setStyleSheet(
        QStringLiteral("QTreeWidget { background: %1; color: %2; border: 1px solid %3;"
                       "  selection-background-color: %3; selection-color: %2; }"
                       "QTreeWidget:focus { border-color: %4; }"
                       "QHeaderView::section { background: %5; color: %6; border: none;"
                       "  border-bottom: 1px solid %7; padding: 3px 4px; }")
            .arg(Css(skora::Panel), Css(skora::Tekst), Css(skora::MenuTlo), Css(skora::Lupek),
                 Css(skora::PanelJasny), Css(skora::Granat), Css(skora::Linia)));
    uklad->addWidget(Drzewo, 1);

    // Screen readers read the line's text (its name); what the line is, is its description.
    LStan = new QLabel(this);
    LStan->setWordWrap(true);
    LStan->setStyleSheet(QStringLiteral("color: %1;").arg(Css(skora::Tekst2)));
    LStan->setAccessibleDescription(QStringLiteral("Stan archiwum"));
    uklad->addWidget(LStan);

    connect(watek, &WatekArchiwum::zajetosc, this, &PanelArchiwum::UstawZajetosc);
    connect(watek, &WatekArchiwum::polaczono, this, [this] { UstawStan(TekstyArchiwum::Pracuje); });

    wybory.Opis = [this](const QString& tytul, const QString& przycisk,
                         const OpisAnalizy& poczatkowy) {
        return OknoPytania().ZapytajOOpis(tytul, przycisk, poczatkowy);
    };
    wybory.Uczen = [this](const QString& tytul, const QString& przycisk) {
        return OknoPytania().ZapytajOUcznia(
            tytul, przycisk,
            tytul == TekstyArchiwum::UsunUcznia
                ? QStringLiteral("Czyje wyniki usunąć z archiwum? Wpisz nazwisko i imię ucznia.")
                : TFOpisArchiwum::PytanieHistorii);
    };
    wybory.PlikArkusza = [this](const QString& folder, const QString& nazwa) {
        return OknoZapisuArkusza(window(), folder, nazwa);
    };
    // the file dialogs in the program's font (a dialog is a window of its own: it does not take
    // its parent's font)
    const auto plik = [this](const QString& tytul, const QString& sciezka, bool zapis) {
        QFileDialog dialog(window(), tytul, sciezka, QStringLiteral("Archiwum analiz (*.json)"));
        dialog.setFont(font());
        dialog.setAcceptMode(zapis ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(zapis ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (zapis) dialog.setDefaultSuffix(QStringLiteral("json"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
    wybory.PlikEksportu = [plik](const QString& folder) {
        return plik(QStringLiteral("Eksportuj archiwum"),
                    QDir(Okno::FolderDialogu(folder)).filePath(QStringLiteral("Archiwum.json")),
                    true);
    };
    wybory.PlikImportu = [plik](const QString& folder) {
        return plik(QStringLiteral("Importuj do archiwum"), Okno::FolderDialogu(folder), false);
    };
}

PanelArchiwum::~PanelArchiwum() = default;

// The archive both programs use (wybor_archiwum.h), with the settings as this program holds them.
QString PanelArchiwum::Adres() const {
    return WybranyAdresArchiwum(program.ustawienia.arch, program.srodowisko.foldery);
}

TFOpisArchiwum& PanelArchiwum::OknoPytania() {
    if (!pytanie) pytanie = std::make_unique<TFOpisArchiwum>();
    // above the archive window while it is on screen (the keyboard comes back to it), else
    // above the main window the save was asked from
    auto* okno = qobject_cast<Okno*>(window());
    if (okno) pytanie->UstawOknoGlowne(okno->isVisible() ? okno : okno->OknoGlowne());
    return *pytanie;
}

void PanelArchiwum::WrocDoOkna() {
    QWidget* okno = window();
    if (okno == this || !okno->isVisible()) return;
    okno->raise();
    okno->activateWindow();
}

int PanelArchiwum::Zapytaj(int rodzaj, int ikona, const QString& tekst) {
    program.srodowisko.PokazKomunikat(rodzaj, ikona, tekst);
    WrocDoOkna();
    return program.srodowisko.WynikKomunikatu();
}

void PanelArchiwum::PokazBlad(const QString& blad) {
    if (!blad.isEmpty()) Zapytaj(KomunikatInformacja, IkonaUwaga, blad);
}

bool PanelArchiwum::Zajety() const {
    return watek->Zajety();
}

void PanelArchiwum::UstawStan(const QString& tekst) {
    LStan->setText(tekst);
}

void PanelArchiwum::UstawZajetosc(bool zajety) {
    if (zajety) {
        UstawStan(watek->Serwer() ? TekstyArchiwum::Laczenie : TekstyArchiwum::Pracuje);
        setCursor(Qt::BusyCursor);
    } else {
        UstawStan(stanListy);
        unsetCursor();
    }
    emit zajetosc(zajety);
}

void PanelArchiwum::Zakoncz() {
    UstawStan(stanListy);
    emit wykonano();
}

bool PanelArchiwum::Zlec(std::function<std::function<void()>(Archiwum&)> praca,
                         std::function<void(const QString&)> bladOtwarcia) {
    if (Zajety()) return false;
    const QString adres = Adres();
    if (adres != adresListy) {
        // another archive: nothing of the one shown (its list, the choice in it) stands for it
        adresListy = adres;
        wpisy.clear();
        Drzewo->clear();
        stanListy.clear();
    }
    return watek->Zlec(adres, std::move(praca),
                       [this, dalej = std::move(bladOtwarcia)](const QString& blad) {
                           NieOdczytano(blad);
                           PokazBlad(blad);
                           if (dalej) dalej(blad);
                           Zakoncz();
                       });
}

void PanelArchiwum::NieOdczytano(const QString& blad) {
    stanListy = wpisy.empty() ? blad
                              : TekstyArchiwum::NieOdswiezono.arg(
                                    QLocale().toString(odczytListy, QLocale::ShortFormat), blad);
}

// ---- the list ----------------------------------------------------------------------------------

bool PanelArchiwum::Odswiez() {
    return Zlec([this](Archiwum& a) -> std::function<void()> {
        auto lista = a.Lista();
        const QString blad = a.Blad(), opis = a.Opis();
        return [=, this]() mutable {
            if (!lista) {
                NieOdczytano(blad);
                PokazBlad(blad);
            } else {
                PokazListe(std::move(*lista), opis);
            }
            Zakoncz();
        };
    });
}

void PanelArchiwum::PokazListe(std::vector<WpisArchiwum> lista, const QString& opis) {
    const std::vector<qint64> wybrane = Zaznaczone(); // of this archive (Zlec saw to it)
    std::vector<WpisArchiwum> wKolejnosci;
    Drzewo->clear();
    for (const GrupaTestu& g : GrupujTesty(lista)) {
        const WpisArchiwum& t = g.Test();
        auto* test = new QTreeWidgetItem(Drzewo);
        test->setText(0, g.Nazwa);
        test->setData(0, RolaId, qint64(0));
        test->setToolTip(
            0, PodpowiedzTekstem(QStringLiteral("%1\nAutor: %2\nPytań: %3, odpowiedzi: %4")
                                     .arg(t.NazwaTestu, t.Autor)
                                     .arg(t.IloscPytan)
                                     .arg(t.IloscOdpowiedzi)));
        QFont pogrubiona = test->font(0);
        pogrubiona.setBold(true);
        test->setFont(0, pogrubiona);
        for (const WpisArchiwum& w : g.Klasy) {
            auto* k = new QTreeWidgetItem(test);
            k->setText(0, w.Klasa);
            k->setText(1, TekstDatyKrotkiej(w.DataNapisania));
            k->setText(2, QString::number(w.IloscUczniow));
            k->setText(3, ProcentTekst(w.ProcentKlasy));
            k->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
            k->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
            k->setText(KolumnaDodal, w.Dodal);
            k->setData(0, RolaId, w.Id);
            wKolejnosci.push_back(w);
        }
        test->setText(2, QString::number(g.Uczniow));
        test->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        test->setExpanded(true);
    }
    wpisy = std::move(wKolejnosci);
    Zaznacz(wybrane);
    if (!Drzewo->currentItem() && Drzewo->topLevelItemCount() > 0)
        Drzewo->setCurrentItem(Drzewo->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    odczytListy = QTime::currentTime();
    stanListy = wpisy.empty() ? TekstyArchiwum::Puste
                              : QStringLiteral("%1 · analiz: %2").arg(opis).arg(wpisy.size());
}

std::vector<qint64> PanelArchiwum::Zaznaczone() const {
    std::vector<qint64> idy;
    std::set<qint64> byly;
    for (int t = 0; t < Drzewo->topLevelItemCount(); ++t) {
        QTreeWidgetItem* test = Drzewo->topLevelItem(t);
        for (int k = 0; k < test->childCount(); ++k) {
            QTreeWidgetItem* klasa = test->child(k);
            const qint64 id = klasa->data(0, RolaId).toLongLong();
            if ((test->isSelected() || klasa->isSelected()) && byly.insert(id).second)
                idy.push_back(id);
        }
    }
    return idy;
}

void PanelArchiwum::Zaznacz(const std::vector<qint64>& idy) {
    const std::set<qint64> wybrane(idy.begin(), idy.end());
    Drzewo->clearSelection();
    for (int t = 0; t < Drzewo->topLevelItemCount(); ++t) {
        QTreeWidgetItem* test = Drzewo->topLevelItem(t);
        for (int k = 0; k < test->childCount(); ++k) {
            QTreeWidgetItem* klasa = test->child(k);
            if (!wybrane.count(klasa->data(0, RolaId).toLongLong())) continue;
            klasa->setSelected(true);
            Drzewo->setCurrentItem(klasa, 0, QItemSelectionModel::NoUpdate);
        }
    }
}

const WpisArchiwum* PanelArchiwum::Wpis(qint64 id) const {
    for (const WpisArchiwum& w : wpisy)
        if (w.Id == id) return &w;
    return nullptr;
}

// ---- the commands ------------------------------------------------------------------------------

bool PanelArchiwum::ListaAktualna() {
    if (Adres() == adresListy) return true;
    // the choice was made in another archive's list: its numbers name other classes here
    PokazBlad(TekstyArchiwum::InneArchiwum);
    Odswiez();
    return false;
}

bool PanelArchiwum::PorownajKlasy() {
    if (Zajety()) return false;
    if (!ListaAktualna()) return false;
    const std::vector<qint64> idy = Zaznaczone();
    if (idy.empty()) {
        PokazBlad(TekstyArchiwum::ZaznaczKlasy);
        return false;
    }
    // classes of different tests are told apart by their names, not by the archive's numbers
    const WpisArchiwum* pierwsza = Wpis(idy.front());
    for (const qint64 id : idy)
        if (const WpisArchiwum* w = Wpis(id); pierwsza && w && w->Odcisk != pierwsza->Odcisk) {
            PokazBlad(TekstyArchiwum::RozneTesty.arg(NazwaKlasy(*pierwsza), NazwaKlasy(*w)));
            return false;
        }
    const UstawieniaRaportu ustawienia = program.UstawieniaRaportow();
    auto srodowisko = SrodowiskoRaportu(program.srodowisko);
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const WynikRaportu wynik = RaportPorownania(a, idy, ustawienia, *srodowisko);
        return [=, this] {
            emit raportGotowy(wynik);
            Zakoncz();
        };
    });
}

bool PanelArchiwum::HistoriaUcznia() {
    if (Zajety() || !wybory.Uczen) return false;
    const std::optional<QString> uczen =
        wybory.Uczen(TekstyArchiwum::HistoriaUcznia, QStringLiteral("Pokaż"));
    WrocDoOkna();
    if (!uczen || uczen->isEmpty() || Zajety()) return false;
    const UstawieniaRaportu ustawienia = program.UstawieniaRaportow();
    auto srodowisko = SrodowiskoRaportu(program.srodowisko);
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const WynikRaportu wynik =
            RaportHistorii(a, *uczen, ustawienia, srodowisko->foldery.FolderTemp, *srodowisko);
        return [=, this] {
            emit raportGotowy(wynik);
            Zakoncz();
        };
    });
}

bool PanelArchiwum::ZapiszArkusz(
    const QString& nazwa, std::function<WynikRaportu(Archiwum&, const QString& plik)> zapisz) {
    if (!wybory.PlikArkusza) return false;
    if (folderPlikow.isEmpty()) folderPlikow = program.srodowisko.foldery.FolderDokumentow;
    QString plik = wybory.PlikArkusza(folderPlikow, nazwa);
    if (plik.isEmpty() || Zajety()) return false;
    if (QFileInfo(plik).suffix().isEmpty()) plik += QStringLiteral(".xlsx");
    folderPlikow = QFileInfo(plik).absolutePath();
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const WynikRaportu wynik = zapisz(a, plik);
        return [=, this] {
            if (wynik.udany())
                emit potwierdzZapis(window()->pos() + QPoint(30, 100));
            else
                PokazBlad(wynik.blad);
            Zakoncz();
        };
    });
}

bool PanelArchiwum::PorownanieDoArkusza() {
    if (Zajety()) return false;
    const std::vector<qint64> idy = Zaznaczone();
    const WpisArchiwum* wpis = idy.empty() ? nullptr : Wpis(idy.front());
    if (!wpis) {
        PokazBlad(TekstyArchiwum::ZaznaczKlasy);
        return false;
    }
    return ZapiszArkusz(
        NazwaArkuszaPorownania(wpis->NazwaTestu),
        [idy](Archiwum& a, const QString& plik) { return ArkuszPorownania(a, idy, plik); });
}

bool PanelArchiwum::HistoriaDoArkusza() {
    if (Zajety() || !wybory.Uczen) return false;
    const std::optional<QString> uczen =
        wybory.Uczen(TekstyArchiwum::HistoriaUcznia, QStringLiteral("Zapisz"));
    if (!uczen || uczen->isEmpty() || Zajety()) return false;
    return ZapiszArkusz(NazwaArkuszaHistorii(*uczen),
                        [uczen = *uczen](Archiwum& a, const QString& plik) {
                            return ArkuszHistorii(a, uczen, plik);
                        });
}

bool PanelArchiwum::ZmienOpis() {
    if (Zajety() || !wybory.Opis) return false;
    if (!ListaAktualna()) return false;
    const std::vector<qint64> idy = Zaznaczone();
    const WpisArchiwum* wpis = idy.size() == 1 ? Wpis(idy.front()) : nullptr;
    if (!wpis) {
        PokazBlad(TekstyArchiwum::ZaznaczJedna);
        return false;
    }
    const qint64 id = wpis->Id;
    const auto opis = wybory.Opis(TekstyArchiwum::ZmienOpis, QStringLiteral("Zapisz"),
                                  {wpis->Klasa, wpis->DataNapisania});
    WrocDoOkna();
    if (!opis || Zajety()) return false;
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const bool ok = a.ZmienOpis(id, opis->Klasa, opis->DataNapisania);
        const QString blad = a.Blad();
        return [=, this] {
            if (!ok) PokazBlad(blad);
            if (!Odswiez()) Zakoncz();
        };
    });
}

bool PanelArchiwum::UsunZArchiwum() {
    if (Zajety()) return false;
    if (!ListaAktualna()) return false;
    const std::vector<qint64> idy = Zaznaczone();
    if (idy.empty()) {
        PokazBlad(TekstyArchiwum::ZaznaczKlasy);
        return false;
    }
    QStringList linie;
    for (const qint64 id : idy)
        if (const WpisArchiwum* w = Wpis(id)) linie << LiniaAnalizy(*w);
    const QString pytanie =
        idy.size() == 1 && linie.size() == 1
            ? TekstyArchiwum::PytanieUsunJedna.arg(linie.front())
            : TekstyArchiwum::PytanieUsun.arg(QString::number(idy.size()), ListaLinii(linie));
    // "Nie" answers Enter: nothing is deleted by a key pressed out of habit
    if (Zapytaj(KomunikatPytanieNie, IkonaPytanie, pytanie) != WynikTak || Zajety()) return false;
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        QString blad;
        for (const qint64 id : idy)
            if (!a.Usun(id)) {
                blad = a.Blad();
                break; // what was deleted before stays deleted; the list shows it
            }
        return [=, this] {
            PokazBlad(blad);
            if (!Odswiez()) Zakoncz();
        };
    });
}

bool PanelArchiwum::UsunUcznia() {
    if (Zajety() || !wybory.Uczen) return false;
    const std::optional<QString> uczen =
        wybory.Uczen(TekstyArchiwum::UsunUcznia, QStringLiteral("Dalej"));
    WrocDoOkna();
    if (!uczen || uczen->isEmpty() || Zajety()) return false;
    const QString nazwa = *uczen;
    // first what would go, read with the history's own lookup of the name
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const auto historia = a.HistoriaUcznia(nazwa);
        const QString blad = a.Blad();
        return [=, this] {
            if (!historia) {
                PokazBlad(blad);
            } else if (historia->empty()) {
                Zapytaj(KomunikatInformacja, IkonaInformacja,
                        TekstyArchiwum::BrakUcznia.arg(nazwa));
            } else {
                QStringList linie;
                std::set<qint64> analizy;
                for (const WynikUcznia& w : *historia)
                    if (analizy.insert(w.Analiza.Id).second) linie << LiniaAnalizy(w.Analiza);
                const QString pytanie = TekstyArchiwum::PytanieUsunUcznia.arg(
                    nazwa, QString::number(linie.size()), ListaLinii(linie));
                if (Zapytaj(KomunikatPytanieNie, IkonaPytanie, pytanie) == WynikTak &&
                    Zlec([=, this](Archiwum& a) -> std::function<void()> {
                        const auto wynik = a.UsunUcznia(nazwa);
                        const QString blad = a.Blad();
                        return [=, this] {
                            if (!wynik) {
                                PokazBlad(blad);
                            } else {
                                QString tekst = TekstyArchiwum::UsunietoUcznia.arg(
                                    nazwa, QString::number(wynik->UsunieteWyniki));
                                if (wynik->UsunieteAnalizy > 0)
                                    tekst +=
                                        TekstyArchiwum::UsunietoAnalizy.arg(wynik->UsunieteAnalizy);
                                Zapytaj(KomunikatInformacja, IkonaInformacja, tekst);
                            }
                            if (!Odswiez()) Zakoncz();
                        };
                    }))
                    return; // the removal ends the command
            }
            Zakoncz();
        };
    });
}

bool PanelArchiwum::Eksportuj() {
    if (Zajety() || !wybory.PlikEksportu) return false;
    if (folderPlikow.isEmpty()) folderPlikow = program.srodowisko.foldery.FolderDokumentow;
    const QString plik = wybory.PlikEksportu(folderPlikow);
    WrocDoOkna();
    if (plik.isEmpty() || Zajety()) return false;
    folderPlikow = QFileInfo(plik).absolutePath();
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        std::vector<QString> pominiete;
        const bool ok = a.EksportDoPliku(plik, &pominiete);
        QString blad = a.Blad();
        if (ok && !pominiete.empty())
            blad = QStringLiteral("Pominięto analiz, których nie da się odczytać: %1.\r%2")
                       .arg(pominiete.size())
                       .arg(QStringList(pominiete.begin(), pominiete.end()).join(u'\r'));
        return [=, this] {
            if (!ok || !pominiete.empty())
                PokazBlad(blad);
            else
                emit potwierdzZapis(window()->pos() + QPoint(30, 100));
            Zakoncz();
        };
    });
}

bool PanelArchiwum::Importuj() {
    if (Zajety() || !wybory.PlikImportu) return false;
    if (folderPlikow.isEmpty()) folderPlikow = program.srodowisko.foldery.FolderDokumentow;
    const QString plik = wybory.PlikImportu(folderPlikow);
    WrocDoOkna();
    if (plik.isEmpty() || Zajety()) return false;
    folderPlikow = QFileInfo(plik).absolutePath();
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const auto wynik = a.ImportZPliku(plik);
        const QString blad = a.Blad();
        return [=, this] {
            if (!wynik) {
                PokazBlad(blad);
            } else {
                QString tekst = QStringLiteral("Zaimportowano analiz: %1.").arg(wynik->Dodane);
                if (wynik->JuzByly > 0)
                    tekst += QStringLiteral("\rAnaliz już obecnych w archiwum, pominiętych: %1.")
                                 .arg(wynik->JuzByly);
                if (wynik->Odrzucone > 0)
                    tekst += QStringLiteral("\rOdrzucono analiz: %1.").arg(wynik->Odrzucone);
                for (std::size_t i = 0; i < wynik->Powody.size() && i < 10; ++i)
                    tekst += QLatin1Char('\r') + wynik->Powody[i];
                Zapytaj(KomunikatInformacja, IkonaInformacja, tekst);
            }
            if (!Odswiez()) Zakoncz();
        };
    });
}

bool PanelArchiwum::ZapiszAnalize() {
    if (Zajety() || !wybory.Opis) return false;
    if (program.analiza.IloscUczniow < 1) {
        PokazBlad(TekstyArchiwum::BrakAnalizy);
        return false;
    }
    QString blad;
    // the record of the analysis; its answer files are read for their hashes on the archive's
    // thread (a file that blocks, a slow disk, never holds the window)
    auto zapis = AnalizaDoArchiwum(program.analiza, QString(), blad, BezSkrotowPlikow);
    if (!zapis) {
        PokazBlad(blad);
        return false;
    }
    const QStringList pliki = program.analiza.PlikiOdpowiedzi;
    OpisAnalizy poczatkowy{pliki.isEmpty() ? QString()
                                           : QFileInfo(pliki.constFirst()).absoluteDir().dirName(),
                           zapis->DataNapisania};
    if (niezapisany && niezapisany->pliki == pliki) poczatkowy = niezapisany->opis;
    const auto opis =
        wybory.Opis(TekstyArchiwum::ZapiszWArchiwum, QStringLiteral("Zapisz"), poczatkowy);
    WrocDoOkna();
    if (!opis || Zajety()) return false;
    zapis->Klasa = opis->Klasa;
    zapis->DataNapisania = opis->DataNapisania;
    // kept for the next try until the archive has taken the analysis
    niezapisany = NiezapisanyOpis{pliki, *opis};
    auto analiza = std::make_shared<AnalizaArchiwalna>(std::move(*zapis));
    const bool odswiez = window()->isVisible();
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        QString blad;
        std::optional<WynikDodania> wynik;
        if (SkrotyPlikowOdpowiedzi(pliki, analiza->Pliki, blad)) {
            wynik = a.Dodaj(*analiza);
            if (!wynik) blad = a.Blad();
        }
        return [=, this] {
            if (!wynik) {
                PokazBlad(blad);
            } else {
                niezapisany.reset();
                if (wynik->JuzBylo)
                    Zapytaj(KomunikatInformacja, IkonaInformacja, KomunikatJuzWArchiwum());
                else
                    emit zapisanoAnalize();
            }
            if (!odswiez || !Odswiez()) Zakoncz();
        };
    });
}

void PanelArchiwum::keyPressEvent(QKeyEvent* e) {
    if (e->modifiers() == Qt::NoModifier) switch (e->key()) {
        case Qt::Key_Delete:
            UsunZArchiwum();
            return;
        case Qt::Key_F2:
            ZmienOpis();
            return;
        case Qt::Key_F5:
            Odswiez();
            return;
        default:
            break;
        }
    QWidget::keyPressEvent(e);
}

} // namespace sondrel
