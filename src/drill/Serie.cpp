#include "drill/Serie.h"

#include "base/Servizi.h"
#include "drill/Frasi.h"
#include "generation/Algoritmi.h"

#include <QLocale>

#include <algorithm>
#include <utility>

namespace {

const QString Domanda = QStringLiteral("?");

// A reply as it is said while typed: a comma at its end is said as a word, since a voice
// reads "5," as "5".
QString RispostaDetta(const QString& risposta) {
    if (!risposta.endsWith(u',')) return risposta;
    return (risposta.chopped(1) + QStringLiteral(" virgola")).trimmed();
}

bool Vuoto(const QString& testo) {
    return testo.trimmed().isEmpty();
}

Problema GeneraDiSerie(const StatoProgramma& stato, FonteCasuale& fonte) {
    return GeneraProblema(stato, fonte);
}

// What an exercise not yet shown reads as.
const Problema NessunProblema;

} // namespace

Serie::Serie(StatoProgramma& stato, FonteCasuale& fonte, Orologio& orologio, Suono& suono,
             Avvisi* avvisi)
    : stato_(stato), fonte_(fonte), orologio_(orologio), suono_(suono), avvisi_(avvisi),
      generatore_(GeneraDiSerie) {}

void Serie::ImpostaGeneratore(Generatore generatore) {
    generatore_ = generatore ? std::move(generatore) : Generatore(GeneraDiSerie);
}

void Serie::ImpostaStampaDisponibile(bool disponibile) {
    stampaDisponibile_ = disponibile;
}

void Serie::ImpostaFineSerie(FineSerie fine) {
    fineSerie_ = std::move(fine);
}

const Problema& Serie::ProblemaCorrente() const {
    return registro().Esercizi.empty() ? NessunProblema : registro().Esercizi.back().Dati;
}

EsercizioSvolto& Serie::Corrente() {
    return stato_.Registro.Esercizi.back();
}

void Serie::Riporta() {
    if (!daRiportare_) return;
    daRiportare_ = false;
    stato_.Registro.Fine = orologio_.Adesso();
    if (fineSerie_) fineSerie_(stato_.Registro);
}

void Serie::Abbandona() {
    Riporta();
}

// ---------------------------------------------------------------------------------------
// Series flow

void Serie::NuovaSerie() {
    // A series left before its end ("Ricomincia" is only offered at the end, but a window
    // may start a new series at any time) is reported with the exercises done.
    Riporta();

    RegistroSerie& registro = stato_.Registro;
    registro = RegistroSerie{};
    registro.Id = QUuid::createUuid();
    registro.Inizio = orologio_.Adesso();
    registro.Livello = stato_.Livello;
    registro.Sistema = stato_.Catalogo.Label6[0].trimmed();
    registro.TipoEsercizio = stato_.TipoEsercizio;
    registro.TestoTipo = stato_.TestoTipo;
    registro.OrdineSimboli = stato_.OrdineSimboli;
    // The certificate names the series it grades, whatever the start screen shows since.
    registro.TestoOrdine = stato_.TestoOrdine;

    testi_.LblOperazione.clear();
    testi_.lblRisEsatte.clear();
    testi_.lblRisErrate.clear();
    testi_.lblTempoOperazione.clear();
    testi_.LblTempoTotale.clear();

    // Headings and symbol captions follow the choices the series runs with.
    testi_.Label1 = stato_.TestoOrdine;
    testi_.Label2 = stato_.TestoTipo;
    for (int i = 0; i < 4; ++i)
        testi_.Option1[i] = stato_.Simbolo[i + 1];

    ProssimoEsercizio();
}

