// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/eksport_archiwum.h"

#include "analysis/czytnik_odpowiedzi.h"
#include "core/analiza.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <limits>

namespace sondrel {

namespace {

const QString Format = QStringLiteral("sondrel-archiwum");
constexpr int WersjaFormatu = 1;

QString TekstOpcji(OpcjePytania opcje) {
    QString t;
    for (int k = 1; k <= 8; ++k)
        if (OpcjaUstawiona(opcje, k)) t += QString::number(k);
    return t;
}

QJsonArray JsonOpcji(const std::vector<OpcjePytania>& opcje) {
    QJsonArray a;
    for (const OpcjePytania o : opcje)
        a.append(TekstOpcji(o));
    return a;
}

// Option numbers 1..5 in rising order, each once.
std::optional<std::vector<OpcjePytania>> OpcjeZJson(const QJsonValue& wartosc) {
    if (!wartosc.isArray()) return std::nullopt;
    std::vector<OpcjePytania> opcje;
    for (const QJsonValue& v : wartosc.toArray()) {
        if (!v.isString()) return std::nullopt;
        OpcjePytania o = 0;
        int poprzednia = 0;
        for (const QChar c : v.toString()) {
            const int k = c.unicode() - u'0';
            if (k <= poprzednia || k > 5) return std::nullopt;
            o |= OpcjePytania(1u << (k - 1));
            poprzednia = k;
        }
        opcje.push_back(o);
    }
    return opcje;
}

// Reading one analysis; every missing or mistyped member is an error.
class Czytnik {
public:
    QString blad;

    std::optional<QString> Tekst(const QJsonObject& o, const char* klucz) {
        const QJsonValue v = o.value(QLatin1String(klucz));
        if (v.isString()) return v.toString();
        return Brak(klucz);
    }
    // A whole number within [od, doo]; anything else (a fraction, 2147483648, 1e300) is
    // refused before it is converted.
    std::optional<qint32> Liczba(const QJsonObject& o, const char* klucz,
                                 qint32 od = std::numeric_limits<qint32>::min(),
                                 qint32 doo = std::numeric_limits<qint32>::max()) {
        const QJsonValue v = o.value(QLatin1String(klucz));
        const double x = v.toDouble();
        if (v.isDouble() && std::isfinite(x) && x >= od && x <= doo && x == std::trunc(x))
            return static_cast<qint32>(x);
        return Brak(klucz);
    }
    std::optional<double> Rzeczywista(const QJsonObject& o, const char* klucz) {
        const QJsonValue v = o.value(QLatin1String(klucz));
        if (v.isDouble() && std::isfinite(v.toDouble())) return v.toDouble();
        return Brak(klucz);
    }
    std::optional<QJsonObject> Obiekt(const QJsonObject& o, const char* klucz) {
        const QJsonValue v = o.value(QLatin1String(klucz));
        if (v.isObject()) return v.toObject();
        return Brak(klucz);
    }
    std::optional<QJsonArray> Tablica(const QJsonObject& o, const char* klucz) {
        const QJsonValue v = o.value(QLatin1String(klucz));
        if (v.isArray()) return v.toArray();
        return Brak(klucz);
    }
    std::optional<std::vector<OpcjePytania>> Opcje(const QJsonObject& o, const char* klucz) {
        auto opcje = OpcjeZJson(o.value(QLatin1String(klucz)));
        if (opcje) return opcje;
        return Brak(klucz);
    }

