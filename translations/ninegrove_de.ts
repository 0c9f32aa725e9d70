<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>TDBGrid</name>
    <message>
        <source>Puzzle library</source>
        <translation>Rätselsammlung</translation>
    </message>
</context>
<context>
    <name>TDesktopServices</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>No default printer is set up. Install a printer and make it the default to print the grid.</source>
        <translation>Es ist kein Standarddrucker eingerichtet. Installieren Sie einen Drucker und legen Sie ihn als Standard fest, um das Gitter zu drucken.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; could not start the document.</source>
        <translation>Der Drucker „%1“ konnte das Dokument nicht beginnen.</translation>
    </message>
    <message>
        <source>The printer could not finish the document.</source>
        <translation>Der Drucker konnte das Dokument nicht abschließen.</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>About Ninegrove</source>
        <translation>Über Ninegrove</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Copyright © 2026 The Ninegrove developers</source>
        <translation>Copyright © 2026 Die Ninegrove-Entwickler</translation>
    </message>
    <message>
        <source>WWW:</source>
        <translation>WWW:</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Visit the Ninegrove website</source>
        <translation>Die Website von Ninegrove besuchen</translation>
    </message>
    <message>
        <source>Write to the Ninegrove team</source>
        <translation>An das Ninegrove-Team schreiben</translation>
    </message>
