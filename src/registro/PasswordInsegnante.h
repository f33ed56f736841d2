#pragma once

// The teacher's password that guards the register window: kept only as a salted PBKDF2 hash
// (HMAC-SHA256, many rounds), so the file never holds the password itself; and the wait
// after each wrong password, longer every time, so that trying words one after another is
// slow.

#include <QByteArray>
#include <QString>

// PBKDF2 (RFC 8018) with HMAC-SHA256: lunghezza bytes derived from password and sale.
QByteArray Pbkdf2Sha256(const QByteArray& password, const QByteArray& sale, int iterazioni,
                        int lunghezza);

struct PasswordSalvata {
    QByteArray Sale;     // 16 random bytes
    QByteArray Impronta; // 32 bytes
    int Iterazioni = 0;

    bool Valida() const { return Sale.size() >= 8 && Impronta.size() == 32 && Iterazioni > 0; }
};

// Rounds for a new password: about a tenth of a second on a school's computer.
inline constexpr int IterazioniPassword = 100000;

// A new salt from the system's random source and the hash of password.
PasswordSalvata NuovaPassword(const QString& password, int iterazioni = IterazioniPassword);

// Whether password is the one saved (compared in constant time).
bool PasswordGiusta(const PasswordSalvata& salvata, const QString& password);

// How long the window waits after the n-th wrong password in a row, in milliseconds: 1 s
// after the first, doubling each time, at most a minute.
int AttesaDopoErrori(int errori);
