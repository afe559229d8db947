// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/raport.h"

#include "core/analiza.h"
#include "core/kodowanie1250.h"
#include "core/lokalizacja.h"
#include "core/pliki.h"
#include "core/srodowisko.h"
#include "core/zegar.h"
#include "formats/pak.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

// The resources of a static library must be registered by hand; this is done at global scope
// because the macro cannot be used inside a namespace.
static void ZarejestrujZasobyRaportow() {
    Q_INIT_RESOURCE(raporty);
}

namespace sondrel {

namespace {

constexpr int MaksDlugoscNazwy = 200; // bytes in UTF-8

const QString KlasaN = QStringLiteral(
    ".N {font-family: verdana, tahoma, arial;  font-size: 10pt; font-weight: normal; "
    "text-decoration: none;color: #000000; ");
const QString KlasaM =
    QStringLiteral(".M {font-family: verdana, tahoma, arial;  font-size: 8pt; font-weight: normal; "
                   "text-decoration: none;color: #000000; }");
const QString KlasaU = QStringLiteral(
    ".U {font-family: verdana, tahoma, arial;  font-size: 10pt; font-weight: normal; "
    "text-decoration: underline; color: #000000; }");

QString Odbiorca() {
#ifdef Q_OS_UNIX
    if (const passwd* wpis = getpwuid(getuid()))
        return OdbiorcaZKonta(QString::fromLocal8Bit(wpis->pw_gecos ? wpis->pw_gecos : ""),
                              QString::fromLocal8Bit(wpis->pw_name ? wpis->pw_name : ""));
    return qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// Every file beside a report: written whole or not at all, a link in its place replaced (the
// temporary folder is the program's own; nothing is written or compared through a link). In the
// program's data folder (its Temp) the files are scratch files: replaced atomically, its owner's
// alone, not waited for on the disk; elsewhere (the command line's output folder) they are
// written as every file a user keeps.
bool ZapiszObok(const QString& sciezka, const QByteArray& bajty, bool gdyInny, QString* blad) {
    QString przyczyna;
    bool ok;
    if (WFolderzeDanych(sciezka)) {
        QFile obecny;
        ok = (gdyInny && !QFileInfo(sciezka).isSymLink() && OtworzZwyklyPlik(obecny, sciezka) &&
              obecny.size() == bajty.size() && obecny.readAll() == bajty) ||
             ZapiszPlikRoboczy(sciezka, bajty, &przyczyna);
    } else {
        ok = gdyInny ? ZapiszPlikGdyInny(sciezka, bajty, &przyczyna, Dowiazanie::Zastap)
                     : ZapiszPlik(sciezka, bajty, &przyczyna, Dowiazanie::Zastap);
    }
    if (!ok && blad) *blad = QDir::toNativeSeparators(sciezka) + QStringLiteral(": ") + przyczyna;
    return ok;
}

// The folder of a report, made when missing: in the program's data folder its owner's alone.
void UtworzFolder(const QDir& folder) {
    if (WFolderzeDanych(folder.filePath(QStringLiteral("r"))))
        UtworzFolderPrywatny(folder.path());
    else
        folder.mkpath(QStringLiteral("."));
}

} // namespace

namespace {

// The files the builder made, the pictures of the frame, then the report: a report file is
// only there when everything it shows is.
WynikRaportu ZapiszResztaRaportu(const DokumentRaportu& dokument, const QDir& folder,
                                 const Srodowisko& srodowisko, bool ok, QString blad) {
    WynikRaportu wynik;
    wynik.najpierwPustaStrona = dokument.najpierwPustaStrona;
    for (const PlikRaportu& plik : dokument.pliki)
        ok = ok && ZapiszObok(folder.filePath(plik.plik), plik.bajty, false, &blad);
    const QString sciezka = folder.filePath(dokument.nazwaPliku);
    const auto obrazZasobu = [&](const char* zasob, const char* plik) {
        return ZapiszObrazZasobu(QLatin1String(zasob), folder.filePath(QLatin1String(plik)), &blad);
    };
    ok = ok && obrazZasobu("Naglowek", "naglowek.jpg") && obrazZasobu("stopka", "stopka.jpg") &&
         ZapiszObok(sciezka, BajtyRaportu(dokument.wiersze), false, &blad);
    if (!ok) {
        srodowisko.WpiszDoDziennika(0, QStringLiteral("Raport. Błąd zapisu raportu: ") + blad);
        wynik.blad = QStringLiteral("Nie udało się zapisać raportu.\r") + blad;
        return wynik;
    }
    wynik.sciezka = sciezka;
    return wynik;
}

} // namespace

QString OdbiorcaZKonta(const QString& komentarz, const QString& login) {
    QString pelna = komentarz.section(u',', 0, 0);
    if (pelna.contains(u'&')) {
        QString zastepstwo = login;
        if (!zastepstwo.isEmpty()) zastepstwo[0] = zastepstwo[0].toUpper();
        pelna.replace(u'&', zastepstwo);
    }
    pelna = pelna.trimmed();
    return pelna.isEmpty() ? login : pelna;
}

QString OdbiorcaRaportu() {
    static const QString wartosc = Odbiorca();
    return wartosc;
}

QByteArray BajtyRaportu(const QStringList& wiersze) {
    QByteArray wynik;
    for (const QString& w : wiersze)
        wynik += Na1250Html(w) + "\r\n";
    return wynik;
}

void ZacznijRaport(QStringList& w, StylRaportu styl, const QString& tytul,
                   const QString& odbiorca) {
    const bool pelny = styl == StylRaportu::Pelny;
    if (pelny)
        w << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                            "\"http://www.w3.org/TR/html4/strict.dtd\">");
    w << QStringLiteral("<html><head>")
      << QStringLiteral(
             "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">")
      << QStringLiteral("<title>Zadrix - Raport</title>") << QStringLiteral("</head>");
    w << QStringLiteral("<STYLE TYPE=\"text/css\">") << QStringLiteral("<!--")
      << QStringLiteral("BODY { ") << QStringLiteral("scrollbar-face-color: #2F2F47;")
      << QStringLiteral("scrollbar-highlight-color: #FFFFFF;")
      << QStringLiteral("scrollbar-3dlight-color: #FFFFFF;")
      << QStringLiteral("scrollbar-darkshadow-color: #FFFFFF;")
      << QStringLiteral("scrollbar-shadow-color: #FFFFFF;")
      << QStringLiteral("scrollbar-arrow-color: #FFFFFF;")
      << QStringLiteral("scrollbar-track-color: #FFFFFF; }  ");
    if (pelny) {
        w << KlasaN + QStringLiteral("line-height: normal; }")
          << QStringLiteral(".N1") + KlasaN.mid(2) +
                 QStringLiteral("line-height: normal; text-indent: 1.5em}")
          << QStringLiteral(".N2") + KlasaN.mid(2) +
                 QStringLiteral("line-height: normal; text-indent: 4em}")
          << KlasaM << KlasaU
          << QStringLiteral("div.w p, p.w {margin-top: 0pt; margin-bottom: 0pt; }");
    } else {
        w << KlasaN + QStringLiteral("}") << KlasaM << KlasaU;
    }
    w << QStringLiteral("-->") << QStringLiteral("</STYLE>");
    w << QStringLiteral(
             "<body bgcolor=\"#FFFFFF\" topmargin=\"0\" leftmargin=\"20\" rightmargin=\"20\">")
      << QStringLiteral("<div  align=\"center\"><center>")
      << QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"500\">")
      << QStringLiteral("<tr><td><img src=\"naglowek.jpg\" width=\"500\" height=\"20\"></td></tr>");
    w << QStringLiteral("<tr><td class=\"M\" align=\"left\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
                        "Przygotowano dla: ") +
             TekstHtml(odbiorca) + QStringLiteral("</td></tr>");
    w << QStringLiteral("<tr><td class=\"N\" align=\"center\">&nbsp;</p>")
      << QStringLiteral("<p align=\"center\" class=\"N\"><b>") + tytul +
             QStringLiteral("</b><br><br></p>")
      << QStringLiteral("</td></tr>");
    if (pelny)
        w << QStringLiteral("<tr>")
          << QStringLiteral("<td class=\"N\" align=\"left\"><div class=\"w\">");
    else
        w << QStringLiteral(" <tr>") << QStringLiteral("   <td class=\"N\">");
}

QString TytulRaportu(const QByteArray& strona) {
    static const QRegularExpression wiersz(
        QStringLiteral("<p align=\"center\" class=\"N\"><b>(.*?)</b><br><br></p>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tytul(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression znacznik(QStringLiteral("<[^>]*>"));
    static const QRegularExpression odwolanie(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-z]+);"));
    const QString tekst = Z1250(strona);
    auto m = wiersz.match(tekst);
    if (!m.hasMatch()) m = tytul.match(tekst);
    if (!m.hasMatch()) return {};
    QString t = m.captured(1).remove(znacznik);
    // character references: numeric ones and the few named ones reports use
    QString wynik;
    qsizetype od = 0;
    for (auto it = odwolanie.globalMatch(t); it.hasNext();) {
        const auto o = it.next();
        wynik += t.mid(od, o.capturedStart() - od);
        od = o.capturedEnd();
        const QString nazwa = o.captured(1);
        bool ok = false;
        const uint kod = nazwa.startsWith(QLatin1String("#x")) ? nazwa.mid(2).toUInt(&ok, 16)
                         : nazwa.startsWith(QLatin1Char('#'))  ? nazwa.mid(1).toUInt(&ok, 10)
                                                               : 0;
        if (ok && kod > 0 && kod <= 0x10FFFF)
            wynik += QString::fromUcs4(reinterpret_cast<const char32_t*>(&kod), 1);
        else if (nazwa == QLatin1String("amp"))
            wynik += QLatin1Char('&');
        else if (nazwa == QLatin1String("lt"))
            wynik += QLatin1Char('<');
        else if (nazwa == QLatin1String("gt"))
            wynik += QLatin1Char('>');
        else if (nazwa == QLatin1String("quot"))
            wynik += QLatin1Char('"');
        else if (nazwa == QLatin1String("nbsp"))
            wynik += QLatin1Char(' ');
        else
            wynik += o.captured();
    }
    wynik = (wynik + t.mid(od)).simplified();
    if (wynik.endsWith(QLatin1Char('.'))) wynik.chop(1);
    return wynik;
}

void ZakonczRaport(QStringList& w) {
    w << QStringLiteral("<p align=\"left\" class=\"M\">&nbsp;<br><br>")
      << QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Data: ") +
             TekstDatyKrotkiej(Zegar::teraz().date()) + QStringLiteral("</p>");
    w << QStringLiteral("</td>") << QStringLiteral("  </tr>");
    w << QStringLiteral("<tr><td><img src=\"stopka.jpg\" width=\"500\" height=\"20\"></td></tr>")
      << QStringLiteral("   </table></center></div>") << QStringLiteral("</body>")
      << QStringLiteral("</html>");
}

QString TekstHtml(const QString& tekst) {
    return tekst.toHtmlEscaped();
}

QString BezpiecznaNazwaPliku(const QString& nazwa) {
    static const QString zakazane = QStringLiteral("/\\:*?\"<>|");
    QString wynik = nazwa;
    for (QChar& z : wynik)
        if (z.unicode() < 0x20 || z.unicode() == 0x7F || zakazane.contains(z)) z = QLatin1Char('_');
    if (wynik == QLatin1String(".") || wynik == QLatin1String("..")) wynik = QStringLiteral("_");
    // File systems hold names of 255 bytes: leave room for the report's ending.
    while (wynik.toUtf8().size() > MaksDlugoscNazwy) {
        wynik.chop(1);
        if (!wynik.isEmpty() && wynik.back().isHighSurrogate()) wynik.chop(1);
    }
    return wynik;
}

QString NazwaRaportuOTescie(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_OTescie.htm");
}

QString NazwaWykazuOcen(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_WykazOcen.htm");
}

QString NazwaRaportuOUczniu(const QString& nazwaTestu, int uczen) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_Ucz") + QString::number(uczen) +
           QStringLiteral(".htm");
}

QString NazwaRaportuOPytaniu(const QString& nazwaTestu, int pytanie) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_PytNr") + QString::number(pytanie) +
           QStringLiteral(".htm");
}

