<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>taskwell</name>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Increment</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Replicate</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Druck</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Sichern</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>S&amp;uchen</translation>
    </message>
    <message>
        <source>Sorted by Date</source>
        <translation>Sortiert nach Datum</translation>
    </message>
    <message>
        <source>Sorted by Desc</source>
        <translation>Sortiert nach Beschr.</translation>
    </message>
    <message>
        <source>Sorted by Proj</source>
        <translation>Sortiert nach Projekt</translation>
    </message>
    <message>
        <source>AutoSort on</source>
        <translation>AutoSort an</translation>
    </message>
    <message>
        <source>AutoSort off</source>
        <translation>AutoSort aus</translation>
    </message>
    <message>
        <source>Sort Now</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>&amp;Hide Sel</source>
        <translation>&amp;Ausw. ausbl.</translation>
    </message>
    <message>
        <source>&amp;Hide UnSel</source>
        <translation>&amp;Rest ausbl.</translation>
    </message>
    <message>
        <source>&amp;Hide None</source>
        <translation>&amp;Alle zeigen</translation>
    </message>
    <message>
        <source>Click a Col Hdr to sort</source>
        <translation>Spaltenkopf klicken: sortieren</translation>
    </message>
    <message>
        <source>F2 to Edit a cell</source>
        <translation>F2: Zelle bearbeiten</translation>
    </message>
    <message>
        <source>Abou&amp;t</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Ende</translation>
    </message>
    <message>
        <source>Close-NoSave</source>
        <translation>Ende ohne Sichern</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Pri</source>
        <translation>Prio</translation>
    </message>
    <message>
        <source>SubP</source>
        <translation>UPri</translation>
    </message>
    <message>
        <source>Proj</source>
        <translation>Proj</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Click here to continue</source>
        <translation>Hier klicken, um fortzufahren</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>%1 is already being edited.</source>
        <translation>%1 wird bereits bearbeitet.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Increment Error</source>
        <translation>Fehler beim Weiterschalten</translation>
    </message>
    <message>
        <source>No date to increment</source>
        <translation>Kein Datum zum Weiterschalten</translation>
    </message>
    <message>
        <source>Increment End</source>
        <translation>Ende der Wiederholung</translation>
    </message>
    <message>
        <source>Item has now incremented past it&apos;s end date.</source>
        <translation>Der Eintrag ist jetzt über sein Enddatum hinaus weitergeschaltet.</translation>
    </message>
    <message>
        <source>--due needs a number of days</source>
        <translation>--due braucht eine Anzahl von Tagen</translation>
    </message>
    <message>
        <source>--due and --remind cannot be used together</source>
        <translation>--due und --remind können nicht zusammen verwendet werden</translation>
    </message>
    <message>
        <source>--due, --remind, --export and --import cannot be combined</source>
        <translation>--due, --remind, --export und --import können nicht zusammen verwendet werden</translation>
    </message>
    <message>
        <source>--export needs a format: ics or todotxt</source>
        <translation>--export braucht ein Format: ics oder todotxt</translation>
    </message>
    <message>
        <source>--import needs the file to import</source>
        <translation>--import braucht die zu importierende Datei</translation>
    </message>
    <message>
        <source>Usage: taskwell [OPTION]... [--] [FILE]
