// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the demo class of samples/: a test of 20 questions (geography and biology for a class
// 7) with pictures (a map of Poland, the Polish flag and a plant cell, drawn here) and text
// members, a test list holding it in a small tree of groups, 25 answer files with a realistic
// spread of results and working times, and one answer file of another test in a folder of its
// own. Deterministic: the same bytes on every run on one machine (the labels depend on the
// installed DejaVu Sans font).
//
//     generuj_probke samples
#include "core/kodowanie1250.h"
#include "support/pak_zapis.h"
#include "support/pliki_testowe.h"

#include <QBuffer>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTime>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// The pictures are drawn, not photographed: a map, a flag and a cell diagram a teacher would put
// beside the questions. Labels use one named font so that the same machine always draws the
// same bytes.
QFont Czcionka(int piksele, bool gruba = false) {
    QFont czcionka(QStringLiteral("DejaVu Sans"));
    czcionka.setPixelSize(piksele);
    czcionka.setBold(gruba);
    czcionka.setHintingPreference(QFont::PreferFullHinting);
    return czcionka;
}

QByteArray Zakoduj(const QImage& obraz, const char* format, int jakosc = -1) {
    QByteArray wynik;
    QBuffer bufor(&wynik);
    bufor.open(QIODevice::WriteOnly);
    QImageWriter pisarz(&bufor, format);
    if (jakosc >= 0) pisarz.setQuality(jakosc);
    if (!pisarz.write(obraz)) {
        std::fprintf(stderr, "%s: %s\n", format, qPrintable(pisarz.errorString()));
        std::exit(3);
    }
    return wynik;
}

// Map of Poland: longitude and latitude in degrees, drawn in a plain projection squeezed across
// by the cosine of the middle latitude.
struct Rzut {
    double skala, x0, y0;
    QPointF operator()(double dlugosc, double szerokosc) const {
        return {x0 + (dlugosc - 14.0) * skala * 0.616, y0 + (54.95 - szerokosc) * skala};
    }
};

QPolygonF Linia(const Rzut& rzut, std::initializer_list<std::pair<double, double>> punkty) {
    QPolygonF wynik;
    for (const auto& [dlugosc, szerokosc] : punkty)
        wynik << rzut(dlugosc, szerokosc);
    return wynik;
}

