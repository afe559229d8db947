// SPDX-License-Identifier: GPL-3.0-or-later
// The view of a document finds what the node tree finds: the same elements by the same names in
// any letter case, the same texts and the same decoded values, and nothing where the tree has
// nothing (which the readers read as empty).
#include "core/kodowanie1250.h"
#include "formats/wartosci.h"
#include "formats/xml.h"
#include "support/xml_zapis.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace sondrel;

namespace {

// Compares the two below `wezel` / `element` for every name of the tree's children in three
// letter cases and for a few names that are missing, recursively.
void Porownaj(const WidokXML& widok, qint32 wezel, const TpkXMLNode& element,
              const QString& sciezka) {
    QStringList nazwy = {"odp", "cd", "nrw", "nieMa", "", QString::fromUtf8("ımu")};
    for (int i = 0; i < element.ChildCount(); ++i) {
        const QString n = element.Child(i)->name;
        nazwy << n << n.toUpper() << n.toLower();
    }
    for (const QString& nazwa : nazwy) {
        const TpkXMLNode* zDrzewa = const_cast<TpkXMLNode&>(element).ChildByName(nazwa, false);
        const qint32 zWidoku = widok.Dziecko(wezel, nazwa);
        const QString gdzie = sciezka + "/" + nazwa;
        ASSERT_EQ(zDrzewa == nullptr, zWidoku == WidokXML::Brak) << qPrintable(gdzie);
        if (!zDrzewa) {
            EXPECT_EQ(widok.Tekst(zWidoku), QString()) << qPrintable(gdzie);
            continue;
        }
        EXPECT_EQ(widok.Nazwa(zWidoku), zDrzewa->name) << qPrintable(gdzie);
        EXPECT_EQ(widok.Tekst(zWidoku), zDrzewa->text) << qPrintable(gdzie);
        EXPECT_EQ(widok.Rodzaj(zWidoku), zDrzewa->kind) << qPrintable(gdzie);
        for (int flaga : {0, 1}) {
            BuforTekstu bufor;
            TekstElementu(flaga, widok, zWidoku, bufor);
            const QString zDrzewaTekst = TekstElementu(flaga, *zDrzewa);
            EXPECT_EQ(TekstElementu(flaga, widok, zWidoku), zDrzewaTekst) << qPrintable(gdzie);
            EXPECT_EQ(QStringView(bufor.data(), bufor.size()), zDrzewaTekst) << qPrintable(gdzie);
        }
        // The first child of a name only: the tree's lookup of the same name below it.
        if (zDrzewa->ChildCount() > 0) Porownaj(widok, zWidoku, *zDrzewa, gdzie);
    }
}

void PorownajDokument(const QByteArray& bajty) {
    TpkXML drzewo;
    const bool drzewoUdane = drzewo.Parse(bajty);
    WidokXML widok;
    EXPECT_EQ(widok.Parse(bajty), drzewoUdane);
    EXPECT_EQ(widok.Unicode(), bajty.startsWith("\xFF\xFE"));
    Porownaj(widok, WidokXML::Korzen, drzewo.root, QString());
    const int flaga = FlagaDekodowania(drzewo, u"odp");
    EXPECT_EQ(FlagaDekodowania(widok, u"odp"), flaga);
}

} // namespace

TEST(WidokXML, ZnajdujeToSamoCoDrzewo) {
    // Many children (a name index), names repeated in other letter cases, a Base64 value with
    // an entity, text after an empty tag, a comment, a processing instruction and a data node
    // among the children, names outside ASCII and names longer than seven characters.
    QString wiele = "<?xml version=\"1.0\"?><!-- k --><ODP><cd>tr</cd>";
    for (int i = 1; i <= 40; ++i)
        wiele += QStringLiteral("<pyt%1><nrw>MQAwAA==</nrw><NRP>MAAxAA==</NRP></pyt%1>").arg(i);
    wiele += QString::fromUtf8(
        "<Pyt7>drugi</Pyt7><nmt>VAB&amp;lAA==</nmt><e/>po pustym<?pyt8 a=\"b\"?>tekst"
        "<&dane>\x03\x00\x00\x00xyz<długaNazwaElementu>d</DŁUGANAZWAELEMENTU>"
        "<Żółw>ż</żółw><x a=\"&quot;\">  spacje  </x></ODP>");
    const QString malo = QString::fromUtf8("<odp><cd>TR</cd><nzu>Kowalski &lt;Jan&gt;</nzu>"
                                           "<skl><tkk>1</tkk><cel>95</cel></skl></odp>");
    // Upper-casing makes some names outside ASCII equal to ASCII ones.
    const QString kropki = QString::fromUtf8("<odp><ımu>1</ımu><imu>2</imu><dtſ>3</dtſ></odp>");
    for (const QString& dokument : {wiele, malo, kropki}) {
        PorownajDokument(Na1250(dokument));
        PorownajDokument(testy::DokumentUtf16(dokument));
    }
    // Damaged documents: what was read before the error.
    for (const char* dokument : {"<odp><a>1</b><c>2</c></odp>", "<odp><a x='1'>t</a></odp>",
                                 "<odp><a>1</a>po<b>2</b></odp>", "<", "", "<odp><![CDATA[x"})
        PorownajDokument(QByteArray(dokument));
}