Edit the to-do list in FILE (default: $HOME/ToDo.ToDo) in a window.

  --due DAYS     print the tasks due from today to DAYS days ahead, and undated
                 tasks whose priority is 0 to DAYS, as the Print button would
                 print them; needs no display and never changes the file
  --remind       show what is overdue and due today as one desktop
                 notification; needs only the session bus, never changes the file
  --export FORMAT  write the list to standard output as iCalendar (ics) or
                 todo.txt (todotxt); never changes the file
  --import PATH  add the tasks of the iCalendar or todo.txt file PATH to the
                 list (created when missing), and say what could not be kept
  --sync-setup URL  sync the list with the CalDAV task collection at URL
                 (https://USER@HOST/PATH/); off ends it
  --sync         sync the list with its CalDAV collection once, both ways
  -h, --help     print this help and exit
      --version  print the version and exit
  --             end of options: the next argument is the file, even if it
                 starts with -

Exit status: 0 on success, 1 when the file cannot be read, the window cannot
open, no notification could be shown, an import is refused or a sync fails, 2
for an unknown option. The mapping to iCalendar and todo.txt: docs/INTERCHANGE.md.
</source>
        <translation>Aufruf: taskwell [OPTION]... [--] [DATEI]
Bearbeitet die Aufgabenliste in DATEI (Vorgabe: $HOME/ToDo.ToDo) in einem Fenster.

  --due TAGE     gibt die Aufgaben aus, die von heute bis in TAGE Tagen fällig
                 sind, und Aufgaben ohne Datum mit Priorität 0 bis TAGE, wie der
                 Knopf Druck sie drucken würde; braucht keine Anzeige und ändert
                 die Datei nie
  --remind       zeigt Überfälliges und heute Fälliges als eine
                 Desktop-Benachrichtigung; braucht nur den Sitzungsbus und ändert
                 die Datei nie
  --export FORMAT  schreibt die Liste als iCalendar (ics) oder todo.txt
                 (todotxt) auf die Standardausgabe; ändert die Datei nie
  --import PFAD  fügt der Liste die Aufgaben der iCalendar- oder todo.txt-Datei
                 PFAD hinzu (legt sie an, wenn sie fehlt) und sagt, was nicht
                 übernommen werden konnte
  --sync-setup URL  gleicht die Liste mit der CalDAV-Aufgabensammlung unter URL
                 ab (https://BENUTZER@RECHNER/PFAD/); off beendet es
  --sync         gleicht die Liste einmal in beide Richtungen mit ihrer
                 CalDAV-Sammlung ab
  -h, --help     gibt diese Hilfe aus und beendet das Programm
      --version  gibt die Version aus und beendet das Programm
  --             Ende der Optionen: das nächste Argument ist die Datei, auch wenn
                 es mit - beginnt

Rückgabewert: 0 bei Erfolg, 1, wenn die Datei nicht gelesen werden kann, das
Fenster sich nicht öffnen lässt, keine Benachrichtigung gezeigt werden konnte,
ein Import abgelehnt wird oder ein Abgleich fehlschlägt, 2 bei einer unbekannten
Option. Die Zuordnung
zu iCalendar und todo.txt: docs/INTERCHANGE.md.
</translation>
    </message>
    <message>
        <source>&quot;%1&quot;&#13;
Are you sure you want to delete this repeating entry?</source>
        <translation>„%1“&#13;
Soll dieser wiederkehrende Eintrag wirklich gelöscht werden?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would start a program.&#13;
Open its folder instead?</source>
        <translation>„%1“ würde ein Programm starten.&#13;
Stattdessen seinen Ordner öffnen?</translation>
    </message>
    <message>
        <source>%1
and %2 more</source>
        <translation>%1
und %2 weitere</translation>
    </message>
    <message>
        <source>%1&#13;
Overwrite it with the tasks shown here?</source>
        <translation>%1&#13;
Die Datei mit den hier gezeigten Aufgaben überschreiben?</translation>
    </message>
    <message>
        <source>%1&#13;
Save the tasks shown here?</source>
        <translation>%1&#13;
Die hier gezeigten Aufgaben sichern?</translation>
    </message>
    <message>
        <source>%1 Loading stopped there, so the tasks after it are not in the list. The first save keeps the whole original file as %2.</source>
        <translation>%1 Das Laden endete dort, die folgenden Aufgaben fehlen in der Liste. Das erste Sichern bewahrt die ganze ursprüngliche Datei als %2 auf.</translation>
    </message>
    <message>
        <source>%1 The first save keeps the whole original file as %2.</source>
        <translation>%1 Das erste Sichern bewahrt die ganze ursprüngliche Datei als %2 auf.</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 ist schon vorhanden</translation>
    </message>
    <message>
        <source>%1 changed</source>
        <translation>%1 geändert</translation>
    </message>
    <message>
        <source>%1 could not be read when this list was opened, so the list does not show the tasks in it.</source>
        <translation>%1 konnte beim Öffnen dieser Liste nicht gelesen werden; die Liste zeigt seine Aufgaben daher nicht.</translation>
    </message>
    <message>
        <source>%1 goes on after a Ctrl+Z character in line %2. Loading stopped there, so what follows it is not in the list.</source>
        <translation>%1 geht nach einem Strg+Z-Zeichen in Zeile %2 weiter. Das Laden endete dort; was folgt, fehlt in der Liste.</translation>
    </message>
    <message>
        <source>%1 had been emptied or cut short elsewhere. The tasks shown here were saved; the file as it was is kept as %2.</source>
        <translation>%1 war anderswo geleert oder gekürzt worden. Die hier gezeigten Aufgaben wurden gesichert; die Datei, wie sie war, bleibt als %2 erhalten.</translation>
    </message>
    <message>
        <source>%1 has %2 other name (hard links). Saving gives this name a new file; the other names keep the old tasks.</source>
        <translation>%1 hat %2 weiteren Namen (harte Links). Beim Sichern erhält dieser Name eine neue Datei; der andere Name behält die alten Aufgaben.</translation>
    </message>
    <message>
        <source>%1 has %2 other names (hard links). Saving gives this name a new file; the other names keep the old tasks.</source>
        <translation>%1 hat %2 weitere Namen (harte Links). Beim Sichern erhält dieser Name eine neue Datei; die anderen Namen behalten die alten Aufgaben.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program since this window read or saved it.</source>
        <translation>%1 wurde von einem anderen Programm geändert, seit dieses Fenster die Datei gelesen oder gesichert hat.</translation>
    </message>
    <message>
        <source>%1 has been deleted by another program since this window read or saved it.</source>
        <translation>%1 wurde von einem anderen Programm gelöscht, seit dieses Fenster die Datei gelesen oder gesichert hat.</translation>
    </message>
    <message>
        <source>%1 is stored in the single-byte Windows-1252 encoding, which cannot hold some characters of the list&#13;
Save the file as UTF-8 instead? Programs that expect the old encoding may then show its accented characters wrongly.</source>
        <translation>%1 ist in der Ein-Byte-Kodierung Windows-1252 gespeichert, die einige Zeichen der Liste nicht fassen kann&#13;
Die Datei stattdessen als UTF-8 sichern? Programme, die die alte Kodierung erwarten, zeigen ihre Umlaute und Akzente dann womöglich falsch.</translation>
    </message>
    <message>
        <source>%1 is stored in the single-byte Windows-1252 encoding, which cannot hold some characters of the list: %2&#13;
Save the file as UTF-8 instead? Programs that expect the old encoding may then show its accented characters wrongly.</source>
        <translation>%1 ist in der Ein-Byte-Kodierung Windows-1252 gespeichert, die einige Zeichen der Liste nicht fassen kann: %2&#13;
Die Datei stattdessen als UTF-8 sichern? Programme, die die alte Kodierung erwarten, zeigen ihre Umlaute und Akzente dann womöglich falsch.</translation>
    </message>
    <message>
        <source>%1 more lines do too.</source>
        <translation>%1 weitere Zeilen ebenso.</translation>
    </message>
    <message>
        <source>%1 removed</source>
        <translation>%1 entfernt</translation>
    </message>
    <message>
        <source>%1 task added</source>
        <translation>%1 Aufgabe hinzugefügt</translation>
    </message>
    <message>
        <source>%1 task changed in both places (both versions kept)</source>
        <translation>%1 Aufgabe an beiden Orten geändert (beide Fassungen behalten)</translation>
    </message>
    <message>
        <source>%1 tasks added</source>
        <translation>%1 Aufgaben hinzugefügt</translation>
    </message>
    <message>
        <source>%1 tasks changed in both places (both versions kept)</source>
        <translation>%1 Aufgaben an beiden Orten geändert (beide Fassungen behalten)</translation>
    </message>
    <message>
        <source>%1 was changed elsewhere and cannot be loaded completely: %2 The list still shows the tasks as they were. Saving asks before it replaces the file.</source>
        <translation>%1 wurde anderswo geändert und lässt sich nicht vollständig laden: %2 Die Liste zeigt die Aufgaben weiter, wie sie waren. Vor dem Ersetzen der Datei fragt das Sichern nach.</translation>
    </message>
    <message>
        <source>%1 was emptied or cut short elsewhere (%2 bytes, no header line). The list still shows its tasks; Save keeps them and keeps the file as it is now as %3.</source>
        <translation>%1 wurde anderswo geleert oder gekürzt (%2 Bytes, keine Kopfzeile). Die Liste zeigt ihre Aufgaben weiter; Sichern behält sie und bewahrt die Datei, wie sie jetzt ist, als %3 auf.</translation>
    </message>
    <message>
        <source>%1 was saved, but not completely flushed to disk: %2. A power cut now could lose the save; save again.</source>
        <translation>%1 wurde gesichert, aber nicht vollständig auf den Datenträger geschrieben: %2. Ein Stromausfall könnte das Sichern jetzt zunichtemachen; bitte erneut sichern.</translation>
    </message>
    <message>
        <source>%1: %2 due today</source>
        <translation>%1: %2 heute fällig</translation>
    </message>
    <message>
        <source>%1: %2 overdue</source>
        <translation>%1: %2 überfällig</translation>
    </message>
    <message>
        <source>%1: %2 overdue, %3 due today</source>
        <translation>%1: %2 überfällig, %3 heute fällig</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid %2</source>
        <translation>„%1“ ist kein gültiger Wert (%2)</translation>
    </message>
    <message>
        <source>Cannot close the folder %1: %2</source>
        <translation>Der Ordner %1 lässt sich nicht schließen: %2</translation>
    </message>
    <message>
        <source>Cannot flush the folder %1: %2</source>
        <translation>Der Ordner %1 lässt sich nicht auf den Datenträger schreiben: %2</translation>
    </message>
    <message>
        <source>Cannot keep %1 as %2: %3</source>
        <translation>%1 lässt sich nicht als %2 aufbewahren: %3</translation>
    </message>
    <message>
        <source>Cannot keep the recovery journal in %1: %2</source>
        <translation>Das Wiederherstellungsprotokoll lässt sich nicht in %1 führen: %2</translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>Der Ordner %1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>%1 lässt sich nicht sichern: %2</translation>
    </message>
    <message>
        <source>Cannot save %1: there is not enough memory. Nothing was written; the file is as it was. Close other programs and save again</source>
        <translation>%1 lässt sich nicht sichern: Der Arbeitsspeicher reicht nicht. Nichts wurde geschrieben; die Datei ist, wie sie war. Bitte andere Programme schließen und erneut sichern</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: there is no such file</source>
        <translation>„%1“ ließ sich nicht öffnen: Diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>E/A-Fehler %1</translation>
    </message>
    <message>
        <source>I/O error %1%2</source>
        <translation>E/A-Fehler %1%2</translation>
    </message>
    <message>
        <source>Invalid Date - %1</source>
        <translation>Ungültiges Datum - %1</translation>
    </message>
    <message>
        <source>Line %1 of %2 has text after its description that the list cannot show: %3.</source>
        <translation>Zeile %1 von %2 hat nach ihrer Beschreibung Text, den die Liste nicht zeigen kann: %3.</translation>
    </message>
    <message>
        <source>Merged the conflict copies a sync tool made. Saving keeps the merged list; the copies then move to %1.</source>
        <translation>Die Konfliktkopien eines Synchronisierungsprogramms wurden zusammengeführt. Sichern behält die zusammengeführte Liste; die Kopien kommen dann nach %1.</translation>
    </message>
    <message>
        <source>Merged the conflict copies a sync tool made: %1. Saving keeps the merged list; the copies then move to %2.</source>
        <translation>Die Konfliktkopien eines Synchronisierungsprogramms wurden zusammengeführt: %1. Sichern behält die zusammengeführte Liste; die Kopien kommen dann nach %2.</translation>
    </message>
    <message>
        <source>Merged with changes made elsewhere</source>
        <translation>Mit anderswo gemachten Änderungen zusammengeführt</translation>
    </message>
    <message>
        <source>Merged with changes made elsewhere: %1</source>
        <translation>Mit anderswo gemachten Änderungen zusammengeführt: %1</translation>
    </message>
    <message>
        <source>Saving cannot keep %1 of %2; the new file will be yours.</source>
        <translation>Beim Sichern lässt sich %1 von %2 nicht erhalten; die neue Datei gehört Ihnen.</translation>
    </message>
    <message>
        <source>Saving keeps the present file as %1, in place of the earlier backup there.</source>
        <translation>Beim Sichern wird die jetzige Datei als %1 aufbewahrt, anstelle der früheren Sicherungskopie dort.</translation>
    </message>
    <message>
        <source>Saving keeps the present file as %1.</source>
        <translation>Beim Sichern wird die jetzige Datei als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>The first line of %1 is not the header line the list expects: %2. It is not in the list.</source>
        <translation>Die erste Zeile von %1 ist nicht die Kopfzeile, die die Liste erwartet: %2. Sie fehlt in der Liste.</translation>
    </message>
    <message>
        <source>The tasks were saved to %1, but the new file could not keep %2.</source>
        <translation>Die Aufgaben wurden in %1 gesichert, aber die neue Datei konnte %2 nicht behalten.</translation>
    </message>
    <message>
        <source>These conflict copies cannot be merged cleanly and are left as they are: %1.</source>
        <translation>Diese Konfliktkopien lassen sich nicht sauber zusammenführen und bleiben, wie sie sind: %1.</translation>
    </message>
    <message>
        <source>a part of its path is not a folder</source>
        <translation>ein Teil des Pfads ist kein Ordner</translation>
    </message>
    <message>
        <source>date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>floating point value</source>
        <translation>Gleitkommazahl</translation>
    </message>
    <message>
        <source>integer value</source>
        <translation>ganze Zahl</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>die Datei gibt es nicht</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>das ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>das ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is a pipe, not a file</source>
        <translation>das ist eine Pipe, keine Datei</translation>
    </message>
    <message>
        <source>it is a running program</source>
        <translation>das ist ein laufendes Programm</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>das ist ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>das ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is not open</source>
        <translation>die Datei ist nicht geöffnet</translation>
    </message>
    <message>
        <source>no device answers for it</source>
        <translation>kein Gerät antwortet dafür</translation>
    </message>
    <message>
        <source>number</source>
        <translation>Zahl</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>the device reported an input/output error</source>
        <translation>das Gerät meldete einen Ein-/Ausgabefehler</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>das Speicherkontingent ist aufgebraucht</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>die Datei ist zu groß</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>das Dateisystem ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>den Ordner %1 gibt es nicht</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>der Name ist zu lang</translation>
    </message>
    <message>
        <source>too many symbolic links</source>
        <translation>zu viele symbolische Links</translation>
    </message>
    <message>
        <source>--due needs a whole number of days from 0 to 999, not &apos;%1&apos;</source>
        <translation>--due erwartet eine ganze Zahl von Tagen zwischen 0 und 999, nicht „%1“</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos; (taskwell --help lists the options; use -- before a file name that starts with -)</source>
        <translation>unbekannte Option „%1“ (taskwell --help zeigt die Optionen; vor einem Dateinamen, der mit - beginnt, -- angeben)</translation>
    </message>
    <message>
        <source>it is larger than 1 GiB, too large for a task list</source>
        <translation>die Datei ist größer als 1 GiB, zu groß für eine Aufgabenliste</translation>
    </message>
    <message>
        <source>The unsaved changes to %1 could not be kept aside in %2.&#13;
Close without saving them?</source>
        <translation>Die ungesicherten Änderungen an %1 ließen sich nicht in %2 beiseitelegen.&#13;
Trotzdem ohne Sichern schließen?</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: it is not a valid address.</source>
        <translation>„%1“ ließ sich nicht öffnen: Das ist keine gültige Adresse.</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: no program on this desktop opens it.</source>
        <translation>„%1“ ließ sich nicht öffnen: Kein Programm dieser Arbeitsumgebung öffnet es.</translation>
    </message>
    <message>
        <source>Cannot move these merged conflict copies into %1: %2. Their tasks are in the list; remove them by hand</source>
        <translation>Diese zusammengeführten Konfliktkopien lassen sich nicht nach %1 verschieben: %2. Ihre Aufgaben sind in der Liste; bitte von Hand entfernen</translation>
    </message>
    <message>
        <source>%1. Until it can be written, unsaved changes are lost if the program ends without a save</source>
        <translation>%1. Solange es sich nicht schreiben lässt, gehen ungesicherte Änderungen verloren, wenn das Programm ohne Sichern endet</translation>
    </message>
    <message>
        <source>Taskwell ended on %1 with unsaved changes to %2, kept in %3: %4.&#13;
Restore them into the list (Undo takes them back again), keep them aside in %5, or discard them?</source>
        <translation>Taskwell endete am %1 mit ungesicherten Änderungen an %2, aufbewahrt in %3: %4.&#13;
Sollen sie in die Liste zurückgeholt werden (Rückgängig nimmt sie wieder heraus), in %5 beiseitegelegt oder verworfen werden?</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Zurückholen</translation>
    </message>
    <message>
        <source>&amp;Keep aside</source>
        <translation>&amp;Beiseitelegen</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Cannot keep the unsaved changes aside in %1. They stay in the recovery journal %2</source>
        <translation>Die ungesicherten Änderungen lassen sich nicht in %1 beiseitelegen. Sie bleiben im Wiederherstellungsprotokoll %2</translation>
    </message>
    <message>
        <source>the same tasks in another order</source>
        <translation>dieselben Aufgaben in anderer Reihenfolge</translation>
    </message>
    <message>
        <source>%1 task new or changed</source>
        <translation>%1 Aufgabe neu oder geändert</translation>
    </message>
    <message>
        <source>%1 tasks new or changed</source>
        <translation>%1 Aufgaben neu oder geändert</translation>
    </message>
    <message>
        <source>%1 task of the file not in it</source>
        <translation>%1 Aufgabe der Datei fehlt darin</translation>
    </message>
    <message>
        <source>%1 tasks of the file not in it</source>
        <translation>%1 Aufgaben der Datei fehlen darin</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>%1 moves the request in a circle</source>
        <translation>%1 leitet die Anfrage im Kreis weiter</translation>
    </message>
    <message>
        <source>%1 sends the request on to %2, which is not followed; set up that address</source>
        <translation>%1 leitet die Anfrage an %2 weiter, was nicht befolgt wird; richten Sie diese Adresse ein</translation>
    </message>
    <message>
        <source>Password for %1 on %2: </source>
        <translation>Passwort für %1 auf %2: </translation>
    </message>
    <message>
        <source>%1 did not answer in time</source>
        <translation>%1 hat nicht rechtzeitig geantwortet</translation>
    </message>
    <message>
        <source>%1 does not sync with a CalDAV server (see --sync-setup)</source>
        <translation>%1 wird mit keinem CalDAV-Server abgeglichen (siehe --sync-setup)</translation>
    </message>
    <message>
        <source>%1 is a calendar that holds no tasks</source>
        <translation>%1 ist ein Kalender ohne Aufgaben</translation>
    </message>
    <message>
        <source>%1 could not be loaded: %2</source>
        <translation>%1 ließ sich nicht laden: %2</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 ist nicht installiert</translation>
    </message>
    <message>
        <source>%1 is no http or https address</source>
        <translation>%1 ist keine http- oder https-Adresse</translation>
    </message>
    <message>
        <source>%1 is no task collection</source>
        <translation>%1 ist keine Aufgabensammlung</translation>
    </message>
    <message>
        <source>%1 is open in a window, which syncs it itself; nothing was done</source>
        <translation>%1 ist in einem Fenster geöffnet, das selbst abgleicht; nichts wurde getan</translation>
    </message>
    <message>
        <source>%1 is plain HTTP to another machine; use an https address</source>
        <translation>%1 ist unverschlüsseltes HTTP zu einem anderen Rechner; nehmen Sie eine https-Adresse</translation>
    </message>
    <message>
        <source>%1 no longer syncs.</source>
        <translation>%1 wird nicht mehr abgeglichen.</translation>
    </message>
    <message>
        <source>%1 sent, %2 received, %3 merged</source>
        <translation>%1 gesendet, %2 empfangen, %3 zusammengeführt</translation>
    </message>
    <message>
        <source>%1 syncs with %2 (&quot;%3&quot;).</source>
        <translation>%1 wird mit %2 abgeglichen („%3“).</translation>
    </message>
    <message>
        <source>--sync-setup needs the collection&apos;s address, or off</source>
        <translation>--sync-setup braucht die Adresse der Sammlung oder off</translation>
    </message>
    <message>
        <source>; the task collections there:</source>
        <translation>; die Aufgabensammlungen dort:</translation>
    </message>
    <message>
        <source>keep the password in the keyring or in ~/.netrc, not in the address</source>
        <translation>das Passwort gehört in den Schlüsselbund oder in ~/.netrc, nicht in die Adresse</translation>
    </message>
    <message>
        <source>an item on the server could not be read: %1</source>
        <translation>ein Eintrag auf dem Server konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>no keyring is running</source>
        <translation>es läuft kein Schlüsselbund</translation>
    </message>
    <message>
        <source>no password for %1 on %2: none in the keyring, and none in ~/.netrc</source>
        <translation>kein Passwort für %1 auf %2: keines im Schlüsselbund und keines in ~/.netrc</translation>
    </message>
    <message>
        <source>the answer of %1 was cut short</source>
        <translation>die Antwort von %1 wurde abgeschnitten</translation>
    </message>
    <message>
        <source>the certificate of %1 is refused: %2</source>
        <translation>das Zertifikat von %1 wird abgelehnt: %2</translation>
    </message>
    <message>
        <source>the server answered HTTP %1</source>
        <translation>der Server antwortete mit HTTP %1</translation>
    </message>
    <message>
        <source>the server refused the user name or password (HTTP %1)</source>
        <translation>der Server lehnte Benutzername oder Passwort ab (HTTP %1)</translation>
    </message>
    <message>
        <source>the server&apos;s answer could not be read</source>
        <translation>die Antwort des Servers konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>the server&apos;s items could not be read</source>
        <translation>die Einträge des Servers konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>the server&apos;s listing could not be read</source>
        <translation>die Auflistung des Servers konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>the sync failed, and nothing was changed: %1</source>
        <translation>der Abgleich ist fehlgeschlagen, und nichts wurde geändert: %1</translation>
    </message>
    <message>
        <source>The sync with the server failed: %1</source>
        <translation>Der Abgleich mit dem Server ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Sync with a CalDAV Server</source>
        <translation>Mit einem CalDAV-Server abgleichen</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>S&amp;ync Now</source>
        <translation>&amp;Jetzt abgleichen</translation>
    </message>
    <message>
        <source>Sync Se&amp;tup...</source>
        <translation>Abgleich ein&amp;richten...</translation>
    </message>
    <message>
        <source>The password could not be kept in the keyring (%1); put it in ~/.netrc</source>
        <translation>Das Passwort konnte nicht im Schlüsselbund abgelegt werden (%1); tragen Sie es in ~/.netrc ein</translation>
    </message>
    <message>
        <source>1 task</source>
        <translation>1 Aufgabe</translation>
    </message>
    <message>
        <source>%1 tasks</source>
        <translation>%1 Aufgaben</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>nicht vorhanden</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>cut short</source>
        <translation>gekürzt</translation>
    </message>
    <message>
        <source>%1 is %2, but Taskwell&apos;s last known copy of it holds %3 (%4).&#13;
Restore them into the list? Undo takes them back again.</source>
        <translation>%1 ist %2, aber Taskwells letzte bekannte Kopie davon enthält %3 (%4).&#13;
Sollen sie in die Liste zurückgeholt werden? Rückgängig nimmt sie wieder heraus.</translation>
    </message>
    <message>
        <source>%1 is missing, but Taskwell&apos;s last known copy of it holds %2 (%3). Nothing was imported: open the list in the window to restore them, or restore the file.</source>
        <translation>%1 ist nicht vorhanden, aber Taskwells letzte bekannte Kopie davon enthält %2 (%3). Nichts wurde importiert: Öffnen Sie die Liste im Fenster, um sie zurückzuholen, oder stellen Sie die Datei wieder her.</translation>
    </message>
    <message>
        <source>Imported %1 into %2.</source>
        <translation>%1 in %2 importiert.</translation>
    </message>
    <message>
        <source>Imported %1 into %2; %3 left out.</source>
        <translation>%1 in %2 importiert; %3 ausgelassen.</translation>
    </message>
    <message>
        <source>1 completed or cancelled task</source>
        <translation>1 erledigte oder abgesagte Aufgabe</translation>
    </message>
    <message>
        <source>%1 completed or cancelled tasks</source>
        <translation>%1 erledigte oder abgesagte Aufgaben</translation>
    </message>
    <message>
        <source>line %1, %2: %3</source>
        <translation>Zeile %1, %2: %3</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>priority %1 (a dated task&apos;s order is its date)</source>
        <translation>Priorität %1 (eine Aufgabe mit Datum ordnet sich nach ihrem Datum)</translation>
    </message>
    <message>
        <source>not kept: %1</source>
        <translation>nicht übernommen: %1</translation>
    </message>
    <message>
        <source>repeats as %1, which no repeat word says: imported as a one-off task</source>
        <translation>wiederholt sich als %1, was kein Wiederholungswort ausdrückt: als einmalige Aufgabe importiert</translation>
    </message>
    <message>
        <source>time zone %1 is unknown: the date is taken as written</source>
        <translation>Zeitzone %1 ist unbekannt: das Datum wird so übernommen, wie es dasteht</translation>
    </message>
    <message>
        <source>%1 has no repeat word: imported as a one-off task</source>
        <translation>%1 hat kein Wiederholungswort: als einmalige Aufgabe importiert</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: project %2 (the list has no project column)</source>
        <translation>„%1“: Projekt %2 (die Liste hat keine Projektspalte)</translation>
    </message>
    <message>
        <source>Printing tasks...</source>
        <translation>Aufgaben werden gedruckt...</translation>
    </message>
    <message>
        <source>Merging the changes made elsewhere...</source>
        <translation>Die anderswo gemachten Änderungen werden zusammengeführt...</translation>
    </message>
    <message>
        <source>Syncing with the server...</source>
        <translation>Abgleich mit dem Server...</translation>
    </message>
    <message>
        <source>the sync was stopped</source>
        <translation>der Abgleich wurde abgebrochen</translation>
    </message>
</context>
<context>
    <name>taskwell::ExchangeMenu</name>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Import Tasks</source>
        <translation>Aufgaben importieren</translation>
    </message>
    <message>
        <source>Export Tasks</source>
        <translation>Aufgaben exportieren</translation>
    </message>
    <message>
        <source>iCalendar or todo.txt (*.ics *.txt);;All files (*)</source>
        <translation>iCalendar oder todo.txt (*.ics *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Importing tasks...</source>
        <translation>Aufgaben werden importiert...</translation>
    </message>
    <message>
        <source>Exporting tasks...</source>
        <translation>Aufgaben werden exportiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
