-- Demonstration data: a small linen wholesaler on Sage, six customers, open
-- sales orders and three shipments at different stages (one closed, one
-- being packed, one just created).
-- Dates are relative to the day the database is created, so that the demo
-- always looks current (the shipment list only shows recent shipments).

----------------------------------------------------------------------------
-- Customers and their delivery places
----------------------------------------------------------------------------

INSERT INTO F_COMPTET (CT_Num, CT_Intitule, CT_Type, CT_Classement, CT_Contact, CT_Adresse,
                       CT_Complement, CT_CodePostal, CT_Ville, CT_Pays, CT_Telephone, CT_EMail,
                       CT_Langue)
VALUES
 ('CBOUTIQ', 'Boutique Côté Maison', 0, 'COTE MAISON', 'Mme Perrin', '8 rue Royale', '',
  '74000', 'Annecy', 'France', '04 50 45 12 30', 'contact@cotemaison.fr', 0),
 ('CGALERIE', 'Galeries Rhodaniennes', 0, 'GALERIES RHO', 'M. Chabert', '3 place Bellecour', '',
  '69002', 'Lyon', 'France', '04 78 37 90 00', 'achats@galeries-rhodaniennes.fr', 0),
 ('CHOTELAL', 'Hôtel des Alpes', 0, 'HOTEL ALPES', 'M. Ducroz', '95 route des Praz', '',
  '74400', 'Chamonix-Mont-Blanc', 'France', '04 50 53 07 77', 'gouvernante@hoteldesalpes.fr', 0),
 ('CMAISONB', 'Maison Blanche Distribution', 0, 'MAISON BLANCHE', 'Mme Lefèvre',
  '42 rue de la Roquette', 'Bâtiment B', '75011', 'Paris', 'France', '01 43 55 21 09',
  'appro@maisonblanche.fr', 0),
 ('CLINGERIE', 'La Lingerie de Provence', 0, 'LINGERIE PROV', 'Mme Aubanel', '18 cours Mirabeau',
  '', '13100', 'Aix-en-Provence', 'France', '04 42 26 18 44', 'boutique@lingerie-provence.fr', 0),
 ('CLINENCO', 'Linen & Co Ltd', 0, 'LINEN CO', 'Mr Hughes', 'Unit 4, Riverside Park',
  'Rotherhithe', 'SE16 7PA', 'London', 'Royaume-Uni', '+44 20 7946 0321', 'orders@linenco.co.uk',
  1);

INSERT INTO F_LIVRAISON (LI_No, CT_Num, LI_Intitule, LI_Adresse, LI_Complement, LI_CodePostal,
                         LI_Ville, LI_Pays, LI_Contact, LI_Telephone, LI_Principal)
VALUES
 (1, 'CBOUTIQ', 'Côté Maison Annecy', '8 rue Royale', '', '74000', 'Annecy', 'France',
  'Mme Perrin', '04 50 45 12 30', 1),
 (2, 'CBOUTIQ', 'Côté Maison Chambéry', '21 place Saint-Léger', '', '73000', 'Chambéry',
  'France', 'M. Girod', '04 79 33 56 10', 0),
 (3, 'CGALERIE', 'Galeries Rhodaniennes - Entrepôt', 'ZI Nord', '14 avenue de la Gare', '69200',
  'Vénissieux', 'France', 'Quai n°3', '04 78 70 41 41', 1),
 (4, 'CGALERIE', 'Galeries Rhodaniennes Bellecour', '3 place Bellecour', 'Livraison rue Gasparin',
  '69002', 'Lyon', 'France', 'M. Chabert', '04 78 37 90 00', 0),
 (5, 'CHOTELAL', 'Hôtel des Alpes', '95 route des Praz', 'Entrée service', '74400',
  'Chamonix-Mont-Blanc', 'France', 'M. Ducroz', '04 50 53 07 77', 1),
 (6, 'CMAISONB', 'Maison Blanche Paris 11e', '42 rue de la Roquette', 'Bâtiment B', '75011',
  'Paris', 'France', 'Mme Lefèvre', '01 43 55 21 09', 1),
 (7, 'CLINGERIE', 'La Lingerie de Provence', '18 cours Mirabeau', '', '13100', 'Aix-en-Provence',
  'France', 'Mme Aubanel', '04 42 26 18 44', 1),
 (8, 'CLINENCO', 'Linen & Co - Warehouse', 'Unit 4, Riverside Park', 'Rotherhithe', 'SE16 7PA',
  'London', 'Royaume-Uni', 'Mr Hughes', '+44 20 7946 0321', 1),
 (9, 'CMAISONB', 'Maison Blanche Lille', '7 rue Esquermoise', '', '59000', 'Lille', 'France',
  'M. Delattre', '03 20 55 47 12', 0);