bool ZapiszObrazZasobu(const QString& nazwaZasobu, const QString& sciezka, QString* blad) {
    static const bool zarejestrowane = (ZarejestrujZasobyRaportow(), true);
    Q_UNUSED(zarejestrowane);
    QString nazwa;
    if (nazwaZasobu.compare(QLatin1String("Naglowek"), Qt::CaseInsensitive) == 0)
        nazwa = QStringLiteral(":/raporty/naglowek.jpg");
    else if (nazwaZasobu.compare(QLatin1String("stopka"), Qt::CaseInsensitive) == 0)
        nazwa = QStringLiteral(":/raporty/stopka.jpg");
    QFile zasob(nazwa);
    if (nazwa.isEmpty() || !zasob.open(QIODevice::ReadOnly)) {
        if (blad) *blad = QStringLiteral("brak zasobu ") + nazwaZasobu;
        return false;
    }
    return ZapiszObok(sciezka, zasob.readAll(), true, blad);
}

bool NazwaObrazuDozwolona(const QString& plik) {
    static const QLatin1String rozszerzenia[] = {QLatin1String(".jpg"), QLatin1String(".jpeg"),
                                                 QLatin1String(".gif"), QLatin1String(".bmp"),
                                                 QLatin1String(".png")};
    if (plik.startsWith(QLatin1Char('.'))) return false;
    for (const QLatin1String& r : rozszerzenia)
        if (plik.size() > r.size() && plik.endsWith(r, Qt::CaseInsensitive)) return true;
    return false;
}

