-- The tables of Decimetra's lab register on a PostgreSQL server. The program creates them
-- itself when they are missing and its role may create tables; a technician who prefers a
-- role that may only insert and read creates them once with this file, as the database's
-- owner:
--
--   psql -h SERVER -U OWNER -d decimetra -f registro-postgresql.sql
--   psql -h SERVER -U OWNER -d decimetra \
--        -c 'GRANT SELECT, INSERT, UPDATE, DELETE ON serie, esercizi, tentativi TO decimetra'
--
-- (UPDATE and DELETE only replace a series the computer sends again, after a pupil's name
-- or the certificate's grade was added to it.) Each series keeps the id it was given on its
-- computer: a series sent twice is stored once.

CREATE TABLE IF NOT EXISTS serie (
    id uuid PRIMARY KEY,
    revisione bigint NOT NULL,
    computer text NOT NULL,
    inizio timestamptz NOT NULL,
    fine timestamptz,
    livello smallint NOT NULL,
    sistema text NOT NULL,
    tipo smallint NOT NULL,
    testo_tipo text NOT NULL,
    ordine smallint NOT NULL,
    testo_ordine text NOT NULL,
    finita boolean NOT NULL,
    alunno text NOT NULL,
    giudizio text NOT NULL,
    esercizi smallint NOT NULL,
    esatte smallint NOT NULL,
    errate smallint NOT NULL,
    tempo_totale integer NOT NULL,
    ricevuta timestamptz NOT NULL DEFAULT now()
);

CREATE INDEX IF NOT EXISTS serie_inizio ON serie (inizio DESC, id);

CREATE TABLE IF NOT EXISTS esercizi (
    serie uuid NOT NULL REFERENCES serie (id) ON DELETE CASCADE,
    numero smallint NOT NULL,
    cifre text NOT NULL,
    forma_numero smallint NOT NULL,
    coppia_simboli smallint NOT NULL,
    valore_numero bigint NOT NULL,
    numero_testo text NOT NULL,
    simbolo_da text NOT NULL,
    simbolo_a text NOT NULL,
    risultato_testo text NOT NULL,
    soluzione_problema text NOT NULL,
    sorteggio smallint NOT NULL,
    chiede_simbolo boolean NOT NULL,
    soluzione text NOT NULL,
    aiuto_offerto boolean NOT NULL,
    aiuto_accettato boolean NOT NULL,
    soluzione_data boolean NOT NULL,
    secondi integer NOT NULL,
    PRIMARY KEY (serie, numero)
);

CREATE TABLE IF NOT EXISTS tentativi (
    serie uuid NOT NULL,
    esercizio smallint NOT NULL,
    numero smallint NOT NULL,
    risposta text NOT NULL,
    esatta boolean NOT NULL,
    PRIMARY KEY (serie, esercizio, numero),
    FOREIGN KEY (serie, esercizio) REFERENCES esercizi (serie, numero) ON DELETE CASCADE
);
