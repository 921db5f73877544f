<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>taskwell</name>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Effacer</translation>
    </message>
    <message>
        <source>&amp;Increment</source>
        <translation>&amp;Reporter</translation>
    </message>
    <message>
        <source>&amp;Replicate</source>
        <translation>&amp;Dupliquer</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Impr.</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Sauver</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Chercher</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Chercher</translation>
    </message>
    <message>
        <source>Sorted by Date</source>
        <translation>Trié par date</translation>
    </message>
    <message>
        <source>Sorted by Desc</source>
        <translation>Trié par descr.</translation>
    </message>
    <message>
        <source>Sorted by Proj</source>
        <translation>Trié par projet</translation>
    </message>
    <message>
        <source>AutoSort on</source>
        <translation>Tri auto oui</translation>
    </message>
    <message>
        <source>AutoSort off</source>
        <translation>Tri auto non</translation>
    </message>
    <message>
        <source>Sort Now</source>
        <translation>Trier</translation>
    </message>
    <message>
        <source>&amp;Hide Sel</source>
        <translation>&amp;Masquer sél.</translation>
    </message>
    <message>
        <source>&amp;Hide UnSel</source>
        <translation>&amp;Masquer autres</translation>
    </message>
    <message>
        <source>&amp;Hide None</source>
        <translation>&amp;Montrer tout</translation>
    </message>
    <message>
        <source>Click a Col Hdr to sort</source>
        <translation>Cliquer un en-tête pour trier</translation>
    </message>
    <message>
        <source>F2 to Edit a cell</source>
        <translation>F2 : modifier une cellule</translation>
    </message>
    <message>
        <source>Abou&amp;t</source>
        <translation>À pr&amp;opos</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Close-NoSave</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Pri</source>
        <translation>Prio</translation>
    </message>
    <message>
        <source>SubP</source>
        <translation>SPri</translation>
    </message>
    <message>
        <source>Proj</source>
        <translation>Proj</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Click here to continue</source>
        <translation>Cliquer ici pour continuer</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>%1 is already being edited.</source>
        <translation>%1 est déjà en cours de modification.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Increment Error</source>
        <translation>Erreur de report</translation>
    </message>
    <message>
        <source>No date to increment</source>
        <translation>Aucune date à reporter</translation>
    </message>
    <message>
        <source>Increment End</source>
        <translation>Fin de la répétition</translation>
    </message>
    <message>
        <source>Item has now incremented past it&apos;s end date.</source>
        <translation>L’élément a maintenant dépassé sa date de fin.</translation>
    </message>
    <message>
        <source>--due needs a number of days</source>
        <translation>--due attend un nombre de jours</translation>
    </message>
    <message>
        <source>--due and --remind cannot be used together</source>
        <translation>--due et --remind ne peuvent pas être utilisés ensemble</translation>
    </message>
    <message>
        <source>--due, --remind, --export and --import cannot be combined</source>
        <translation>--due, --remind, --export et --import ne peuvent pas être combinés</translation>
    </message>
    <message>
        <source>--export needs a format: ics or todotxt</source>
        <translation>--export attend un format : ics ou todotxt</translation>
    </message>
    <message>
        <source>--import needs the file to import</source>
        <translation>--import attend le fichier à importer</translation>
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
        <translation>Utilisation : taskwell [OPTION]... [--] [FICHIER]