----------------------------------------------------------------------------
-- Articles: four in colours (range 1 = Couleur), five with a bar code of
-- their own, one composed gift box, carriage without a bar code.
-- EAN-13 codes with their check digit; one imported article keeps its
-- supplier's code with leading zeros. Two names start with an accented
-- capital, for the French order and search to be tried on.
----------------------------------------------------------------------------

INSERT INTO F_ARTICLE (AR_Ref, AR_Design, FA_CodeFamille, AR_Gamme1, AR_Nomencl, AR_CodeBarre,
                       AR_PrixVen, AR_SuiviStock)
VALUES
 ('NAPPE160', 'Nappe coton 160x250', 'NAPPES', 1, 0, '', 39.00, 2),
 ('SERV45', 'Serviette de table 45x45', 'SERVIETTES', 1, 0, '', 6.50, 2),
 ('TORCH50', 'Torchon métis 50x75', 'CUISINE', 1, 0, '', 4.90, 2),
 ('PLAID130', 'Plaid laine 130x170', 'DECO', 1, 0, '', 59.00, 2),
 ('COUSS40', 'Housse de coussin lin lavé 40x40', 'DECO', 0, 0, '3760987650014', 14.50, 2),
 ('SETTAB', 'Set de table enduit', 'CUISINE', 0, 0, '0049876500122', 3.20, 2),
 ('TABLIER', 'Tablier de cuisine coton', 'CUISINE', 0, 0, '3760987650021', 18.00, 2),
 ('MANIQUE', 'Manique matelassée', 'CUISINE', 0, 0, '3760987650038', 7.50, 2),
 ('COFFRET', 'Coffret cadeau Cuisine', 'COFFRETS', 0, 2, '3760987650045', 32.00, 2),
 ('EPONGE', 'Éponge vaisselle lot de 3', 'CUISINE', 0, 0, '3760987650052', 2.90, 2),
 ('ECHARPE', 'Écharpe laine mérinos', 'DECO', 0, 0, '3760987650069', 24.00, 2),
 ('PORT', 'Frais de port', 'DIVERS', 0, 0, NULL, 12.00, 0);

-- Weights of one unit in kilograms (AR_UnitePoids 2), net then gross; the
-- carriage has none. The first parcel of shipment 101 weighs what its
-- contents do; the others were packed with something more.
UPDATE F_ARTICLE
   SET AR_UnitePoids = 2,
       AR_PoidsNet = CASE AR_Ref
           WHEN 'NAPPE160' THEN 1.35 WHEN 'SERV45' THEN 0.12 WHEN 'TORCH50' THEN 0.09
           WHEN 'PLAID130' THEN 0.85 WHEN 'COUSS40' THEN 0.12 WHEN 'SETTAB' THEN 0.06
           WHEN 'TABLIER' THEN 0.18 WHEN 'MANIQUE' THEN 0.07 WHEN 'COFFRET' THEN 0.55
           WHEN 'EPONGE' THEN 0.04 WHEN 'ECHARPE' THEN 0.16
           ELSE 0 END,
       AR_PoidsBrut = CASE AR_Ref
           WHEN 'NAPPE160' THEN 1.5 WHEN 'SERV45' THEN 0.14 WHEN 'TORCH50' THEN 0.1
           WHEN 'PLAID130' THEN 0.95 WHEN 'COUSS40' THEN 0.14 WHEN 'SETTAB' THEN 0.07
           WHEN 'TABLIER' THEN 0.2 WHEN 'MANIQUE' THEN 0.08 WHEN 'COFFRET' THEN 0.65
           WHEN 'EPONGE' THEN 0.05 WHEN 'ECHARPE' THEN 0.2
           ELSE 0 END;

