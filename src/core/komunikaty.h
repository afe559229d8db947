#pragma once
// The one way in which the program tells the user something or asks a question. The desktop
// program shows its dialog, the command-line tool prints to standard error, tests record.

#include <QString>
#include <functional>

namespace sondrel {

// Dialog kinds and icons.
constexpr int KomunikatInformacja = 1; // one button "Zamknij"
constexpr int KomunikatPytanie = 3;    // "Tak", "Nie", "Anuluj"
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

private:
    Obsluga obsluga;
};

// The handler of the command-line tool: each message on standard error, CR as a line break.
int KomunikatNaStderr(int rodzaj, int ikona, const QString& tekst);

} // namespace sondrel