void Serie::ProssimoEsercizio() {
    if (UltimoEsercizioMostrato()) return;

    testi_.LblEsito.clear();
    testi_.lblSimbolo2.clear();
    testi_.lblCorrezione.clear();
    testi_.LblSimbolo2S.clear();
    testi_.lblCorrezioneS.clear();
    testi_.LblRisultato = Domanda;
    testi_.lblRisultatoS = Domanda;

    testi_.lblTempoOperazione.clear();
    risposta_.clear();
    conVirgola_ = false;
    tentativiNo_ = 0;

    linee_ = false;
    // A series never holds the same problem twice.
    const auto& fatti = stato_.Registro.Esercizi;
    const auto usato = [&fatti](const Problema& p) {
        return std::any_of(fatti.begin(), fatti.end(),
                           [&p](const EsercizioSvolto& e) { return StessoProblema(e.Dati, p); });
    };
    constexpr int Tentativi = 100;
    EsercizioSvolto nuovo;
    nuovo.Dati = generatore_(stato_, fonte_);
    for (int i = 1; i < Tentativi && usato(nuovo.Dati); ++i)
        nuovo.Dati = generatore_(stato_, fonte_);
    stato_.Registro.Esercizi.push_back(std::move(nuovo));
    daRiportare_ = true;
    Visualizza();
    const Problema& p = ProblemaCorrente();
    testi_.Label7 =
        QString::number(p.CoppiaSimboli) + QStringLiteral("  ") + QString::number(p.FormaNumero);
}

void Serie::Visualizza() {
    inizioRisposta_ = orologio_.Millisecondi();
    switch (stato_.TipoEsercizio) {
    case 2:
        MostraSimbolo();
        break;
    case 3: {
        // 1 asks for the number, 2 for the symbol; a faulty draw is held to the two.
        if (Estrai(fonte_, 2, 1) == 1)
            MostraNumero();
        else
            MostraSimbolo();
        break;
    }
    default:
        // Kind 1; a window opened before any kind was chosen also asks for numbers.
        MostraNumero();
        break;
    }
}

void Serie::MostraNumero() {
    riga_ = Riga::Numero;
    MostraPannello(Pannello::Tastierino);
    const Problema& p = ProblemaCorrente();
    testi_.lblNumero1 = p.NumeroTesto;
    testi_.lblSimbolo1 = p.SimboloDa;
    testi_.lblSimbolo2 = p.SimboloA;
    testi_.LblRisultato = Domanda;
    if (!stato_.Registro.Esercizi.empty()) {
        Corrente().ChiedeSimbolo = false;
        Corrente().SoluzioneTesto = p.RisultatoTesto;
    }
    TastiSi();
    ScriviDiagnostica();
    Annuncia(FraseProblema());
}

void Serie::MostraSimbolo() {
    riga_ = Riga::Simbolo;
    MostraPannello(Pannello::Simboli);
    const Problema& p = ProblemaCorrente();
    testi_.lblNumero1S = p.NumeroTesto;
    testi_.lblSimbolo1S = p.SimboloDa;
    testi_.LblSimbolo2S = p.RisultatoTesto;
    testi_.lblRisultatoS = Domanda;
    if (!stato_.Registro.Esercizi.empty()) {
        Corrente().ChiedeSimbolo = true;
        Corrente().SoluzioneTesto = p.SimboloA.trimmed();
    }
    SimboliSi();
    ScriviDiagnostica();
    Annuncia(FraseProblema());
}

void Serie::ScriviDiagnostica() {
    const Problema& p = ProblemaCorrente();
    testi_.Label6 =
        QString::number(p.CoppiaSimboli) + QLatin1Char('.') + QString::number(p.FormaNumero);
    testi_.Label8 = SoluzioneTesto();
}

const QString& Serie::SoluzioneTesto() const {
    static const QString nessuna;
    return registro().Esercizi.empty() ? nessuna : registro().Esercizi.back().SoluzioneTesto;
}

bool Serie::ProblemaNumero() const {
    return riga_ == Riga::Numero;
}

bool Serie::UltimoEsercizioMostrato() const {
    return registro().IndiceEsercizio() >= NumeroEsercizi;
}

