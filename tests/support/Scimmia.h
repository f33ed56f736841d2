#pragma once

// A monkey for the windows: random key presses (single, held with marked repeats, held with
// unmarked release + press pairs sharing one timestamp, as X sends them), mouse presses,
// double clicks and releases on random keys and spots, and resizes. After every event the
// test's check runs; the first failure names the seed and the event number, so the run can
// be repeated exactly:
//     DECIMETRA_SEME=1234 DECIMETRA_EVENTI=5000 ./tst_ScimmiaOperativo
// DECIMETRA_TRACCIA=1 prints every event. Modal windows and popup menus are closed as soon
// as the event loop turns (also inside their own exec()), so none can stop the run.

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <functional>
#include <random>
#include <unistd.h>

class Scimmia {
public:
    // The check after each event: an empty text when all holds, otherwise what broke.
    using Controllo = std::function<QString()>;
    // The window to poke; may open it again when the program closed it. Null ends the run.
    using Bersaglio = std::function<QWidget*()>;

    explicit Scimmia(int eventiPredefiniti) {
        bool ok = false;
        const uint seme = qEnvironmentVariableIntValue("DECIMETRA_SEME", &ok);
        seme_ = ok ? seme : 20260514u;
        const int eventi = qEnvironmentVariableIntValue("DECIMETRA_EVENTI", &ok);
        eventi_ = ok && eventi > 0 ? eventi : eventiPredefiniti;
        traccia_ = qEnvironmentVariableIntValue("DECIMETRA_TRACCIA") != 0;
        caso_.seed(seme_);
        std::fprintf(stderr, "scimmia: seme %u, %d eventi\n", seme_, eventi_);
        Corrente() = this;
        std::signal(SIGABRT, Caduta);
        std::signal(SIGSEGV, Caduta);
        std::signal(SIGFPE, Caduta);

        chiudiModali_.setInterval(0);
        QObject::connect(&chiudiModali_, &QTimer::timeout, [] {
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            if (QWidget* modale = QApplication::activeModalWidget()) modale->close();
        });
    }
    ~Scimmia() {
        if (Corrente() == this) Corrente() = nullptr;
    }

    // A move of the test's own, made instead of a random event now and then (one in
    // `ogni`): a reply typed right, say, so that the run gets deep into the window.
    void ImpostaMossa(std::function<QString()> mossa, int ogni) {
        mossa_ = std::move(mossa);
        ogniMossa_ = ogni;
    }

    unsigned Seme() const { return seme_; }
    int Eventi() const { return eventi_; }
    int Tra(int minimo, int massimo) {
        return std::uniform_int_distribution<int>(minimo, massimo)(caso_);
    }

    // Runs the events; the first failing check ends the run and is returned, with the seed
    // and the event number. Empty when every check held.
    QString Esegui(const Bersaglio& bersaglio, const Controllo& controllo) {
        chiudiModali_.start();
        QString esito;
        for (int numero = 1; numero <= eventi_; ++numero) {
            evento_ = numero;
            QWidget* finestra = bersaglio();
            if (!finestra) break;
            const QString fatto = mossa_ && Tra(1, ogniMossa_) == 1 ? mossa_() : Passo(finestra);
            if (traccia_) std::fprintf(stderr, "%d: %s\n", numero, qPrintable(fatto));
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QString errore = controllo();
            if (errore.isEmpty()) errore = TastiGiu();
            if (!errore.isEmpty()) {
                esito = QStringLiteral("seme %1, evento %2 (%3): %4")
                            .arg(seme_)
                            .arg(numero)
                            .arg(fatto, errore);
                break;
            }
        }
        // Nothing left held for whatever runs next.
        if (mouseTenuto_) QTest::mouseRelease(mouseTenuto_, Qt::LeftButton);
        chiudiModali_.stop();
        evento_ = 0;
        return esito;
    }

    // A key shown down while no mouse button holds it, in any window of the program.
    QString TastiGiu() const {
        if (mouseTenuto_) return {};
        for (QWidget* finestra : QApplication::topLevelWidgets())
            for (QAbstractButton* b : finestra->findChildren<QAbstractButton*>())
                if (b->isDown())
                    return QStringLiteral("il tasto %1 resta premuto").arg(b->objectName());
        return {};
    }