QByteArray Mapa() {
    const int szerokosc = 320, wysokosc = 260;
    QImage obraz(szerokosc, wysokosc, QImage::Format_RGB32);
    obraz.fill(QColor(0xe9, 0xe6, 0xdf)); // the neighbouring countries
    const Rzut rzut{38.0, 40.0, 8.0};
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);

    // The sea, bounded by the coast from the west to the east.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0xd8, 0xf0));
    p.drawPolygon(Linia(rzut, {{12.0, 57.0},
                               {12.0, 54.3},
                               {13.4, 54.25},
                               {14.2, 53.93},
                               {15.5, 54.17},
                               {16.5, 54.55},
                               {17.7, 54.8},
                               {18.35, 54.84},
                               {18.8, 54.62},
                               {18.55, 54.55},
                               {18.6, 54.42},
                               {19.0, 54.35},
                               {19.65, 54.45},
                               {19.95, 54.62},
                               {20.5, 54.95},
                               {21.1, 55.25},
                               {21.2, 57.0}}));

    const QPolygonF granica =
        Linia(rzut, {{14.2, 53.93},  {15.5, 54.17},  {16.5, 54.55},  {17.7, 54.8},  {18.35, 54.84},
                     {18.8, 54.62},  {18.55, 54.55}, {18.6, 54.42},  {19.0, 54.35}, {19.65, 54.45},
                     {22.8, 54.36},  {23.5, 53.95},  {23.9, 53.2},   {23.6, 52.65}, {23.2, 52.3},
                     {23.65, 51.6},  {24.1, 50.85},  {23.7, 50.4},   {22.7, 49.65}, {22.9, 49.05},
                     {22.0, 49.2},   {20.9, 49.35},  {20.0, 49.2},   {19.4, 49.6},  {18.85, 49.5},
                     {18.0, 50.0},   {17.7, 50.3},   {16.9, 50.45},  {16.7, 50.1},  {16.3, 50.4},
                     {16.2, 50.65},  {15.4, 50.8},   {14.82, 50.87}, {15.0, 51.1},  {14.7, 51.55},
                     {14.75, 52.07}, {14.65, 52.45}, {14.6, 52.6},   {14.3, 52.9},  {14.45, 53.25},
                     {14.4, 53.3},   {14.25, 53.7}});
    p.setBrush(QColor(0xd9, 0xec, 0xc4));
    p.setPen(QPen(QColor(0x5a, 0x5a, 0x5a), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(granica);

    // Rivers: the Vistula, the Oder, the Warta and the Bug.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x2b, 0x6c, 0xc4), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(Linia(rzut, {{19.0, 49.6},   {19.4, 49.95},  {19.94, 50.05}, {20.6, 50.2},
                                {21.2, 50.4},   {21.75, 50.68}, {21.85, 51.1},  {21.95, 51.4},
                                {21.4, 51.9},   {21.05, 52.2},  {20.7, 52.42},  {20.2, 52.4},
                                {19.7, 52.55},  {19.1, 52.75},  {18.6, 53.0},   {18.2, 53.12},
                                {18.45, 53.35}, {18.75, 53.5},  {18.8, 54.0},   {18.95, 54.35}}));
    p.drawPolyline(Linia(rzut, {{18.2, 49.95},
                                {18.2, 50.15},
                                {17.92, 50.67},
                                {17.45, 50.9},
                                {17.03, 51.11},
                                {16.6, 51.4},
                                {16.08, 51.66},
                                {15.5, 51.95},
                                {15.1, 52.05},
                                {14.75, 52.07},
                                {14.65, 52.45},
                                {14.6, 52.6},
                                {14.3, 52.9},
                                {14.45, 53.25},
                                {14.55, 53.43},
                                {14.45, 53.65}}));
    p.drawPolyline(Linia(rzut, {{19.45, 50.5},
                                {19.1, 50.8},
                                {18.85, 51.2},
                                {18.75, 51.6},
                                {18.6, 52.0},
                                {18.2, 52.22},
                                {17.6, 52.1},
                                {17.2, 52.2},
                                {16.93, 52.42},
                                {16.5, 52.6},
                                {16.0, 52.7},
                                {15.23, 52.73},
                                {14.65, 52.6}}));
    p.drawPolyline(Linia(rzut, {{24.1, 50.75},
                                {23.7, 51.5},
                                {23.25, 52.25},
                                {22.6, 52.5},
                                {22.0, 52.65},
                                {21.5, 52.6},
                                {21.05, 52.5},
                                {20.7, 52.42}}));

    // Cities; the capital is marked larger.
    struct Miasto {
        const char* nazwa;
        double dlugosc, szerokosc;
        int dx, dy; // where the name goes, from the dot
    };
    const Miasto miasta[] = {
        {"Warszawa", 21.01, 52.23, 6, 4},   {"Gdańsk", 18.65, 54.35, 6, 8},
        {"Gdynia", 18.53, 54.52, -44, -2},  {"Szczecin", 14.55, 53.43, 5, -3},
        {"Bydgoszcz", 18.0, 53.12, -60, 4}, {"Poznań", 16.93, 52.41, 5, -4},
        {"Wrocław", 17.03, 51.11, -48, 14}, {"Kraków", 19.94, 50.06, 5, 10},
    };
    p.setFont(Czcionka(10));
    for (const Miasto& m : miasta) {
        const QPointF punkt = rzut(m.dlugosc, m.szerokosc);
        const bool stolica = qstrcmp(m.nazwa, "Warszawa") == 0;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(stolica ? QColor(0xc8, 0x10, 0x2e) : Qt::black);
        p.drawEllipse(punkt, stolica ? 3.5 : 2.3, stolica ? 3.5 : 2.3);
        // The name has a pale outline, so that a river or the border under it stays readable.
        QPainterPath napis;
        napis.addText(punkt + QPointF(m.dx, m.dy), p.font(), QString::fromUtf8(m.nazwa));
        p.strokePath(napis, QPen(QColor(0xf4, 0xf9, 0xee, 0xd0), 2.5, Qt::SolidLine, Qt::RoundCap,
                                 Qt::RoundJoin));
        p.fillPath(napis, QColor(0x20, 0x20, 0x20));
    }
    p.setFont(Czcionka(13, true));
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(QPointF(szerokosc - 72, wysokosc - 12), QStringLiteral("POLSKA"));
    p.end();
    return Zakoduj(obraz, "jpg", 92);
}

// The Polish flag, white over red, in a thin frame, as a GIF of three colours.
QByteArray Flaga() {
    const int szerokosc = 160, wysokosc = 100;
    const QList<quint32> paleta = {0x808080, 0xffffff, 0xdc143c};
    QByteArray indeksy(qsizetype{szerokosc} * wysokosc, '\0');
    for (int y = 1; y < wysokosc - 1; ++y)
        for (int x = 1; x < szerokosc - 1; ++x)
            indeksy[qsizetype{y} * szerokosc + x] = y < wysokosc / 2 ? 1 : 2;
    return ObrazGif(szerokosc, wysokosc, paleta, indeksy);
}