INSERT INTO F_ARTGAMME (AG_No, AR_Ref, EG_Enumere, AG_Type)
VALUES
 (11, 'NAPPE160', 'Blanc', 0), (12, 'NAPPE160', 'Lin naturel', 0),
 (13, 'NAPPE160', 'Bleu ardoise', 0),
 (21, 'SERV45', 'Blanc', 0), (22, 'SERV45', 'Lin naturel', 0), (23, 'SERV45', 'Bleu ardoise', 0),
 (24, 'SERV45', 'Rouge garance', 0),
 (31, 'TORCH50', 'Rouge', 0), (32, 'TORCH50', 'Vert sauge', 0), (33, 'TORCH50', 'Bleu', 0),
 (41, 'PLAID130', 'Gris chiné', 0), (42, 'PLAID130', 'Moutarde', 0);

INSERT INTO F_ARTENUMREF (AR_Ref, AG_No1, AG_No2, AE_Ref, AE_CodeBarre)
VALUES
 ('NAPPE160', 11, 0, 'NAPPE160-BL', '3760987650106'),
 ('NAPPE160', 12, 0, 'NAPPE160-LN', '3760987650113'),
 ('NAPPE160', 13, 0, 'NAPPE160-BA', '3760987650120'),
 ('SERV45', 21, 0, 'SERV45-BL', '3760987650205'),
 ('SERV45', 22, 0, 'SERV45-LN', '3760987650212'),
 ('SERV45', 23, 0, 'SERV45-BA', '3760987650229'),
 ('SERV45', 24, 0, 'SERV45-RG', '3760987650236'),
 ('TORCH50', 31, 0, 'TORCH50-RO', '3760987650304'),
 ('TORCH50', 32, 0, 'TORCH50-VS', '3760987650311'),
 ('TORCH50', 33, 0, 'TORCH50-BE', '3760987650328'),
 ('PLAID130', 41, 0, 'PLAID130-GC', '3760987650403'),
 ('PLAID130', 42, 0, 'PLAID130-MO', '3760987650410');

----------------------------------------------------------------------------
-- Sales documents. Orders (type 1) BC00101 to BC00114; BC00102 was fully
-- delivered by BL00051; DE00031 is a quote.
----------------------------------------------------------------------------

INSERT INTO F_DOCENTETE (DO_Type, DO_Piece, DO_Date, DO_Ref, DO_Tiers, LI_No, DO_DateLivr,
                         DO_Langue, DO_Statut)