    std::nullopt_t Brak(const char* klucz) {
        if (blad.isEmpty())
            blad = QStringLiteral("brak albo błędna wartość \"%1\"").arg(QLatin1String(klucz));
        return std::nullopt;
    }
    std::nullopt_t Blad(const QString& powod) {
        if (blad.isEmpty()) blad = powod;
        return std::nullopt;
    }
};

std::optional<AnalizaArchiwalna> AnalizaZJson(const QJsonObject& o, Czytnik& c) {
    AnalizaArchiwalna a;
    const auto klasa = c.Tekst(o, "klasa");
    const auto data = c.Tekst(o, "data");
    const auto dodano = c.Tekst(o, "dodano");
    const auto plikTestu = c.Tekst(o, "plikTestu");
    const auto test = c.Obiekt(o, "test");
    const auto pytania = c.Tablica(o, "pytania");
    const auto pliki = c.Tablica(o, "pliki");
    const auto uczniowie = c.Tablica(o, "uczniowie");
    if (!klasa || !data || !dodano || !plikTestu || !test || !pytania || !pliki || !uczniowie)
        return std::nullopt;
    if (klasa->size() > MaksDlugoscKlasy)
        return c.Blad(
            QStringLiteral("etykieta klasy jest dłuższa niż %1 znaków").arg(MaksDlugoscKlasy));
    a.Klasa = *klasa;
    a.DataNapisania = QDate::fromString(*data, QStringLiteral("yyyy-MM-dd"));
    a.Dodano = QDateTime::fromString(*dodano, Qt::ISODate).toUTC();
    if (!a.DataNapisania.isValid()) return c.Brak("data");
    if (!a.Dodano.isValid()) return c.Brak("dodano");
    a.PlikTestu = *plikTestu;
    // Who added it: absent from exports older than the archive's record of it.
    for (const auto& [klucz, pole] :
         {std::pair{"dodal", &a.Dodal}, std::pair{"dodalWZrodle", &a.DodalWZrodle}}) {
        if (!o.contains(QLatin1String(klucz))) continue;
        const auto kto = c.Tekst(o, klucz);
        if (!kto) return std::nullopt;
        *pole = *kto;
    }

    TestArchiwalny& t = a.Test;
    const auto nazwa = c.Tekst(*test, "nazwa");
    const auto autor = c.Tekst(*test, "autor");
    const auto wersja = c.Tekst(*test, "wersja");
    const auto odcisk = c.Tekst(*test, "odcisk");
    const auto pytan = c.Liczba(*test, "iloscPytan", 1, MaksPytan);
    const auto odpowiedzi = c.Liczba(*test, "iloscOdpowiedzi", 1, MaksOdpowiedzi);
    const auto typ = c.Liczba(*test, "typ");
    const auto czas = c.Liczba(*test, "czas");
    const auto tkk = c.Liczba(*test, "tkk");
    const auto progi = c.Obiekt(*test, "progi");
    const auto klucz = c.Opcje(*test, "klucz");
    if (!nazwa || !autor || !wersja || !odcisk || !pytan || !odpowiedzi || !typ || !czas || !tkk ||
        !progi || !klucz)
        return std::nullopt;
    const auto cel = c.Liczba(*progi, "cel");
    const auto bdb = c.Liczba(*progi, "bdb");
    const auto db = c.Liczba(*progi, "db");
    const auto dst = c.Liczba(*progi, "dst");
    const auto dp = c.Liczba(*progi, "dp");
    if (!cel || !bdb || !db || !dst || !dp) return std::nullopt;
    t = {*nazwa, *autor, *pytan, *odpowiedzi, *typ, *czas, *wersja,
         *tkk,   *cel,   *bdb,   *db,         *dst, *dp,   *klucz};
    if (t.Klucz.size() != static_cast<std::size_t>(std::max(t.IloscPytan, 0)))
        return c.Brak("klucz");
    a.Odcisk = OdciskTestu(t);
    if (a.Odcisk != *odcisk) {
        c.blad = QStringLiteral("odcisk testu \"%1\" nie zgadza się z jego opisem").arg(t.Nazwa);
        return std::nullopt;
    }

    for (const QJsonValue& v : *pytania) {
        const QJsonObject p = v.toObject();
        const auto tresc = c.Tekst(p, "tresc");
        const auto opcje = c.Tablica(p, "odpowiedzi");
        if (!tresc || !opcje) return std::nullopt;
        TrescPytania& pytanie = a.Pytania.emplace_back();
        pytanie.Tresc = *tresc;
        for (const QJsonValue& o : *opcje) {
            if (!o.isString()) return c.Brak("odpowiedzi");
            pytanie.Odpowiedzi.push_back(o.toString());
        }
    }
    for (const QJsonValue& v : *pliki) {
        const QJsonObject p = v.toObject();
        const auto nazwaPliku = c.Tekst(p, "nazwa");
        const auto sha = c.Tekst(p, "sha256");
        if (!nazwaPliku || !sha) return std::nullopt;
        a.Pliki.push_back({*nazwaPliku, *sha});
    }
    for (const QJsonValue& v : *uczniowie) {
        const QJsonObject u = v.toObject();
        UczenArchiwalny& uczen = a.Uczniowie.emplace_back();
        const auto nazwisko = c.Tekst(u, "nazwisko");
        const auto imie = c.Tekst(u, "imie");
        const auto start = c.Rzeczywista(u, "start");
        const auto koniec = c.Rzeczywista(u, "koniec");
        const auto zapis = c.Rzeczywista(u, "zapis");
        const QJsonValue zwm = u.value(QLatin1String("zwm"));
        const auto zaznaczone = c.Opcje(u, "zaznaczone");
        const auto poprawnych = c.Liczba(u, "poprawnych");
        const auto procent = c.Liczba(u, "procent");
        const auto ocena = c.Tekst(u, "ocena");
        if (!nazwisko || !imie || !start || !koniec || !zapis || !zaznaczone || !poprawnych ||
            !procent || !ocena)
            return std::nullopt;
        if (!zwm.isBool()) return c.Brak("zwm");
        uczen.Nazwisko = NazwaBezZnakowSterujacych(*nazwisko);
        uczen.Imie = NazwaBezZnakowSterujacych(*imie);
        uczen.Start = *start;
        uczen.Koniec = *koniec;
        uczen.Zapis = *zapis;
        uczen.Zwm = zwm.toBool();
        uczen.Zaznaczone = *zaznaczone;
        if (u.contains(QLatin1String("klucz"))) {
            const auto kluczUcznia = c.Opcje(u, "klucz");
            if (!kluczUcznia) return std::nullopt;
            uczen.Klucz = *kluczUcznia;
        } else {
            uczen.Klucz = t.Klucz;
        }
        uczen.Poprawnych = *poprawnych;
        uczen.Procent = *procent;
        uczen.Ocena = *ocena;
    }
    // The figures come from the answers, whatever the document says.
    if (const QString powod = PrzeliczWyniki(a); !powod.isEmpty()) {
        c.blad = powod;
        return std::nullopt;
    }
    return a;
}

} // namespace

QJsonObject JsonAnalizyArchiwalnej(const AnalizaArchiwalna& a) {
    const TestArchiwalny& t = a.Test;
    QJsonArray pytania;
    for (const TrescPytania& p : a.Pytania) {
        QJsonArray odpowiedzi;
        for (const QString& o : p.Odpowiedzi)
            odpowiedzi.append(o);
        pytania.append(QJsonObject{{"tresc", p.Tresc}, {"odpowiedzi", odpowiedzi}});
    }
    QJsonArray pliki;
    for (const PlikArchiwalny& p : a.Pliki)
        pliki.append(QJsonObject{{"nazwa", p.Nazwa}, {"sha256", p.Sha256}});
    QJsonArray uczniowie;
    for (const UczenArchiwalny& u : a.Uczniowie) {
        QJsonObject uczen{{"nazwisko", u.Nazwisko},
                          {"imie", u.Imie},
                          {"start", u.Start},
                          {"koniec", u.Koniec},
                          {"zapis", u.Zapis},
                          {"zwm", u.Zwm},
                          {"zaznaczone", JsonOpcji(u.Zaznaczone)},
                          {"poprawnych", u.Poprawnych},
                          {"procent", u.Procent},
                          {"ocena", u.Ocena}};
        if (u.Klucz != t.Klucz) uczen.insert(QStringLiteral("klucz"), JsonOpcji(u.Klucz));
        uczniowie.append(uczen);
    }
    const QJsonObject test{
        {"nazwa", t.Nazwa},
        {"autor", t.Autor},
        {"iloscPytan", t.IloscPytan},
        {"iloscOdpowiedzi", t.IloscOdpowiedzi},
        {"typ", t.TypTestu},
        {"czas", t.Czas},
        {"wersja", t.Wersja},
        {"tkk", t.Tkk},
        {"progi", QJsonObject{{"cel", t.ProgCel},
                              {"bdb", t.ProgBdb},
                              {"db", t.ProgDb},
                              {"dst", t.ProgDst},
                              {"dp", t.ProgDp}}},
        {"klucz", JsonOpcji(t.Klucz)},
        {"odcisk", OdciskTestu(t)},
    };
    QJsonObject analiza{
        {"klasa", a.Klasa},
        {"data", a.DataNapisania.toString(QStringLiteral("yyyy-MM-dd"))},
        {"dodano", a.Dodano.toUTC().toString(Qt::ISODate)},
        {"plikTestu", a.PlikTestu},
        {"test", test},
        {"pytania", pytania},
        {"pliki", pliki},
        {"uczniowie", uczniowie},
        {"dodal", a.Dodal},
    };
    if (!a.DodalWZrodle.isEmpty()) analiza.insert(QStringLiteral("dodalWZrodle"), a.DodalWZrodle);
    return analiza;
}

QByteArray DokumentEksportu(const std::vector<AnalizaArchiwalna>& analizy) {
    QByteArray dokument;
    QBuffer bufor(&dokument);
    bufor.open(QIODevice::WriteOnly);
    PisarzEksportu pisarz(bufor);
    pisarz.Poczatek();
    for (const AnalizaArchiwalna& a : analizy)
        pisarz.Analiza(a);
    pisarz.Koniec();
    return dokument;
}

// The keys in the order Qt writes them (sorted): the list first, then the frame.
bool PisarzEksportu::Poczatek() {
    pierwsza = true;
    return cel.write("{\"analizy\":[") == 12;
}

bool PisarzEksportu::Analiza(const AnalizaArchiwalna& analiza) {
    QByteArray bajty =
        QJsonDocument(JsonAnalizyArchiwalnej(analiza)).toJson(QJsonDocument::Compact);
    if (!pierwsza) bajty.prepend(',');
    pierwsza = false;
    return cel.write(bajty) == bajty.size();
}

bool PisarzEksportu::Koniec() {
    const QByteArray koniec = QByteArrayLiteral("],\"format\":\"") + Format.toUtf8() +
                              QByteArrayLiteral("\",\"wersja\":") +
                              QByteArray::number(WersjaFormatu) + '}';
    return cel.write(koniec) == koniec.size();
}

namespace {

// Walks a JSON text from a device without building it: skips values, keeps the bytes of
// small ones, and tells where each value lies. Structure only: the values themselves are
// checked when they are parsed.
class Skaner {
public:
    explicit Skaner(QIODevice& z) : z(z) {}

