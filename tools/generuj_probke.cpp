// Writes the demo class of samples/: a test of 20 questions (geography and biology for a class
// 7) with pictures and text members, a test list holding it in a small tree of groups, 25
// answer files with a realistic spread of results and working times, and one answer file of
// another test in a folder of its own. Deterministic: the same bytes on every run.
//
//     generuj_probke samples
#include "core/kodowanie1250.h"
#include "support/pliki_testowe.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTime>
#include <cmath>
#include <cstdio>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QString NazwaTestu = QStringLiteral("Polska i świat - klasa 7");
const QString Autor = QStringLiteral("mgr Anna Zielińska");

struct Pytanie {
    QString tresc;
    QStringList odpowiedzi; // the correct one first; shuffled when written
    double latwosc;         // how likely an average student gets it right
    QString obraz = {};
    QString tekst = {};
};

const QList<Pytanie> Pytania = {
    {"Która rzeka jest najdłuższą rzeką Polski?",
     {"Wisła", "Odra", "Warta", "Bug"},
     0.95,
     "mapa.jpg"},
    {"Która z wymienionych miejscowości jest stolicą województwa pomorskiego?",
     {"Gdańsk", "Gdynia", "Szczecin", "Bydgoszcz"},
     0.8,
     "mapa.jpg"},
    {"Jakie barwy ma flaga Polski, licząc od góry?",
     {"biały i czerwony", "czerwony i biały", "biały i niebieski", "biały i zielony"},
     0.9,
     "flaga.gif"},
    {"Najwyższym szczytem Polski są:", {"Rysy", "Śnieżka", "Babia Góra", "Giewont"}, 0.75},
    {"Nad którym morzem leży Polska?",
     {"Bałtyckim", "Północnym", "Śródziemnym", "Czarnym"},
     0.92,
     "mapa.jpg"},
    {"Gdzie znajdują się źródła Wisły?",
     {"w Beskidzie Śląskim", "w Tatrach", "w Sudetach", "w Bieszczadach"},
     0.55,
     {},
     "wisla.txt"},
    {"Które z tych miast leży nad Wisłą?",
     {"Kraków", "Poznań", "Wrocław", "Łódź"},
     0.7,
     {},
     "wisla.txt"},
    {"Ile województw ma Polska?", {"16", "14", "18", "49"}, 0.65},
    {"Które z państw <b>nie</b> graniczy z Polską?", {"Węgry", "Czechy", "Litwa", "Słowacja"}, 0.5},
    {"Przez które miejsce przebiega południk zerowy?",
     {"Greenwich", "Paryż", "Rzym", "Berlin"},
     0.45},
    {"Największym kontynentem jest:", {"Azja", "Afryka", "Ameryka Północna", "Europa"}, 0.85},
    {"Które organellum komórki przeprowadza fotosyntezę?",
     {"chloroplast", "mitochondrium", "jądro komórkowe", "rybosom"},
     0.7,
     "komorka.bmp"},
    {"Która struktura występuje w komórce roślinnej, a nie ma jej w komórce zwierzęcej?",
     {"ściana komórkowa", "błona komórkowa", "cytoplazma", "jądro komórkowe"},
     0.5,
     "komorka.bmp"},
    {"Serce człowieka składa się z:",
     {"dwóch przedsionków i dwóch komór", "jednego przedsionka i dwóch komór",
      "dwóch przedsionków i jednej komory", "jednego przedsionka i jednej komory"},
     0.6},
    {"Produktami fotosyntezy są:",
     {"glukoza i tlen", "dwutlenek węgla i woda", "tlen i azot", "skrobia i dwutlenek węgla"},
     0.55,
     {},
     "fotosynteza.txt"},
    {"Największym narządem człowieka jest:", {"skóra", "wątroba", "płuca", "mózg"}, 0.35},
    {"Krew z płuc do serca płynie:",
     {"żyłami płucnymi", "tętnicami płucnymi", "aortą", "żyłą główną dolną"},
     0.25},
    {"Który z wymienionych organizmów jest grzybem?",
     {"drożdże", "pantofelek", "euglena", "mech"},
     0.6},
    {"Skrobię w jamie ustnej trawi:", {"amylaza ślinowa", "pepsyna", "lipaza", "trypsyna"}, 0.3},
    {"Ile par chromosomów ma komórka ciała człowieka?", {"23", "46", "22", "24"}, 0.2},
};