VALUES
 (1, 'BC00101', date('now', 'localtime', '-12 days') || ' 00:00:00', 'CDE 2291', 'CBOUTIQ', 1,
  date('now', 'localtime', '-2 days') || ' 00:00:00', 0, 2),
 (1, 'BC00102', date('now', 'localtime', '-20 days') || ' 00:00:00', 'SAISON HIVER', 'CHOTELAL',
  5, date('now', 'localtime', '-10 days') || ' 00:00:00', 0, 2),
 (1, 'BC00103', date('now', 'localtime', '-6 days') || ' 00:00:00', 'REASSORT TORCHONS',
  'CGALERIE', 3, date('now', 'localtime', '+2 days') || ' 00:00:00', 0, 2),
 (1, 'BC00104', date('now', 'localtime', '-5 days') || ' 00:00:00', 'NOEL COFFRETS', 'CGALERIE',
  3, date('now', 'localtime', '+2 days') || ' 00:00:00', 0, 2),
 (1, 'BC00105', date('now', 'localtime', '-9 days') || ' 00:00:00', 'CDE 2304', 'CBOUTIQ', 1,
  date('now', 'localtime', '+1 days') || ' 00:00:00', 0, 2),
 (1, 'BC00106', date('now', 'localtime', '-3 days') || ' 00:00:00', 'RENOUV. SALLE',
  'CHOTELAL', 5, date('now', 'localtime', '+5 days') || ' 00:00:00', 0, 2),
 (1, 'BC00107', date('now', 'localtime', '-4 days') || ' 00:00:00', 'CDE 2310', 'CBOUTIQ', 2,
  date('now', 'localtime', '+6 days') || ' 00:00:00', 0, 2),
 (1, 'BC00108', date('now', 'localtime', '-15 days') || ' 00:00:00', 'PO-88412', 'CMAISONB', 6,
  date('now', 'localtime', '+3 days') || ' 00:00:00', 0, 2),
 (1, 'BC00109', date('now', 'localtime', '-2 days') || ' 00:00:00', 'VITRINE NOEL', 'CGALERIE',
  4, date('now', 'localtime', '+7 days') || ' 00:00:00', 0, 2),
 (1, 'BC00110', date('now', 'localtime', '-2 days') || ' 00:00:00', '', 'CLINGERIE', 7,
  date('now', 'localtime', '+8 days') || ' 00:00:00', 0, 1),
 (1, 'BC00111', date('now', 'localtime', '-1 days') || ' 00:00:00', 'CDE 2315', 'CBOUTIQ', 1,
  date('now', 'localtime', '+9 days') || ' 00:00:00', 0, 2),
 (1, 'BC00112', date('now', 'localtime', '-1 days') || ' 00:00:00', 'REASSORT TORCH. 2',
  'CGALERIE', 3, date('now', 'localtime', '+4 days') || ' 00:00:00', 0, 2),
 (1, 'BC00113', date('now', 'localtime', '-7 days') || ' 00:00:00', 'PO-LC-4471', 'CLINENCO', 8,
  date('now', 'localtime', '+10 days') || ' 00:00:00', 1, 2),
 (1, 'BC00114', date('now', 'localtime') || ' 00:00:00', 'PO-88519', 'CMAISONB', 9,
  date('now', 'localtime', '+12 days') || ' 00:00:00', 0, 1),
 (0, 'DE00031', date('now', 'localtime', '-8 days') || ' 00:00:00', 'DEVIS ETE', 'CLINGERIE', 7,
  date('now', 'localtime', '+30 days') || ' 00:00:00', 0, 0),
 (3, 'BL00051', date('now', 'localtime', '-11 days') || ' 00:00:00', 'SAISON HIVER', 'CHOTELAL',
  5, date('now', 'localtime', '-11 days') || ' 00:00:00', 0, 0);

-- Lines: quantity ordered and quantity already delivered; the rest is
-- filled in below from the articles and the document headers.
INSERT INTO F_DOCLIGNE (DO_Type, DO_Piece, DL_Ligne, AR_Ref, AG_No1, DL_Qte, DL_QteBL,
                        AR_RefCompose)