int Serie::LimiteRisposta() const {
    return std::max<int>(maxCifre_, static_cast<int>(SoluzioneTesto().size()));
}

// ---------------------------------------------------------------------------------------
// Panels and keys

void Serie::MostraPannello(Pannello pannello) {
    pannello_ = pannello;
}

void Serie::TastiSi() {
    for (int i = 0; i <= Cancella; ++i)
        option2_[i] = true;
    option2_[Verifica] = option2_[Avanti] = option2_[Esco] = false;
    ChiediFuoco(Pannello::Tastierino, 0);
}

void Serie::TastiNo() {
    for (int i = 0; i <= Verifica; ++i)
        option2_[i] = false;
    option2_[Avanti] = option2_[Esco] = true;
    ChiediFuoco(Pannello::Tastierino, Avanti);
}

void Serie::SimboliSi() {
    // A three-unit system has a blank first symbol: its key stays shut, since choosing
    // it could only give an empty reply.
    for (int i = 0; i < 4; ++i)
        option1_[i] = !Vuoto(testi_.Option1[i]);
    option1_[CancellaS] = true;
    option1_[VerificaS] = option1_[AvantiS] = option1_[Esci] = false;
    ChiediPrimoTasto();
}

void Serie::SimboliNo() {
    for (int i = 0; i <= VerificaS; ++i)
        option1_[i] = false;
    option1_[AvantiS] = option1_[Esci] = true;
    ChiediFuoco(Pannello::Simboli, AvantiS);
}

bool Serie::TastoAttivo(Pannello pannello, int indice) const {
    if (pannello != pannello_ || indice < 0) return false;
    switch (pannello) {
    case Pannello::Tastierino:
        return indice < TastiTastierino && option2_[indice];
    case Pannello::Simboli:
        return indice < TastiSimboli && option1_[indice];
    case Pannello::Aiuto:
        return indice < 2 && option3_[indice];
    case Pannello::Intervento:
        return indice == 0;
    case Pannello::Avviso:
        return indice < 2 && optAvviso()[indice];
    }
    return false;
}

RichiestaFuoco Serie::PrimoTastoAttivo() const {
    // At the end of a series a habitual Enter must never start a new one and lose the
    // exercises: "Stampa" leads, and "Ricomincia" is only ever reached on purpose.
    if (pannello_ == Pannello::Avviso)
        return {pannello_, TastoAttivo(pannello_, Stampa) ? Stampa : -1};
    for (int i = 0; i < TastiTastierino; ++i)
        if (TastoAttivo(pannello_, i)) return {pannello_, i};
    return {pannello_, -1};
}

void Serie::ChiediFuoco(Pannello pannello, int indice) {
    fuoco_ = RichiestaFuoco{pannello, indice};
}

void Serie::ChiediPrimoTasto() {
    fuoco_ = PrimoTastoAttivo();
}

std::optional<RichiestaFuoco> Serie::RitiraFuoco() {
    auto richiesta = fuoco_;
    fuoco_.reset();
    return richiesta;
}

void Serie::ControlloFineSerie() {
    if (!UltimoEsercizioMostrato()) return;
    MostraPannello(Pannello::Avviso);
    ChiediPrimoTasto();
    Annuncia(FraseFineSerie());
    stato_.Registro.Finita = true;
    Riporta();
}

// ---------------------------------------------------------------------------------------
// Announcements

void Serie::Annuncia(const QString& testo) {
    annunci_.append(testo);
}

QStringList Serie::RitiraAnnunci() {
    return std::exchange(annunci_, {});
}

QString Serie::FraseProblema() const {
    if (registro().Esercizi.empty()) return {};
    const Problema& p = ProblemaCorrente();
    if (ProblemaNumero()) return FraseTrovaNumero(stato_, p.NumeroTesto, p.SimboloDa, p.SimboloA);
    return FraseTrovaSimbolo(stato_, p.NumeroTesto, p.SimboloDa, p.RisultatoTesto);
}

