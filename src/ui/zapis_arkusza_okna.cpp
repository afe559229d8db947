// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zapis_arkusza_okna.h"

#include "arkusze/zapis_arkusza.h"
#include "ui/okno.h"
#include "ui/program.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace sondrel {

void RozszerzenieZFiltra(QFileDialog& dialog) {
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        const QString rozszerzenie = f.section(QStringLiteral("(*."), 1).section(u')', 0, 0);
        if (!rozszerzenie.isEmpty()) dialog.setDefaultSuffix(rozszerzenie);
    });
}

QString OknoZapisuArkusza(QWidget* rodzic, const QString& folder, const QString& nazwa) {
    QFileDialog dialog(rodzic, QStringLiteral("Zapisz jako arkusz"),
                       QDir(Okno::FolderDialogu(folder)).filePath(nazwa), FiltrZapisuArkusza());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    RozszerzenieZFiltra(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString ZapiszArkuszZOkna(Program& program, QString sciezka, RodzajListy lista) {
    if (sciezka.isEmpty()) return {};
    if (QFileInfo(sciezka).suffix().isEmpty()) sciezka += QStringLiteral(".xlsx");
    const WynikRaportu wynik =
        ZapiszArkuszAnalizy(program.analiza, program.ustawienia.fn, lista, sciezka);
    if (wynik.udany()) return sciezka;
    program.srodowisko.WpiszDoDziennika(1, wynik.blad);
    program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, wynik.blad);
    return {};
}

} // namespace sondrel
