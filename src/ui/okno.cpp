// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okno.h"

#include "core/foldery.h"
#include "ui/kontrolki/etykieta.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>

#ifdef SONDREL_XCB
#include <QAbstractNativeEventFilter>
#include <xcb/xcb.h>
#endif

namespace sondrel {

namespace {

#ifdef SONDREL_XCB
// A window that a modal window blocks never sees the desktop's close request: the toolkit drops
// it. Under X11 it is read here, from the window manager's WM_DELETE_WINDOW message: the modal
// window is closed as by its close mark, then the blocked window as by its own.
class ZamknieciaZablokowanych : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& typ, void* komunikat, qintptr*) override {
        if (typ != "xcb_generic_event_t") return false;
        const auto* z = static_cast<const xcb_generic_event_t*>(komunikat);
        if ((z->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto* m = static_cast<const xcb_client_message_event_t*>(komunikat);
        if (m->format != 32 || m->data.data32[0] != Atom("WM_DELETE_WINDOW")) return false;
        Okno* cel = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->internalWinId() == m->window) cel = qobject_cast<Okno*>(w);
        auto* modalne = qobject_cast<Okno*>(QApplication::activeModalWidget());
        if (!cel || !modalne || modalne == cel || !cel->isVisible()) return false;
        QTimer::singleShot(0, cel, [cel, modalne = QPointer<Okno>(modalne)] {
            if (modalne && modalne->isVisible()) modalne->ZamknijJakPulpit();
            cel->ZamknijJakPulpit();
        });
        return true;
    }

private:
    static xcb_atom_t Atom(const char* nazwa) {
        static xcb_atom_t atom = [nazwa] {
            auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
            xcb_connection_t* c = x11 ? x11->connection() : nullptr;
            if (!c) return xcb_atom_t(XCB_ATOM_NONE);
            auto* r = xcb_intern_atom_reply(
                c, xcb_intern_atom(c, 1, static_cast<uint16_t>(strlen(nazwa)), nazwa), nullptr);
            const xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
            free(r);
            return a;
        }();
        return atom;
    }
};
#endif

void PodlaczZamknieciaZablokowanych() {
#ifdef SONDREL_XCB
    static bool podlaczone = false;
    if (podlaczone || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    podlaczone = true;
    qApp->installNativeEventFilter(new ZamknieciaZablokowanych);
#endif
}

} // namespace

Okno::Okno(QWidget* rodzic) : QWidget(rodzic, Qt::Window | Qt::FramelessWindowHint) {
    PodlaczZamknieciaZablokowanych();
    skora::UstawCzcionki();
    setAttribute(Qt::WA_TranslucentBackground);
    // Windows are created once and hidden when closed; only the main window ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    // A click on the window takes the focus from its controls (the keys still reach the window,
    // which sees them first), but Tab never stops on the window itself: a stop there would show
    // focus nowhere.
    setFocusPolicy(Qt::ClickFocus);
    setFont(skora::CzcionkaPunkty(8));
}

Okno::~Okno() {
    if (petla) petla->quit();
}

void Okno::UstawKsztalt(skora::Ksztalt k) {
    ksztalt = k;
    OdswiezMaske();
    update();
}

void Okno::UstawRozmiar(int w, int h) {
    setFixedSize(w, h);
    OdswiezMaske();
}

void Okno::UstawTlo(const QPixmap& obraz) {
    tlo = obraz;
    update();
}

void Okno::OdswiezMaske() {
    if (ksztalt == skora::Ksztalt::Prostokat)
        clearMask();
    else
        setMask(skora::RegionKsztaltu(ksztalt, size()));
}

void Okno::PodlaczListwe(QWidget* listwa) {
    if (!listwa) return;
    listwa->installEventFilter(this);
    listwy.append(listwa);
}

QString Okno::SciezkaPomocy(const QString& strona) {
    const QString sep = QDir::separator();
    const QString obok = FolderPlikuProgramu() + QStringLiteral("Pomoc") + sep + strona;
    if (QFileInfo::exists(obok)) return obok;
    // an installed program keeps its help pages in its share folder
    const QString wspolny =
        QDir::cleanPath(FolderPlikuProgramu() + QStringLiteral("../share/sondrel/Pomoc/") + strona);
    if (QFileInfo::exists(wspolny)) return QDir::toNativeSeparators(wspolny);
    return obok;
}

QString Okno::FolderDialogu(const QString& folder) {
    if (folder.isEmpty()) return folder;
    QString sciezka = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(sciezka).isDir()) {
        const QString wyzej = QFileInfo(sciezka).path();
        if (wyzej == sciezka) return QDir::homePath();
        sciezka = wyzej;
    }
    return QDir::toNativeSeparators(sciezka);
}

