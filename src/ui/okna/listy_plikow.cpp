// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/listy_plikow.h"

#include "ui/program.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_listy.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>

namespace sondrel {

void ZnakFokusu(QPainter& p, const QRectF& r, bool panel) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor::fromRgba(skora::Granat), 1, panel ? Qt::DotLine : Qt::SolidLine));
    p.drawRoundedRect(panel ? r.adjusted(0.5, 0.5, -0.5, -0.5) : r.adjusted(1.5, 0.5, -1.5, -0.5),
                      2, 2);
    p.restore();
}

namespace {

constexpr int KrokKolka = 3; // rows per notch of the wheel

// Rows of the name lists: a soft slate band for the current row, the name elided at the right.
class WierszNazwy : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex&) const override {
        return QSize(o.rect.width(), ListaNazw::WysokoscWiersza);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        p->save();
        const QRect r = o.rect;
        if (o.state & QStyle::State_Selected) {
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(Qt::NoPen);
            p->setBrush(QColor::fromRgba(skora::WybranyWiersz));
            p->drawRoundedRect(QRectF(r).adjusted(1, 0, -1, 0), 2, 2);
        }
        if (o.state & QStyle::State_HasFocus) ZnakFokusu(*p, r, false);
        p->setFont(o.font);
        p->setPen(QColor::fromRgba(skora::Tekst));
        const QRect tekst = r.adjusted(4, 0, -3, 0);
        p->drawText(tekst, Qt::AlignVCenter | Qt::AlignLeft,
                    o.fontMetrics.elidedText(i.data().toString(), Qt::ElideRight, tekst.width()));
        p->restore();
    }
};

} // namespace

ListwaPrzewijania::ListwaPrzewijania(QWidget* rodzic) : QScrollBar(Qt::Vertical, rodzic) {
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(skora::ArkuszListwy(Qt::Vertical));
    hide();
}

void ListwaPrzewijania::UstawZakres(const ZakresListwy& z, int pozycja) {
    if (!z.widoczna) {
        setRange(0, 0);
        hide();
        return;
    }
    setRange(0, z.maks);
    setPageStep(z.duzyKrok);
    setSingleStep(z.malyKrok);
    setValue(pozycja);
    show();
}

void ListwaPrzewijania::wheelEvent(QWheelEvent* e) {
    const int kroki = e->angleDelta().y() / 120;
    if (kroki != 0) setValue(value() - kroki * KrokKolka);
    e->accept();
}

ListaNazw::ListaNazw(QWidget* rodzic, ListwaPrzewijania* l, int v)
    : QListWidget(rodzic), listwa(l), widocznych(v) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    setItemDelegate(new WierszNazwy(this));
    setFont(skora::CzcionkaPunkty(8));
    setStyleSheet(QStringLiteral("QListWidget { background: white; border: none; outline: 0; }"));

    // the list and its bar follow each other: the bar moves the list, and keys, the wheel
    // or a click in the list move the bar
    connect(listwa, &QScrollBar::valueChanged, this,
            [this](int p) { verticalScrollBar()->setValue(p); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, listwa, &QScrollBar::setValue);
}

void ListaNazw::UmiescWPanelu() {
    const QWidget* panel = parentWidget();
    if (!panel) return;
    const int wysokosc = std::min(panel->height(), widocznych * WysokoscWiersza);
    setGeometry(0, (panel->height() - wysokosc) / 2, panel->width(), wysokosc);
}

void ListaNazw::UstawNazwy(const QStringList& nazwy) {
    clear();
    addItems(nazwy);
    // the list's own range now, not at the next layout, so that the bar can move it at once
    doItemsLayout();
    updateGeometries();
    OdswiezListwe();
}

QStringList ListaNazw::Nazwy() const {
    QStringList nazwy;
    for (int i = 0; i < count(); ++i)
        nazwy.append(item(i)->text());
    return nazwy;
}

void ListaNazw::focusInEvent(QFocusEvent* e) {
    QListWidget::focusInEvent(e);
    // the keyboard starts on a row, so that the focus mark shows where it is
    if (count() > 0 && !currentIndex().isValid()) setCurrentRow(0);
}