    // Deletes the windows the program made to go when closed (certificates, drill windows)
    // and any left open, so that nothing outlives the test.
    static void EliminaFinestre() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->testAttribute(Qt::WA_DeleteOnClose)) w->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    struct Tasto {
        int codice;
        Qt::KeyboardModifiers mod;
        const char* testo;
    };

    static const std::vector<Tasto>& Tasti() {
        static const std::vector<Tasto> tasti = [] {
            std::vector<Tasto> t;
            static const char* const cifre[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
            for (int i = 0; i <= 9; ++i) {
                t.push_back({Qt::Key_0 + i, Qt::NoModifier, cifre[i]});
                t.push_back({Qt::Key_0 + i, Qt::KeypadModifier, cifre[i]});
            }
            for (const char* l : {"v", "s", "n", "e", "c", "i", "m", "a", "o"})
                t.push_back({Qt::Key_A + (l[0] - 'a'), Qt::NoModifier, l});
            for (const char* l : {"s", "i", "a", "o", "c", "v"})
                t.push_back({Qt::Key_A + (l[0] - 'a'), Qt::AltModifier, ""});
            t.push_back({Qt::Key_Comma, Qt::NoModifier, ","});
            t.push_back({Qt::Key_Comma, Qt::KeypadModifier, ","});
            t.push_back({Qt::Key_Period, Qt::NoModifier, "."});
            t.push_back({Qt::Key_Return, Qt::NoModifier, "\r"});
            t.push_back({Qt::Key_Enter, Qt::KeypadModifier, "\r"});
            t.push_back({Qt::Key_Space, Qt::NoModifier, " "});
            t.push_back({Qt::Key_Tab, Qt::NoModifier, "\t"});
            t.push_back({Qt::Key_Backtab, Qt::ShiftModifier, ""});
            t.push_back({Qt::Key_Backspace, Qt::NoModifier, "\b"});
            t.push_back({Qt::Key_Delete, Qt::NoModifier, ""});
            t.push_back({Qt::Key_Delete, Qt::KeypadModifier, ""});
            t.push_back({Qt::Key_Escape, Qt::NoModifier, ""});
            t.push_back({Qt::Key_F10, Qt::NoModifier, ""});
            t.push_back({Qt::Key_F1, Qt::NoModifier, ""});
            for (int k : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home})
                t.push_back({k, Qt::NoModifier, ""});
            return t;
        }();
        return tasti;
    }

    // Keys go where the system sends them: the focus widget, else the active window.
    static QWidget* DestinoTasti(QWidget* finestra) {
        if (QWidget* fuoco = QApplication::focusWidget()) return fuoco;
        if (QWidget* attiva = QApplication::activeWindow()) return attiva;
        return finestra;
    }

    // The window may have closed and gone while a key is held (its key closed it, and the
    // events processed meanwhile deleted it): the rest of the key then goes to whatever has
    // the keyboard, or nowhere, as on a real display.
    void InviaTasto(QEvent::Type tipo, const Tasto& t, bool ripetuto, quint64 tempo,
                    const QPointer<QWidget>& finestra) {
        QWidget* destino = DestinoTasti(finestra);
        if (!destino) return;
        QKeyEvent e(tipo, t.codice, t.mod, QString::fromLatin1(t.testo), ripetuto);
        e.setTimestamp(tempo);
        QApplication::sendEvent(destino, &e);
    }

    QString Passo(QWidget* finestra) {
        const auto& tasti = Tasti();
        const int scelta = Tra(0, 99);
        if (scelta < 50) {
            // One key, through QTest so that shortcuts and menu keys take their usual path.
            const Tasto& t = tasti[Tra(0, static_cast<int>(tasti.size()) - 1)];
            QTest::keyClick(DestinoTasti(finestra), Qt::Key(t.codice), t.mod);
            return QStringLiteral("tasto %1").arg(t.codice, 0, 16);
        }
        if (scelta < 60) {
            // A held key: the first press, repeats of either kind, the release.
            const Tasto& t = tasti[Tra(0, static_cast<int>(tasti.size()) - 1)];
            const int ripetizioni = Tra(1, 12);
            const QPointer<QWidget> bersaglio(finestra);
            tempo_ += 500;
            InviaTasto(QEvent::KeyPress, t, false, tempo_, bersaglio);
            for (int r = 0; r < ripetizioni; ++r) {
                tempo_ += 33;
                if (Tra(0, 1)) {
                    InviaTasto(QEvent::KeyPress, t, true, tempo_, bersaglio);
                } else {
                    InviaTasto(QEvent::KeyRelease, t, false, tempo_, bersaglio);
                    InviaTasto(QEvent::KeyPress, t, false, tempo_, bersaglio);
                }
                if (Tra(0, 3) == 0) QCoreApplication::processEvents();
            }
            tempo_ += 40;
            InviaTasto(QEvent::KeyRelease, t, false, tempo_, bersaglio);
            return QStringLiteral("tasto tenuto %1 x%2").arg(t.codice, 0, 16).arg(ripetizioni);
        }
        if (scelta < 90) return Mouse(finestra);
        if (scelta < 95) {
            QWidget* w = QApplication::activeWindow() ? QApplication::activeWindow() : finestra;
            const QPoint p(Tra(0, std::max(0, w->width() - 1)),
                           Tra(0, std::max(0, w->height() - 1)));
            QTest::mouseClick(w, Qt::LeftButton, {}, p);
            return QStringLiteral("clic su %1,%2").arg(p.x()).arg(p.y());
        }
        // Resizes, now and then maximised or back to normal.
        const int modo = Tra(0, 9);
        if (modo == 0) {
            finestra->showMaximized();
            return QStringLiteral("massimizzata");
        }
        if (modo == 1) {
            finestra->showNormal();
            return QStringLiteral("normale");
        }
        const QSize dimensione(Tra(200, 1920), Tra(150, 1080));
        finestra->resize(dimensione);
        return QStringLiteral("ridimensionata %1x%2")
            .arg(dimensione.width())
            .arg(dimensione.height());
    }

    QString Mouse(QWidget* finestra) {
        // A press still held is let go first, on its own key or beside it.
        if (mouseTenuto_ && Tra(0, 1)) {
            QTest::mouseRelease(mouseTenuto_, Qt::LeftButton, {},
                                Tra(0, 1) ? QPoint() : QPoint(-5, -5));
            mouseTenuto_.clear();
            return QStringLiteral("rilascio");
        }
        QWidget* w = QApplication::activeWindow() ? QApplication::activeWindow() : finestra;
        QList<QAbstractButton*> tasti;
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->isVisible()) tasti << b;
        if (tasti.isEmpty()) return QStringLiteral("nessun tasto");
        QAbstractButton* b = tasti[Tra(0, static_cast<int>(tasti.size()) - 1)];
        const QString nome = b->objectName();
        QPointer<QAbstractButton> tasto(b);
        if (mouseTenuto_) {
            QTest::mouseRelease(mouseTenuto_, Qt::LeftButton);
            mouseTenuto_.clear();
        }
        switch (Tra(0, 3)) {
        case 0:
            QTest::mouseClick(b, Qt::LeftButton);
            return QStringLiteral("clic su %1").arg(nome);
        case 1:
            QTest::mouseDClick(b, Qt::LeftButton);
            // A double click ends with the button up.
            if (tasto) QTest::mouseRelease(tasto, Qt::LeftButton);
            return QStringLiteral("doppio clic su %1").arg(nome);
        case 2:
            QTest::mousePress(b, Qt::LeftButton);
            mouseTenuto_ = tasto;
            return QStringLiteral("pressione su %1").arg(nome);
        default:
            QTest::mouseRelease(b, Qt::LeftButton);
            return QStringLiteral("rilascio su %1").arg(nome);
        }
    }

    static Scimmia*& Corrente() {
        static Scimmia* corrente = nullptr;
        return corrente;
    }
    // A crash names the seed and the event it happened at, then goes on as it would.
    static void Caduta(int segnale) {
        if (Scimmia* s = Corrente(); s && s->evento_ > 0) {
            char testo[96];
            const int n =
                std::snprintf(testo, sizeof testo, "scimmia: caduta al seme %u, evento %d\n",
                              s->seme_, s->evento_);
            if (n > 0) (void)!::write(2, testo, static_cast<size_t>(n));
        }
        std::signal(segnale, SIG_DFL);
        std::raise(segnale);
    }

    std::mt19937 caso_;
    unsigned seme_ = 0;
    int eventi_ = 0;
    bool traccia_ = false;
    volatile std::sig_atomic_t evento_ = 0;
    quint64 tempo_ = 10'000'000;
    QPointer<QWidget> mouseTenuto_;
    QTimer chiudiModali_;
    std::function<QString()> mossa_;
    int ogniMossa_ = 0;
};
