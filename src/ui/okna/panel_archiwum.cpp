// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/panel_archiwum.h"

#include "archive/polaczenie.h"
#include "archive/raport_historii.h"
#include "archive/raport_porownania.h"
#include "archive/wybor_archiwum.h"
#include "arkusze/listy_archiwum.h"
#include "core/lokalizacja.h"
#include "ui/okna/tf_archiwum.h"
#include "ui/okna/tf_glowny.h"
#include "ui/program.h"
#include "ui/skory/skora.h"
#include "ui/watek_archiwum.h"
#include "ui/zapis_arkusza_okna.h"
#include "ui/zasady_okien.h"

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

} // namespace

PanelArchiwum::PanelArchiwum(Program& p, QWidget* rodzic)
    : QWidget(rodzic), program(p), watek(new WatekArchiwum(this)) {
    setFont(skora::CzcionkaPunkty(8));
    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(6);

    Drzewo = new QTreeWidget(this);
    Drzewo->setColumnCount(4);
    Drzewo->setHeaderLabels({QStringLiteral("Test i klasa"), QStringLiteral("Data napisania"),
                             QStringLiteral("Uczniów"), QStringLiteral("Średni wynik")});
    Drzewo->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Drzewo->setSelectionBehavior(QAbstractItemView::SelectRows);
    Drzewo->setAllColumnsShowFocus(true);
    Drzewo->setRootIsDecorated(true);
    Drzewo->setUniformRowHeights(true);
    Drzewo->setAccessibleName(QStringLiteral("Analizy w archiwum"));
    Drzewo->header()->setStretchLastSection(false);
    Drzewo->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int k = 1; k < 4; ++k)
        Drzewo->header()->setSectionResizeMode(k, QHeaderView::ResizeToContents);
    Drzewo->setStyleSheet(
        QStringLiteral("QTreeWidget { background: white; color: #2E2E2E; border: 1px solid #B4B8C8;"
                       "  selection-background-color: #B4B8C8; selection-color: black; }"
                       "QTreeWidget:focus { border-color: #46465A; }"
                       "QHeaderView::section { background: #F3F3F6; color: #2F2F47; border: none;"
                       "  border-bottom: 1px solid #DCDDE5; padding: 3px 4px; }"));
    uklad->addWidget(Drzewo, 1);

    LStan = new QLabel(this);
    LStan->setWordWrap(true);
    LStan->setStyleSheet(QStringLiteral("color: #444444;"));
    LStan->setAccessibleName(QStringLiteral("Stan archiwum"));
    uklad->addWidget(LStan);

    connect(watek, &WatekArchiwum::zajetosc, this, &PanelArchiwum::UstawZajetosc);

    wybory.Opis = [this](const QString& tytul, const QString& przycisk,
                         const OpisAnalizy& poczatkowy) {
        return OknoPytania().ZapytajOOpis(tytul, przycisk, poczatkowy);
    };
    wybory.Uczen = [this] { return OknoPytania().ZapytajOUcznia(); };
    wybory.PlikEksportu = [this](const QString& folder) {
        return QFileDialog::getSaveFileName(
            window(), QStringLiteral("Eksportuj archiwum"),
            QDir(Okno::FolderDialogu(folder)).filePath(QStringLiteral("Archiwum.json")),
            QStringLiteral("Archiwum analiz (*.json)"));
    };
    wybory.PlikArkusza = [this](const QString& folder, const QString& nazwa) {
        return OknoZapisuArkusza(window(), folder, nazwa);
    };
    wybory.PlikImportu = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(window(), QStringLiteral("Importuj do archiwum"),
                                            Okno::FolderDialogu(folder),
                                            QStringLiteral("Archiwum analiz (*.json)"));
    };
}

PanelArchiwum::~PanelArchiwum() = default;

// The archive both programs use (wybor_archiwum.h), with the settings as this program holds them.
QString PanelArchiwum::Adres() const {
    return WybranyAdresArchiwum(program.ustawienia.arch, program.srodowisko.foldery);
}

TFOpisArchiwum& PanelArchiwum::OknoPytania() {
    if (!pytanie) {
        pytanie = std::make_unique<TFOpisArchiwum>();
        if (program.FGlowny()) pytanie->UstawOknoGlowne(program.FGlowny());
    }
    return *pytanie;
}

bool PanelArchiwum::Zajety() const {
    return watek->Zajety();
}

