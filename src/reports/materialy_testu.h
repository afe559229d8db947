// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts and pictures of the test's container that reports print with the questions: each
// member printed once, numbered in the order met (texts and pictures counted apart, names
// compared without regard to letter case), pictures measured and handed to the report for
// copying beside it.

#include "reports/raport.h"

#include <QString>
#include <QStringList>

namespace sondrel {

class Analiza;

class MaterialyTestu {
public:
    MaterialyTestu(const Analiza& analiza, DokumentRaportu& dokument);

    // The number to print the member under when it is met for the first time (1, 2, …);
    // 0 when the name is empty or the member was printed already.
    int NumerTekstu(const QString& nazwa);
    int NumerObrazu(const QString& nazwa);

    // The member's text, every line followed by CR LF; empty when it cannot be read.
    QString Tekst(const QString& nazwa) const;

    // The picture line "<p><img src=… width=… height=… ></p>" with the picture's own pixel size
    // (0 x 0 when it cannot be measured); the picture is added to the report's copies.
    QString WierszObrazu(const QString& nazwa);

private:
    bool Nowy(const QString& nazwa);

    const Analiza& analiza;
    DokumentRaportu& dokument;
    QStringList wydrukowane;
    int teksty = 0;
    int obrazy = 0;
};

} // namespace sondrel
