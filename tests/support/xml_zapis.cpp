// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/xml_zapis.h"

#include "core/kodowanie1250.h"
#include "formats/wartosci.h"

#include <QRandomGenerator>
#include <memory>
#include <vector>

namespace sondrel::testy {

namespace {

struct Element {
    QString nazwa;
    QString wartosc;
    std::vector<std::unique_ptr<Element>> dzieci;

    Element* Dziecko(const QString& n) {
        for (auto& d : dzieci)
            if (d->nazwa.compare(n, Qt::CaseInsensitive) == 0) return d.get();
        dzieci.push_back(std::make_unique<Element>());
        dzieci.back()->nazwa = n;
        return dzieci.back().get();
    }
};

QString Escapuj(QString t) {
    t.replace(u'&', QStringLiteral("&amp;"));
    t.replace(u'<', QStringLiteral("&lt;"));
    t.replace(u'>', QStringLiteral("&gt;"));
    t.replace(u'"', QStringLiteral("&quot;"));
    return t;
}

void Zapisz(const Element& e, const QString& wciecie, bool base64, bool dokumentu, QString& out) {
    const bool cd = dokumentu && e.nazwa.compare(QLatin1String("cd"), Qt::CaseInsensitive) == 0;
    const QString tekst = (base64 && !cd && !e.wartosc.isEmpty())
                              ? QString::fromLatin1(Base64Utf16(e.wartosc))
                              : Escapuj(e.wartosc);
    out += wciecie + u'<' + e.nazwa + u'>' + tekst;
    if (!e.dzieci.empty()) {
        out += QStringLiteral("\r\n");
        for (const auto& d : e.dzieci)
            Zapisz(*d, wciecie + u'\t', base64, false, out);
        out += wciecie;
    }
    out += QStringLiteral("</") + e.nazwa + QStringLiteral(">\r\n");
}

TablicaPodstawien Odwrotna(const TablicaPodstawien& t) {
    TablicaPodstawien o{};
    for (int i = 0; i < 256; ++i)
        o[t[i]] = static_cast<quint8>(i);
    return o;
}

} // namespace

QByteArray Base64Utf16(const QString& tekst) {
    QByteArray b;
    b.reserve(tekst.size() * 2);
    for (QChar z : tekst) {
        b.append(static_cast<char>(z.unicode() & 0xFF));
        b.append(static_cast<char>(z.unicode() >> 8));
    }
    return b.toBase64();
}

QByteArray DokumentXml(const QList<WartoscXml>& wartosci, const OpcjeXml& opcje) {
    Element korzen;
    const bool base64 = opcje.kodowanie == KodowanieXml::Base64;
    if (base64 && opcje.dodajCd && !wartosci.isEmpty()) {
        const QString dokument = wartosci.first().sciezka.section(u'/', 0, 0);
        bool maCd = false;
        for (const WartoscXml& w : wartosci) {
            const QStringList n = w.sciezka.split(u'/');
            maCd = maCd || (n.size() == 2 && n[0].compare(dokument, Qt::CaseInsensitive) == 0 &&
                            n[1].compare(QLatin1String("cd"), Qt::CaseInsensitive) == 0);
        }
        if (!maCd) korzen.Dziecko(dokument)->Dziecko(QStringLiteral("cd"))->wartosc = "tr";
    }
    for (const WartoscXml& w : wartosci) {
        Element* e = &korzen;
        for (const QString& n : w.sciezka.split(u'/'))
            e = e->Dziecko(n);
        e->wartosc = w.wartosc;
    }
    QString tekst;
    if (opcje.deklaracja)
        tekst += opcje.utf16
                     ? QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n")
                     : QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n");
    for (const auto& d : korzen.dzieci) {
        // The document element: its children one level in, its end tag on a line of its own.
        QString out;
        const QString wartosc = base64 && !d->wartosc.isEmpty()
                                    ? QString::fromLatin1(Base64Utf16(d->wartosc))
                                    : Escapuj(d->wartosc);
        out += u'<' + d->nazwa + u'>' + wartosc + QStringLiteral("\r\n");
        for (const auto& dz : d->dzieci)
            Zapisz(*dz, QStringLiteral("\t"), base64, true, out);
        out += QStringLiteral("</") + d->nazwa + QStringLiteral(">\r\n");
        tekst += out;
    }
    return opcje.utf16 ? DokumentUtf16(tekst) : Na1250(tekst);
}

QByteArray DokumentUtf16(const QString& tekst) {
    QByteArray b("\xFF\xFE", 2);
    for (QChar z : tekst) {
        b.append(static_cast<char>(z.unicode() & 0xFF));
        b.append(static_cast<char>(z.unicode() >> 8));
    }
    return b;
}

QByteArray ZakodujWartosc(const QString& wartosc, TabelaTxp tabela, QRandomGenerator* los) {
    const QByteArray bajty = Na1250(wartosc);
    if (tabela == TabelaTxp::Brak) return bajty;
    if (tabela == TabelaTxp::Lista) return Zakoduj(QByteArrayView(bajty), los);
    // The program only decodes older tests; the encoder is the decoding table turned around.
    static const TablicaPodstawien kodowanieTestu = Odwrotna(TablicaDekodowaniaTestu());
    QRandomGenerator& zrodlo = los ? *los : *QRandomGenerator::global();
    QByteArray wynik;
    int losowych;
    if (bajty.isEmpty()) {
        wynik.append('\xFE');
        losowych = 3 + static_cast<int>(zrodlo.bounded(8));
    } else {
        const int r = static_cast<int>(zrodlo.bounded(3));
        wynik.append(r == 0 ? '\xA0' : r == 1 ? '\xA1' : '\xA7');
        losowych = r + 2;
    }
    for (int i = 0; i < losowych; ++i)
        wynik.append(static_cast<char>(zrodlo.bounded(33, 233)));
    for (char z : bajty)
        wynik.append(static_cast<char>(kodowanieTestu[static_cast<quint8>(z)]));
    return wynik;
}

QByteArray TekstTxp(const QStringList& wiersze, TabelaTxp tabela, const QByteArray& koniecWiersza,
                    QRandomGenerator* los) {
    QByteArray wynik;
    for (const QString& w : wiersze)
        wynik += ZakodujWartosc(w, tabela, los) + koniecWiersza;
    return wynik;
}

QStringList WierszeTestuTxp(const TestTxp& test) {
    QStringList w = {QStringLiteral("35"),
                     QString::number(test.typ),
                     QString::number(test.iloscPytan),
                     test.nazwa,
                     QString(),
                     QString::number(test.iloscOdpowiedzi)};
    for (const PytanieTxp& p : test.pytania) {
        w << p.tresc;
        for (int k = 0; k < 4; ++k)
            w << p.odpowiedzi.value(k);
        w << p.klucz << p.tekst << p.obraz << p.komentarz;
    }
    return w;
}

QStringList WierszeListyTxp(const QStringList& wpisy) {
    return QStringList{QStringLiteral("35")} + wpisy;
}

} // namespace sondrel::testy