void PanelArchiwum::UstawZajetosc(bool zajety) {
    if (zajety) {
        LStan->setText(watek->Serwer() ? TekstyUstawienArchiwum::Laczenie
                                       : TekstyArchiwum::Pracuje);
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
    emit zajetosc(zajety);
}

bool PanelArchiwum::Zlec(std::function<std::function<void()>(Archiwum&)> praca) {
    return watek->Zlec(Adres(), std::move(praca), [this](const QString& blad) {
        wpisy.clear();
        Drzewo->clear();
        LStan->setText(blad);
        PokazBlad(blad);
        Zakoncz();
    });
}

void PanelArchiwum::PokazRaport(const WynikRaportu& wynik) {
    // shown as the report menu's are: the table window does not come back when it closes
    program.PokazRaport(wynik);
}

void PanelArchiwum::PotwierdzZapis(QPoint gdzie) {
    program.Zasady().Wykonaj({Prosba::PotwierdzenieZapisu, gdzie});
}

void PanelArchiwum::PokazBlad(const QString& blad) {
    if (!blad.isEmpty()) program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, blad);
}

void PanelArchiwum::Zakoncz() {
    emit wykonano();
}

// ---- the list ----------------------------------------------------------------------------------

bool PanelArchiwum::Odswiez() {
    return Zlec([this](Archiwum& a) -> std::function<void()> {
        auto lista = a.Lista();
        const QString blad = a.Blad(), opis = a.Opis();
        return [=, this]() mutable {
            if (!lista) {
                LStan->setText(blad);
                PokazBlad(blad);
            } else {
                PokazListe(std::move(*lista), opis);
            }
            Zakoncz();
        };
    });
}

void PanelArchiwum::PokazListe(std::vector<WpisArchiwum> lista, const QString& opis) {
    const std::vector<qint64> wybrane = Zaznaczone();
    opisArchiwum = opis;
    // the tests in the order their first class was written; a class's line under its test
    std::vector<QString> odciski;
    std::map<QString, std::vector<const WpisArchiwum*>> klasy;
    for (const WpisArchiwum& w : lista) {
        if (!klasy.count(w.Odcisk)) odciski.push_back(w.Odcisk);
        klasy[w.Odcisk].push_back(&w);
    }
    std::map<QString, int> nazwy; // versions of one test name told apart
    for (const QString& o : odciski)
        ++nazwy[klasy[o].front()->NazwaTestu];
    std::map<QString, int> wersje;

    std::vector<WpisArchiwum> wKolejnosci;
    Drzewo->clear();
    for (const QString& o : odciski) {
        const WpisArchiwum& t = *klasy[o].front();
        QString nazwa = t.NazwaTestu;
        if (nazwy[t.NazwaTestu] > 1)
            nazwa += QStringLiteral(" (wersja %1)").arg(++wersje[t.NazwaTestu]);
        auto* test = new QTreeWidgetItem(Drzewo);
        test->setText(0, nazwa);
        test->setData(0, RolaId, qint64(0));
        test->setToolTip(0, QStringLiteral("%1\nAutor: %2\nPytań: %3, odpowiedzi: %4")
                                .arg(t.NazwaTestu, t.Autor)
                                .arg(t.IloscPytan)
                                .arg(t.IloscOdpowiedzi));
        QFont pogrubiona = test->font(0);
        pogrubiona.setBold(true);
        test->setFont(0, pogrubiona);
        qint32 uczniow = 0;
        for (const WpisArchiwum* w : klasy[o]) {
            auto* k = new QTreeWidgetItem(test);
            k->setText(0, w->Klasa);
            k->setText(1, TekstDatyKrotkiej(w->DataNapisania));
            k->setText(2, QString::number(w->IloscUczniow));
            k->setText(3, ProcentTekst(w->ProcentKlasy));
            k->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
            k->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
            k->setData(0, RolaId, w->Id);
            uczniow += w->IloscUczniow;
            wKolejnosci.push_back(*w);
        }
        test->setText(2, QString::number(uczniow));
        test->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        test->setExpanded(true);
    }
    wpisy = std::move(wKolejnosci);
    Zaznacz(wybrane);
    if (!Drzewo->currentItem() && Drzewo->topLevelItemCount() > 0)
        Drzewo->setCurrentItem(Drzewo->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    LStan->setText(wpisy.empty() ? TekstyArchiwum::Puste
                                 : QStringLiteral("%1 · analiz: %2").arg(opis).arg(wpisy.size()));
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

bool PanelArchiwum::PorownajKlasy() {
    if (Zajety()) return false;
    const std::vector<qint64> idy = Zaznaczone();
    if (idy.empty()) {
        PokazBlad(TekstyArchiwum::ZaznaczKlasy);
        return false;
    }
    const UstawieniaRaportu ustawienia = program.UstawieniaRaportow();
    auto srodowisko = SrodowiskoRaportu(program.srodowisko);
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const WynikRaportu wynik = RaportPorownania(a, idy, ustawienia, *srodowisko);
        return [=, this] {
            PokazRaport(wynik);
            Zakoncz();
        };
    });
}