void Okno::OtworzPomoc(const QString& strona) {
    OtworzAdres(QUrl::fromLocalFile(SciezkaPomocy(strona)));
}

void Okno::OtworzAdres(const QUrl& adres) {
    // A missing page is reported by the desktop itself.
    QDesktopServices::openUrl(adres);
}

void Okno::Wysrodkuj() {
    QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!ekran) return;
    const QRect obszar = ekran->availableGeometry();
    move(obszar.x() + (obszar.width() - width()) / 2,
         obszar.y() + (obszar.height() - height()) / 2);
}

QPoint Okno::MiejsceObokObszaru(QSize okno, const QRect& ekran, const QRect& obszar) {
    return MiejsceObokObszarow(okno, ekran, obszar.isEmpty() ? QList<QRect>{} : QList{obszar});
}

QPoint Okno::MiejsceObokObszarow(QSize okno, const QRect& ekran, const QList<QRect>& obszary) {
    constexpr int Odstep = 8;
    const int y = ekran.y() + std::max(0, (ekran.height() - okno.height()) / 2);
    const QPoint srodek(ekran.x() + (ekran.width() - okno.width()) / 2, y);
    if (obszary.isEmpty()) return srodek;
    const QRect& pierwszy = obszary.constFirst();
    // centred, just right of the first area (over the main window's panel), left of it
    QList<QPoint> miejsca{srodek};
    const int prawo = pierwszy.right() + 1 + Odstep;
    if (prawo + okno.width() <= ekran.right() + 1) miejsca.append({prawo, y});
    const int lewo = pierwszy.left() - Odstep - okno.width();
    if (lewo >= ekran.left()) miejsca.append({lewo, y});
    const auto zakrywa = [&](QPoint p, const QRect& obszar) {
        return QRect(p, okno).intersects(obszar);
    };
    const auto wolne = [&](QPoint p) {
        return std::none_of(obszary.begin(), obszary.end(),
                            [&](const QRect& o) { return zakrywa(p, o); });
    };
    for (const QPoint& p : miejsca)
        if (wolne(p)) return p;
    // a place clear of the first area, moved above or below another area it covers
    for (const QPoint& p : miejsca) {
        if (zakrywa(p, pierwszy)) continue;
        for (const QRect& o : obszary) {
            if (!zakrywa(p, o)) continue;
            for (const int wyzej : {o.top() - Odstep - okno.height(), o.bottom() + 1 + Odstep}) {
                const QPoint q(p.x(), wyzej);
                if (q.y() >= ekran.top() && q.y() + okno.height() <= ekran.bottom() + 1 && wolne(q))
                    return q;
            }
        }
    }
    // no room for all: the first area kept clear when there is room for that
    return miejsca.size() > 1 ? miejsca.at(1) : srodek;
}

void Okno::UmiescObokMenu() {
    QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!ekran) return;
    const QList<QRect> obszary =
        glowne && glowne->isVisible() ? glowne->ObszaryOdsloniete() : QList<QRect>{};
    move(MiejsceObokObszarow(size(), ekran->availableGeometry(), obszary));
}

QList<QRect> Okno::ObszaryOdsloniete() const {
    const QRect obszar = ObszarOdsloniety();
    return obszar.isEmpty() ? QList<QRect>{} : QList{obszar};
}

void Okno::UstawOknoGlowne(Okno* okno) {
    glowne = okno;
    if (!okno || okno == this) return;
    // A tool window: window managers keep it above its main window and leave it out of the
    // taskbar; it is never put above other programs.
    const bool widoczne = isVisible();
    setWindowFlags((windowFlags() & ~(Qt::WindowType_Mask | Qt::WindowStaysOnTopHint)) | Qt::Tool);
    if (widoczne) show();
}

void Okno::UstawTytulOkna(const QString& nazwa) {
    setWindowTitle(QStringLiteral("Sondrel – ") + nazwa);
}

void Okno::UstawRodzicaOkna() {
    if (!glowne || glowne == this || !windowHandle()) return;
    glowne->winId(); // the main window's native window, if it has none yet
    QWindow* rodzic = glowne->windowHandle();
    if (rodzic && windowHandle()->transientParent() != rodzic)
        windowHandle()->setTransientParent(rodzic);
}

void Okno::PokazModalnie() {
    if (petla) {
        raise();
        activateWindow();
        return;
    }
    if (!isVisible()) setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (!isVisible()) return; // closed while being shown
    QEventLoop p;
    petla = &p;
    p.exec(QEventLoop::DialogExec);
    petla = nullptr;
}

