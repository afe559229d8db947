// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive's small question window in the program's look: a slate title strip with the close
// mark, one or two fields and the buttons "Zapisz"/"Pokaż" and "Anuluj". It asks either for an
// analysis's description (the class label and the date written: saving an analysis in the
// archive, changing an archived one's description) or for a student's name (a student's
// history). Enter answers with the first button when the answer is complete, Esc and the close
// mark cancel; the first button stays off while the label or the name is empty.

#include "ui/okno.h"

#include <QDate>
#include <QString>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace sondrel {

class Etykieta;
class Przycisk;

// The teacher's description of an archived analysis.
struct OpisAnalizy {
    QString Klasa;
    QDate DataNapisania;
    bool operator==(const OpisAnalizy&) const = default;
};

// The painted background of the archive's question windows: the frame with its title strip and
// close mark, and the button band along the bottom.
QPixmap TloOknaPytania(QSize rozmiar, const QString& tytul);

class TFOpisArchiwum : public Okno {
    Q_OBJECT
public:
    explicit TFOpisArchiwum(QWidget* rodzic = nullptr);

    // The description, asked modally with the window's title, the first button's caption and
    // the values it starts with; nothing when cancelled. The label comes back trimmed.
    std::optional<OpisAnalizy> ZapytajOOpis(const QString& tytul, const QString& przycisk,
                                            const OpisAnalizy& poczatkowy);
    // The student's "NAZWISKO IMIĘ", asked modally; nothing when cancelled.
    std::optional<QString> ZapytajOUcznia();

    // Everything the two questions do before the modal loop; show the window to use it without
    // blocking, then read Odpowiedz()/Przyjeto().
    void PrzygotujOpis(const QString& tytul, const QString& przycisk, const OpisAnalizy& opis);
    void PrzygotujUcznia();
    bool Przyjeto() const { return przyjeto; }
    OpisAnalizy Opis() const;
    QString Uczen() const;

    void Przyjmij();
    void Anuluj();

    QLabel* LPytanie;
    QLabel* LKlasa;
    QLineEdit* EKlasa; // the class label, or the student's name
    QLabel* LData;
    QDateEdit* EData;
    Przycisk* BPrzyjmij;
    Przycisk* BAnuluj;
    Etykieta* LListwa;
    Etykieta* LClose;

protected:
    bool KlawiszWcisniety(QKeyEvent* e) override;
    bool ZamkniecieZZewnatrz() override;

private:
    void Uloz(bool zData, const QString& tytul);
    void Sprawdz();

    bool przyjeto = false;
};

} // namespace sondrel
