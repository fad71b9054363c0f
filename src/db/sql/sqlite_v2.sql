-- Schema 2: the integrated data files, so that a file found again after a
-- stop between its commit and its removal is not integrated twice.
CREATE TABLE IF NOT EXISTS tarvo_integration (
    empreinte        TEXT NOT NULL,
    modification     INTEGER NOT NULL,
    date_integration TEXT NOT NULL,
    archive          TEXT NOT NULL,
    PRIMARY KEY (empreinte, modification)
);