VALUES
 (1, 'BC00101', 1000, 'NAPPE160', 11, 2, 0, NULL),
 (1, 'BC00101', 2000, 'SERV45', 21, 12, 0, NULL),
 (1, 'BC00101', 3000, 'COUSS40', 0, 4, 0, NULL),
 (1, 'BC00101', 4000, 'PORT', 0, 1, 0, NULL),

 (1, 'BC00102', 1000, 'SERV45', 21, 60, 60, NULL),
 (1, 'BC00102', 2000, 'NAPPE160', 11, 8, 8, NULL),

 (1, 'BC00103', 1000, 'TORCH50', 31, 6, 0, NULL),
 (1, 'BC00103', 2000, 'TORCH50', 32, 6, 0, NULL),
 (1, 'BC00103', 3000, 'TORCH50', 33, 6, 0, NULL),
 (1, 'BC00103', 4000, 'TABLIER', 0, 4, 0, NULL),

 (1, 'BC00104', 1000, 'COFFRET', 0, 2, 0, 'COFFRET'),
 (1, 'BC00104', 2000, 'TABLIER', 0, 2, 0, 'COFFRET'),
 (1, 'BC00104', 3000, 'MANIQUE', 0, 4, 0, 'COFFRET'),
 (1, 'BC00104', 4000, 'PLAID130', 41, 3, 0, NULL),
 (1, 'BC00104', 5000, 'PLAID130', 42, 2, 0, NULL),
 (1, 'BC00104', 6000, 'PORT', 0, 1, 0, NULL),

 (1, 'BC00105', 1000, 'SERV45', 22, 12, 6, NULL),
 (1, 'BC00105', 2000, 'NAPPE160', 12, 2, 2, NULL),
 (1, 'BC00105', 3000, 'PLAID130', 42, 1, 0, NULL),

 (1, 'BC00106', 1000, 'SERV45', 21, 48, 0, NULL),
 (1, 'BC00106', 2000, 'NAPPE160', 11, 6, 0, NULL),

 (1, 'BC00107', 1000, 'COUSS40', 0, 6, 0, NULL),
 (1, 'BC00107', 2000, 'SETTAB', 0, 8, 0, NULL),

 (1, 'BC00108', 1000, 'TORCH50', 33, 10, 4, NULL),
 (1, 'BC00108', 2000, 'TABLIER', 0, 5, 5, NULL),
 (1, 'BC00108', 3000, 'MANIQUE', 0, 10, 0, NULL),

 (1, 'BC00109', 1000, 'COFFRET', 0, 5, 0, 'COFFRET'),
 (1, 'BC00109', 2000, 'TABLIER', 0, 5, 0, 'COFFRET'),
 (1, 'BC00109', 3000, 'MANIQUE', 0, 10, 0, 'COFFRET'),
 (1, 'BC00109', 4000, 'SERV45', 24, 24, 0, NULL),

 (1, 'BC00110', 1000, 'NAPPE160', 13, 3, 0, NULL),
 (1, 'BC00110', 2000, 'SERV45', 23, 18, 0, NULL),
 (1, 'BC00110', 3000, 'SETTAB', 0, 6, 0, NULL),

 (1, 'BC00111', 1000, 'PLAID130', 41, 2, 0, NULL),
 (1, 'BC00111', 2000, 'COUSS40', 0, 4, 0, NULL),

 (1, 'BC00112', 1000, 'TORCH50', 31, 12, 0, NULL),
 (1, 'BC00112', 2000, 'TORCH50', 32, 12, 0, NULL),
 (1, 'BC00112', 3000, 'TORCH50', 33, 12, 0, NULL),

 (1, 'BC00113', 1000, 'NAPPE160', 11, 10, 0, NULL),
 (1, 'BC00113', 2000, 'SERV45', 21, 60, 0, NULL),
 (1, 'BC00113', 3000, 'PORT', 0, 1, 0, NULL),

 (1, 'BC00114', 1000, 'SETTAB', 0, 12, 0, NULL),
 (1, 'BC00114', 2000, 'MANIQUE', 0, 6, 0, NULL),

 (0, 'DE00031', 1000, 'NAPPE160', 12, 4, 0, NULL),
 (0, 'DE00031', 2000, 'SERV45', 22, 24, 0, NULL),

 (3, 'BL00051', 1000, 'SERV45', 21, 60, 60, NULL),
 (3, 'BL00051', 2000, 'NAPPE160', 11, 8, 8, NULL);

-- Header fields repeated on the lines, prices (components of a composed
-- article are not valued), designations with the colour, and what remains
-- to deliver on the orders.
UPDATE F_DOCLIGNE
   SET CT_Num = (SELECT E.DO_Tiers FROM F_DOCENTETE E
                  WHERE E.DO_Type = F_DOCLIGNE.DO_Type AND E.DO_Piece = F_DOCLIGNE.DO_Piece),
       DO_Date = (SELECT E.DO_Date FROM F_DOCENTETE E
                   WHERE E.DO_Type = F_DOCLIGNE.DO_Type AND E.DO_Piece = F_DOCLIGNE.DO_Piece),
       DO_Ref = (SELECT E.DO_Ref FROM F_DOCENTETE E
                  WHERE E.DO_Type = F_DOCLIGNE.DO_Type AND E.DO_Piece = F_DOCLIGNE.DO_Piece),
       DL_Design = (SELECT A.AR_Design || IFNULL(' ' || G.EG_Enumere, '')
                      FROM F_ARTICLE A LEFT JOIN F_ARTGAMME G ON G.AG_No = F_DOCLIGNE.AG_No1
                     WHERE A.AR_Ref = F_DOCLIGNE.AR_Ref),
       DL_PrixUnitaire = CASE WHEN AR_RefCompose IS NOT NULL AND AR_RefCompose <> AR_Ref THEN 0
                              ELSE (SELECT A.AR_PrixVen FROM F_ARTICLE A
                                     WHERE A.AR_Ref = F_DOCLIGNE.AR_Ref) END,
       DL_QteBC = DL_Qte,
       DL_QtePL = CASE WHEN DO_Type = 1 THEN DL_Qte - DL_QteBL ELSE 0 END;