    int Podejrzyj() {
        if (poz >= bufor.size()) {
            baza += bufor.size();
            bufor = z.read(1 << 16);
            poz = 0;
            if (bufor.isEmpty()) return -1;
        }
        return static_cast<unsigned char>(bufor[poz]);
    }
    int Wez() {
        const int c = Podejrzyj();
        if (c >= 0) {
            ++poz;
            if (zbierz && maly.size() < 4096) maly.append(char(c));
        }
        return c;
    }
    qint64 Pozycja() const { return baza + poz; }
    void Spacje() {
        for (int c = Podejrzyj(); c == ' ' || c == '\t' || c == '\n' || c == '\r'; c = Podejrzyj())
            ++poz;
    }
    bool Znak(char oczekiwany) {
        Spacje();
        if (Podejrzyj() != static_cast<unsigned char>(oczekiwany)) return false;
        Wez();
        return true;
    }
    // The string at the position (its opening quote included).
    bool Tekst() {
        if (Wez() != '"') return false;
        for (int c = Wez(); c != '"'; c = Wez()) {
            if (c < 0) return false;
            if (c == '\\' && Wez() < 0) return false;
        }
        return true;
    }
    // Any value; `bajty` gets its text when it is short.
    bool Wartosc(QByteArray* bajty = nullptr) {
        Spacje();
        zbierz = bajty != nullptr;
        maly.clear();
        const bool ok = WartoscBez();
        zbierz = false;
        if (bajty) *bajty = maly;
        return ok;
    }

private:
    bool WartoscBez() {
        const int c = Podejrzyj();
        if (c == '"') return Tekst();
        if (c == '{' || c == '[') {
            qint64 glebokosc = 0;
            do {
                const int z = Podejrzyj();
                if (z < 0) return false;
                if (z == '"') {
                    if (!Tekst()) return false;
                    continue;
                }
                Wez();
                if (z == '{' || z == '[') ++glebokosc;
                if (z == '}' || z == ']') --glebokosc;
            } while (glebokosc > 0);
            return true;
        }
        bool cos = false;
        for (int z = Podejrzyj(); z >= 0 && z != ',' && z != '}' && z != ']' && z != ' ' &&
                                  z != '\t' && z != '\n' && z != '\r';
             z = Podejrzyj()) {
            Wez();
            cos = true;
        }
        return cos;
    }