const QStringList Uczniowie = {
    "Adamczyk Zofia",      "Bąk Mikołaj",          "Chmielewska Łucja",   "Dąbrowski Szymon",
    "Górska Małgorzata",   "Jabłoński Łukasz",     "Kamińska Zuzanna",    "Kowalczyk Jakub",
    "Krawczyk Żaneta",     "Lewandowski Paweł",    "Łukaszewicz Oliwia",  "Mazur Ignacy",
    "Nowakowska Wiktoria", "Ostrowski Bartłomiej", "Pawlak Kinga",        "Piątek Michał",
    "Rutkowska Julia",     "Sikora Stanisław",     "Śliwińska Agnieszka", "Tomaszewski Kacper",
    "Wójcik Helena",       "Wróbel Antoni",        "Zając Maja",          "Zieliński Wojciech",
    "Żurawska Jadwiga",
};

const QString TekstWisly = QStringLiteral(
    "Wisła jest najdłuższą rzeką Polski: liczy 1047 km.\n"
    "Wypływa na stokach Baraniej Góry w Beskidzie Śląskim i uchodzi do Zatoki Gdańskiej.\n"
    "Nad Wisłą leżą między innymi Kraków, Warszawa, Toruń i Płock.");
const QString TekstFotosyntezy =
    QStringLiteral("Rośliny zielone wytwarzają pokarm w procesie fotosyntezy.\n"
                   "Z dwutlenku węgla i wody, przy udziale światła, powstają glukoza i tlen.");

// Text members are Windows-1250 lines ended by CR LF.
QByteArray Tekst1250(const QString& tekst) {
    return Na1250(QString(tekst).replace(QLatin1Char('\n'), QStringLiteral("\r\n")) +
                  QStringLiteral("\r\n"));
}

// ASCII file name of a student: "Łukaszewicz Oliwia" -> "lukaszewicz_oliwia".
QString NazwaPliku(const QString& uczen) {
    static const QString z = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    static const QString na = QStringLiteral("acelnoszzACELNOSZZ");
    QString wynik;
    for (QChar c : uczen) {
        const qsizetype i = z.indexOf(c);
        wynik += i >= 0 ? na[i] : c == u' ' ? QChar(u'_') : c;
    }
    return wynik.toLower();
}

QString Godzina(int sekundy) {
    return QTime(0, 0).addSecs(sekundy).toString(QStringLiteral("H:mm:ss"));
}

