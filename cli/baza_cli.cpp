// SPDX-License-Identifier: GPL-3.0-or-later
#include "baza_cli.h"

#include "analysis/przebieg_analizy.h"
#include "archive/wybor_archiwum.h"
#include "core/foldery.h"
#include "settings/ustawienia.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <cerrno>

namespace sondrel {

OpcjeCli& OpcjeCli::Przelacznik(const QString& nazwa, bool& cel) {
    opcje.push_back({nazwa, &cel, {}});
    return *this;
}

OpcjeCli& OpcjeCli::Wartosc(const QString& nazwa, QString& cel) {
    return Wartosc(nazwa, [&cel](const QString& wartosc, QString&) {
        cel = wartosc;
        return true;
    });
}

OpcjeCli& OpcjeCli::Wartosc(const QString& nazwa, Ustaw ustaw) {
    opcje.push_back({nazwa, nullptr, std::move(ustaw)});
    return *this;
}

bool OpcjeCli::Rozbierz(const QStringList& argumenty, QStringList& pozycyjne,
                        QString& powod) const {
    bool bezOpcji = false;
    for (qsizetype i = 1; i < argumenty.size(); ++i) {
        const QString& a = argumenty[i];
        if (bezOpcji || !a.startsWith(QLatin1String("--"))) {
            pozycyjne.append(a);
            continue;
        }
        if (a == u"--") {
            bezOpcji = true;
            continue;
        }
        const auto opcja =
            std::find_if(opcje.begin(), opcje.end(), [&](const Opcja& o) { return o.nazwa == a; });
        if (opcja == opcje.end()) {
            powod = QStringLiteral("Nieznana opcja polecenia ") + argumenty.value(0) +
                    QStringLiteral(": ") + a;
            return false;
        }
        if (opcja->przelacznik) {
            *opcja->przelacznik = true;
            continue;
        }
        if (i + 1 >= argumenty.size()) {
            powod = QStringLiteral("Brak wartości opcji ") + a;
            return false;
        }
        if (!opcja->ustaw(argumenty[++i], powod)) return false;
    }
    return true;
}

namespace {

// Whether the command line asks for the command's usage: --help (or -h) among its options.
bool ProsbaOPomoc(const QStringList& argumenty) {
    for (qsizetype i = 1; i < argumenty.size(); ++i) {
        if (argumenty[i] == u"--") return false;
        if (argumenty[i] == u"--help" || argumenty[i] == u"-h") return true;
    }
    return false;
}

} // namespace

PolecenieCli::PolecenieCli(QIODevice& wyjscie, QIODevice& bledy) : wyjscie(wyjscie), bledy(bledy) {}

PolecenieCli::~PolecenieCli() = default;

QString PolecenieCli::Pomoc(const QStringList&) const {
    return {};
}

int PolecenieCli::Uruchom(const QStringList& argumenty, QString (*skladnia)()) {
    if (ProsbaOPomoc(argumenty)) {
        QString tekst = Pomoc(argumenty);
        if (tekst.isEmpty() && skladnia) tekst = skladnia();
        // Without the blank lines that part it from the other families in the whole text.
        while (tekst.startsWith(u'\n'))
            tekst.remove(0, 1);
        while (tekst.endsWith(QLatin1String("\n\n")))
            tekst.chop(1);
        return Wypisz(tekst.toUtf8());
    }
    QString powod;
    if (!Rozbierz(argumenty, powod)) return BladWywolania(powod);
    PrzygotujSrodowisko();
    return Wykonaj();
}

// The program's journal at the level the user chose; the desktop program's temporary folder is
// left alone (it may be running). A data folder that cannot be made or written takes no journal
// lines, and no message sends the user to it. Without a usable home folder no data folder is
// guessed (no "/.local/share/…"): its paths stay empty, and nothing is said of it.
void PolecenieCli::PrzygotujSrodowisko() {
    srodowisko.komunikaty.ustawObsluge([this](int rodzaj, int, const QString& tekst) {
        Komunikat(tekst);
        return rodzaj == KomunikatPytanie ? WynikAnuluj : WynikZamknij;
    });
    srodowisko.pominietoPlik = [this](const QString& wiersz) { Blad(wiersz); };
    // UstawFoldery alone sets the folders' paths: unset, they stay empty.
    const bool folderDanych = FolderDanychDoUstalenia() && UstawFoldery(srodowisko);
    dziennik = folderDanych && QFileInfo(srodowisko.foldery.FolderDanych).isWritable();
    if (!dziennik) srodowisko.foldery.PlikDziennika.clear();
    srodowisko.PoziomDziennika = srodowisko.foldery.PlikUstawien.isEmpty()
                                     ? 0
                                     : PoziomDziennikaZUstawien(srodowisko.foldery.PlikUstawien);
}

QString TekstDoTerminala(const QString& tekst) {
    QString t;
    t.reserve(tekst.size());
    for (const QChar c : tekst) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\n' && u != u'\t') || (u >= 0x7f && u <= 0x9f))
            t += QStringLiteral("\\x%1").arg(static_cast<int>(u), 2, 16, QLatin1Char('0'));
        else
            t += c;
    }
    return t;
}