QString Serie::FraseRisposta() const {
    const QString& mostrata = ProblemaNumero() ? testi_.LblRisultato : testi_.lblRisultatoS;
    const QString testo = mostrata.trimmed();
    return QStringLiteral("Risposta: ") +
           (testo.isEmpty() || testo == Domanda ? QStringLiteral("nessuna") : testo);
}

QString Serie::FraseFineSerie() const {
    const auto secondi = [](std::int32_t n) {
        return QString::number(n) +
               (n == 1 ? QStringLiteral(" secondo") : QStringLiteral(" secondi"));
    };
    return QStringLiteral(
               "Serie finita. Risposte esatte: %1. Risposte errate: %2. Tempo totale: %3.")
        .arg(registro().EsatteTotale())
        .arg(registro().ErrateTotale())
        .arg(secondi(registro().TempoTotale()));
}

// ---------------------------------------------------------------------------------------
// Reply entry

std::optional<double> Serie::ValoreRisposta(const QString& testo) {
    QString numero;
    bool cifre = false;
    bool virgola = false;
    for (QChar c : testo.trimmed()) {
        if (c == u'.') continue;
        if (c == u',') {
            if (virgola) return std::nullopt;
            virgola = true;
            numero += u'.';
        } else if (c >= u'0' && c <= u'9') {
            cifre = true;
            numero += c;
        } else {
            return std::nullopt;
        }
    }
    if (!cifre) return std::nullopt;
    bool ok = false;
    const double valore = QLocale::c().toDouble(numero, &ok);
    if (!ok) return std::nullopt;
    return valore;
}

int Serie::LunghezzaVerificata(const QString& testo) {
    // Checking writes the number out again: a reply opened by the comma gains its "0"
    // (",5" becomes "0,5"); otherwise the reply is already in its written form or shorter.
    return static_cast<int>(testo.size()) + (testo.startsWith(u',') ? 1 : 0);
}

QString Serie::Normalizzata(const QString& testo) const {
    const auto valore = ValoreRisposta(testo);
    if (!valore) return testo;
    return FormattaNumero(*valore, avvisi_);
}

void Serie::MostraRisposta(const QString& testo) {
    testi_.LblRisultato = testo;
    // "Verifica" opens as soon as the display holds a reply, and "Cancella", shut when the
    // reply was erased to nothing, opens again so that a new typing slip can be corrected.
    if (testo != Domanda) option2_[Verifica] = option2_[Cancella] = true;
}

void Serie::MostraRispostaSimbolo(const QString& testo) {
    testi_.lblRisultatoS = testo;
    if (testo != Domanda) option1_[VerificaS] = true;
}

Esito Serie::TastoPremuto(int indice) {
    if (!TastoAttivo(Pannello::Tastierino, indice)) return Esito::Nessuno;
    QString& risposta = risposta_;
    const int limite = LimiteRisposta();

    if (indice <= 9) {
        QString nuova = risposta + QChar(u'0' + indice);
        // A character beyond the limit is cut off; so is a digit whose regrouping would
        // take the reply past it.
        if (LunghezzaVerificata(nuova) > limite) return Esito::Nessuno;
        if (!nuova.contains(u',')) nuova = Normalizzata(nuova);
        if (nuova.size() > limite) return Esito::Nessuno;
        risposta = nuova;
        conVirgola_ = risposta.contains(u',');
        MostraRisposta(risposta);
        Annuncia(RispostaDetta(risposta));
        return Esito::Nessuno;
    }

    switch (indice) {
    case Virgola:
        if (conVirgola_ || LunghezzaVerificata(risposta + u',') > limite) return Esito::Nessuno;
        risposta += u',';
        conVirgola_ = true;
        MostraRisposta(risposta);
        Annuncia(RispostaDetta(risposta));
        return Esito::Nessuno;
    case Cancella:
        if (!risposta.isEmpty()) risposta.chop(1);
        if (!risposta.isEmpty() && !risposta.contains(u',')) risposta = Normalizzata(risposta);
        conVirgola_ = risposta.contains(u',');
        if (risposta.isEmpty()) {
            testi_.LblRisultato = Domanda;
            option2_[Cancella] = false;
        } else {
            MostraRisposta(risposta);
        }
        Annuncia(FraseRisposta());
        return Esito::Nessuno;
    case Verifica:
        VerificaRisposta();
        return Esito::Nessuno;
    case Avanti:
        ProssimoEsercizio();
        return Esito::Nessuno;
    case Esco:
        return Esito::Chiudi;
    }
    return Esito::Nessuno;
}

