// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Golden files of byte-exact outputs (the table documents, the reports) and the test's own
// data folder. A golden file is kept as UTF-8 with LF line ends, so that it reads and reviews
// as text; the program writes Windows-1250 with CR LF, and that is what it is compared as.
// Several files joined make one output (a head that many documents share, then a body):
//
//     PorownajZWzorcem(BajtyRaportu(wiersze), {"o_tescie.htm"});
//     EXPECT_EQ(TabelaHtml(...), Wzorzec({"glowa.htm", "tabela_wynikow.htm"}));
//
// With SONDREL_NOWE_WZORCE=1 in the environment PorownajZWzorcem writes the output into the
// last file instead (the files before it must match the output's start): review the change
// before committing it.

#include "core/zegar.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>

namespace sondrel::testy {

// The folder of the test program's own data files (tests/<layer>/dane); every test program
// is built with its path.
#ifdef SONDREL_DANE_TESTU
inline QString FolderDanych() {
    return QStringLiteral(SONDREL_DANE_TESTU);
}
#endif

// A file's bytes; empty when it cannot be read.
QByteArray Zawartosc(const QString& sciezka);

// The bytes the golden files stand for (paths), joined in order.
QByteArray BajtyWzorca(const QStringList& pliki);
// Compares the output with the golden files (paths) joined; a difference fails the test with
// the first line that differs, both versions readable.
void PorownajZPlikamiWzorca(const QByteArray& bajty, const QStringList& pliki);

#ifdef SONDREL_DANE_TESTU
// The same with the files' names in the test's data folder.
inline QByteArray Wzorzec(const QStringList& nazwy) {
    QStringList pliki;
    for (const QString& nazwa : nazwy)
        pliki.append(QDir(FolderDanych()).filePath(nazwa));
    return BajtyWzorca(pliki);
}
inline void PorownajZWzorcem(const QByteArray& bajty, const QStringList& nazwy) {
    QStringList pliki;
    for (const QString& nazwa : nazwy)
        pliki.append(QDir(FolderDanych()).filePath(nazwa));
    PorownajZPlikamiWzorca(bajty, pliki);
}
#endif

// Fixes "now" of the clock (the reports' date line, the journal's time) while it lives.
class StalyZegar {
public:
    explicit StalyZegar(const QDateTime& chwila) {
        Zegar::ustaw([chwila] { return chwila; });
    }
    ~StalyZegar() { Zegar::przywroc(); }
    StalyZegar(const StalyZegar&) = delete;
    StalyZegar& operator=(const StalyZegar&) = delete;
};

} // namespace sondrel::testy