</context>
<context>
    <name>TFormGraded</name>
    <message>
        <source>Graded Puzzle</source>
        <translation>Rätsel nach Schwierigkeit</translation>
    </message>
    <message>
        <source>&amp;Band:</source>
        <translation>&amp;Stufe:</translation>
    </message>
    <message>
        <source>%1 (ER %2 to %3)</source>
        <translation>%1 (ER %2 bis %3)</translation>
    </message>
    <message>
        <source>%1 (ER %2 and above)</source>
        <translation>%1 (ER ab %2)</translation>
    </message>
    <message>
        <source>&amp;Symmetry:</source>
        <translation>S&amp;ymmetrie:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Rotation by 180 degrees</source>
        <translation>Drehung um 180 Grad</translation>
    </message>
    <message>
        <source>Rotation by 90 degrees</source>
        <translation>Drehung um 90 Grad</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Spiegelung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>New Database...</source>
        <translation>Neue Datenbank...</translation>
    </message>
    <message>
        <source>New Database</source>
        <translation>Neue Datenbank</translation>
    </message>
    <message>
        <source>Open Database...</source>
        <translation>Datenbank öffnen...</translation>
    </message>
    <message>
        <source>Open Database</source>
        <translation>Datenbank öffnen</translation>
    </message>
    <message>
        <source>Save Database As...</source>
        <translation>Datenbank speichern unter...</translation>
    </message>
    <message>
        <source>Save Database As</source>
        <translation>Datenbank speichern unter</translation>
    </message>
    <message>
        <source>Print Sudoku Grid</source>
        <translation>Sudoku-Gitter drucken</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Generate Puzzle...</source>
        <translation>Rätsel erzeugen...</translation>
    </message>
    <message>
        <source>Generate Puzzle</source>
        <translation>Rätsel erzeugen</translation>
    </message>
    <message>
        <source>New Puzzle</source>
        <translation>Neues Rätsel</translation>
    </message>
    <message>
        <source>Design Puzzle</source>
        <translation>Rätsel entwerfen</translation>
    </message>
    <message>
        <source>Edit/Lock Puzzle</source>
        <translation>Rätsel bearbeiten/sperren</translation>
    </message>
    <message>
        <source>Save Puzzle</source>
        <translation>Rätsel speichern</translation>
    </message>
    <message>
        <source>Load Puzzle</source>
        <translation>Rätsel laden</translation>
    </message>
    <message>
        <source>Delete Puzzle</source>
        <translation>Rätsel löschen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Solve</source>
        <translation>Lösen</translation>
    </message>
    <message>
        <source>Solve Puzzle</source>
        <translation>Rätsel lösen</translation>
    </message>
    <message>
        <source>Fill 1-9</source>
        <translation>1-9 eintragen</translation>
    </message>
    <message>
        <source>Reset/Start Timer</source>
        <translation>Uhr zurücksetzen/starten</translation>
    </message>
    <message>
        <source>Clear Grid</source>
        <translation>Gitter leeren</translation>
    </message>
    <message>
        <source>Show Errors</source>
        <translation>Fehler zeigen</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Ninegrove Home Page</source>
        <translation>Ninegrove-Homepage</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Ninegrove</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Sudoku Grid</source>
        <translation>&amp;Sudoku-Gitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Puzzle Level %1</source>
        <translation>Rätsel der Stufe %1</translation>
    </message>
    <message>
        <source>Sudoku Grid</source>
        <translation>Sudoku-Gitter</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Edit Mode</source>
        <translation>Editiermodus</translation>
    </message>
    <message>
        <source>Lock Mode</source>
        <translation>Sperrmodus</translation>
    </message>
    <message>
        <source>Time  %1</source>
        <translation>Zeit  %1</translation>
    </message>
    <message>
        <source>Fixed numbers cannot be edited in Lock Mode.</source>
        <translation>Vorgegebene Zahlen können im Sperrmodus nicht geändert werden.</translation>
    </message>
    <message>
        <source>Puzzle is unsolvable</source>
        <translation>Das Rätsel ist unlösbar</translation>
    </message>
    <message>
        <source>Ninegrove Library (*.ngl)</source>
        <translation>Ninegrove-Bibliothek (*.ngl)</translation>
    </message>
    <message>
        <source>Access Database (*.mdb)</source>
        <translation>Access-Datenbank (*.mdb)</translation>
    </message>
    <message>
        <source>%1 is not a Ninegrove library.</source>
        <translation>%1 ist keine Ninegrove-Bibliothek.</translation>
    </message>
    <message>
        <source>Can not create file. File is still in use.</source>
        <translation>Die Datei kann nicht angelegt werden. Sie wird noch verwendet.</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>File already exists. Overwrite?</source>
        <translation>Die Datei existiert bereits. Überschreiben?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Error opening league file.</source>
        <translation>Fehler beim Öffnen der Bibliotheksdatei.</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>No library is open.</source>
        <translation>Es ist keine Bibliothek geöffnet.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Do you really want to delete this puzzle?</source>
        <translation>Wollen Sie dieses Rätsel wirklich löschen?</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Datensatz löschen?</translation>
    </message>
    <message>
        <source>Puzzle files (*.txt);;All files (*)</source>
        <translation>Rätseldateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Import Puzzles</source>
        <translation>Rätsel importieren</translation>
    </message>
    <message>
        <source>Importing puzzles...</source>
        <translation>Rätsel werden importiert ...</translation>
    </message>
    <message>
        <source>Puzzles imported: %1.</source>
        <translation>Importierte Rätsel: %1.</translation>
    </message>
    <message>
        <source>Lines skipped: %1 (lines %2).</source>
        <translation>Übersprungene Zeilen: %1 (Zeilen %2).</translation>
    </message>
    <message>
        <source>Export Puzzles</source>
        <translation>Rätsel exportieren</translation>
    </message>
    <message>
        <source>Exporting puzzles...</source>
        <translation>Rätsel werden exportiert ...</translation>
    </message>
    <message>
        <source>Puzzles exported: %1.</source>
        <translation>Exportierte Rätsel: %1.</translation>
    </message>
    <message>
        <source>Count Solutions</source>
        <translation>Lösungen zählen</translation>
    </message>
    <message>
        <source>The puzzle has no solution.</source>
        <translation>Das Rätsel hat keine Lösung.</translation>
    </message>
    <message>
        <source>The puzzle has exactly one solution.</source>
        <translation>Das Rätsel hat genau eine Lösung.</translation>
    </message>
    <message>
        <source>The puzzle has more than one solution.</source>
        <translation>Das Rätsel hat mehr als eine Lösung.</translation>
    </message>
    <message>
        <source>The clipboard holds no puzzle.</source>
        <translation>Die Zwischenablage enthält kein Rätsel.</translation>
    </message>
    <message>
        <source>Pasted Puzzle</source>
        <translation>Eingefügtes Rätsel</translation>
    </message>
    <message>
        <source>Import Puzzles...</source>
        <translation>Rätsel importieren ...</translation>
    </message>
    <message>
        <source>Export Puzzles...</source>
        <translation>Rätsel exportieren ...</translation>
    </message>
    <message>
        <source>Paste Puzzle</source>
        <translation>Rätsel einfügen</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Rate Puzzle</source>
        <translation>Rätsel bewerten</translation>
    </message>
    <message>
        <source>Generate Graded Puzzle...</source>
        <translation>Rätsel nach Schwierigkeit erzeugen...</translation>
    </message>
    <message>
        <source>Generate Graded Puzzle</source>
        <translation>Rätsel nach Schwierigkeit erzeugen</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Fiendish</source>
        <translation>Teuflisch</translation>
    </message>
    <message>
        <source>Diabolical</source>
        <translation>Diabolisch</translation>
    </message>
    <message>
        <source>Extreme</source>
        <translation>Extrem</translation>
    </message>
    <message>
        <source>The %1 in row %2, column %3 does not belong there.</source>
        <translation>Die %1 in Zeile %2, Spalte %3 gehört nicht dorthin.</translation>
    </message>
    <message>
        <source>Look for a %1 in %2.</source>
        <translation>Suchen Sie in %2 nach: %1.</translation>
    </message>
    <message>
        <source>Look for an %1 in %2.</source>
        <translation>Suchen Sie in %2 nach: %1.</translation>
    </message>
    <message>
        <source>The puzzle is solved.</source>
        <translation>Das Rätsel ist gelöst.</translation>
    </message>
    <message>
        <source>No logical step is left; only guessing goes on from here.</source>
        <translation>Es bleibt kein logischer Schritt; von hier an hilft nur noch Raten.</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>box %1</source>
        <translation>Block %1</translation>
    </message>
    <message>
        <source>Rating the puzzle...</source>
        <translation>Das Rätsel wird bewertet ...</translation>
    </message>
    <message>
        <source>The puzzle has exactly one solution, but logic alone cannot finish it (ER/EP/ED 20.0/%1/%2).</source>
        <translation>Das Rätsel hat genau eine Lösung, aber Logik allein löst es nicht (ER/EP/ED 20.0/%1/%2).</translation>
    </message>
    <message>
        <source>ER/EP/ED: %1/%2/%3