Esito Serie::SimboloPremuto(int indice) {
    if (!TastoAttivo(Pannello::Simboli, indice)) return Esito::Nessuno;
    if (indice < 4) {
        risposta_ = testi_.Option1[indice];
        MostraRispostaSimbolo(risposta_);
        Annuncia(NomeTastoSimbolo(stato_, risposta_));
        return Esito::Nessuno;
    }
    switch (indice) {
    case CancellaS:
        // Takes the chosen symbol back; "Verifica" keeps its state, as on the keypad.
        risposta_.clear();
        testi_.lblRisultatoS = Domanda;
        Annuncia(FraseRisposta());
        return Esito::Nessuno;
    case VerificaS:
        VerificaRisposta();
        return Esito::Nessuno;
    case AvantiS:
        ProssimoEsercizio();
        return Esito::Nessuno;
    case Esci:
        return Esito::Chiudi;
    }
    return Esito::Nessuno;
}

void Serie::AiutoPremuto(int indice) {
    if (!TastoAttivo(Pannello::Aiuto, indice)) return;
    if (indice == No) {
        Riprova();
    } else {
        Corrente().AiutoAccettato = true;
        Intervento();
    }
}

void Serie::InterventoPremuto() {
    if (TastoAttivo(Pannello::Intervento, 0)) Intervento();
}

Esito Serie::AvvisoPremuto(int indice) {
    if (!TastoAttivo(Pannello::Avviso, indice)) return Esito::Nessuno;
    if (indice == Stampa) return Esito::Stampa;
    NuovaSerie();
    return Esito::Nessuno;
}

// ---------------------------------------------------------------------------------------
// Checking, help and the program's solution

void Serie::VerificaRisposta() {
    const bool raggiungibile = ProblemaNumero() ? TastoAttivo(Pannello::Tastierino, Verifica)
                                                : TastoAttivo(Pannello::Simboli, VerificaS);
    if (!raggiungibile || stato_.Registro.Esercizi.empty()) return;

    risposta_ = Normalizzata(risposta_);
    conVirgola_ = risposta_.contains(u',');

    EsercizioSvolto& esercizio = Corrente();
    const bool esatta = risposta_.trimmed() == esercizio.SoluzioneTesto.trimmed();
    esercizio.Tentativi.push_back({risposta_, esatta});
    if (esatta) {
        suono_.SuonoEsatto();
        testi_.LblEsito = QStringLiteral("Esatto");
        testi_.lblRisEsatte = QString::number(registro().EsatteTotale());
        RegistraTempi();
        testi_.LblOperazione = QString::number(registro().IndiceEsercizio());
        ChiudiRisposta();
        Annuncia(testi_.LblEsito);
        ControlloFineSerie();
    } else {
        testi_.LblEsito = QStringLiteral("Errato");
        esercizio.AiutoOfferto = true;
        linee_ = true;
        MostraPannello(Pannello::Aiuto);
        ChiediPrimoTasto();
        Annuncia(testi_.LblEsito);
        Annuncia(QStringLiteral("Ti aiuto ?"));
    }
}

