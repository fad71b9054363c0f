----------------------------------------------------------------------------
-- Range control preparation: exec prepa_controle_qte_gamme SPID, NoExp
--
-- Replaces the rows of @SPID by the shipment's rows of controle_qte_gamme in
-- report order (description, reference, ordered colour), with after each
-- article managed in ranges a subtotal row "S/T". The insertions form one
-- transaction: a failure leaves no rows for @SPID rather than half a report.
-- Quantities and sums keep Sage's six decimals (cloth by the metre) and
-- 32 digits before them.
----------------------------------------------------------------------------

IF OBJECT_ID(N'dbo.prepa_controle_qte_gamme', N'P') IS NOT NULL
    DROP PROCEDURE dbo.prepa_controle_qte_gamme;
GO

-- A quantity as the report prints it: a decimal point, no trailing zeros
-- ("2.5", "3", "-0.25").
IF OBJECT_ID(N'dbo.tarvo_texte_quantite', N'FN') IS NOT NULL
    DROP FUNCTION dbo.tarvo_texte_quantite;
GO
CREATE FUNCTION dbo.tarvo_texte_quantite (@Quantite decimal(38, 6))
RETURNS varchar(40)
AS
BEGIN
    RETURN REPLACE(RTRIM(REPLACE(REPLACE(RTRIM(REPLACE(CONVERT(varchar(40), @Quantite), '0', ' ')),
                                         ' ', '0'), '.', ' ')), ' ', '.');
END;
GO
CREATE PROCEDURE dbo.prepa_controle_qte_gamme
    @SPID  int,
    @NoExp int
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;

    DECLARE @AR_Ref varchar(19), @CodeBarre varchar(50), @Libelle varchar(69),
            @Design_couleur varchar(100), @Couleur_cde varchar(21), @Couleur_exp varchar(21),
            @Qte_cde decimal(38, 6), @Qte_exp decimal(38, 6), @Controle varchar(30),
            @Difference decimal(38, 6),
            @EnGamme smallint;
    DECLARE @RefCourante varchar(19), @GammeCourante smallint, @LignesGroupe int,
            @SommeCde decimal(38, 6), @SommeExp decimal(38, 6);

    DELETE FROM dbo.w_controle_qte_gamme WHERE SPID = @SPID;

    DECLARE rsV CURSOR LOCAL STATIC READ_ONLY FOR
        SELECT AR_Ref, CodeBarre, Libelle, Design_couleur, Couleur_cde, Couleur_exp,
               Qte_cde, Qte_exp, Controle, Difference, EnGamme
          FROM dbo.controle_qte_gamme
         WHERE NoExp = @NoExp
         ORDER BY Libelle, AR_Ref, Couleur_cde;

    SET @RefCourante = '';
    SET @LignesGroupe = 0;
    SET @SommeCde = 0;
    SET @SommeExp = 0;

    BEGIN TRANSACTION;
    OPEN rsV;
    FETCH NEXT FROM rsV INTO @AR_Ref, @CodeBarre, @Libelle, @Design_couleur, @Couleur_cde,
                             @Couleur_exp, @Qte_cde, @Qte_exp, @Controle, @Difference,
                             @EnGamme;
    SET @GammeCourante = @EnGamme;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        IF ISNULL(@AR_Ref, '') <> @RefCourante
        BEGIN
            IF @GammeCourante = 1 AND @LignesGroupe > 0
                INSERT INTO dbo.w_controle_qte_gamme
                       (SPID, NoExp, AR_Ref, Design_couleur, EnGamme, Qte_cde, Qte_exp,
                        Qte_cde_str, Qte_exp_str, Difference, Controle)
                VALUES (@SPID, @NoExp, @RefCourante, 'S/T', @GammeCourante, @SommeCde,
                        @SommeExp, dbo.tarvo_texte_quantite(@SommeCde),
                        dbo.tarvo_texte_quantite(@SommeExp), @SommeExp - @SommeCde,
                        CASE WHEN @SommeCde = @SommeExp THEN 'OK'
                             ELSE 'Quantité incorrecte' END);
            SET @RefCourante = ISNULL(@AR_Ref, '');
            SET @LignesGroupe = 0;
            SET @SommeCde = 0;
            SET @SommeExp = 0;
        END;

        INSERT INTO dbo.w_controle_qte_gamme
               (SPID, NoExp, AR_Ref, CodeBarre, Libelle, Design_couleur, Couleur_cde,
                Couleur_exp, Qte_cde, Qte_exp, Qte_cde_str, Qte_exp_str, Controle, Difference,
                EnGamme)
        VALUES (@SPID, @NoExp, @AR_Ref, @CodeBarre, @Libelle, @Design_couleur, @Couleur_cde,
                @Couleur_exp, @Qte_cde, @Qte_exp, dbo.tarvo_texte_quantite(@Qte_cde),
                dbo.tarvo_texte_quantite(@Qte_exp), @Controle, @Difference, @EnGamme);

        -- Beyond 32 digits the assignment fails and the transaction is
        -- rolled back.
        SET @SommeCde = @SommeCde + @Qte_cde;
        SET @SommeExp = @SommeExp + @Qte_exp;
        SET @LignesGroupe = @LignesGroupe + 1;
        SET @GammeCourante = @EnGamme;

        FETCH NEXT FROM rsV INTO @AR_Ref, @CodeBarre, @Libelle, @Design_couleur, @Couleur_cde,
                                 @Couleur_exp, @Qte_cde, @Qte_exp, @Controle, @Difference,
                                 @EnGamme;
    END;

    IF @GammeCourante = 1 AND @LignesGroupe > 0
        INSERT INTO dbo.w_controle_qte_gamme
               (SPID, NoExp, AR_Ref, Design_couleur, EnGamme, Qte_cde, Qte_exp, Qte_cde_str,
                Qte_exp_str, Difference, Controle)
        VALUES (@SPID, @NoExp, @RefCourante, 'S/T', @GammeCourante, @SommeCde, @SommeExp,
                dbo.tarvo_texte_quantite(@SommeCde), dbo.tarvo_texte_quantite(@SommeExp),
                @SommeExp - @SommeCde,
                CASE WHEN @SommeCde = @SommeExp THEN 'OK' ELSE 'Quantité incorrecte' END);

    CLOSE rsV;
    DEALLOCATE rsV;
    COMMIT TRANSACTION;
END;
GO
