// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way in which the program tells the user something or asks a question. The desktop
// program shows its dialog, the command-line tool prints to standard error, tests record.

#include <QString>
#include <functional>
#include <utility>

namespace sondrel {

// Dialog kinds and icons.
constexpr int KomunikatInformacja = 1; // one button "Zamknij"
constexpr int KomunikatPytanie = 3;    // "Tak", "Nie", "Anuluj"
// The same question with "Nie" chosen at first (Enter answers "Nie"): where "Tak" destroys.
constexpr int KomunikatPytanieNie = 4;
constexpr bool JestPytaniem(int rodzaj) {
    return rodzaj == KomunikatPytanie || rodzaj == KomunikatPytanieNie;
}
constexpr int IkonaInformacja = 1;
constexpr int IkonaPytanie = 2;
constexpr int IkonaUwaga = 3;

// Answers.
constexpr int WynikZamknij = 0;
constexpr int WynikTak = 1;
constexpr int WynikNie = 2;
constexpr int WynikAnuluj = 3;

class Komunikaty {
public:
    // Shows the message and returns the answer (one of the Wynik… values).
    using Obsluga = std::function<int(int rodzaj, int ikona, const QString& tekst)>;

    Komunikaty();
    void ustawObsluge(Obsluga obsluga);

    // Shows the message; the answer is then in WynikKomunikatu.
    void PokazKomunikat(int rodzaj, int ikona, const QString& tekst);
    int WynikKomunikatu = WynikNie;

    // The file that the messages of the step under way are about (the first answer file while
    // its header is read, the test while it is read), empty when they are about no one file. A
    // handler may name it (the command-line tool does); the program's dialog shows the text as
    // it is.
    QString plik;
    // The system's reason for the failure that the message being shown reports ("brak
    // uprawnień"), empty when there is none; the command-line tool adds it as a line of its own.
    QString powod;

    // Shows the message with `powod` set for its duration.
    void PokazKomunikat(int rodzaj, int ikona, const QString& tekst, const QString& powodBledu) {
        const QString poprzedni = std::exchange(powod, powodBledu);
        PokazKomunikat(rodzaj, ikona, tekst);
        powod = poprzedni;
    }

private:
    Obsluga obsluga;
};

// Sets Komunikaty::plik for its own lifetime, then gives back the earlier one.
class PlikKomunikatow {
public:
    PlikKomunikatow(Komunikaty& komunikaty, const QString& plik)
        : komunikaty(komunikaty), poprzedni(std::exchange(komunikaty.plik, plik)) {}
    ~PlikKomunikatow() { komunikaty.plik = poprzedni; }
    PlikKomunikatow(const PlikKomunikatow&) = delete;
    PlikKomunikatow& operator=(const PlikKomunikatow&) = delete;

private:
    Komunikaty& komunikaty;
    QString poprzedni;
};

// The line of a message that sends the user to the journal for the details.
QString OdeslanieDoDziennika();

// The handler of the command-line tool: each message on standard error, CR as a line break.
int KomunikatNaStderr(int rodzaj, int ikona, const QString& tekst);

} // namespace sondrel
