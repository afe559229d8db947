// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/jedna_kopia.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#ifdef Q_OS_LINUX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace sondrel {

namespace {

const QString Znacznik = QStringLiteral("sondrel-przekazanie-1");
constexpr char Przyjete = 'T';
constexpr qint64 NajwiekszaWiadomosc = 1 << 20; // bytes: a command line is far smaller

// Whether the process at the other end of the connected socket is this user's: nobody else may
// take the files of a start nor hand files to this copy.
bool TenSamUzytkownik(qintptr gniazdo) {
#ifdef Q_OS_LINUX
    ucred dane{};
    socklen_t rozmiar = sizeof dane;
    if (::getsockopt(static_cast<int>(gniazdo), SOL_SOCKET, SO_PEERCRED, &dane, &rozmiar) != 0)
        return false;
    return dane.uid == ::getuid();
#else
    Q_UNUSED(gniazdo);
    return true; // the socket's own access rights keep others out
#endif
}

QString FolderGniazd() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
    return QDir::tempPath();
}

QString Identyfikator() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

} // namespace

QString GniazdoKopii(const QString& folderDanych, const QString& folderGniazd) {
    const QByteArray skrot =
        QCryptographicHash::hash(QDir::cleanPath(folderDanych).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    const QString folder = folderGniazd.isEmpty() ? FolderGniazd() : folderGniazd;
    return QDir(folder).filePath(QStringLiteral("sondrel-") + Identyfikator() + QLatin1Char('-') +
                                 QString::fromLatin1(skrot));
}

Przekazanie PrzekazanieZArgumentow(const QStringList& pliki, const QString& plikTestu) {
    const auto sciezka = [](const QString& a) {
        const QUrl adres(a);
        return QDir::toNativeSeparators(
            QFileInfo(adres.isLocalFile() ? adres.toLocalFile() : a).absoluteFilePath());
    };
    Przekazanie p;
    for (const QString& a : pliki)
        p.pliki.append(sciezka(a));
    if (!plikTestu.isEmpty()) p.plikTestu = sciezka(plikTestu);
    return p;
}

bool PrzekazDzialajacejKopii(const QString& gniazdo, const Przekazanie& p, int limitMs) {
    QLocalSocket s;
    s.connectToServer(gniazdo);
    if (!s.waitForConnected(limitMs)) return false; // nobody there, or a socket left behind
    if (!TenSamUzytkownik(s.socketDescriptor())) return false;
    QByteArray bajty;
    QDataStream zapis(&bajty, QIODevice::WriteOnly);
    zapis << Znacznik << p.pliki << p.plikTestu;
    s.write(bajty);
    if (!s.waitForBytesWritten(limitMs)) return false;
    // the running copy answers once it has the files; a copy that hangs does not
    while (s.bytesAvailable() < 1)
        if (!s.waitForReadyRead(limitMs)) return false;
    char odpowiedz = 0;
    return s.getChar(&odpowiedz) && odpowiedz == Przyjete;
}

SerwerKopii::SerwerKopii(QObject* rodzic) : QObject(rodzic), serwer(new QLocalServer(this)) {
    // No socket options: with them the toolkit makes the socket elsewhere and renames it into
    // place, over the socket of a copy that still runs. The runtime folder is the user's own,
    // and both ends check who is at the other end.
    connect(serwer, &QLocalServer::newConnection, this, &SerwerKopii::NowePolaczenie);
}

SerwerKopii::~SerwerKopii() {
    serwer->close(); // the socket goes with the copy
}

QString SerwerKopii::Gniazdo() const {
    return serwer->fullServerName();
}

bool SerwerKopii::Nasluchuj(const QString& gniazdo) {
    if (serwer->listen(gniazdo)) return true;
    if (serwer->serverError() != QAbstractSocket::AddressInUseError) return false;
    {
        QLocalSocket proba;
        proba.connectToServer(gniazdo);
        if (proba.waitForConnected(1000)) return false; // another live copy listens there
    }
    // left by a copy that died: nobody answers on it
    QLocalServer::removeServer(gniazdo);
    return serwer->listen(gniazdo);
}

void SerwerKopii::NowePolaczenie() {
    while (QLocalSocket* s = serwer->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        if (!TenSamUzytkownik(s->socketDescriptor())) {
            s->abort();
            s->deleteLater();
            continue;
        }
        connect(s, &QLocalSocket::readyRead, this, [this, s] { Czytaj(s); });
        // a client that never finishes its message is let go
        QTimer::singleShot(10000, s, [s] {
            s->abort();
            s->deleteLater();
        });
        if (s->bytesAvailable() > 0) Czytaj(s);
    }
}

void SerwerKopii::Czytaj(QLocalSocket* s) {
    if (s->bytesAvailable() > NajwiekszaWiadomosc) {
        s->abort();
        s->deleteLater();
        return;
    }
    QDataStream odczyt(s);
    odczyt.startTransaction();
    QString znacznik;
    Przekazanie p;
    odczyt >> znacznik >> p.pliki >> p.plikTestu;
    if (!odczyt.commitTransaction()) return; // the rest is still on its way
    if (znacznik != Znacznik) {
        s->abort();
        s->deleteLater();
        return;
    }
    s->putChar(Przyjete);
    s->flush();
    s->disconnectFromServer();
    emit przekazano(p);
}

OdbiorPrzekazan::OdbiorPrzekazan(SerwerKopii& serwer) : QObject(&serwer), czas(new QTimer(this)) {
    czas->setInterval(250);
    connect(czas, &QTimer::timeout, this, &OdbiorPrzekazan::Sprobuj);
    connect(&serwer, &SerwerKopii::przekazano, this, &OdbiorPrzekazan::Odbierz);
}

OdbiorPrzekazan::~OdbiorPrzekazan() = default;

void OdbiorPrzekazan::Odbierz(const Przekazanie& p) {
    emit podnies();
    if (p.pliki.isEmpty()) return;
    czeka = p;
    // after the connection's own event, as a drop is handled after the drag
    QTimer::singleShot(0, this, &OdbiorPrzekazan::Sprobuj);
}

void OdbiorPrzekazan::Sprobuj() {
    if (!czeka) {
        czas->stop();
        return;
    }
    if (QApplication::activeModalWidget() || (MoznaPrzyjac && !MoznaPrzyjac())) {
        if (!czas->isActive()) czas->start();
        return;
    }
    czas->stop();
    emit gotowe(*std::exchange(czeka, std::nullopt));
}

} // namespace sondrel
