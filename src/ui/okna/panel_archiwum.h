// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive window's contents and commands, apart from its frame: the archived tests as a
// tree with their classes (label, date written, number of students, mean percent), a line that
// tells what the archive is doing, and the commands of the window's menu. Every command that
// touches the archive runs on the archive's own thread (WatekArchiwum); while one runs the line
// says so, the cursor is busy and every other command is refused. Failures are the archive's
// own Polish messages, shown through the program's message dialog.
//
// The questions a command asks (a description, a student's name, a file) are in `wybory`, so
// that tests answer in the user's place.

#include "archive/archiwum.h"
#include "reports/raport.h"
#include "ui/okna/tf_opis_archiwum.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace sondrel {

class Program;
class WatekArchiwum;

// The texts of the archive window, its questions and its answers.
namespace TekstyArchiwum {
inline const QString Tytul = QStringLiteral("Archiwum analiz");
inline const QString Pracuje = QStringLiteral("Archiwum pracuje…");
inline const QString Puste = QStringLiteral(
    "Archiwum jest puste. Analizę zapiszesz w nim poleceniem „Zapisz analizę w archiwum”.");
inline const QString ZaznaczKlasy =
    QStringLiteral("Zaznacz w archiwum klasy (albo test, aby wziąć wszystkie jego klasy).");
inline const QString ZaznaczJedna = QStringLiteral("Zaznacz w archiwum jedną klasę.");
inline const QString PytanieUsun =
    QStringLiteral("Usunąć z archiwum zaznaczone analizy (%1)?\rTego nie można cofnąć.");
inline const QString BrakAnalizy =
    QStringLiteral("Najpierw wykonaj analizę: w archiwum zapisuje się analizę klasy.");
inline const QString ZapiszWArchiwum = QStringLiteral("Zapisz analizę w archiwum");
inline const QString Zajete =
    QStringLiteral("Archiwum kończy poprzednie polecenie. Spróbuj ponownie za chwilę.");
inline const QString ZmienOpis = QStringLiteral("Zmień opis");
} // namespace TekstyArchiwum

class PanelArchiwum : public QWidget {
    Q_OBJECT
public:
    explicit PanelArchiwum(Program& program, QWidget* rodzic = nullptr);
    ~PanelArchiwum() override;

    // The archive's place: the server of the settings (a postgresql:// address), else
    // Archiwum.sqlite in the program's data folder.
    QString Adres() const;

    // ---- commands: false when refused at once (the archive busy, nothing chosen, cancelled);
    // what a started one does arrives later, and `wykonano` tells that it ended ----
    // Reads the list again.
    bool Odswiez();
    // "Porównanie klas." of the chosen classes in the report window.
    bool PorownajKlasy();
    // Asks the student's name; "Historia ucznia." in the report window.
    bool HistoriaUcznia();
    // The comparison of the chosen classes, and a student's history (the name asked), saved as
    // workbooks where the save dialog says.
    bool PorownanieDoArkusza();
    bool HistoriaDoArkusza();
    // The chosen class's label and date written.
    bool ZmienOpis();
    // The chosen analyses, after asking.
    bool UsunZArchiwum();
    // The whole archive to a JSON file, and analyses from one.
    bool Eksportuj();
    bool Importuj();
    // The program's current analysis: asks its label (the answer files' folder name) and date
    // (the newest modification day of its answer files) and adds it.
    bool ZapiszAnalize();

    bool Zajety() const;
    WatekArchiwum& Watek() { return *watek; }

    // What the list holds, in the tree's order, and the ids of the chosen classes (a chosen test
    // stands for all its classes), in the tree's order.
    const std::vector<WpisArchiwum>& Wpisy() const { return wpisy; }
    std::vector<qint64> Zaznaczone() const;
    // Chooses the classes of these ids (and nothing else).
    void Zaznacz(const std::vector<qint64>& idy);

    struct Wybory {
        std::function<std::optional<OpisAnalizy>(const QString& tytul, const QString& przycisk,
                                                 const OpisAnalizy& poczatkowy)>
            Opis;
        std::function<std::optional<QString>()> Uczen;
        // The export's file (save dialog) and the import's (open dialog); empty: cancelled.
        std::function<QString(const QString& folder)> PlikEksportu;
        std::function<QString(const QString& folder)> PlikImportu;
        // The save dialog of a workbook, at the file name in `folder`; empty: cancelled.
        std::function<QString(const QString& folder, const QString& nazwa)> PlikArkusza;
    } wybory;

    QTreeWidget* Drzewo;
    QLabel* LStan;

signals:
    // The archive began or ended a piece of work.
    void zajetosc(bool zajety);
    // A command ended (its messages shown, its report handed to the report window).
    void wykonano();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Hands the work to the archive's thread; a failure to open the archive shows its message.
    bool Zlec(std::function<std::function<void()>(Archiwum&)> praca);
    void PokazListe(std::vector<WpisArchiwum> lista, const QString& opis);
    void PokazBlad(const QString& blad);
    void PokazRaport(const WynikRaportu& wynik);
    // The save icon where a file was written.
    void PotwierdzZapis(QPoint gdzie);
    TFOpisArchiwum& OknoPytania();
    void Zakoncz(); // a command ended
    void UstawZajetosc(bool zajety);
    const WpisArchiwum* Wpis(qint64 id) const;

    Program& program;
    WatekArchiwum* watek;
    std::unique_ptr<TFOpisArchiwum> pytanie;
    std::vector<WpisArchiwum> wpisy;
    QString opisArchiwum; // how the archive names itself (its file or server)
    QString folderPlikow; // where the export, import and workbook dialogs start
    // The workbook's file asked (".xlsx" added to a bare name), then written by `zapisz` in the
    // archive's thread; the save icon, or the message of what failed.
    bool ZapiszArkusz(const QString& nazwa,
                      std::function<WynikRaportu(Archiwum&, const QString& plik)> zapisz);
};

// The main window's "Zapisz analizę w archiwum": the archive window's ZapiszAnalize; while the
// archive is busy with the window's command, the user is told so.
void ZapiszAnalizeWArchiwum(Program& program);

} // namespace sondrel
