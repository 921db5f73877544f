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
</context>
</TS>
