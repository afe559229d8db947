// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive's own thread. A Qt SQL connection belongs to the thread that opened it, and
// opening a school's server may take up to its connect timeout, so the desktop program never
// touches the archive from its UI thread: every piece of work is handed to this thread, which
// opens the archive there, runs the work on it, closes the archive and sends what is to be done
// with the result back to the UI thread by a queued signal. One piece of work at a time: while
// one runs, another is refused, and the windows show that the archive is working. Opening for
// each piece (a few milliseconds on a file) means that a setting changed in the meantime, a file
// set aside or replaced by another program, or a connection the server dropped never outlives
// the piece of work it belonged to.
//
//     watek.Zlec(adres, [](Archiwum& a) { auto lista = a.Lista(); QString b = a.Blad();
//                                         return [lista, b] { ... on the UI thread ... }; },
//                [](const QString& blad) { ... the archive could not be opened ... });

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QThread;

namespace sondrel {

class Archiwum;

class WatekArchiwum : public QObject {
    Q_OBJECT
public:
    // Runs on the archive's thread with the open archive; gives what runs on the UI thread.
    using Praca = std::function<std::function<void()>(Archiwum&)>;
    // Runs on the UI thread when the archive could not be opened: the archive's message.
    using BladOtwarcia = std::function<void(const QString& blad)>;

    explicit WatekArchiwum(QObject* rodzic = nullptr);
    // Ends the thread after the work under way, waiting for it at most LimitKonca: the program
    // quits promptly whatever the archive is doing (a server that never answers holds nothing
    // but this thread). Work that outlasts the wait is left to end on its own thread, which then
    // closes its archive and ends; what it would have done afterwards is dropped, as is work
    // queued but not begun.
    ~WatekArchiwum() override;
    static constexpr int LimitKonca = 1200; // ms

    // Queues the work for the archive at `adres` (a file path or a server URI). False, and
    // nothing queued, while earlier work is still under way.
    bool Zlec(const QString& adres, Praca praca, BladOtwarcia bladOtwarcia);
    bool Zajety() const { return zajety; }
    // Whether the work under way is for an archive on a server: a window names the wait by it
    // ("Łączenie z serwerem archiwum…").
    bool Serwer() const { return serwer; }

signals:
    // The work began (true) or its result was delivered (false).
    void zajetosc(bool zajety);
    // The archive of the work under way is open (a server answered): the work proper begins.
    void polaczono();

private:
    class Pracownik;
    void Zakonczono(const std::function<void()>& dalej);

    QThread* watek;
    Pracownik* pracownik; // lives on `watek`
    bool zajety = false;
    bool serwer = false;
};

} // namespace sondrel