void Okno::Zamknij() {
    // Inside the desktop's close request a second close() would find the window closing: the
    // toolkit would take the native window down and leave the window marked as shown, so it
    // could never be shown again. Hiding is what the close would do.
    if (wZamknieciuZZewnatrz)
        hide();
    else
        close();
}

void Okno::PodgladajKlawisze() {
    const auto dzieci = findChildren<QWidget*>();
    for (QWidget* w : dzieci)
        if (w->window() == this) w->installEventFilter(this);
}

bool Okno::KlawiszWcisniety(QKeyEvent*) {
    return false;
}

bool Okno::ZamkniecieZZewnatrz() {
    return true; // hidden, as by the close mark
}

bool Okno::ObsluzKlawisz(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        if (stronaPomocy.isEmpty()) return KlawiszWcisniety(e);
        OtworzPomoc(stronaPomocy);
        return true;
    }
    if (blokadaZamykania && e->key() == Qt::Key_F4 &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier)
        return true;
    return KlawiszWcisniety(e);
}

void Okno::keyPressEvent(QKeyEvent* e) {
    if (podejrzany.zdarzenie == e && podejrzany.czas == e->timestamp() &&
        podejrzany.klawisz == e->key()) { // seen before the control, which passed it on
        podejrzany = {};
        QWidget::keyPressEvent(e);
        return;
    }
    if (!ObsluzKlawisz(e)) QWidget::keyPressEvent(e);
}

bool Okno::eventFilter(QObject* obiekt, QEvent* e) {
    if (obiekt == this) return false;
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (ObsluzKlawisz(k)) return true;
        podejrzany = {k, k->timestamp(), k->key()};
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        bool listwa = false;
        for (const auto& l : listwy)
            listwa = listwa || l == obiekt;
        if (!listwa) return false;
        auto* m = static_cast<QMouseEvent*>(e);
        const QPoint kursor = m->globalPosition().toPoint();
        if (e->type() == QEvent::MouseButtonPress && m->button() == Qt::LeftButton) {
            if (PrzeciaganieDozwolone()) {
                // The window system moves the window where it can (Wayland allows nothing
                // else); otherwise the window follows the cursor's movement.
                if (windowHandle() && windowHandle()->startSystemMove()) return false;
                przeciaganie = true;
                ostatniKursor = kursor;
            }
        } else if (e->type() == QEvent::MouseMove && przeciaganie) {
            move(pos() + (kursor - ostatniKursor));
            ostatniKursor = kursor;
        } else if (e->type() == QEvent::MouseButtonRelease && m->button() == Qt::LeftButton) {
            przeciaganie = false;
        }
        return false;
    }
    default:
        return false;
    }
}

void Okno::paintEvent(QPaintEvent*) {
    if (tlo.isNull()) return;
    QPainter p(this);
    p.setClipPath(skora::SciezkaKsztaltu(ksztalt, QSizeF(size())));
    p.drawPixmap(0, 0, tlo);
}

void Okno::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    OdswiezMaske();
}

void Okno::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    UstawRodzicaOkna(); // the native window exists now and is not yet on screen
    PodgladajKlawisze();
    // Becoming active, a window would hand the focus to the first control in its tab order; a
    // painted menu entry would then be lit as if chosen. The window keeps the focus until Tab.
    if (!focusWidget()) {
        QWidget* w = nextInFocusChain();
        while (w != this && !((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) &&
                              w->isEnabled() && w->window() == this))
            w = w->nextInFocusChain();
        if (qobject_cast<Etykieta*>(w)) setFocus(Qt::OtherFocusReason);
    }
}

void Okno::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (e->spontaneous()) return; // minimised, not closed
    przeciaganie = false;
    if (petla) petla->quit();
    emit ukryte();
}

void Okno::ZamknijJakPulpit() {
    if (!isVisible()) return;
    wZamknieciuZZewnatrz = true;
    const bool ukryj = ZamkniecieZZewnatrz();
    wZamknieciuZZewnatrz = false;
    if (ukryj) Zamknij();
}

bool Okno::event(QEvent* e) {
    // The toolkit makes the native window again when a view drawn by the graphics card joins
    // the window (the report window's engine): the new one is transient for the main window
    // too, before it is mapped.
    if (e->type() == QEvent::WinIdChange && internalWinId()) UstawRodzicaOkna();
    return QWidget::event(e);
}

void Okno::closeEvent(QCloseEvent* e) {
    if (e->spontaneous()) {
        wZamknieciuZZewnatrz = true;
        const bool ukryj = ZamkniecieZZewnatrz();
        wZamknieciuZZewnatrz = false;
        if (!ukryj) {
            // The window's own close action has run (and hid the window if that is what it
            // does): the request itself is refused, so the native window stays for reuse.
            e->ignore();
            return;
        }
    }
    e->accept();
}

} // namespace sondrel