namespace {

void PiszBlad(QIODevice& bledy, const QString& tekst) {
    QString t = tekst;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bledy.write(TekstDoTerminala(t).toUtf8() + '\n');
}

} // namespace

void PolecenieCli::Blad(const QString& tekst) {
    PiszBlad(bledy, tekst);
}

// A message of the analysis: its lines (an empty first line, which only lays out the dialog,
// left out), the system's reason, the file it is about, and where the journal is when the
// message sends the user there.
void PolecenieCli::Komunikat(const QString& tekst) {
    QString t = tekst;
    while (t.startsWith(u'\r'))
        t.remove(0, 1);
    const QString odeslanie = OdeslanieDoDziennika();
    const bool doDziennika = t.contains(odeslanie);
    if (doDziennika && !dziennik) {
        t.remove(QLatin1Char('\r') + odeslanie);
        t.remove(odeslanie);
    }
    if (const QString& powod = srodowisko.komunikaty.powod; !powod.isEmpty())
        t += QStringLiteral("\rPowód: ") + powod;
    if (const QString& plik = srodowisko.komunikaty.plik; !plik.isEmpty())
        t += QStringLiteral("\rPlik: ") + QDir::toNativeSeparators(plik);
    if (doDziennika && dziennik)
        t += QStringLiteral("\rDziennik zdarzeń: ") +
             QDir::toNativeSeparators(srodowisko.foldery.PlikDziennika);
    Blad(t);
}

int PolecenieCli::BladWywolania(const QString& powod) {
    Blad(powod + QStringLiteral("\rOpis wywołania: sondrel-cli --help"));
    return KodBlednePolecenie;
}

bool PolecenieCli::Pisz(const QByteArray& bajty) {
    return bajty.isEmpty() || wyjscie.write(bajty) == bajty.size();
}

namespace {

int BladWyjscia(QIODevice& bledy, const QString& powod) {
    QString t = QStringLiteral("Nie udało się zapisać wyniku na standardowe wyjście.");
    if (!powod.isEmpty()) t += QStringLiteral("\nPowód: ") + powod;
    PiszBlad(bledy, t);
    return KodBladZapisu;
}

} // namespace

int PolecenieCli::BladWyjscia() {
    const auto* plik = qobject_cast<const QFileDevice*>(&wyjscie);
    return sondrel::BladWyjscia(bledy, plik ? PowodBledu(*plik, errno) : QString());
}

int PolecenieCli::Wypisz(const QByteArray& bajty) {
    errno = 0;
    return Pisz(bajty) ? KodAnalizaWykonana : BladWyjscia();
}

bool PolecenieCli::WypiszSciezke(const QString& sciezka) {
    errno = 0;
    if (Pisz(QDir::toNativeSeparators(sciezka).toUtf8() + '\n')) return true;
    BladWyjscia();
    return false;
}

