// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the archive's windows: the archive window, its questions and answers, and the
// archive's part of the settings window.

#include <QString>

namespace sondrel {

namespace TekstyArchiwum {
inline const QString Tytul = QStringLiteral("Archiwum analiz");
inline const QString Pracuje = QStringLiteral("Archiwum pracuje…");
inline const QString Laczenie = QStringLiteral("Łączenie z serwerem archiwum…");
inline const QString Puste = QStringLiteral(
    "Archiwum jest puste. Analizę zapiszesz w nim poleceniem „Zapisz analizę w archiwum”.");
// the last list kept after a failed refresh: the time it was read, the reason
inline const QString NieOdswiezono =
    QStringLiteral("Nie udało się odświeżyć listy; widać listę odczytaną o %1. %2");
inline const QString ZaznaczKlasy =
    QStringLiteral("Zaznacz w archiwum klasy (albo test, aby wziąć wszystkie jego klasy).");
inline const QString ZaznaczJedna = QStringLiteral("Zaznacz w archiwum jedną klasę.");
inline const QString InneArchiwum =
    QStringLiteral("W ustawieniach wybrano inne archiwum: jego lista jest odczytywana. Zaznacz "
                   "klasy na nowo.");
inline const QString RozneTesty =
    QStringLiteral("Klasy %1 i %2 pisały różne testy (albo różne wersje jednego testu): nie "
                   "można ich porównać.");
inline const QString PytanieUsunJedna =
    QStringLiteral("Usunąć z archiwum analizę klasy %1?\rTego nie można cofnąć.");
inline const QString PytanieUsun =
    QStringLiteral("Usunąć z archiwum analizy tych klas (%1)?\r%2\rTego nie można cofnąć.");
inline const QString BrakAnalizy =
    QStringLiteral("Najpierw wykonaj analizę: w archiwum zapisuje się analizę klasy.");
inline const QString ZapiszWArchiwum = QStringLiteral("Zapisz analizę w archiwum");
inline const QString Zajete =
    QStringLiteral("Archiwum kończy poprzednie polecenie. Spróbuj ponownie za chwilę.");
inline const QString ZmienOpis = QStringLiteral("Zmień opis");
inline const QString HistoriaUcznia = QStringLiteral("Historia ucznia");
inline const QString UsunUcznia = QStringLiteral("Usuń ucznia z archiwum");
inline const QString BrakUcznia = QStringLiteral("W archiwum nie ma wyników ucznia %1.");
inline const QString PytanieUsunUcznia =
    QStringLiteral("Usunąć z archiwum wszystkie wyniki ucznia %1 (analiz: %2)?\r%3\rAnaliza, w "
                   "której nie zostanie żaden uczeń, zostanie usunięta cała. Tego nie można "
                   "cofnąć.");
inline const QString UsunietoUcznia = QStringLiteral("Usunięto z archiwum wyniki ucznia %1: %2.");
inline const QString UsunietoAnalizy =
    QStringLiteral("\rUsunięte analizy, w których nie został żaden uczeń: %1.");
} // namespace TekstyArchiwum

// The archive's part of the settings window and its server question.
namespace TekstyUstawienArchiwum {
inline const QString Archiwum = QStringLiteral("Archiwum:");
inline const QString TenKomputer = QStringLiteral("ten komputer");
inline const QString SerwerSzkoly = QStringLiteral("serwer szkoły");
inline const QString Host = QStringLiteral("Serwer:");
inline const QString Port = QStringLiteral("Port:");
inline const QString Baza = QStringLiteral("Baza danych:");
inline const QString Uzytkownik = QStringLiteral("Użytkownik:");
inline const QString Haslo =
    QStringLiteral("Hasła program nie zapisuje: podaje je plik ~/.pgpass albo zmienna PGPASSWORD.");
inline const QString Laczenie = TekstyArchiwum::Laczenie;
inline const QString Szyfrowanie = QStringLiteral("Szyfrowanie:");
inline const QString Wymagane = QStringLiteral("wymagane");
inline const QString ZWeryfikacja = QStringLiteral("wymagane, z weryfikacją serwera");
inline const QString BezSzyfrowania = QStringLiteral("bez szyfrowania");
inline const QString Sprawdz = QStringLiteral("Sprawdź połączenie");
inline const QString Sprawdzanie = QStringLiteral("Sprawdzanie połączenia…");
} // namespace TekstyUstawienArchiwum

} // namespace sondrel
