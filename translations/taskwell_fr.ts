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
  -h, --help     print this help and exit
      --version  print the version and exit
  --             end of options: the next argument is the file, even if it
                 starts with -

Exit status: 0 on success, 1 when the file cannot be read, the window cannot
open, no notification could be shown or an import is refused, 2 for an unknown
option. The mapping to iCalendar and todo.txt: docs/INTERCHANGE.md.
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
  -h, --help     affiche cette aide et quitte
      --version  affiche la version et quitte
  --             fin des options : l&apos;argument suivant est le fichier, même s&apos;il
                 commence par -

Code de sortie : 0 en cas de succès, 1 si le fichier ne peut pas être lu, si la
fenêtre ne peut pas s&apos;ouvrir, si aucune notification n&apos;a pu être affichée ou si
une importation est refusée, 2 pour une option inconnue. La correspondance avec
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