bool Zapisz(bool ok, const QString& sciezka) {
    if (!ok) std::fprintf(stderr, "Nie udało się zapisać %s\n", qPrintable(sciezka));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Użycie: generuj_probke KATALOG\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.filePath(QStringLiteral("inny_test")))) return 1;
    QRandomGenerator los(20240915);

    // The test: options shuffled, so that the key is not always A.
    PlikTestu test;
    test.nazwaTestu = NazwaTestu;
    test.iloscOdpowiedzi = 4;
    test.dataUtworzenia = QStringLiteral("2024-09-15");
    test.uwagi = QStringLiteral("Sprawdzian próbny z geografii i biologii.");
    test.pytania.clear();
    QStringList klucze;
    for (const Pytanie& p : Pytania) {
        QList<int> kolejnosc = {0, 1, 2, 3};
        for (int i = 3; i > 0; --i)
            std::swap(kolejnosc[i], kolejnosc[static_cast<int>(los.bounded(i + 1))]);
        PytanieTestu t;
        t.tresc = p.tresc;
        t.obraz = p.obraz;
        t.tekst = p.tekst;
        QString klucz;
        for (int k = 0; k < 4; ++k) {
            t.odpowiedzi.append(p.odpowiedzi[kolejnosc[k]]);
            klucz += kolejnosc[k] == 0 ? u'1' : u'0';
        }
        t.klucz = klucz;
        klucze.append(klucz);
        test.pytania.append(t);
    }
    test.czlony = {Czlon(QStringLiteral("mapa.jpg"), ObrazJpeg(240, 180)),
                   Czlon(QStringLiteral("flaga.gif"), ObrazGif(120, 75)),
                   Czlon(QStringLiteral("komorka.bmp"), ObrazBmp(160, 120)),
                   Czlon(QStringLiteral("wisla.txt"), Tekst1250(TekstWisly)),
                   Czlon(QStringLiteral("fotosynteza.txt"), Tekst1250(TekstFotosyntezy))};
    const QString plikTestu = folder.filePath(QStringLiteral("test.skt"));
    if (!Zapisz(ZapiszPlikTestu(plikTestu, test), plikTestu)) return 2;

    // The test list: the test in a small tree of groups (file names as the companion program
    // stores them, after a backslash).
    PlikListy lista;
    lista.nazwa = QStringLiteral("Testy - przyroda");
    lista.data = QStringLiteral("2024-09-15");
    lista.wpisy = WierszeWpisow(
        WpisyDrzewa({{"Szkoła Podstawowa nr 3",
                      {},
                      {{"Klasa 7a",
                        {},
                        {{"Geografia", {}, {{NazwaTestu, "\\test.skt"}}}, {"Biologia", {}, {}}}},
                       {"Klasa 8b", {}, {}}}}}));
    const QString plikListy = folder.filePath(QStringLiteral("testy.skg"));
    if (!Zapisz(ZapiszPlikListy(plikListy, lista), plikListy)) return 2;

    // The class: every student has an ability; a question is answered right with a chance
    // that grows with the ability and the question's easiness. Working times lengthen for
    // weaker students; everybody starts within two minutes after 8:00.
    for (qsizetype s = 0; s < Uczniowie.size(); ++s) {
        const QStringList nazwa = Uczniowie[s].split(u' ');
        const double zdolnosc = (los.generateDouble() + los.generateDouble() - 1.0) * 2.4 + 0.3;
        PlikOdpowiedzi plik;
        plik.nazwaTestu = NazwaTestu;
        plik.autor = Autor;
        plik.iloscOdpowiedzi = 4;
        plik.czas = 45;
        plik.cel = 95, plik.bdb = 85, plik.db = 70, plik.dst = 50, plik.dp = 30;
        plik.nazwisko = nazwa[0];
        plik.imie = nazwa[1];
        plik.pytania.clear();
        for (qsizetype q = 0; q < Pytania.size(); ++q) {
            const double e = Pytania[q].latwosc;
            const double logit = std::log(e / (1 - e)) + zdolnosc;
            const double szansa = 1 / (1 + std::exp(-logit));
            const QString& klucz = klucze[q];
            QString wybor;
            if (los.generateDouble() < szansa) {
                wybor = klucz;
            } else if (los.bounded(12) == 0) {
                wybor = QStringLiteral("0000"); // left unanswered
            } else {
                int zla = static_cast<int>(los.bounded(3));
                wybor = QStringLiteral("0000");
                for (int k = 0; k < 4; ++k)
                    if (klucz[k] != u'1' && zla-- == 0) wybor[k] = u'1';
            }
            plik.pytania.append({wybor, klucz});
        }
        const int start = 8 * 3600 + static_cast<int>(los.bounded(120));
        const int minut = std::clamp(
            static_cast<int>(26 - 6 * zdolnosc) + static_cast<int>(los.bounded(9)) - 4, 9, 44);
        const int koniec = start + minut * 60 + static_cast<int>(los.bounded(60));
        plik.start = Godzina(start);
        plik.koniec = Godzina(koniec);
        plik.zapis = Godzina(koniec + 1 + static_cast<int>(los.bounded(15)));
        // Newer copies of the testing program encode every value.
        if (s % 3 == 1) plik.kodowanie = KodowanieXml::Base64;
        const QString sciezka = folder.filePath(NazwaPliku(Uczniowie[s]) + ".sko");
        if (!Zapisz(ZapiszPlikOdpowiedzi(sciezka, plik), sciezka)) return 2;
    }

    // A student who wrote another test: the analysis skips the file.
    PlikOdpowiedzi inny;
    inny.nazwaTestu = QStringLiteral("Ułamki zwykłe - klasa 5");
    inny.autor = QStringLiteral("mgr Tomasz Król");
    inny.nazwisko = QStringLiteral("Wiśniewski");
    inny.imie = QStringLiteral("Ksawery");
    inny.start = QStringLiteral("9:05:00");
    inny.koniec = QStringLiteral("9:31:12");
    inny.zapis = QStringLiteral("9:31:15");
    inny.pytania = {{"1000", "1000"}, {"0010", "0100"}, {"0001", "0001"}, {"0100", "0100"}};
    const QString sciezka = folder.filePath(QStringLiteral("inny_test/wisniewski_ksawery.sko"));
    if (!Zapisz(ZapiszPlikOdpowiedzi(sciezka, inny), sciezka)) return 2;
    return 0;
}
