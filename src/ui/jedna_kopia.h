// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running copy of the program per user and data folder. A later start (an answer file
// opened from a file manager while the program runs) hands its files to the running copy over
// a local socket and ends; the running copy opens them as if it had been started with them.
// When no copy answers (a socket left by a copy that died, a copy that hangs), the later start
// goes on as a copy of its own: its temporary folder is its own anyway.
//
// The socket lies in the user's runtime folder ($XDG_RUNTIME_DIR, else the system's temporary
// folder), named after the user and the data folder, so that a test with a data folder of its
// own never reaches a real copy. Both ends check that the other end is the same user.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace sondrel {

// What a start hands over: absolute paths, in the order given.
struct Przekazanie {
    QStringList pliki;
    QString plikTestu; // "--test PLIK.skt", empty without one
    bool operator==(const Przekazanie&) const = default;
};

// The socket's full path for the program's data folder `folderDanych`, in `folderGniazd` (the
// user's runtime folder when empty).
QString GniazdoKopii(const QString& folderDanych, const QString& folderGniazd = QString());

// The command line's files as the running copy must see them: absolute paths (a "file:" URL
// becomes its local path), resolved against this start's working folder.
Przekazanie PrzekazanieZArgumentow(const QStringList& pliki, const QString& plikTestu);

// Hands `p` to the copy listening on `gniazdo`. True when that copy took it (this start then
// ends); false when nobody answered within `limitMs` or the other end is not this user's.
bool PrzekazDzialajacejKopii(const QString& gniazdo, const Przekazanie& p, int limitMs = 5000);

// The running copy's end: listens on the socket and announces every handover.
class SerwerKopii : public QObject {
    Q_OBJECT
public:
    explicit SerwerKopii(QObject* rodzic = nullptr);
    ~SerwerKopii() override;

    // Listens on `gniazdo`. A socket that nobody answers on (left by a copy that died) is
    // removed first; false when another live copy already listens there (this copy then runs
    // without taking handovers).
    bool Nasluchuj(const QString& gniazdo);
    QString Gniazdo() const;

signals:
    void przekazano(const Przekazanie& p);

private:
    void NowePolaczenie();
    void Czytaj(QLocalSocket* s);
    QLocalServer* serwer;
};

// Holds a handover until the program can take it. Every handover first asks that the program
// come up (podnies: the main window over the program's other windows, a modal window the user
// is in above it); its files are announced (gotowe) once no modal window (a dialog, a file-list
// window, a message) is open and MoznaPrzyjac says yes, so that nothing the user is in the middle
// of is replaced under them. A later handover replaces one still waiting: its analysis would
// replace that one's anyway. The program's window rules act on both announcements.
class OdbiorPrzekazan : public QObject {
    Q_OBJECT
public:
    explicit OdbiorPrzekazan(SerwerKopii& serwer);
    ~OdbiorPrzekazan() override;

    // Whether the program can take files now, beyond no modal window being open (the main
    // window on screen); yes when unset.
    std::function<bool()> MoznaPrzyjac;

signals:
    void podnies();
    void gotowe(const sondrel::Przekazanie& p);

private:
    void Odbierz(const Przekazanie& p);
    void Sprobuj();

    std::optional<Przekazanie> czeka;
    QTimer* czas;
};

} // namespace sondrel