bool PolecenieCli::ZapiszDoPliku(const QString& sciezka, const QByteArray& bajty,
                                 Dowiazanie dowiazanie) {
    QString blad;
    if (!ZapiszPlik(sciezka, bajty, &blad, dowiazanie)) {
        Blad(QStringLiteral("Nie udało się zapisać pliku ") + QDir::toNativeSeparators(sciezka) +
             QStringLiteral(": ") + blad);
        return false;
    }
    return WypiszSciezke(sciezka);
}

// As files dropped on the program: only the first file's extension is checked, the files are
// read in the order given; a test makes it an analysis with the test.
int PolecenieCli::Analizuj(const QStringList& pliki, const QString& test) {
    if (!SaPlikamiOdpowiedzi(pliki, srodowisko)) return KodBrakAnalizy;
    Analiza& a = *analiza;
    a.RodzajAnalizy = test.isEmpty() ? AnalizaProsta : AnalizaZTestem;
    a.PlikTestu = test;
    a.PlikiOdpowiedzi = pliki;
    return UruchomAnalize(a, srodowisko) ? KodAnalizaWykonana : KodBrakAnalizy;
}

int PoziomDziennikaZUstawien(const QString& sciezka) {
    Ustawienia ustawienia;
    return OdczytajPlikUstawien(sciezka, ustawienia) == StanPlikuUstawien::Wczytany
               ? ustawienia.dfpz
               : 0;
}

bool PolecenieRysuje(const QStringList& argumenty) {
    for (const RodzinaPolecen& r : RodzinyPolecen())
        if (r.polecenia.contains(argumenty.value(0))) return r.rysuje && r.rysuje(argumenty);
    return false;
}

QString SkladniaCli() {
    QString tekst;
    for (const RodzinaPolecen& r : RodzinyPolecen())
        tekst += r.skladnia();
    return tekst;
}

QString WersjaCli() {
    return QStringLiteral("sondrel-cli " SONDREL_WERSJA);
}

namespace {

int UruchomPolecenie(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy) {
    const QString pierwszy = argumenty.value(0);
    const auto pisz = [&](const QByteArray& bajty) {
        errno = 0;
        if (wyjscie.write(bajty) == bajty.size()) return KodAnalizaWykonana;
        const auto* plik = qobject_cast<const QFileDevice*>(&wyjscie);
        return BladWyjscia(bledy, plik ? PowodBledu(*plik, errno) : QString());
    };
    if (pierwszy == u"--help" || pierwszy == u"-h" || pierwszy == u"pomoc")
        return pisz(SkladniaCli().toUtf8());
    if (pierwszy == u"--version") return pisz(WersjaCli().toUtf8() + '\n');
    for (const RodzinaPolecen& r : RodzinyPolecen())
        if (r.polecenia.contains(pierwszy))
            return r.utworz(wyjscie, bledy)->Uruchom(argumenty, r.skladnia);
    // Without a command at all: the usage itself.
    if (pierwszy.isEmpty()) {
        bledy.write(SkladniaCli().toUtf8());
    } else {
        PiszBlad(bledy, QStringLiteral("Nieznane polecenie: ") + pierwszy +
                            QStringLiteral("\nOpis wywołania: sondrel-cli --help"));
    }
    return KodBlednePolecenie;
}

} // namespace

int UruchomCli(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy) {
    int kod = UruchomPolecenie(argumenty, wyjscie, bledy);
    // A buffered output finds out only now that it could not be written (a full disk): the
    // command that thought it succeeded did not.
    errno = 0;
    if (auto* plik = qobject_cast<QFileDevice*>(&wyjscie); plik && !plik->flush()) {
        const QString powod = PowodBledu(*plik, errno);
        if (kod == KodAnalizaWykonana) kod = BladWyjscia(bledy, powod);
    }
    return kod;
}

int UruchomCli(const QStringList& argumenty) {
    QFile wyjscie;
    QFile bledy;
    wyjscie.open(stdout, QIODevice::WriteOnly);
    bledy.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return UruchomCli(argumenty, wyjscie, bledy);
}

} // namespace sondrel
