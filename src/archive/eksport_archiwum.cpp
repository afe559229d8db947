// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/eksport_archiwum.h"

#include <QJsonArray>
#include <QJsonDocument>

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
    std::optional<qint32> Liczba(const QJsonObject& o, const char* klucz) {
        const QJsonValue v = o.value(QLatin1String(klucz));
        const double x = v.toDouble();
        if (v.isDouble() && x == static_cast<double>(static_cast<qint32>(x)))
            return static_cast<qint32>(x);
        return Brak(klucz);
    }
    std::optional<double> Rzeczywista(const QJsonObject& o, const char* klucz) {
        const QJsonValue v = o.value(QLatin1String(klucz));
        if (v.isDouble()) return v.toDouble();
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
    const auto pytan = c.Liczba(*test, "iloscPytan");
    const auto odpowiedzi = c.Liczba(*test, "iloscOdpowiedzi");
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
        uczen.Nazwisko = *nazwisko;
        uczen.Imie = *imie;
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
    QJsonArray lista;
    for (const AnalizaArchiwalna& a : analizy)
        lista.append(JsonAnalizyArchiwalnej(a));
    return QJsonDocument(
               QJsonObject{{"format", Format}, {"wersja", WersjaFormatu}, {"analizy", lista}})
        .toJson(QJsonDocument::Compact);
}

std::optional<std::vector<AnalizaArchiwalna>> CzytajDokumentEksportu(const QByteArray& json,
                                                                     QString& blad) {
    QJsonParseError bladJson;
    const QJsonDocument dokument = QJsonDocument::fromJson(json, &bladJson);
    if (bladJson.error != QJsonParseError::NoError || !dokument.isObject()) {
        blad = QStringLiteral("to nie jest dokument JSON.");
        return std::nullopt;
    }
    const QJsonObject o = dokument.object();
    if (o.value(QLatin1String("format")).toString() != Format) {
        blad = QStringLiteral("to nie jest eksport archiwum analiz.");
        return std::nullopt;
    }
    const int wersja = o.value(QLatin1String("wersja")).toInt();
    if (wersja != WersjaFormatu) {
        blad = QStringLiteral("nieznana wersja eksportu (%1).").arg(wersja);
        return std::nullopt;
    }
    if (!o.value(QLatin1String("analizy")).isArray()) {
        blad = QStringLiteral("brak listy analiz.");
        return std::nullopt;
    }
    std::vector<AnalizaArchiwalna> analizy;
    int nr = 0;
    for (const QJsonValue& v : o.value(QLatin1String("analizy")).toArray()) {
        ++nr;
        Czytnik c;
        auto a = v.isObject() ? AnalizaZJson(v.toObject(), c) : std::nullopt;
        if (!a) {
            blad = QStringLiteral("analiza %1: %2.")
                       .arg(nr)
                       .arg(c.blad.isEmpty() ? QStringLiteral("to nie jest obiekt") : c.blad);
            return std::nullopt;
        }
        analizy.push_back(std::move(*a));
    }
    return analizy;
}

} // namespace sondrel
