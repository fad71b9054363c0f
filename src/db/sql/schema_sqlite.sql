CREATE TABLE tarvo_connexion (
    spid      INTEGER PRIMARY KEY AUTOINCREMENT,
    ouverture TEXT NOT NULL
);
