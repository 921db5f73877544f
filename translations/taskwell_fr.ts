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
</context>
</TS>