void Serie::Riprova() {
    if (pannello_ != Pannello::Aiuto) return;
    risposta_.clear();
    conVirgola_ = false;
    testi_.LblEsito.clear();
    ++tentativiNo_;

    if (tentativiNo_ < 3) {
        linee_ = false;
        if (ProblemaNumero()) {
            testi_.LblRisultato = Domanda;
            MostraPannello(Pannello::Tastierino);
            TastiSi();
        } else {
            // The symbol keys keep their states: "Verifica" stays usable on "?".
            testi_.lblRisultatoS = Domanda;
            MostraPannello(Pannello::Simboli);
            ChiediPrimoTasto();
        }
        // Another try: the problem is asked again.
        Annuncia(FraseProblema());
    } else {
        tentativiNo_ = 0;
        MostraPannello(Pannello::Intervento);
        ChiediPrimoTasto();
    }
}

void Serie::Intervento() {
    if (pannello_ != Pannello::Aiuto && pannello_ != Pannello::Intervento) return;
    Corrente().SoluzioneData = true;
    RegistraTempi();
    testi_.LblEsito.clear();
    testi_.LblOperazione = QString::number(registro().IndiceEsercizio());
    testi_.lblRisErrate = QString::number(registro().ErrateTotale());
    MostraPannello(ProblemaNumero() ? Pannello::Tastierino : Pannello::Simboli);
    ChiudiRisposta();
    testi_.lblCorrezione = SoluzioneTesto();
    testi_.lblCorrezioneS = SoluzioneTesto();
    const Problema& p = ProblemaCorrente();
    Annuncia(QStringLiteral("Intervengo io: ") +
             FraseUguaglianza(stato_, p.NumeroTesto, p.SimboloDa, p.RisultatoTesto, p.SimboloA));
    ControlloFineSerie();
}

void Serie::ChiudiRisposta() {
    if (ProblemaNumero())
        TastiNo();
    else
        SimboliNo();
}

void Serie::RegistraTempi() {
    if (stato_.Registro.Esercizi.empty()) return;
    const std::int64_t fine = orologio_.Millisecondi();
    const std::int64_t secondi = std::max<std::int64_t>(0, (fine - inizioRisposta_) / 1000);
    const auto tempo = static_cast<std::int32_t>(std::min<std::int64_t>(secondi, INT32_MAX));
    Corrente().Secondi = tempo;
    // The sum is capped like the single time: a clock jumping forward must not wrap it round.
    const std::int32_t totale = registro().TempoTotale();
    testi_.lblTempoOperazione =
        tempo > 99 ? QStringLiteral("99") : QLatin1Char(' ') + QString::number(tempo);
    testi_.LblTempoTotale =
        totale > 999 ? QStringLiteral("999") : QLatin1Char(' ') + QString::number(totale);
}

// ---------------------------------------------------------------------------------------
// Keyboard rules

namespace {

using Tipo = AzioneTastiera::Tipo;

AzioneTastiera Azione(Tipo tipo, int indice = -1, int fuocoDopo = -1) {
    return {tipo, indice, fuocoDopo};
}

bool Cifra(int tasto) {
    return tasto >= Qt::Key_0 && tasto <= Qt::Key_9;
}

bool Invio(int tasto) {
    return tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
}

// The decimal key of the numeric block: "," or "." by keyboard layout, Delete with the
// numeric lock off.
bool DecimaleNumerico(int tasto, bool numerico) {
    return numerico &&
           (tasto == Qt::Key_Comma || tasto == Qt::Key_Period || tasto == Qt::Key_Delete);
}

} // namespace