bool PanelArchiwum::HistoriaUcznia() {
    if (Zajety() || !wybory.Uczen) return false;
    const std::optional<QString> uczen = wybory.Uczen();
    if (!uczen || uczen->isEmpty() || Zajety()) return false;
    const UstawieniaRaportu ustawienia = program.UstawieniaRaportow();
    auto srodowisko = SrodowiskoRaportu(program.srodowisko);
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const WynikRaportu wynik =
            RaportHistorii(a, *uczen, ustawienia, srodowisko->foldery.FolderTemp, *srodowisko);
        return [=, this] {
            PokazRaport(wynik);
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
                PotwierdzZapis(window()->pos() + QPoint(30, 100));
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
    const std::optional<QString> uczen = wybory.Uczen();
    if (!uczen || uczen->isEmpty() || Zajety()) return false;
    return ZapiszArkusz(NazwaArkuszaHistorii(*uczen),
                        [uczen = *uczen](Archiwum& a, const QString& plik) {
                            return ArkuszHistorii(a, uczen, plik);
                        });
}

bool PanelArchiwum::ZmienOpis() {
    if (Zajety() || !wybory.Opis) return false;
    const std::vector<qint64> idy = Zaznaczone();
    const WpisArchiwum* wpis = idy.size() == 1 ? Wpis(idy.front()) : nullptr;
    if (!wpis) {
        PokazBlad(TekstyArchiwum::ZaznaczJedna);
        return false;
    }
    const qint64 id = wpis->Id;
    const auto opis = wybory.Opis(TekstyArchiwum::ZmienOpis, QStringLiteral("Zapisz"),
                                  {wpis->Klasa, wpis->DataNapisania});
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
    const std::vector<qint64> idy = Zaznaczone();
    if (idy.empty()) {
        PokazBlad(TekstyArchiwum::ZaznaczKlasy);
        return false;
    }
    program.srodowisko.PokazKomunikat(KomunikatPytanie, IkonaPytanie,
                                      TekstyArchiwum::PytanieUsun.arg(idy.size()));
    if (program.srodowisko.WynikKomunikatu() != WynikTak || Zajety()) return false;
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

bool PanelArchiwum::Eksportuj() {
    if (Zajety() || !wybory.PlikEksportu) return false;
    if (folderPlikow.isEmpty()) folderPlikow = program.srodowisko.foldery.FolderDokumentow;
    const QString plik = wybory.PlikEksportu(folderPlikow);
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
                PotwierdzZapis(window()->pos() + QPoint(30, 100));
            Zakoncz();
        };
    });
}

bool PanelArchiwum::Importuj() {
    if (Zajety() || !wybory.PlikImportu) return false;
    if (folderPlikow.isEmpty()) folderPlikow = program.srodowisko.foldery.FolderDokumentow;
    const QString plik = wybory.PlikImportu(folderPlikow);
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
                program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja, tekst);
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
    // the answer files are read once here for their hashes; the record goes to the thread
    auto zapis = AnalizaDoArchiwum(program.analiza, QString(), blad);
    if (!zapis) {
        PokazBlad(blad);
        return false;
    }
    const QString folder =
        program.analiza.PlikiOdpowiedzi.isEmpty()
            ? QString()
            : QFileInfo(program.analiza.PlikiOdpowiedzi.constFirst()).absoluteDir().dirName();
    const auto opis = wybory.Opis(TekstyArchiwum::ZapiszWArchiwum, QStringLiteral("Zapisz"),
                                  {folder, zapis->DataNapisania});
    if (!opis || Zajety()) return false;
    zapis->Klasa = opis->Klasa;
    zapis->DataNapisania = opis->DataNapisania;
    auto analiza = std::make_shared<AnalizaArchiwalna>(std::move(*zapis));
    const bool odswiez = window()->isVisible();
    return Zlec([=, this](Archiwum& a) -> std::function<void()> {
        const auto wynik = a.Dodaj(*analiza);
        const QString blad = a.Blad();
        return [=, this] {
            if (!wynik)
                PokazBlad(blad);
            else if (wynik->JuzBylo)
                program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja,
                                                  KomunikatJuzWArchiwum());
            else if (program.FGlowny())
                PotwierdzZapis(program.FGlowny()->pos() + QPoint(30, 100));
            if (!odswiez || !Odswiez()) Zakoncz();
        };
    });
}

void PanelArchiwum::keyPressEvent(QKeyEvent* e) {
    if (e->modifiers() == Qt::NoModifier && e->key() == Qt::Key_Delete) {
        UsunZArchiwum();
        return;
    }
    if (e->modifiers() == Qt::NoModifier && e->key() == Qt::Key_F2) {
        ZmienOpis();
        return;
    }
    QWidget::keyPressEvent(e);
}

void ZapiszAnalizeWArchiwum(Program& program) {
    if (!program.FArchiwum()) return;
    PanelArchiwum& panel = *program.FArchiwum()->Panel;
    if (panel.Zajety())
        program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja,
                                          TekstyArchiwum::Zajete);
    else
        panel.ZapiszAnalize();
}

} // namespace sondrel
