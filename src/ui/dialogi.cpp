// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogi.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>

#include "ui/okno.h"

namespace sondrel {

QFont DoQFont(const Czcionka& c) {
    QFont f(c.NazwaCzcionki);
    if (c.Rozmiar > 0) f.setPointSize(c.Rozmiar);
    f.setBold(c.Styl & StylPogrubiony);
    f.setItalic(c.Styl & StylKursywa);
    f.setUnderline(c.Styl & StylPodkreslony);
    f.setStrikeOut(c.Styl & StylPrzekreslony);
    return f;
}

Czcionka ZQFont(const QFont& f, const QColor& kolor) {
    Czcionka c;
    c.NazwaCzcionki = f.family();
    c.KolorCzcionki = ZQColor(kolor);
    c.Rozmiar = f.pointSize() > 0 ? f.pointSize() : qRound(f.pointSizeF());
    c.Styl = (f.bold() ? StylPogrubiony : 0) | (f.italic() ? StylKursywa : 0) |
             (f.underline() ? StylPodkreslony : 0) | (f.strikeOut() ? StylPrzekreslony : 0);
    return c;
}

std::optional<QColor> Dialogi::WybierzKolor(QWidget* rodzic, const QColor& poczatkowy) {
    QColorDialog dialog(poczatkowy, rodzic);
    dialog.setWindowTitle(QStringLiteral("Kolor"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QColor kolor = dialog.selectedColor();
    if (!kolor.isValid()) return std::nullopt;
    return kolor;
}

namespace {

// The font dialog with the colour of the text under it, as the record keeps a font's colour.
class DialogCzcionki : public QDialog {
public:
    DialogCzcionki(QWidget* rodzic, const Czcionka& c)
        : QDialog(rodzic), kolor(DoQColor(c.KolorCzcionki)) {
        setWindowTitle(QStringLiteral("Czcionka"));
        auto* uklad = new QVBoxLayout(this);
        // a stored name that is not installed ("MS Sans Serif") shows as the face it is painted
        // with, whose styles the dialog can then offer
        QFont font = DoQFont(c);
        if (!QFontDatabase::hasFamily(font.family())) font.setFamily(QFontInfo(font).family());
        czcionki = new QFontDialog(font, this);
        czcionki->setWindowFlags(Qt::Widget);
        czcionki->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        uklad->addWidget(czcionki);

        auto* wiersz = new QHBoxLayout;
        wiersz->addWidget(new QLabel(QStringLiteral("Kolor:"), this));
        przyciskKoloru = new QPushButton(QStringLiteral("Zmień kolor..."), this);
        przyciskKoloru->setAutoDefault(false);
        wiersz->addWidget(przyciskKoloru);
        wiersz->addStretch(1);
        uklad->addLayout(wiersz);
        PokazKolor();
        connect(przyciskKoloru, &QPushButton::clicked, this, [this] {
            if (const auto nowy = Dialogi().WybierzKolor(this, kolor)) {
                kolor = *nowy;
                PokazKolor();
            }
        });

        auto* przyciski =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(przyciski, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(przyciski, &QDialogButtonBox::rejected, this, &QDialog::reject);
        uklad->addWidget(przyciski);
    }

    Czcionka Wybrana() const { return ZQFont(czcionki->currentFont(), kolor); }

private:
    void PokazKolor() {
        QPixmap probka(28, 14);
        probka.fill(kolor);
        QPainter(&probka).drawRect(0, 0, 27, 13);
        przyciskKoloru->setIcon(probka);
        przyciskKoloru->setIconSize(probka.size());
    }

    QFontDialog* czcionki;
    QPushButton* przyciskKoloru;
    QColor kolor;
};

} // namespace

std::optional<Czcionka> Dialogi::WybierzCzcionke(QWidget* rodzic, const Czcionka& poczatkowa) {
    DialogCzcionki dialog(rodzic, poczatkowa);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Wybrana();
}

QString Dialogi::WybierzObraz(QWidget* rodzic) {
    // the formats this build of the toolkit reads; JPEG, PNG, BMP and GIF among them
    QStringList wzorce;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        wzorce << QStringLiteral("*.") + QString::fromLatin1(format);
    wzorce.removeDuplicates();
    const QStringList filtry = {
        QStringLiteral("Obrazy (%1)").arg(wzorce.join(QLatin1Char(' '))),
        QStringLiteral("Obrazy JPEG (*.jpg *.jpeg)"),
        QStringLiteral("Obrazy PNG (*.png)"),
        QStringLiteral("Mapy bitowe (*.bmp)"),
        QStringLiteral("Obrazy GIF (*.gif)"),
        QStringLiteral("Wszystkie pliki (*)"),
    };
    if (folderObrazow.isEmpty())
        folderObrazow = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QFileDialog dialog(rodzic, QStringLiteral("Wstaw obraz"), Okno::FolderDialogu(folderObrazow));
    dialog.setNameFilters(filtry);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString plik = dialog.selectedFiles().constFirst();
    folderObrazow = QFileInfo(plik).absolutePath(); // the next picture is looked for there
    return plik;
}

} // namespace sondrel
