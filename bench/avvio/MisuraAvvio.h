#pragma once

// Reports when a main window has been shown maximised and painted, then ends the program.
// Printed on standard output, one line: the wall-clock time of the report in nanoseconds
// since the epoch, and the peak resident memory so far (VmHWM) in kB.

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>

class MisuraAvvio : public QObject {
public:
    explicit MisuraAvvio(QMainWindow* finestra) : QObject(finestra), finestra_(finestra) {
        finestra->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        // The paint of the top-level window happens inside its UpdateRequest; the report is
        // queued after it, so the frame has been flushed to the display by then.
        if (!fatto_ && oggetto == finestra_ && evento->type() == QEvent::UpdateRequest &&
            Massimizzata()) {
            fatto_ = true;
            QTimer::singleShot(0, this, [] { Riporta(); });
        }
        return false;
    }

private:
    bool Massimizzata() const {
        const QScreen* schermo = finestra_->screen();
        return schermo && finestra_->isVisible() &&
               finestra_->width() >= schermo->availableGeometry().width() * 9 / 10;
    }

    static void Riporta() {
        const auto ora = std::chrono::system_clock::now().time_since_epoch();
        long long picco = 0;
        QFile stato(QStringLiteral("/proc/self/status"));
        if (stato.open(QIODevice::ReadOnly))
            for (const QByteArray& riga : stato.readAll().split('\n'))
                if (riga.startsWith("VmHWM:"))
                    picco = riga.mid(6).trimmed().split(' ')[0].toLongLong();
        std::printf("%lld %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(ora).count()),
                    picco);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    QMainWindow* finestra_;
    bool fatto_ = false;
};
