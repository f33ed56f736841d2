#pragma once

// Real X input for the tests under a private X server (x/con_x.sh): xdotool sends the events
// while this program waits in its event loop, handling each event as it arrives, as a user's
// input reaches the running program. Synthesised Qt events behave differently for much of
// what a pupil does.

#include <QApplication>
#include <QEventLoop>
#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>

// What one run of xdotool gave.
struct EsitoXdo {
    bool riuscito = false; // xdotool ran to its end with exit status 0
    QStringList finestre;  // the modal windows that opened meanwhile, by object name
};

// Runs xdotool with the given commands. Windows that open meanwhile (a modal dialog runs an
// event loop of its own) are recorded by name; a failed run is also reported as a warning.
inline EsitoXdo Xdo(const QStringList& comandi) {
    EsitoXdo esito;
    QTimer spia;
    QObject::connect(&spia, &QTimer::timeout, [&esito] {
        const QWidget* modale = QApplication::activeModalWidget();
        if (modale && !esito.finestre.contains(modale->objectName()))
            esito.finestre << modale->objectName();
    });
    spia.start(20);
    QProcess xdo;
    QEventLoop ciclo;
    QObject::connect(&xdo, &QProcess::finished, &ciclo, &QEventLoop::quit);
    QObject::connect(&xdo, &QProcess::errorOccurred, &ciclo, &QEventLoop::quit);
    xdo.start(QStringLiteral("xdotool"), comandi);
    if (xdo.state() != QProcess::NotRunning) ciclo.exec();
    esito.riuscito = xdo.exitStatus() == QProcess::NormalExit && xdo.exitCode() == 0 &&
                     xdo.error() == QProcess::UnknownError;
    if (!esito.riuscito) qWarning("xdotool failed: %s", qPrintable(comandi.join(u' ')));
    // Let the last events arrive and be handled.
    QTest::qWait(150);
    return esito;
}

// Keys as xdotool commands, each followed by a pause of the given seconds.
inline QStringList Tasti(const QStringList& tasti, double pausa = 0.3) {
    QStringList comandi;
    for (const QString& tasto : tasti)
        comandi << QStringLiteral("key") << tasto << QStringLiteral("sleep")
                << QString::number(pausa);
    return comandi;
}

// The mouse moved to the middle of a widget, as xdotool commands.
inline QStringList Centro(const QWidget* w) {
    const QPoint p = w->mapToGlobal(w->rect().center());
    return {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())};
}
