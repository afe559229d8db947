// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive's question window: either an analysis's description (the class label and the
// date written: saving an analysis in the archive, changing an archived one's description) or
// a student's name (a student's history). The first button stays off while the label or the
// name is empty.

#include "ui/okna/okno_pytania.h"

#include <QDate>
#include <QString>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace sondrel {

// The teacher's description of an archived analysis.
struct OpisAnalizy {
    QString Klasa;
    QDate DataNapisania;
    bool operator==(const OpisAnalizy&) const = default;
};

class TFOpisArchiwum : public OknoPytania {
    Q_OBJECT
public:
    explicit TFOpisArchiwum(QWidget* rodzic = nullptr);

    // The description, asked modally with the window's title, the first button's caption and
    // the values it starts with; nothing when cancelled. The label comes back trimmed.
    std::optional<OpisAnalizy> ZapytajOOpis(const QString& tytul, const QString& przycisk,
                                            const OpisAnalizy& poczatkowy);
    // The student's "NAZWISKO IMIĘ", asked modally with the window's title, the first button's
    // caption and the question; nothing when cancelled.
    std::optional<QString> ZapytajOUcznia(const QString& tytul, const QString& przycisk,
                                          const QString& pytanie);

    // Everything the two questions do before the modal loop; show the window to use it without
    // blocking, then read Przyjeto() and the answer.
    void PrzygotujOpis(const QString& tytul, const QString& przycisk, const OpisAnalizy& opis);
    void PrzygotujUcznia(const QString& tytul = QStringLiteral("Historia ucznia"),
                         const QString& przycisk = QStringLiteral("Pokaż"),
                         const QString& pytanie = PytanieHistorii);
    static inline const QString PytanieHistorii =
        QStringLiteral("Czyje wyniki pokazać? Wpisz nazwisko i imię ucznia.");
    OpisAnalizy Opis() const;
    QString Uczen() const;

    QLabel* LPytanie;
    QLabel* LKlasa;
    QLineEdit* EKlasa; // the class label, or the student's name
    QLabel* LData;
    QDateEdit* EData;

private:
    void Uloz(bool zData, const QString& tytul);
    void Sprawdz();
};

} // namespace sondrel