    QIODevice& z;
    QByteArray bufor;
    qsizetype poz = 0;
    qint64 baza = 0;
    bool zbierz = false;
    QByteArray maly;
};

// One small JSON value from its text.
QJsonValue WartoscJson(const QByteArray& tekst) {
    return QJsonDocument::fromJson('[' + tekst + ']').array().at(0);
}

} // namespace

bool CzytnikEksportu::Otworz(QString& blad) {
    zakresy.clear();
    if (!zrodlo.seek(0)) {
        blad = QStringLiteral("nie można odczytać pliku.");
        return false;
    }
    Skaner s(zrodlo);
    const auto zly = [&]() {
        zakresy.clear();
        blad = QStringLiteral("to nie jest dokument JSON.");
        return false;
    };
    QJsonValue format, wersja;
    bool lista = false;
    if (!s.Znak('{')) return zly();
    s.Spacje();
    if (s.Podejrzyj() == '}') {
        s.Wez();
    } else {
        for (;;) {
            QByteArray klucz;
            if (!s.Wartosc(&klucz) || !s.Znak(':')) return zly();
            const QString nazwa = WartoscJson(klucz).toString();
            s.Spacje();
            if (nazwa == u"analizy" && s.Podejrzyj() == '[') {
                lista = true;
                zakresy.clear();
                s.Wez();
                s.Spacje();
                if (s.Podejrzyj() == ']') {
                    s.Wez();
                } else {
                    for (;;) {
                        s.Spacje();
                        const qint64 od = s.Pozycja();
                        if (!s.Wartosc()) return zly();
                        zakresy.emplace_back(od, s.Pozycja() - od);
                        if (s.Znak(',')) continue;
                        if (s.Znak(']')) break;
                        return zly();
                    }
                }
            } else {
                QByteArray wartosc;
                if (!s.Wartosc(&wartosc)) return zly();
                if (nazwa == u"analizy") lista = false;
                if (nazwa == u"format") format = WartoscJson(wartosc);
                if (nazwa == u"wersja") wersja = WartoscJson(wartosc);
            }
            if (s.Znak(',')) continue;
            if (s.Znak('}')) break;
            return zly();
        }
    }
    s.Spacje();
    if (s.Podejrzyj() >= 0) return zly();
    if (format.toString() != Format) {
        zakresy.clear();
        blad = QStringLiteral("to nie jest eksport archiwum analiz.");
        return false;
    }
    if (wersja.toInt() != WersjaFormatu) {
        zakresy.clear();
        blad = QStringLiteral("nieznana wersja eksportu (%1).").arg(wersja.toInt());
        return false;
    }
    if (!lista) {
        zakresy.clear();
        blad = QStringLiteral("brak listy analiz.");
        return false;
    }
    return true;
}

std::optional<AnalizaArchiwalna> CzytnikEksportu::Analiza(std::size_t i, QString& powod) {
    if (i >= zakresy.size()) return std::nullopt;
    const auto [od, dlugosc] = zakresy[i];
    if (dlugosc > MaksRozmiarAnalizy) {
        powod = QStringLiteral("analiza jest za duża (%1 MB)").arg(dlugosc >> 20);
        return std::nullopt;
    }
    QByteArray bajty;
    if (!zrodlo.seek(od) || (bajty = zrodlo.read(dlugosc)).size() != dlugosc) {
        powod = QStringLiteral("nie można odczytać pliku");
        return std::nullopt;
    }
    QJsonParseError bladJson;
    const QJsonDocument dokument = QJsonDocument::fromJson(bajty, &bladJson);
    bajty.clear();
    if (bladJson.error != QJsonParseError::NoError || !dokument.isObject()) {
        powod = QStringLiteral("to nie jest obiekt");
        return std::nullopt;
    }
    Czytnik c;
    auto a = AnalizaZJson(dokument.object(), c);
    if (!a) powod = c.blad;
    return a;
}

std::optional<std::vector<AnalizaArchiwalna>> CzytajDokumentEksportu(const QByteArray& json,
                                                                     QString& blad) {
    QBuffer bufor;
    bufor.setData(json);
    bufor.open(QIODevice::ReadOnly);
    CzytnikEksportu czytnik(bufor);
    if (!czytnik.Otworz(blad)) return std::nullopt;
    std::vector<AnalizaArchiwalna> analizy;
    for (std::size_t i = 0; i < czytnik.Ilosc(); ++i) {
        QString powod;
        auto a = czytnik.Analiza(i, powod);
        if (!a) {
            blad = QStringLiteral("analiza %1: %2.").arg(i + 1).arg(powod);
            return std::nullopt;
        }
        analizy.push_back(std::move(*a));
    }
    return analizy;
}

} // namespace sondrel