// A plant cell with its parts named.
QByteArray Komorka() {
    const int szerokosc = 320, wysokosc = 220;
    QImage obraz(szerokosc, wysokosc, QImage::Format_RGB32);
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF sciana(14, 24, 170, 176);
    p.setPen(QPen(QColor(0x6b, 0x8e, 0x23), 7));
    p.setBrush(QColor(0xf3, 0xf7, 0xe4));
    p.drawRoundedRect(sciana, 18, 18);
    const QRectF blona = sciana.adjusted(6, 6, -6, -6);
    p.setPen(QPen(QColor(0xb0, 0x8c, 0x3c), 1.5));
    p.setBrush(QColor(0xfb, 0xf4, 0xd6)); // the cytoplasm
    p.drawRoundedRect(blona, 13, 13);

    const QRectF wakuola(38, 52, 90, 124);
    p.setPen(QPen(QColor(0x4a, 0x90, 0xc0), 1.5));
    p.setBrush(QColor(0xd4, 0xea, 0xf8));
    p.drawRoundedRect(wakuola, 30, 30);

    const QPointF jadro(154, 72);
    p.setPen(QPen(QColor(0x6a, 0x3d, 0x9a), 1.5));
    p.setBrush(QColor(0xc9, 0xb3, 0xe6));
    p.drawEllipse(jadro, 19, 17);
    p.setBrush(QColor(0x6a, 0x3d, 0x9a));
    p.drawEllipse(jadro + QPointF(4, 3), 5, 5);

    // Chloroplasts along the wall, with their stacked membranes.
    const struct {
        double x, y, kat;
    } chloroplasty[] = {{64, 40, 0},    {28, 115, 90},  {50, 186, 10},
                        {100, 186, -5}, {158, 112, 80}, {148, 184, 0}};
    for (const auto& c : chloroplasty) {
        p.save();
        p.translate(c.x, c.y);
        p.rotate(c.kat);
        p.setPen(QPen(QColor(0x1e, 0x6b, 0x1e), 1.2));
        p.setBrush(QColor(0x4c, 0xaf, 0x50));
        p.drawEllipse(QPointF(0, 0), 13, 6.5);
        p.setPen(QPen(QColor(0x1e, 0x6b, 0x1e), 1));
        for (int i = -1; i <= 1; ++i)
            p.drawLine(QPointF(i * 6 - 2, -3), QPointF(i * 6 - 2, 3));
        p.restore();
    }
    // Mitochondria.
    const struct {
        double x, y, kat;
    } mitochondria[] = {{108, 40, -15}, {28, 160, 80}, {160, 136, 30}};
    for (const auto& m : mitochondria) {
        p.save();
        p.translate(m.x, m.y);
        p.rotate(m.kat);
        p.setPen(QPen(QColor(0xb3, 0x5a, 0x00), 1.2));
        p.setBrush(QColor(0xf5, 0xa6, 0x23));
        p.drawEllipse(QPointF(0, 0), 8, 4);
        QPainterPath fale;
        fale.moveTo(-6, 0);
        for (int i = 0; i < 4; ++i)
            fale.quadTo(-4.5 + 3 * i, i % 2 ? 2.5 : -2.5, -3 + 3 * i, 0);
        p.setBrush(Qt::NoBrush);
        p.drawPath(fale);
        p.restore();
    }

    // Labels on the right, each with a line to its part.
    const struct {
        const char* nazwa;
        QPointF cel;
    } opisy[] = {
        {"ściana komórkowa", {184, 40}}, {"jądro komórkowe", {162, 70}},
        {"błona komórkowa", {178, 96}},  {"chloroplast", {160, 112}},
        {"mitochondrium", {162, 136}},   {"wakuola", {118, 158}},
        {"cytoplazma", {172, 172}},
    };
    p.setFont(Czcionka(11));
    const double xOpisu = 204;
    double y = 40;
    for (const auto& o : opisy) {
        p.setPen(QPen(QColor(0x50, 0x50, 0x50), 0.8));
        p.drawLine(QPointF(xOpisu - 3, y - 4), o.cel);
        p.setBrush(QColor(0x50, 0x50, 0x50));
        p.drawEllipse(o.cel, 1.5, 1.5);
        p.setPen(Qt::black);
        p.drawText(QPointF(xOpisu, y), QString::fromUtf8(o.nazwa));
        y += 24;
    }
    p.setFont(Czcionka(12, true));
    p.drawText(QPointF(14, 16), QStringLiteral("Komórka roślinna"));
    p.end();
    return Zakoduj(obraz.convertToFormat(QImage::Format_RGB888), "bmp");
}

} // namespace

int main(int argc, char** argv) {
    // Drawing text needs a GUI application but no screen; always the same platform, whose fonts
    // give the same pictures on every run.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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
    test.czlony = {Czlon(QStringLiteral("mapa.jpg"), Mapa()),
                   Czlon(QStringLiteral("flaga.gif"), Flaga()),
                   Czlon(QStringLiteral("komorka.bmp"), Komorka()),
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