void ListaNazw::paintEvent(QPaintEvent* e) {
    QListWidget::paintEvent(e);
    QPainter p(viewport());
    if (hasFocus()) ZnakFokusu(p, viewport()->rect(), true);
    if (count() > 0) return;
    // an empty list says what it waits for
    p.setFont(skora::Czcionka(11));
    p.setPen(QColor::fromRgba(skora::TekstPustejListy));
    p.drawText(viewport()->rect().adjusted(12, 0, -12, 0), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Brak wybranych plików"));
}

int ListaNazw::Pozycja() const {
    return verticalScrollBar()->value();
}

void ListaNazw::OdswiezListwe() {
    listwa->UstawZakres(ZakresListwyListy(count(), widocznych), Pozycja());
}

QWidget* BialyPanel(QWidget* rodzic, const QRect& miejsce) {
    auto* panel = new QWidget(rodzic);
    panel->setGeometry(miejsce);
    panel->setAutoFillBackground(true);
    QPalette paleta = panel->palette();
    paleta.setColor(QPalette::Window, Qt::white);
    panel->setPalette(paleta);
    return panel;
}

QStringList OtworzPlikiOdpowiedzi(QWidget* rodzic, QString& folder) {
    QFileDialog dialog(rodzic, QStringLiteral("Wybierz pliki odpowiedzi"),
                       Okno::FolderDialogu(folder), QStringLiteral("Plik odpowiedzi (*.sko)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(QStringLiteral("sko"));
    // the file-list windows stay on top; the dialog must stay above them
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return {};
    folder = dialog.directory().absolutePath();
    return dialog.selectedFiles();
}

// ---- the window ---------------------------------------------------------------------------------

OknoListyPlikow::OknoListyPlikow(Program& p, const Uklad& u, const QString& tytul,
                                 const QString& tlo, QWidget* rodzic)
    : Okno(rodzic), program(p) {
    const auto naMiejscu = [this](const QRect& r) {
        return new Etykieta(this, r.x(), r.y(), r.width(), r.height());
    };
    skora::DodajObrazkiList();
    UstawRozmiar(u.rozmiar.width(), u.rozmiar.height());
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawStronePomocy(QStringLiteral("menu.htm"));
    UstawTytulOkna(tytul);

    ImTlo = naMiejscu(QRect(QPoint(0, 0), u.rozmiar));
    ImTlo->setPixmap(skora::Obrazek(tlo));
    LListwa = new Etykieta(this, 6, 3, u.znakZamkniecia.left() - 12, skora::ListwaListy - 6);
    PodlaczListwe(LListwa);
    LClose = naMiejscu(u.znakZamkniecia);
    LClose->setCursor(Qt::PointingHandCursor);
    LClose->setToolTip(QStringLiteral("Anuluj"));

    LWczytajPliki = naMiejscu(u.wczytajPliki);
    LWczytajPliki->setCursor(Qt::PointingHandCursor);
    LWczytajPliki->setToolTip(QStringLiteral("Wybierz pliki odpowiedzi"));

    PLista = BialyPanel(this, u.panelListy);
    ListwaVPliki = new ListwaPrzewijania(this);
    ListwaVPliki->setGeometry(u.listwaV);
    BLista = new ListaNazw(PLista, ListwaVPliki, u.widocznychWierszy);
    BLista->UmiescWPanelu();

    LWprowadz = naMiejscu(u.wprowadz);
    LWprowadz->setCursor(Qt::PointingHandCursor);
    LAnuluj = naMiejscu(u.anuluj);
    LAnuluj->setCursor(Qt::PointingHandCursor);

    connect(LAnuluj, &Etykieta::klik, this, &OknoListyPlikow::LAnulujClick);
    connect(LClose, &Etykieta::klik, this, &OknoListyPlikow::LAnulujClick);

    // the keyboard: Tab through the buttons and the list, Alt+letter for the buttons (their
    // letters are underlined on the buttons)
    const struct {
        Etykieta* e;
        const char* nazwa;
        const char* skrot;
    } przyciski[] = {{LWczytajPliki, "Wczytaj pliki odpowiedzi", "Alt+P"},
                     {LWprowadz, "Wprowadź", "Alt+W"},
                     {LAnuluj, "Anuluj", "Alt+A"}};
    for (const auto& p : przyciski) {
        p.e->UstawKlawiature(QString::fromUtf8(p.nazwa));
        p.e->UstawSkrot(QString::fromUtf8(p.skrot));
    }
    // the painted buttons' own frames would hide a mark on their edge
    LWprowadz->UstawZnakFokusuWewnatrz(3);
    LAnuluj->UstawZnakFokusuWewnatrz(3);
    BLista->setAccessibleName(QStringLiteral("Lista plików odpowiedzi"));
    // the window holds the focus until the first Tab, but is no Tab stop of its own
    setFocusPolicy(Qt::ClickFocus);
    setTabOrder(LWczytajPliki, BLista);
    setTabOrder(BLista, LWprowadz);
    setTabOrder(LWprowadz, LAnuluj);

    OknoOtwierania = [this](QString& folder) { return OtworzPlikiOdpowiedzi(this, folder); };
}

QStringList OknoListyPlikow::OtworzDialog(const QString& pierwszyFolder) {
    QString folder = folderDialogu.isEmpty() ? pierwszyFolder : folderDialogu;
    const QStringList pliki = OknoOtwierania ? OknoOtwierania(folder) : QStringList();
    if (!pliki.isEmpty())
        folderDialogu = folder.isEmpty() ? QFileInfo(pliki.first()).absolutePath() : folder;
    return pliki;
}

void OknoListyPlikow::PokazModalnieOd(QPoint przesuniecie) {
    const std::optional<QPoint> punkt = PunktOdniesienia ? PunktOdniesienia() : std::nullopt;
    if (punkt)
        move(*punkt + przesuniecie);
    else
        Wysrodkuj();
    PokazModalnie();
}

void OknoListyPlikow::LAnulujClick() {
    Zamknij();
    program.analiza.RodzajAnalizy = AnalizaAnulowana;
}

bool OknoListyPlikow::EnterZatwierdza(QWidget* fokus) const {
    return fokus == nullptr || fokus == this || fokus == BLista;
}

bool OknoListyPlikow::KlawiszWcisniety(QKeyEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
    const auto nacisnij = [](Etykieta* przycisk) {
        emit przycisk->klik();
        return true;
    };
    if (m == Qt::AltModifier) {
        switch (e->key()) {
        case Qt::Key_P:
            return nacisnij(LWczytajPliki);
        case Qt::Key_W:
            return nacisnij(LWprowadz);
        case Qt::Key_A:
            return nacisnij(LAnuluj);
        default:
            return false;
        }
    }
    if (m != Qt::NoModifier) return false;
    if (e->key() == Qt::Key_Escape) {
        LAnulujClick();
        return true;
    }
    // Enter on a button presses that button; in the list it confirms
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        EnterZatwierdza(QApplication::focusWidget()))
        return nacisnij(LWprowadz);
    return false;
}

} // namespace sondrel