Band: %4
Hardest technique: %5
The puzzle has exactly one solution.</source>
        <translation>ER/EP/ED: %1/%2/%3
Stufe: %4
Schwierigste Technik: %5
Das Rätsel hat genau eine Lösung.</translation>
    </message>
    <message>
        <source>Looking for a puzzle of the band %1...
Puzzles tried: %2</source>
        <translation>Suche nach einem Rätsel der Stufe %1 ...
Versuchte Rätsel: %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Export Puzzles with Ratings</source>
        <translation>Rätsel mit Bewertung exportieren</translation>
    </message>
    <message>
        <source>Rating and exporting puzzles...</source>
        <translation>Rätsel werden bewertet und exportiert ...</translation>
    </message>
    <message>
        <source>Export Puzzles with Ratings...</source>
        <translation>Rätsel mit Bewertung exportieren...</translation>
    </message>
</context>
<context>
    <name>TFormSelectLevel</name>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Select a level from 1 to 50:</source>
        <translation>Stufe von 1 bis 50 wählen:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TGridAccessible</name>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>candidates %1</source>
        <translation>Kandidaten %1</translation>
    </message>
    <message>
        <source>%1, given</source>
        <translation>%1, vorgegeben</translation>
    </message>
    <message>
        <source>%1, error</source>
        <translation>%1, Fehler</translation>
    </message>
    <message>
        <source>row %1, column %2, %3</source>
        <translation>Zeile %1, Spalte %2, %3</translation>
    </message>
</context>
<context>
    <name>TGridPage</name>
    <message>
        <source>Sudoku grid</source>
        <translation>Sudoku-Gitter</translation>
    </message>
    <message>
        <source>Cell entry</source>
        <translation>Zelleneingabe</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Generate Puzzle</source>
        <translation>Rätsel erzeugen</translation>
    </message>
    <message>
        <source>Solve Puzzle</source>
        <translation>Rätsel lösen</translation>
    </message>
    <message>
        <source>Reset/Start Timer</source>
        <translation>Uhr neu starten</translation>
    </message>
</context>
<context>
    <name>THintPanel</name>
    <message>
        <source>Hint</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The board has changed since this hint.</source>
        <translation>Das Gitter hat sich seit diesem Hinweis geändert.</translation>
    </message>
</context>
<context>
    <name>TProgramFiles</name>
    <message>
        <source>The help could not be opened: this desktop has no program for the help file nghelp.chm nor for its pages in HTML. Install a web browser or a CHM viewer such as xchm, then try again.</source>
        <translation>Die Hilfe konnte nicht geöffnet werden: Auf diesem Desktop gibt es kein Programm für die Hilfedatei nghelp.chm und keines für ihre HTML-Seiten. Installieren Sie einen Webbrowser oder einen CHM-Betrachter wie xchm und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The help is not installed: neither nghelp.chm nor help/index.html is in %1.</source>
        <translation>Die Hilfe ist nicht installiert: Weder nghelp.chm noch help/index.html liegt in %1.</translation>
    </message>
</context>
<context>
    <name>TPuzzleLibrary</name>
    <message>
        <source>%1 is not a complete Access database.</source>
        <translation>%1 ist keine vollständige Access-Datenbank.</translation>
    </message>
    <message>
        <source>%1 cannot be read as an Access database.</source>
        <translation>%1 kann nicht als Access-Datenbank gelesen werden.</translation>
    </message>
    <message>
        <source>%1 has no readable table list.</source>
        <translation>%1 hat kein lesbares Tabellenverzeichnis.</translation>
    </message>
    <message>
        <source>%1 has no table Puzzles of 83 columns.</source>
        <translation>%1 hat keine Tabelle Puzzles mit 83 Spalten.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>This puzzle is no longer in the library.</source>
        <translation>Dieses Rätsel ist nicht mehr in der Bibliothek.</translation>
    </message>
</context>
<context>
    <name>TPuzzleModel</name>
    <message>
        <source>N</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Puzzle</source>
        <translation>Rätsel</translation>
    </message>
</context>
</TS>