UPDATE F_DOCLIGNE SET DL_MontantHT = DL_Qte * DL_PrixUnitaire;

UPDATE F_DOCENTETE
   SET DO_TotalHT = (SELECT IFNULL(SUM(L.DL_MontantHT), 0) FROM F_DOCLIGNE L
                      WHERE L.DO_Type = F_DOCENTETE.DO_Type AND L.DO_Piece = F_DOCENTETE.DO_Piece);

----------------------------------------------------------------------------
-- Tarvo: the article table in step with Sage
----------------------------------------------------------------------------

INSERT INTO Article ([Code barres Article], [Libellé], Couleur, lib_art_couleur, AR_Ref, AG_No,
                     date_ajout)
SELECT CodeBarre, [Libellé], Couleur, lib_art_couleur, AR_Ref, AG_No,
       date('now', 'localtime', '-30 days') || ' 18:05:12'
  FROM V_ARTICLE
 WHERE CodeBarre <> ''
 ORDER BY CodeBarre;

----------------------------------------------------------------------------
-- Shipments
----------------------------------------------------------------------------

-- 101: Côté Maison Annecy, packed, weighed and closed.
INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Libellé 2], [No lieu livraison], Langue,
                          [Date création], [Date cloture], [Nbr colis théorique],
                          [Nbr colis réel], Tare, [Poids Net], [Poids brut], Volume)
VALUES (101, 'Côté Maison Annecy', 'Annecy', 1, 0,
        date('now', 'localtime', '-4 days') || ' 09:12:44',
        date('now', 'localtime', '-2 days') || ' 17:40:00', 2, 2, 0.6, 6.3, 6.9, 0.08);

-- 102: Galeries Rhodaniennes warehouse, two orders, being packed.
INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Libellé 2], [No lieu livraison], Langue,
                          [Date création], [Nbr colis théorique])
VALUES (102, 'Galeries Rhodaniennes - Entrepôt', 'Vénissieux', 3, 0,
        date('now', 'localtime', '-1 days') || ' 08:31:05', 3);

-- 103: Hôtel des Alpes, just created.
INSERT INTO [Expédition] ([No Expédition], [Libellé 1], [Libellé 2], [No lieu livraison], Langue)
VALUES (103, 'Hôtel des Alpes', 'Chamonix-Mont-Blanc', 5, 0);

INSERT INTO [Liste commandes] ([No Expédition], [No commande SAGE], [Référence SAGE],
                               [Date livraison], Langue, [No Client], [Date création SAGE],
                               [No lieu livraison])
SELECT X.NoExp, I.DO_Piece, I.DO_Ref, I.DO_DateLivr, I.DO_Langue, I.DO_Tiers, I.DO_Date, I.LI_No
  FROM (SELECT 101 AS NoExp, 'BC00101' AS Piece
        UNION ALL SELECT 102, 'BC00103'
        UNION ALL SELECT 102, 'BC00104'
        UNION ALL SELECT 103, 'BC00106') X
  JOIN [Info Commande] I ON I.DO_Piece = X.Piece
 ORDER BY X.NoExp, I.DO_Piece;

-- What the terminals reported, as integrated.
INSERT INTO [Journal de saisie] ([Code type ligne], [No Expédition], [No Colis],
                                 [Code barres Article], [Poids colis], [Quantité], [Date saisie],
                                 [Date intégration])
