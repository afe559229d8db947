// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive window's contents and commands, apart from its frame: the archived tests as a
// tree with their classes (label, date written, number of students, mean percent), a line that
// tells what the archive is doing, and the commands of the window's menu. Every command that
// touches the archive runs on the archive's own thread (WatekArchiwum); while one runs the line
// says so (connecting to the server, then working), the cursor is busy and every other command
// is refused; when it ends the line tells about the list again. Failures are the archive's own
// Polish messages, shown through the program's message dialog.
//
// The list shown is always the list of the archive the settings name: when they name another
// one, the list and the choice go before anything of the new archive is read. A refresh that
// fails keeps the last list, with a line that says it could not be refreshed.
//
// After a dialog it opened (a question, a message, a file dialog) the keyboard is back in the
// archive window while it is on screen. Reports and confirmations are announced (signals); the
// program's window rules show them.
//
// The questions a command asks (a description, a student's name, a file) are in `wybory`, so
// that tests answer in the user's place.

#include "archive/archiwum.h"
#include "reports/raport.h"
#include "ui/okna/teksty_archiwum.h"
#include "ui/okna/tf_opis_archiwum.h"

#include <QStringList>
#include <QTime>
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
    // Reads the list again (F5).
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
    // The chosen analyses, after a question that names them ("Nie" the default answer).
    bool UsunZArchiwum();
    // Asks a student's "NAZWISKO IMIĘ", lists the analyses that hold their results, asks again
    // ("Nie" the default) and removes the student from every one of them.
    bool UsunUcznia();
    // The whole archive to a JSON file, and analyses from one.
    bool Eksportuj();
    bool Importuj();
    // The program's current analysis: asks its label (the answer files' folder name, or the
    // label typed for it last time when that save failed) and date (the newest modification day
    // of its answer files) and adds it. The answer files are read for their hashes on the
    // archive's thread.
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
        // A student's name, asked with the window's title and the first button's caption.
        std::function<std::optional<QString>(const QString& tytul, const QString& przycisk)> Uczen;
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
    // A command ended (its messages shown, its report announced).
    void wykonano();
    // A report made by a command, to be shown as the report menu's are.
    void raportGotowy(const sondrel::WynikRaportu& wynik);
    // A file was written by a command: the save icon at this global point.
    void potwierdzZapis(QPoint gdzie);
    // The program's analysis was added to the archive.
    void zapisanoAnalize();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Hands the work to the archive's thread; a failure to open the archive shows its message.
    // The list of another archive than the one the work is for goes first.
    bool Zlec(std::function<std::function<void()>(Archiwum&)> praca,
              std::function<void(const QString&)> bladOtwarcia = {});
    void PokazListe(std::vector<WpisArchiwum> lista, const QString& opis);
    // A refresh (or another command) that could not read the archive: the last list stays.
    void NieOdczytano(const QString& blad);
    // Whether the list shown is of the archive the settings name now; if not, says so and reads
    // the right one (a choice made in another archive's list is never acted on).
    bool ListaAktualna();
    void PokazBlad(const QString& blad);
    // A message or a question, then the keyboard back in this window.
    int Zapytaj(int rodzaj, int ikona, const QString& tekst);
    TFOpisArchiwum& OknoPytania();
    // The keyboard back in the archive window after a dialog, while the window is on screen.
    void WrocDoOkna();
    void Zakoncz(); // a command ended
    void UstawZajetosc(bool zajety);
    void UstawStan(const QString& tekst);
    const WpisArchiwum* Wpis(qint64 id) const;

    Program& program;
    WatekArchiwum* watek;
    std::unique_ptr<TFOpisArchiwum> pytanie;
    std::vector<WpisArchiwum> wpisy;
    QString adresListy;   // the archive whose list is shown
    QString stanListy;    // what the status line says while the archive rests
    QTime odczytListy;    // when the list shown was read
    QString folderPlikow; // where the export, import and workbook dialogs start
    // The description typed for an analysis whose save failed, offered again for it.
    struct NiezapisanyOpis {
        QStringList pliki; // the analysis's answer files
        OpisAnalizy opis;
    };
    std::optional<NiezapisanyOpis> niezapisany;
    // The workbook's file asked (".xlsx" added to a bare name), then written by `zapisz` in the
    // archive's thread; the save icon, or the message of what failed.
    bool ZapiszArkusz(const QString& nazwa,
                      std::function<WynikRaportu(Archiwum&, const QString& plik)> zapisz);
};

} // namespace sondrel
