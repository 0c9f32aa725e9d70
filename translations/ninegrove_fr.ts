<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>TDBGrid</name>
    <message>
        <source>Puzzle library</source>
        <translation>Bibliothèque de grilles</translation>
    </message>
</context>
<context>
    <name>TDesktopServices</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>No default printer is set up. Install a printer and make it the default to print the grid.</source>
        <translation>Aucune imprimante par défaut n&apos;est configurée. Installez une imprimante et choisissez-la par défaut pour imprimer la grille.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; could not start the document.</source>
        <translation>L&apos;imprimante «&#xa0;%1&#xa0;» n&apos;a pas pu commencer le document.</translation>
    </message>
    <message>
        <source>The printer could not finish the document.</source>
        <translation>L&apos;imprimante n&apos;a pas pu terminer le document.</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>About Ninegrove</source>
        <translation>À propos de Ninegrove</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Ninegrove developers</source>
        <translation>Copyright © 2026 Les développeurs de Ninegrove</translation>
    </message>
    <message>
        <source>WWW:</source>
        <translation>Web&#xa0;:</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail&#xa0;:</translation>
    </message>
    <message>
        <source>Visit the Ninegrove website</source>
        <translation>Visiter le site web de Ninegrove</translation>
    </message>
    <message>
        <source>Write to the Ninegrove team</source>
        <translation>Écrire à l&apos;équipe de Ninegrove</translation>
    </message>