Modifie la liste de tâches de FICHIER (par défaut : $HOME/ToDo.ToDo) dans une
fenêtre.

  --due JOURS    affiche les tâches dues d&apos;aujourd&apos;hui à dans JOURS jours, et les
                 tâches sans date dont la priorité va de 0 à JOURS, comme le
                 bouton Imprimer les imprimerait ; n&apos;a besoin d&apos;aucun affichage
                 et ne modifie jamais le fichier
  --remind       montre ce qui est en retard et ce qui est dû aujourd&apos;hui en une
                 seule notification du bureau ; n&apos;a besoin que du bus de
                 session et ne modifie jamais le fichier
  --export FORMAT  écrit la liste sur la sortie standard en iCalendar (ics) ou
                 en todo.txt (todotxt) ; ne modifie jamais le fichier
  --import CHEMIN  ajoute à la liste (créée si elle manque) les tâches du
                 fichier iCalendar ou todo.txt CHEMIN, et dit ce qui n&apos;a pas pu
                 être conservé
  --sync-setup URL  synchronise la liste avec la collection de tâches CalDAV à
                 l&apos;adresse URL (https://UTILISATEUR@HÔTE/CHEMIN/) ; off y met fin
  --sync         synchronise une fois la liste avec sa collection CalDAV, dans
                 les deux sens
  -h, --help     affiche cette aide et quitte
      --version  affiche la version et quitte
  --             fin des options : l&apos;argument suivant est le fichier, même s&apos;il
                 commence par -

Code de sortie : 0 en cas de succès, 1 si le fichier ne peut pas être lu, si la
fenêtre ne peut pas s&apos;ouvrir, si aucune notification n&apos;a pu être affichée ou si
une importation est refusée ou si une synchronisation échoue, 2 pour une option inconnue. La correspondance avec
iCalendar et todo.txt : docs/INTERCHANGE.md.
</translation>
    </message>
    <message>
        <source>&quot;%1&quot;&#13;
Are you sure you want to delete this repeating entry?</source>
        <translation>« %1 »&#13;
Voulez-vous vraiment supprimer cette entrée répétitive ?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would start a program.&#13;
Open its folder instead?</source>
        <translation>« %1 » lancerait un programme.&#13;
Ouvrir plutôt son dossier ?</translation>
    </message>
    <message>
        <source>%1
and %2 more</source>
        <translation>%1
et %2 de plus</translation>
    </message>
    <message>
        <source>%1&#13;
Overwrite it with the tasks shown here?</source>
        <translation>%1&#13;
L’écraser avec les tâches affichées ici ?</translation>
    </message>
    <message>
        <source>%1&#13;
Save the tasks shown here?</source>
        <translation>%1&#13;
Enregistrer les tâches affichées ici ?</translation>
    </message>
    <message>
        <source>%1 Loading stopped there, so the tasks after it are not in the list. The first save keeps the whole original file as %2.</source>
        <translation>%1 Le chargement s’est arrêté là : les tâches suivantes ne sont pas dans la liste. Le premier enregistrement conserve tout le fichier d’origine sous %2.</translation>
    </message>
    <message>
        <source>%1 The first save keeps the whole original file as %2.</source>
        <translation>%1 Le premier enregistrement conserve tout le fichier d’origine sous %2.</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 existe déjà</translation>
    </message>
    <message>
        <source>%1 changed</source>
        <translation>%1 modifiée(s)</translation>
    </message>
    <message>
        <source>%1 could not be read when this list was opened, so the list does not show the tasks in it.</source>
        <translation>%1 n’a pas pu être lu à l’ouverture de cette liste : la liste n’en montre donc pas les tâches.</translation>
    </message>
    <message>
        <source>%1 goes on after a Ctrl+Z character in line %2. Loading stopped there, so what follows it is not in the list.</source>
        <translation>%1 continue après un caractère Ctrl+Z à la ligne %2. Le chargement s’est arrêté là : la suite n’est pas dans la liste.</translation>
    </message>
    <message>
        <source>%1 had been emptied or cut short elsewhere. The tasks shown here were saved; the file as it was is kept as %2.</source>
        <translation>%1 avait été vidé ou tronqué ailleurs. Les tâches affichées ici ont été enregistrées ; le fichier tel qu’il était est conservé sous %2.</translation>
    </message>
    <message>
        <source>%1 has %2 other name (hard links). Saving gives this name a new file; the other names keep the old tasks.</source>
        <translation>%1 a %2 autre nom (liens physiques). L’enregistrement donne un nouveau fichier à ce nom ; l’autre nom garde les anciennes tâches.</translation>
    </message>
    <message>
        <source>%1 has %2 other names (hard links). Saving gives this name a new file; the other names keep the old tasks.</source>
        <translation>%1 a %2 autres noms (liens physiques). L’enregistrement donne un nouveau fichier à ce nom ; les autres noms gardent les anciennes tâches.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program since this window read or saved it.</source>
        <translation>%1 a été modifié par un autre programme depuis que cette fenêtre l’a lu ou enregistré.</translation>
    </message>
    <message>
        <source>%1 has been deleted by another program since this window read or saved it.</source>
        <translation>%1 a été supprimé par un autre programme depuis que cette fenêtre l’a lu ou enregistré.</translation>
    </message>
    <message>
        <source>%1 is stored in the single-byte Windows-1252 encoding, which cannot hold some characters of the list&#13;
Save the file as UTF-8 instead? Programs that expect the old encoding may then show its accented characters wrongly.</source>
        <translation>%1 est enregistré dans le codage sur un octet Windows-1252, qui ne peut pas contenir certains caractères de la liste&#13;
Enregistrer plutôt le fichier en UTF-8 ? Les programmes qui attendent l’ancien codage risquent alors de mal afficher ses caractères accentués.</translation>
    </message>
    <message>
        <source>%1 is stored in the single-byte Windows-1252 encoding, which cannot hold some characters of the list: %2&#13;
Save the file as UTF-8 instead? Programs that expect the old encoding may then show its accented characters wrongly.</source>
        <translation>%1 est enregistré dans le codage sur un octet Windows-1252, qui ne peut pas contenir certains caractères de la liste : %2&#13;
Enregistrer plutôt le fichier en UTF-8 ? Les programmes qui attendent l’ancien codage risquent alors de mal afficher ses caractères accentués.</translation>
    </message>
    <message>
        <source>%1 more lines do too.</source>
        <translation>%1 autres lignes aussi.</translation>
    </message>
    <message>
        <source>%1 removed</source>
        <translation>%1 supprimée(s)</translation>
    </message>
    <message>
        <source>%1 task added</source>
        <translation>%1 tâche ajoutée</translation>
    </message>
    <message>
        <source>%1 task changed in both places (both versions kept)</source>
        <translation>%1 tâche modifiée des deux côtés (les deux versions sont gardées)</translation>
    </message>
    <message>
        <source>%1 tasks added</source>
        <translation>%1 tâches ajoutées</translation>
    </message>
    <message>
        <source>%1 tasks changed in both places (both versions kept)</source>
        <translation>%1 tâches modifiées des deux côtés (les deux versions sont gardées)</translation>
    </message>
    <message>
        <source>%1 was changed elsewhere and cannot be loaded completely: %2 The list still shows the tasks as they were. Saving asks before it replaces the file.</source>
        <translation>%1 a été modifié ailleurs et ne peut pas être chargé entièrement : %2 La liste montre toujours les tâches telles qu’elles étaient. L’enregistrement demande avant de remplacer le fichier.</translation>
    </message>
    <message>
        <source>%1 was emptied or cut short elsewhere (%2 bytes, no header line). The list still shows its tasks; Save keeps them and keeps the file as it is now as %3.</source>
        <translation>%1 a été vidé ou tronqué ailleurs (%2 octets, pas de ligne d’en-tête). La liste montre toujours ses tâches ; l’enregistrement les garde et conserve le fichier tel qu’il est maintenant sous %3.</translation>
    </message>
    <message>
        <source>%1 was saved, but not completely flushed to disk: %2. A power cut now could lose the save; save again.</source>
        <translation>%1 a été enregistré, mais pas entièrement écrit sur le disque : %2. Une coupure de courant pourrait maintenant faire perdre l’enregistrement ; enregistrez à nouveau.</translation>
    </message>
    <message>
        <source>%1: %2 due today</source>
        <translation>%1 : %2 à faire aujourd’hui</translation>
    </message>
    <message>
        <source>%1: %2 overdue</source>
        <translation>%1 : %2 en retard</translation>
    </message>
    <message>
        <source>%1: %2 overdue, %3 due today</source>
        <translation>%1 : %2 en retard, %3 à faire aujourd’hui</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid %2</source>
        <translation>« %1 » n’est pas une valeur valide (%2)</translation>
    </message>
    <message>
        <source>Cannot close the folder %1: %2</source>
        <translation>Impossible de fermer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>Cannot flush the folder %1: %2</source>
        <translation>Impossible d’écrire le dossier %1 sur le disque : %2</translation>
    </message>
    <message>
        <source>Cannot keep %1 as %2: %3</source>
        <translation>Impossible de conserver %1 sous %2 : %3</translation>
    </message>
    <message>
        <source>Cannot keep the recovery journal in %1: %2</source>
        <translation>Impossible de tenir le journal de récupération dans %1 : %2</translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>Impossible d’ouvrir le dossier %1 : %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>Impossible d’enregistrer %1 : %2</translation>
    </message>
    <message>
        <source>Cannot save %1: there is not enough memory. Nothing was written; the file is as it was. Close other programs and save again</source>
        <translation>Impossible d’enregistrer %1 : la mémoire ne suffit pas. Rien n’a été écrit ; le fichier est resté tel qu’il était. Fermez d’autres programmes et enregistrez à nouveau</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: there is no such file</source>
        <translation>Impossible d’ouvrir « %1 » : ce fichier n’existe pas</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>Erreur d’E/S %1</translation>
    </message>
    <message>
        <source>I/O error %1%2</source>
        <translation>Erreur d’E/S %1%2</translation>
    </message>
    <message>
        <source>Invalid Date - %1</source>
        <translation>Date non valide - %1</translation>
    </message>
    <message>
        <source>Line %1 of %2 has text after its description that the list cannot show: %3.</source>
        <translation>La ligne %1 de %2 contient après sa description un texte que la liste ne peut pas afficher : %3.</translation>
    </message>
    <message>
        <source>Merged the conflict copies a sync tool made. Saving keeps the merged list; the copies then move to %1.</source>
        <translation>Les copies de conflit d’un outil de synchronisation ont été fusionnées. L’enregistrement garde la liste fusionnée ; les copies vont ensuite dans %1.</translation>
    </message>
    <message>
        <source>Merged the conflict copies a sync tool made: %1. Saving keeps the merged list; the copies then move to %2.</source>
        <translation>Les copies de conflit d’un outil de synchronisation ont été fusionnées : %1. L’enregistrement garde la liste fusionnée ; les copies vont ensuite dans %2.</translation>
    </message>
    <message>
        <source>Merged with changes made elsewhere</source>
        <translation>Fusionné avec les modifications faites ailleurs</translation>
    </message>
    <message>
        <source>Merged with changes made elsewhere: %1</source>
        <translation>Fusionné avec les modifications faites ailleurs : %1</translation>
    </message>
    <message>
        <source>Saving cannot keep %1 of %2; the new file will be yours.</source>
        <translation>L’enregistrement ne peut pas conserver %1 de %2 ; le nouveau fichier vous appartiendra.</translation>
    </message>
    <message>
        <source>Saving keeps the present file as %1, in place of the earlier backup there.</source>
        <translation>L’enregistrement conserve le fichier actuel sous %1, à la place de la sauvegarde précédente.</translation>
    </message>
    <message>
        <source>Saving keeps the present file as %1.</source>
        <translation>L’enregistrement conserve le fichier actuel sous %1.</translation>
    </message>
    <message>
        <source>The first line of %1 is not the header line the list expects: %2. It is not in the list.</source>
        <translation>La première ligne de %1 n’est pas la ligne d’en-tête attendue par la liste : %2. Elle n’est pas dans la liste.</translation>
    </message>
    <message>
        <source>The tasks were saved to %1, but the new file could not keep %2.</source>
        <translation>Les tâches ont été enregistrées dans %1, mais le nouveau fichier n’a pas pu conserver %2.</translation>
    </message>
    <message>
        <source>These conflict copies cannot be merged cleanly and are left as they are: %1.</source>
        <translation>Ces copies de conflit ne peuvent pas être fusionnées proprement et restent telles quelles : %1.</translation>
    </message>
    <message>
        <source>a part of its path is not a folder</source>
        <translation>une partie du chemin n’est pas un dossier</translation>
    </message>
    <message>
        <source>date</source>
        <translation>date</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>erreur %1</translation>
    </message>
    <message>
        <source>floating point value</source>
        <translation>nombre à virgule flottante</translation>
    </message>
    <message>
        <source>integer value</source>
        <translation>nombre entier</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>il n’existe pas</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>c’est un périphérique, pas un fichier</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>c’est un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>it is a pipe, not a file</source>
        <translation>c’est un tube, pas un fichier</translation>
    </message>
    <message>
        <source>it is a running program</source>
        <translation>c’est un programme en cours d’exécution</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>c’est une socket, pas un fichier</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is not open</source>
        <translation>il n’est pas ouvert</translation>
    </message>
    <message>
        <source>no device answers for it</source>
        <translation>aucun périphérique ne répond</translation>
    </message>
    <message>
        <source>number</source>
        <translation>nombre</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>the device reported an input/output error</source>
        <translation>le périphérique a signalé une erreur d’entrée/sortie</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>le quota disque est épuisé</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>le fichier est trop gros</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>le système de fichiers est en lecture seule</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>le dossier %1 n’existe pas</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>le nom est trop long</translation>
    </message>
    <message>
        <source>too many symbolic links</source>
        <translation>trop de liens symboliques</translation>
    </message>
    <message>
        <source>--due needs a whole number of days from 0 to 999, not &apos;%1&apos;</source>
        <translation>--due attend un nombre entier de jours entre 0 et 999, pas « %1 »</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos; (taskwell --help lists the options; use -- before a file name that starts with -)</source>
        <translation>option inconnue « %1 » (taskwell --help liste les options ; mettez -- avant un nom de fichier qui commence par -)</translation>
    </message>
    <message>
        <source>it is larger than 1 GiB, too large for a task list</source>
        <translation>il dépasse 1 Gio, trop pour une liste de tâches</translation>
    </message>
    <message>
        <source>The unsaved changes to %1 could not be kept aside in %2.&#13;
Close without saving them?</source>
        <translation>Les modifications non enregistrées de %1 n’ont pas pu être mises de côté dans %2.&#13;
Fermer sans les enregistrer ?</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: it is not a valid address.</source>
        <translation>Impossible d’ouvrir « %1 » : ce n’est pas une adresse valide.</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: no program on this desktop opens it.</source>
        <translation>Impossible d’ouvrir « %1 » : aucun programme de ce bureau ne l’ouvre.</translation>
    </message>
    <message>
        <source>Cannot move these merged conflict copies into %1: %2. Their tasks are in the list; remove them by hand</source>
        <translation>Impossible de déplacer ces copies de conflit fusionnées dans %1 : %2. Leurs tâches sont dans la liste ; supprimez-les à la main</translation>
    </message>
    <message>
        <source>%1. Until it can be written, unsaved changes are lost if the program ends without a save</source>
        <translation>%1. Tant qu’il ne peut pas être écrit, les modifications non enregistrées sont perdues si le programme se termine sans enregistrer</translation>
    </message>
    <message>
        <source>Taskwell ended on %1 with unsaved changes to %2, kept in %3: %4.&#13;
Restore them into the list (Undo takes them back again), keep them aside in %5, or discard them?</source>
        <translation>Taskwell s’est arrêté le %1 avec des modifications non enregistrées de %2, conservées dans %3 : %4.&#13;
Les rétablir dans la liste (Annuler les retire à nouveau), les mettre de côté dans %5, ou les abandonner ?</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Keep aside</source>
        <translation>&amp;Mettre de côté</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Abandonner</translation>
    </message>
    <message>
        <source>Cannot keep the unsaved changes aside in %1. They stay in the recovery journal %2</source>
        <translation>Impossible de mettre de côté les modifications non enregistrées dans %1. Elles restent dans le journal de récupération %2</translation>
    </message>
    <message>
        <source>the same tasks in another order</source>
        <translation>les mêmes tâches dans un autre ordre</translation>
    </message>
    <message>
        <source>%1 task new or changed</source>
        <translation>%1 tâche nouvelle ou modifiée</translation>
    </message>
    <message>
        <source>%1 tasks new or changed</source>
        <translation>%1 tâches nouvelles ou modifiées</translation>
    </message>
    <message>
        <source>%1 task of the file not in it</source>
        <translation>%1 tâche du fichier n’y figure pas</translation>
    </message>
    <message>
        <source>%1 tasks of the file not in it</source>
        <translation>%1 tâches du fichier n’y figurent pas</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>%1 moves the request in a circle</source>
        <translation>%1 renvoie la requête en boucle</translation>
    </message>
    <message>
        <source>%1 sends the request on to %2, which is not followed; set up that address</source>
        <translation>%1 renvoie la requête vers %2, ce qui n&apos;est pas suivi ; configurez cette adresse</translation>
    </message>
    <message>
        <source>Password for %1 on %2: </source>
        <translation>Mot de passe de %1 sur %2 : </translation>
    </message>
    <message>
        <source>%1 did not answer in time</source>
        <translation>%1 n&apos;a pas répondu à temps</translation>
    </message>
    <message>
        <source>%1 does not sync with a CalDAV server (see --sync-setup)</source>
        <translation>%1 n&apos;est synchronisé avec aucun serveur CalDAV (voir --sync-setup)</translation>
    </message>
    <message>
        <source>%1 is a calendar that holds no tasks</source>
        <translation>%1 est un calendrier sans tâches</translation>
    </message>
    <message>
        <source>%1 could not be loaded: %2</source>
        <translation>%1 n&apos;a pas pu être chargé : %2</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 n&apos;est pas installé</translation>
    </message>
    <message>
        <source>%1 is no http or https address</source>
        <translation>%1 n&apos;est pas une adresse http ou https</translation>
    </message>
    <message>
        <source>%1 is no task collection</source>
        <translation>%1 n&apos;est pas une collection de tâches</translation>
    </message>
    <message>
        <source>%1 is open in a window, which syncs it itself; nothing was done</source>
        <translation>%1 est ouvert dans une fenêtre, qui le synchronise elle-même ; rien n&apos;a été fait</translation>
    </message>
    <message>
        <source>%1 is plain HTTP to another machine; use an https address</source>
        <translation>%1 est du HTTP non chiffré vers une autre machine ; utilisez une adresse https</translation>
    </message>
    <message>
        <source>%1 no longer syncs.</source>
        <translation>%1 n&apos;est plus synchronisé.</translation>
    </message>
    <message>
        <source>%1 sent, %2 received, %3 merged</source>
        <translation>%1 envoyées, %2 reçues, %3 fusionnées</translation>
    </message>
    <message>
        <source>%1 syncs with %2 (&quot;%3&quot;).</source>
        <translation>%1 est synchronisé avec %2 (« %3 »).</translation>
    </message>
    <message>
        <source>--sync-setup needs the collection&apos;s address, or off</source>
        <translation>--sync-setup demande l&apos;adresse de la collection, ou off</translation>
    </message>
    <message>
        <source>; the task collections there:</source>
        <translation> ; les collections de tâches à cet endroit :</translation>
    </message>
    <message>
        <source>keep the password in the keyring or in ~/.netrc, not in the address</source>
        <translation>le mot de passe va dans le trousseau ou dans ~/.netrc, pas dans l&apos;adresse</translation>
    </message>
    <message>
        <source>an item on the server could not be read: %1</source>
        <translation>un élément du serveur n&apos;a pas pu être lu : %1</translation>
    </message>
    <message>
        <source>no keyring is running</source>
        <translation>aucun trousseau n&apos;est lancé</translation>
    </message>
    <message>
        <source>no password for %1 on %2: none in the keyring, and none in ~/.netrc</source>
        <translation>pas de mot de passe pour %1 sur %2 : aucun dans le trousseau, aucun dans ~/.netrc</translation>
    </message>
    <message>
        <source>the answer of %1 was cut short</source>
        <translation>la réponse de %1 a été tronquée</translation>
    </message>
    <message>
        <source>the certificate of %1 is refused: %2</source>
        <translation>le certificat de %1 est refusé : %2</translation>
    </message>
    <message>
        <source>the server answered HTTP %1</source>
        <translation>le serveur a répondu HTTP %1</translation>
    </message>
    <message>
        <source>the server refused the user name or password (HTTP %1)</source>
        <translation>le serveur a refusé le nom d&apos;utilisateur ou le mot de passe (HTTP %1)</translation>
    </message>
    <message>
        <source>the server&apos;s answer could not be read</source>
        <translation>la réponse du serveur n&apos;a pas pu être lue</translation>
    </message>
    <message>
        <source>the server&apos;s items could not be read</source>
        <translation>les éléments du serveur n&apos;ont pas pu être lus</translation>
    </message>
    <message>
        <source>the server&apos;s listing could not be read</source>
        <translation>la liste du serveur n&apos;a pas pu être lue</translation>
    </message>
    <message>
        <source>the sync failed, and nothing was changed: %1</source>
        <translation>la synchronisation a échoué, et rien n&apos;a été changé : %1</translation>
    </message>
    <message>
        <source>The sync with the server failed: %1</source>
        <translation>La synchronisation avec le serveur a échoué : %1</translation>
    </message>
    <message>
        <source>Sync with a CalDAV Server</source>
        <translation>Synchroniser avec un serveur CalDAV</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse :</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Nom d&apos;utilisateur :</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe :</translation>
    </message>
    <message>
        <source>S&amp;ync Now</source>
        <translation>S&amp;ynchroniser maintenant</translation>
    </message>
    <message>
        <source>Sync Se&amp;tup...</source>
        <translation>&amp;Configurer la synchronisation...</translation>
    </message>
    <message>
        <source>The password could not be kept in the keyring (%1); put it in ~/.netrc</source>
        <translation>Le mot de passe n&apos;a pas pu être gardé dans le trousseau (%1) ; mettez-le dans ~/.netrc</translation>
    </message>
    <message>
        <source>1 task</source>
        <translation>1 tâche</translation>
    </message>
    <message>
        <source>%1 tasks</source>
        <translation>%1 tâches</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>absent</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>cut short</source>
        <translation>tronqué</translation>
    </message>
    <message>
        <source>%1 is %2, but Taskwell&apos;s last known copy of it holds %3 (%4).&#13;
Restore them into the list? Undo takes them back again.</source>
        <translation>%1 est %2, mais la dernière copie connue qu’en garde Taskwell contient %3 (%4).&#13;
Les rétablir dans la liste ? Annuler les retire à nouveau.</translation>
    </message>
    <message>
        <source>%1 is missing, but Taskwell&apos;s last known copy of it holds %2 (%3). Nothing was imported: open the list in the window to restore them, or restore the file.</source>
        <translation>%1 est absent, mais la dernière copie connue qu’en garde Taskwell contient %2 (%3). Rien n’a été importé : ouvrez la liste dans la fenêtre pour les rétablir, ou rétablissez le fichier.</translation>
    </message>
    <message>
        <source>Imported %1 into %2.</source>
        <translation>Import de %1 dans %2.</translation>
    </message>
    <message>
        <source>Imported %1 into %2; %3 left out.</source>
        <translation>Import de %1 dans %2 ; non repris : %3.</translation>
    </message>
    <message>
        <source>1 completed or cancelled task</source>
        <translation>1 tâche terminée ou annulée</translation>
    </message>
    <message>
        <source>%1 completed or cancelled tasks</source>
        <translation>%1 tâches terminées ou annulées</translation>
    </message>
    <message>
        <source>line %1, %2: %3</source>
        <translation>ligne %1, %2 : %3</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>ligne %1 : %2</translation>
    </message>
    <message>
        <source>priority %1 (a dated task&apos;s order is its date)</source>
        <translation>priorité %1 (une tâche datée est classée par sa date)</translation>
    </message>
    <message>
        <source>not kept: %1</source>
        <translation>non conservé : %1</translation>
    </message>
    <message>
        <source>repeats as %1, which no repeat word says: imported as a one-off task</source>
        <translation>se répète selon %1, qu’aucun mot de répétition n’exprime : importée comme tâche unique</translation>
    </message>
    <message>
        <source>time zone %1 is unknown: the date is taken as written</source>
        <translation>le fuseau horaire %1 est inconnu : la date est prise telle quelle</translation>
    </message>
    <message>
        <source>%1 has no repeat word: imported as a one-off task</source>
        <translation>%1 n’a pas de mot de répétition : importée comme tâche unique</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: project %2 (the list has no project column)</source>
        <translation>« %1 » : projet %2 (la liste n’a pas de colonne de projet)</translation>
    </message>
    <message>
        <source>Printing tasks...</source>
        <translation>Impression des tâches...</translation>
    </message>
    <message>
        <source>Merging the changes made elsewhere...</source>
        <translation>Fusion des modifications faites ailleurs...</translation>
    </message>
    <message>
        <source>Syncing with the server...</source>
        <translation>Synchronisation avec le serveur...</translation>
    </message>
    <message>
        <source>the sync was stopped</source>
        <translation>la synchronisation a été interrompue</translation>
    </message>
</context>
<context>
    <name>taskwell::ExchangeMenu</name>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importer...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exporter...</translation>
    </message>
    <message>
        <source>Import Tasks</source>
        <translation>Importer des tâches</translation>
    </message>
    <message>
        <source>Export Tasks</source>
        <translation>Exporter les tâches</translation>
    </message>
    <message>
        <source>iCalendar or todo.txt (*.ics *.txt);;All files (*)</source>
        <translation>iCalendar ou todo.txt (*.ics *.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Importing tasks...</source>
        <translation>Importation des tâches...</translation>
    </message>
    <message>
        <source>Exporting tasks...</source>
        <translation>Exportation des tâches...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
</TS>