AzioneTastiera Serie::TastieraTastierino(int tasto, bool numerico) const {
    const auto fuoco = [this](int indice) {
        return TastoAttivo(Pannello::Tastierino, indice) ? Azione(Tipo::Fuoco, indice)
                                                         : Azione(Tipo::Ingoia);
    };
    // A reply typed on the keyboard is sent with Enter: after a digit or the comma the focus
    // goes to "Verifica", so that Enter checks the reply rather than pressing the key the
    // focus rested on (the "0" the panel opened with would be appended). A "Cancella" typed
    // on the keyboard leads there too while a reply stands; one that erases the reply leads
    // back to the first key, as the panel opened, so that Enter never checks nothing.
    const auto scrivi = [this](int indice) {
        if (!TastoAttivo(Pannello::Tastierino, indice)) return Azione(Tipo::Ingoia);
        const bool resta = indice != Cancella || risposta_.size() > 1;
        return Azione(Tipo::Premi, indice, resta ? Verifica : 0);
    };
    if (Cifra(tasto)) return scrivi(tasto - Qt::Key_0);
    if (DecimaleNumerico(tasto, numerico)) return scrivi(Cancella);
    switch (tasto) {
    case Qt::Key_Comma:
        // A comma cannot open a reply typed on the keyboard.
        if (risposta_.isEmpty()) return Azione(Tipo::Ingoia);
        return scrivi(Virgola);
    case Qt::Key_C:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return scrivi(Cancella);
    case Qt::Key_V:
        return fuoco(Verifica);
    case Qt::Key_N:
        return fuoco(Avanti);
    case Qt::Key_E:
        return fuoco(Esco);
    case Qt::Key_F2:
        return Azione(Tipo::Lascia);
    default:
        if (Invio(tasto)) return Azione(Tipo::PremiFuoco);
        return Azione(Tipo::Ingoia);
    }
}

AzioneTastiera Serie::TastieraSimboli(int tasto, bool numerico) const {
    const auto fuoco = [this](int indice) {
        return TastoAttivo(Pannello::Simboli, indice) ? Azione(Tipo::Fuoco, indice)
                                                      : Azione(Tipo::Ingoia);
    };
    // Digits 0..3 of either block choose that symbol and lead on to "Verifica".
    if (tasto >= Qt::Key_0 && tasto <= Qt::Key_3) {
        const int indice = tasto - Qt::Key_0;
        return TastoAttivo(Pannello::Simboli, indice) ? Azione(Tipo::Premi, indice, VerificaS)
                                                      : Azione(Tipo::Ingoia);
    }
    if (numerico && (tasto == Qt::Key_4 || tasto == Qt::Key_5)) return Azione(Tipo::Lascia);
    if (DecimaleNumerico(tasto, numerico)) return Azione(Tipo::Lascia);
    switch (tasto) {
    case Qt::Key_V:
        return fuoco(VerificaS);
    case Qt::Key_N:
        return fuoco(AvantiS);
    case Qt::Key_E:
        return fuoco(Esci);
    case Qt::Key_C:
    case Qt::Key_H:
    case Qt::Key_U:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_F2:
    case Qt::Key_Comma:
        return Azione(Tipo::Lascia);
    default:
        if (Invio(tasto)) return Azione(Tipo::PremiFuoco);
        return Azione(Tipo::Ingoia);
    }
}

AzioneTastiera Serie::TastieraAiuto(int tasto) const {
    if (pannello_ != Pannello::Aiuto) return Azione(Tipo::Ingoia);
    if (tasto == Qt::Key_N) return Azione(Tipo::Fuoco, No);
    if (tasto == Qt::Key_S) return Azione(Tipo::Fuoco, Si);
    if (Invio(tasto)) return Azione(Tipo::PremiFuoco);
    return Azione(Tipo::Ingoia);
}

AzioneTastiera Serie::TastieraIntervento(int tasto) const {
    if (pannello_ != Pannello::Intervento) return Azione(Tipo::Ingoia);
    switch (tasto) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Azione(Tipo::Ingoia);
    default:
        // Any other key pressed on "INTERVENGO IO" asks for the solution.
        return Azione(Tipo::Premi, 0);
    }
}