</context>
<context>
    <name>TFormGraded</name>
    <message>
        <source>Graded Puzzle</source>
        <translation>Grille par difficulté</translation>
    </message>
    <message>
        <source>&amp;Band:</source>
        <translation>&amp;Niveau :</translation>
    </message>
    <message>
        <source>%1 (ER %2 to %3)</source>
        <translation>%1 (ER de %2 à %3)</translation>
    </message>
    <message>
        <source>%1 (ER %2 and above)</source>
        <translation>%1 (ER %2 et plus)</translation>
    </message>
    <message>
        <source>&amp;Symmetry:</source>
        <translation>&amp;Symétrie :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Rotation by 180 degrees</source>
        <translation>Rotation de 180 degrés</translation>
    </message>
    <message>
        <source>Rotation by 90 degrees</source>
        <translation>Rotation de 90 degrés</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>New Database...</source>
        <translation>Nouvelle base de données...</translation>
    </message>
    <message>
        <source>New Database</source>
        <translation>Nouvelle base de données</translation>
    </message>
    <message>
        <source>Open Database...</source>
        <translation>Ouvrir une base de données...</translation>
    </message>
    <message>
        <source>Open Database</source>
        <translation>Ouvrir une base de données</translation>
    </message>
    <message>
        <source>Save Database As...</source>
        <translation>Enregistrer la base de données sous...</translation>
    </message>
    <message>
        <source>Save Database As</source>
        <translation>Enregistrer la base de données sous</translation>
    </message>
    <message>
        <source>Print Sudoku Grid</source>
        <translation>Imprimer la grille de sudoku</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Generate Puzzle...</source>
        <translation>Générer une grille...</translation>
    </message>
    <message>
        <source>Generate Puzzle</source>
        <translation>Générer une grille</translation>
    </message>
    <message>
        <source>New Puzzle</source>
        <translation>Nouvelle grille</translation>
    </message>
    <message>
        <source>Design Puzzle</source>
        <translation>Concevoir une grille</translation>
    </message>
    <message>
        <source>Edit/Lock Puzzle</source>
        <translation>Modifier/verrouiller la grille</translation>
    </message>
    <message>
        <source>Save Puzzle</source>
        <translation>Enregistrer la grille</translation>
    </message>
    <message>
        <source>Load Puzzle</source>
        <translation>Charger la grille</translation>
    </message>
    <message>
        <source>Delete Puzzle</source>
        <translation>Supprimer la grille</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Solve</source>
        <translation>Résoudre</translation>
    </message>
    <message>
        <source>Solve Puzzle</source>
        <translation>Résoudre la grille</translation>
    </message>
    <message>
        <source>Fill 1-9</source>
        <translation>Remplir 1-9</translation>
    </message>
    <message>
        <source>Reset/Start Timer</source>
        <translation>Remettre à zéro/lancer le chrono</translation>
    </message>
    <message>
        <source>Clear Grid</source>
        <translation>Effacer la grille</translation>
    </message>
    <message>
        <source>Show Errors</source>
        <translation>Afficher les erreurs</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>Copier dans le presse-papiers</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Ninegrove Home Page</source>
        <translation>Site web de Ninegrove</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos de Ninegrove</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Sudoku Grid</source>
        <translation>&amp;Grille de sudoku</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Puzzle Level %1</source>
        <translation>Grille de niveau %1</translation>
    </message>
    <message>
        <source>Sudoku Grid</source>
        <translation>Grille de sudoku</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Base de données</translation>
    </message>
    <message>
        <source>Edit Mode</source>
        <translation>Mode édition</translation>
    </message>
    <message>
        <source>Lock Mode</source>
        <translation>Mode verrouillé</translation>
    </message>
    <message>
        <source>Time  %1</source>
        <translation>Temps  %1</translation>
    </message>
    <message>
        <source>Fixed numbers cannot be edited in Lock Mode.</source>
        <translation>Les chiffres donnés ne peuvent pas être modifiés en mode verrouillé.</translation>
    </message>
    <message>
        <source>Puzzle is unsolvable</source>
        <translation>La grille est insoluble</translation>
    </message>
    <message>
        <source>Ninegrove Library (*.ngl)</source>
        <translation>Bibliothèque Ninegrove (*.ngl)</translation>
    </message>
    <message>
        <source>Access Database (*.mdb)</source>
        <translation>Base de données Access (*.mdb)</translation>
    </message>
    <message>
        <source>%1 is not a Ninegrove library.</source>
        <translation>%1 n&apos;est pas une bibliothèque Ninegrove.</translation>
    </message>
    <message>
        <source>Can not create file. File is still in use.</source>
        <translation>Impossible de créer le fichier. Il est encore utilisé.</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Écraser</translation>
    </message>
    <message>
        <source>File already exists. Overwrite?</source>
        <translation>Le fichier existe déjà. L&apos;écraser&#xa0;?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Error opening league file.</source>
        <translation>Erreur à l&apos;ouverture du fichier de bibliothèque.</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>No library is open.</source>
        <translation>Aucune bibliothèque n&apos;est ouverte.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Do you really want to delete this puzzle?</source>
        <translation>Voulez-vous vraiment supprimer cette grille&#xa0;?</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Supprimer l&apos;enregistrement&#xa0;?</translation>
    </message>
    <message>
        <source>Puzzle files (*.txt);;All files (*)</source>
        <translation>Fichiers de grilles (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Import Puzzles</source>
        <translation>Importer des grilles</translation>
    </message>
    <message>
        <source>Importing puzzles...</source>
        <translation>Importation des grilles...</translation>
    </message>
    <message>
        <source>Puzzles imported: %1.</source>
        <translation>Grilles importées : %1.</translation>
    </message>
    <message>
        <source>Lines skipped: %1 (lines %2).</source>
        <translation>Lignes ignorées : %1 (lignes %2).</translation>
    </message>
    <message>
        <source>Export Puzzles</source>
        <translation>Exporter des grilles</translation>
    </message>
    <message>
        <source>Exporting puzzles...</source>
        <translation>Exportation des grilles...</translation>
    </message>
    <message>
        <source>Puzzles exported: %1.</source>
        <translation>Grilles exportées : %1.</translation>
    </message>
    <message>
        <source>Count Solutions</source>
        <translation>Compter les solutions</translation>
    </message>
    <message>
        <source>The puzzle has no solution.</source>
        <translation>La grille n’a aucune solution.</translation>
    </message>
    <message>
        <source>The puzzle has exactly one solution.</source>
        <translation>La grille a exactement une solution.</translation>
    </message>
    <message>
        <source>The puzzle has more than one solution.</source>
        <translation>La grille a plus d’une solution.</translation>
    </message>
    <message>
        <source>The clipboard holds no puzzle.</source>
        <translation>Le presse-papiers ne contient aucune grille.</translation>
    </message>
    <message>
        <source>Pasted Puzzle</source>
        <translation>Grille collée</translation>
    </message>
    <message>
        <source>Import Puzzles...</source>
        <translation>Importer des grilles...</translation>
    </message>
    <message>
        <source>Export Puzzles...</source>
        <translation>Exporter des grilles...</translation>
    </message>
    <message>
        <source>Paste Puzzle</source>
        <translation>Coller une grille</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>Rate Puzzle</source>
        <translation>Évaluer la grille</translation>
    </message>
    <message>
        <source>Generate Graded Puzzle...</source>
        <translation>Générer une grille par difficulté...</translation>
    </message>
    <message>
        <source>Generate Graded Puzzle</source>
        <translation>Générer une grille par difficulté</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyen</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Fiendish</source>
        <translation>Redoutable</translation>
    </message>
    <message>
        <source>Diabolical</source>
        <translation>Diabolique</translation>
    </message>
    <message>
        <source>Extreme</source>
        <translation>Extrême</translation>
    </message>
    <message>
        <source>The %1 in row %2, column %3 does not belong there.</source>
        <translation>Le %1 de la ligne %2, colonne %3 n’a pas sa place ici.</translation>
    </message>
    <message>
        <source>Look for a %1 in %2.</source>
        <translation>Cherchez la technique %1 (%2).</translation>
    </message>
    <message>
        <source>Look for an %1 in %2.</source>
        <translation>Cherchez la technique %1 (%2).</translation>
    </message>
    <message>
        <source>The puzzle is solved.</source>
        <translation>La grille est résolue.</translation>
    </message>
    <message>
        <source>No logical step is left; only guessing goes on from here.</source>
        <translation>Il ne reste aucune étape logique ; à partir d’ici, seul le tâtonnement avance.</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>ligne %1</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>colonne %1</translation>
    </message>
    <message>
        <source>box %1</source>
        <translation>bloc %1</translation>
    </message>
    <message>
        <source>Rating the puzzle...</source>
        <translation>Évaluation de la grille...</translation>
    </message>
    <message>
        <source>The puzzle has exactly one solution, but logic alone cannot finish it (ER/EP/ED 20.0/%1/%2).</source>
        <translation>La grille a exactement une solution, mais la logique seule ne la termine pas (ER/EP/ED 20.0/%1/%2).</translation>
    </message>
    <message>
        <source>ER/EP/ED: %1/%2/%3
Band: %4
Hardest technique: %5
The puzzle has exactly one solution.</source>
        <translation>ER/EP/ED : %1/%2/%3
Niveau : %4
Technique la plus difficile : %5
La grille a exactement une solution.</translation>
    </message>
    <message>
        <source>Looking for a puzzle of the band %1...
Puzzles tried: %2</source>
        <translation>Recherche d’une grille du niveau %1...
Grilles essayées : %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Export Puzzles with Ratings</source>
        <translation>Exporter les grilles avec leur note</translation>
    </message>
    <message>
        <source>Rating and exporting puzzles...</source>
        <translation>Évaluation et exportation des grilles...</translation>
    </message>
    <message>
        <source>Export Puzzles with Ratings...</source>
        <translation>Exporter les grilles avec leur note...</translation>
    </message>
</context>
<context>
    <name>TFormSelectLevel</name>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Select a level from 1 to 50:</source>
        <translation>Niveau, de 1 à 50&#xa0;:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TGridAccessible</name>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>candidates %1</source>
        <translation>candidats %1</translation>
    </message>
    <message>
        <source>%1, given</source>
        <translation>%1, donné</translation>
    </message>
    <message>
        <source>%1, error</source>
        <translation>%1, erreur</translation>
    </message>
    <message>
        <source>row %1, column %2, %3</source>
        <translation>ligne %1, colonne %2, %3</translation>
    </message>
</context>
<context>
    <name>TGridPage</name>
    <message>
        <source>Sudoku grid</source>
        <translation>Grille de sudoku</translation>
    </message>
    <message>
        <source>Cell entry</source>
        <translation>Saisie de la case</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Generate Puzzle</source>
        <translation>Générer</translation>
    </message>
    <message>
        <source>Solve Puzzle</source>
        <translation>Résoudre</translation>
    </message>
    <message>
        <source>Reset/Start Timer</source>
        <translation>Relancer le chrono</translation>
    </message>
</context>
<context>
    <name>THintPanel</name>
    <message>
        <source>Hint</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>The board has changed since this hint.</source>
        <translation>La grille a changé depuis cet indice.</translation>
    </message>
</context>
<context>
    <name>TProgramFiles</name>
    <message>
        <source>The help could not be opened: this desktop has no program for the help file nghelp.chm nor for its pages in HTML. Install a web browser or a CHM viewer such as xchm, then try again.</source>
        <translation>L&apos;aide n&apos;a pas pu être ouverte&#xa0;: ce bureau n&apos;a aucun programme pour le fichier d&apos;aide nghelp.chm ni pour ses pages HTML. Installez un navigateur web ou une visionneuse CHM comme xchm, puis réessayez.</translation>
    </message>
    <message>
        <source>The help is not installed: neither nghelp.chm nor help/index.html is in %1.</source>
        <translation>L&apos;aide n&apos;est pas installée&#xa0;: ni nghelp.chm ni help/index.html ne se trouvent dans %1.</translation>
    </message>
</context>
<context>
    <name>TPuzzleLibrary</name>
    <message>
        <source>%1 is not a complete Access database.</source>
        <translation>%1 n&apos;est pas une base de données Access complète.</translation>
    </message>
    <message>
        <source>%1 cannot be read as an Access database.</source>
        <translation>%1 ne peut pas être lu comme une base de données Access.</translation>
    </message>
    <message>
        <source>%1 has no readable table list.</source>
        <translation>%1 n&apos;a pas de liste de tables lisible.</translation>
    </message>
    <message>
        <source>%1 has no table Puzzles of 83 columns.</source>
        <translation>%1 n&apos;a pas de table Puzzles de 83 colonnes.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 n&apos;a pas pu être écrit.</translation>
    </message>
    <message>
        <source>This puzzle is no longer in the library.</source>
        <translation>Cette grille n’est plus dans la bibliothèque.</translation>
    </message>
</context>
<context>
    <name>TPuzzleModel</name>
    <message>
        <source>N</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Puzzle</source>
        <translation>Grille</translation>
    </message>
</context>
</TS>