WynikRaportu ZapiszRaport(const DokumentRaportu& dokument, const Analiza& analiza,
                          const Srodowisko& srodowisko) {
    const QDir folder(srodowisko.foldery.FolderTemp);
    UtworzFolder(folder); // a folder removed meanwhile comes back
    QString blad;
    const auto kontener = analiza.KontenerTestu;
    bool ok = true;
    // The test's pictures. A member that cannot be read leaves its reference pointing nowhere;
    // a name that is not a picture's is not copied at all (it could replace a table or another
    // report, or plant a hidden file), with a journal line; a picture that cannot be written
    // ends the report like any other file.
    for (const ObrazRaportu& obraz : dokument.obrazy) {
        if (!ok || !kontener || !kontener->IsOpen()) break;
        if (!NazwaObrazuDozwolona(obraz.plik)) {
            srodowisko.WpiszDoDziennika(0, QStringLiteral("Raport. Nie skopiowano obrazu ") +
                                               obraz.czlonek +
                                               QStringLiteral(": to nie jest nazwa obrazu."));
            continue;
        }
        if (const auto dane = StrumienZPak(obraz.czlonek, *kontener))
            ok = ZapiszObok(folder.filePath(obraz.plik), *dane, true, &blad);
    }

    return ZapiszResztaRaportu(dokument, folder, srodowisko, ok, blad);
}

WynikRaportu ZapiszRaportWFolderze(const DokumentRaportu& dokument, const QString& folder,
                                   const Srodowisko& srodowisko) {
    const QDir katalog(folder);
    UtworzFolder(katalog);
    return ZapiszResztaRaportu(dokument, katalog, srodowisko, true, QString());
}

} // namespace sondrel
