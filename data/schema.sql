-- The herb database: 22 tables, read-only for the program.
-- Link tables have neither Idx nor Nazev, and entity tables (except Obrazky)
-- have no IdxByliny: the program's joins read unqualified column names.
-- Columns declare no collation; the program sorts text with its Czech collation "CS" in its
-- queries. The name indexes are kept in that order (so the builder, the checker and anything
-- that writes these tables must register "CS") and carry every column the name lists read, so
-- a list in any names language is read in order without sorting or visiting the table.

CREATE TABLE Byliny (Idx INTEGER PRIMARY KEY, Nazev TEXT, KratkyNaz TEXT, IdxCeled INTEGER);
CREATE TABLE Nazvy (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, IdxJazyk INTEGER, Nazev TEXT);
CREATE TABLE Jazyk (Idx INTEGER PRIMARY KEY, Nazev TEXT);
CREATE TABLE Celedi (Idx INTEGER PRIMARY KEY, Nazev TEXT, Latinsky TEXT, Popis TEXT);
CREATE TABLE Clanky (IdxByliny INTEGER, Clanek TEXT);
CREATE TABLE Texty (IdxByliny INTEGER, IdxTyp INTEGER, Clanek TEXT);
CREATE TABLE UcinneLatky (Idx INTEGER PRIMARY KEY, Nazev TEXT, Popis TEXT);
CREATE TABLE UcLatkyByliny (IdxByliny INTEGER, IdxUcLatky INTEGER);
CREATE TABLE IndikacniSkupiny (Idx INTEGER PRIMARY KEY, Nazev TEXT, Popis TEXT);
CREATE TABLE IndSkupByliny (IdxByliny INTEGER, IdxIndSkup INTEGER);
CREATE TABLE Kombinace (Idx INTEGER PRIMARY KEY, Nazev TEXT, Popis TEXT);
CREATE TABLE KombinaceByliny (IdxByliny INTEGER, IdxKombinace INTEGER);
CREATE TABLE Pripravky (Idx INTEGER PRIMARY KEY, Nazev TEXT, AislpID TEXT);
CREATE TABLE PripravkyByliny (IdxByliny INTEGER, IdxPripravku INTEGER);
CREATE TABLE Indikace (Idx INTEGER PRIMARY KEY, Nazev TEXT, Popis TEXT, IdxIndikace INTEGER);
CREATE TABLE IndikaceByliny (IdxByliny INTEGER, IdxIndikace INTEGER);
CREATE TABLE Casti (Idx INTEGER PRIMARY KEY, Nazev TEXT);
CREATE TABLE Sber (IdxByliny INTEGER, IdxCast INTEGER, Mesic INTEGER);
CREATE TABLE Obrazky (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, Nazev TEXT, DataObr BLOB);
CREATE TABLE Literatura (Idx INTEGER PRIMARY KEY, Autor TEXT, Nazev TEXT, Popis TEXT);
CREATE TABLE LangRes (ID INTEGER, IdxLang INTEGER, Idx INTEGER, Popis TEXT);
-- FromDate is ISO text "YYYY-MM-DD".
CREATE TABLE Verze (Idx INTEGER, FromDate TEXT, Verze INTEGER, Edice TEXT);

CREATE INDEX NazvyByliny ON Nazvy (IdxByliny);
CREATE INDEX NazvyJazyk ON Nazvy (IdxJazyk, Nazev COLLATE CS, IdxByliny);
CREATE INDEX NazvyNazev ON Nazvy (Nazev COLLATE CS, IdxByliny, IdxJazyk);
CREATE INDEX BylinyNazev ON Byliny (Nazev COLLATE CS, KratkyNaz, IdxCeled);
CREATE INDEX ClankyByliny ON Clanky (IdxByliny);
CREATE INDEX TextyByliny ON Texty (IdxByliny, IdxTyp);
CREATE INDEX TextyTyp ON Texty (IdxTyp);
CREATE INDEX UcLatkyBylinyByliny ON UcLatkyByliny (IdxByliny);
CREATE INDEX UcLatkyBylinyLatky ON UcLatkyByliny (IdxUcLatky);
CREATE INDEX IndSkupBylinyByliny ON IndSkupByliny (IdxByliny);
CREATE INDEX IndSkupBylinySkup ON IndSkupByliny (IdxIndSkup);
CREATE INDEX KombinaceBylinyByliny ON KombinaceByliny (IdxByliny);
CREATE INDEX KombinaceBylinyKomb ON KombinaceByliny (IdxKombinace);
CREATE INDEX PripravkyBylinyByliny ON PripravkyByliny (IdxByliny);
CREATE INDEX PripravkyBylinyPrip ON PripravkyByliny (IdxPripravku);
CREATE INDEX IndikaceBylinyByliny ON IndikaceByliny (IdxByliny);
CREATE INDEX IndikaceBylinyInd ON IndikaceByliny (IdxIndikace);
CREATE INDEX IndikaceRodic ON Indikace (IdxIndikace);
-- With the month in it, the parts of one herb collected in a month are found from the herb;
-- without it the engine read every herb of that month for each herb of a month's description.
CREATE INDEX SberByliny ON Sber (IdxByliny, IdxCast, Mesic);
CREATE INDEX SberMesic ON Sber (Mesic);
CREATE INDEX ObrazkyByliny ON Obrazky (IdxByliny);
CREATE INDEX LangResText ON LangRes (ID, IdxLang);
