#include "registro/PasswordInsegnante.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <algorithm>
#include <array>

QByteArray Pbkdf2Sha256(const QByteArray& password, const QByteArray& sale, int iterazioni,
                        int lunghezza) {
    QByteArray risultato;
    QMessageAuthenticationCode hmac(QCryptographicHash::Sha256, password);
    for (quint32 blocco = 1; risultato.size() < lunghezza; ++blocco) {
        QByteArray conto(4, '\0');
        conto[0] = static_cast<char>(blocco >> 24);
        conto[1] = static_cast<char>(blocco >> 16);
        conto[2] = static_cast<char>(blocco >> 8);
        conto[3] = static_cast<char>(blocco);
        hmac.reset();
        hmac.addData(sale);
        hmac.addData(conto);
        QByteArray u = hmac.result();
        QByteArray t = u;
        for (int i = 1; i < iterazioni; ++i) {
            hmac.reset();
            hmac.addData(u);
            u = hmac.result();
            for (qsizetype k = 0; k < t.size(); ++k)
                t[k] = static_cast<char>(t[k] ^ u[k]);
        }
        risultato += t;
    }
    return risultato.left(lunghezza);
}

PasswordSalvata NuovaPassword(const QString& password, int iterazioni) {
    PasswordSalvata p;
    std::array<quint32, 4> caso{};
    QRandomGenerator::system()->generate(caso.begin(), caso.end());
    p.Sale = QByteArray(reinterpret_cast<const char*>(caso.data()), sizeof caso);
    p.Iterazioni = iterazioni;
    p.Impronta = Pbkdf2Sha256(password.toUtf8(), p.Sale, iterazioni, 32);
    return p;
}

bool PasswordGiusta(const PasswordSalvata& salvata, const QString& password) {
    if (!salvata.Valida()) return false;
    const QByteArray prova = Pbkdf2Sha256(password.toUtf8(), salvata.Sale, salvata.Iterazioni, 32);
    unsigned char diversi = 0;
    for (qsizetype k = 0; k < prova.size(); ++k)
        diversi |= static_cast<unsigned char>(prova[k] ^ salvata.Impronta[k]);
    return diversi == 0;
}

int AttesaDopoErrori(int errori) {
    if (errori <= 0) return 0;
    return std::min(60000, 1000 << std::min(errori - 1, 6));
}