SELECT T.Code, T.NoExp, T.Colis, T.CB, T.Poids, T.Qte, date('now', 'localtime', T.Jour) || T.Heure,
       date('now', 'localtime', T.Jour) || T.Integ
  FROM (SELECT '{EXPXA}' AS Code, 101 AS NoExp, '1' AS Colis, '3760987650106' AS CB, 0 AS Poids,
               2 AS Qte, '-3 days' AS Jour, ' 10:02:11' AS Heure, ' 11:15:00' AS Integ
        UNION ALL SELECT '{EXPXA}', 101, '1', '3760987650205', 0, 12, '-3 days', ' 10:04:05',
                         ' 11:15:00'
        UNION ALL SELECT '{EXPXA}', 101, '2', '3760987650014', 0, 4, '-3 days', ' 10:07:30',
                         ' 11:15:00'
        UNION ALL SELECT '{EXPFP}', 101, '1', NULL, 4.8, NULL, '-3 days', ' 10:09:12', ' 11:15:00'
        UNION ALL SELECT '{EXPFP}', 101, '2', NULL, 2.1, NULL, '-3 days', ' 10:09:55', ' 11:15:00'
        UNION ALL SELECT '{EXPXA}', 102, '1', '3760987650304', 0, 6, '-1 days', ' 14:01:10',
                         ' 16:30:00'
        UNION ALL SELECT '{EXPXA}', 102, '1', '3760987650311', 0, 6, '-1 days', ' 14:02:35',
                         ' 16:30:00'
        UNION ALL SELECT '{EXPXA}', 102, '1', '3760987650328', 0, 7, '-1 days', ' 14:03:50',
                         ' 16:30:00'
        UNION ALL SELECT '{EXPSA}', 102, '001', '3760987650311', 0, 1, '-1 days', ' 14:05:02',
                         ' 16:30:00'
        UNION ALL SELECT '{EXPFP}', 102, '1', NULL, 3.2, NULL, '-1 days', ' 14:06:40', ' 16:30:00'
        UNION ALL SELECT '{EXPXA}', 102, '2', '3760987650021', 0, 4, '-1 days', ' 14:10:15',
                         ' 16:30:00'
        UNION ALL SELECT '{EXPFA}', 102, '2', '3760987650045', 0, 2, '-1 days', ' 14:11:30',
                         ' 16:30:00') T;

-- Parcels and their contents as the journal left them.
INSERT INTO Colis ([No Expédition], [No Colis], [Poids colis], [Date mise à jour])
VALUES
 (101, 1, 4.8, date('now', 'localtime', '-3 days') || ' 10:09:12'),
 (101, 2, 2.1, date('now', 'localtime', '-3 days') || ' 10:09:55'),
 (102, 1, 3.2, date('now', 'localtime', '-1 days') || ' 14:06:40'),
 (102, 2, NULL, date('now', 'localtime', '-1 days') || ' 14:10:15');

INSERT INTO Colisage ([No Expédition], [No Colis], [Code barres Article], [Quantité],
                      [Date mise à jour])
VALUES
 (101, 1, '3760987650106', 2, date('now', 'localtime', '-3 days') || ' 10:02:11'),
 (101, 1, '3760987650205', 12, date('now', 'localtime', '-3 days') || ' 10:04:05'),
 (101, 2, '3760987650014', 4, date('now', 'localtime', '-3 days') || ' 10:07:30'),
 (102, 1, '3760987650304', 6, date('now', 'localtime', '-1 days') || ' 14:01:10'),
 (102, 1, '3760987650311', 5, date('now', 'localtime', '-1 days') || ' 14:05:02'),
 (102, 1, '3760987650328', 7, date('now', 'localtime', '-1 days') || ' 14:03:50'),
 (102, 2, '3760987650021', 4, date('now', 'localtime', '-1 days') || ' 14:10:15'),
 (102, 2, '3760987650045', 2, date('now', 'localtime', '-1 days') || ' 14:11:30');

----------------------------------------------------------------------------
-- Letterhead of the packing list
----------------------------------------------------------------------------

INSERT INTO [Informations société] ([Nom société], [Activité], [Adresse 1], [Adresse 2],
                                    [Code postal], Ville, Pays, [Téléphone], Fax, email, Web,
                                    Capital, APE, Siret, RCS, Logo)
VALUES ('Tissages de l''Arve', 'Linge de maison - Négoce', 'Zone artisanale des Grands Prés',
        '12 rue des Tisserands', '74300', 'Cluses', 'France', '04 50 98 76 54',
        '04 50 98 76 55', 'expeditions@tissages-arve.fr', 'www.tissages-arve.fr',
        '150 000 €', '4641Z', '512 345 678 00027', 'RCS Annecy B 512 345 678',
        X'89504E470D0A1A0A0000000D4948445200000030000000180802000000339FE98B000000484944415478DA6390B78A1F548861D441A43BE83F5960D441A30E22806861379D1C4461B88E3A68001D34E8D2D0A883461D34EAA0A1EDA08169A0BDA8951B1034741C34DAC8C78200289B28AD55A4CA120000000049454E44AE426082');
