// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a folder that the program owns (the pictures beside a saved page) as one step: the
// new contents are written into a fresh folder with a hidden name beside it, which then takes
// the old one's place by a rename. Whatever stood under the name (a folder, a planted link, or
// nothing) is never written into nor through; it can be put back until the caller confirms.
//
//     ZamianaFolderu folder(sciezka);
//     folder.Przygotuj(&blad);        // the fresh folder: folder.Nowy()
//     ... write the files into folder.Nowy() ...
//     folder.Wstaw(&blad);            // the new folder under `sciezka`, the old one kept aside
//     ... write what depends on it; on failure folder.Cofnij() ...
//     folder.Zatwierdz();             // the old one goes
//
// Leaving the scope without Zatwierdz() undoes everything: the old folder is back as it was and
// the new one is gone.

#include <QString>

namespace sondrel {

class ZamianaFolderu {
public:
    explicit ZamianaFolderu(const QString& sciezka);
    ~ZamianaFolderu();
    ZamianaFolderu(const ZamianaFolderu&) = delete;
    ZamianaFolderu& operator=(const ZamianaFolderu&) = delete;

    // Makes the fresh folder beside `sciezka`. False with the reason when it cannot be made.
    bool Przygotuj(QString* blad = nullptr);
    // The fresh folder, to be filled before Wstaw().
    QString Nowy() const { return nowy; }
    // Puts the fresh folder under `sciezka`; what stood there is kept aside. Refuses a name
    // taken by anything but a folder or a link (a file, a device) with the reason.
    bool Wstaw(QString* blad = nullptr);
    // Puts the old folder back and removes the new one.
    void Cofnij();
    // Keeps the new folder. Entries of the old folder that the new one lacks move into it (the
    // old folder may hold files of the user's); links among them are moved, never followed.
    // The rest of the old folder is removed (a link in its place: the link alone).
    void Zatwierdz();

private:
    enum class Stan { Pusty, Przygotowany, Wstawiony, Koniec };
    QString sciezka;
    QString nowy;  // the fresh folder's hidden name
    QString stary; // where the old folder was kept aside (empty: nothing stood there)
    Stan stan = Stan::Pusty;
};

} // namespace sondrel
