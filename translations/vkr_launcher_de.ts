<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Editing</name>
    <message numerus="yes">
        <source>The list of mods is full: the launcher keeps at most %n mods. Delete one before adding another.</source>
        <translation>
            <numerusform>Die Mod-Liste ist voll: Der Launcher behält höchstens %n Mod. Löschen Sie einen, bevor Sie einen weiteren hinzufügen.</numerusform>
            <numerusform>Die Mod-Liste ist voll: Der Launcher behält höchstens %n Mods. Löschen Sie einen, bevor Sie einen weiteren hinzufügen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list of servers is full: the launcher keeps at most %n servers. Delete one before adding another.</source>
        <translation>
            <numerusform>Die Serverliste ist voll: Der Launcher behält höchstens %n Server. Löschen Sie einen, bevor Sie einen weiteren hinzufügen.</numerusform>
            <numerusform>Die Serverliste ist voll: Der Launcher behält höchstens %n Server. Löschen Sie einen, bevor Sie einen weiteren hinzufügen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>Launch</name>
    <message>
        <source>Could not start &quot;%1&quot;: %2.</source>
        <extracomment>%1 the program, %2 why it could not be started.</extracomment>
        <translation>„%1“ konnte nicht gestartet werden: %2.</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>it is a Windows program and &quot;wine&quot; was not found on PATH</source>
        <translation>es ist ein Windows-Programm, und „wine“ wurde im PATH nicht gefunden</translation>
    </message>
    <message>
        <source>the file is not executable</source>
        <translation>die Datei ist nicht ausführbar</translation>
    </message>
</context>
<context>
    <name>PlayerModel</name>
    <message>
        <source>no players</source>
        <translation>keine Spieler</translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>Confirm</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
</context>
<context>
    <name>ServerModel</name>
    <message>
        <source>Last played: %1</source>
        <translation>Zuletzt gespielt: %1</translation>
    </message>
    <message>
        <source>No reply</source>
        <translation>Keine Antwort</translation>
    </message>
    <message>
        <source>Server Name</source>
        <translation>Servername</translation>
    </message>
    <message>
        <source>Hostname/IP</source>
        <translation>Hostname/IP</translation>
    </message>
    <message>
        <source>Ping</source>
        <translation>Ping</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Mission</source>
        <translation>Mission</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige Ganzzahl</translation>
    </message>
    <message>
        <source>Could not lock the settings file %1: %2</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gesperrt werden: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file, so the launcher neither reads nor replaces it; remove it or put a regular file in its place</source>
        <translation>Die Einstellungsdatei %1 ist keine reguläre Datei, daher wird sie vom Launcher weder gelesen noch ersetzt; entfernen Sie sie oder ersetzen Sie sie durch eine reguläre Datei</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than 64 MB, so it is not a settings file the launcher wrote; it was left as it is. Move it away</source>
        <translation>Die Einstellungsdatei %1 ist größer als 64 MB und stammt daher nicht vom Launcher; sie wurde unverändert gelassen. Verschieben Sie sie an einen anderen Ort</translation>
    </message>
    <message>
        <source>Could not read the settings from %1: %2</source>
        <translation>Die Einstellungen konnten nicht aus %1 gelesen werden: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is read-only, so the settings were not saved. Make it writable (chmod u+w) and the launcher saves them at its next save</source>
        <translation>Die Einstellungsdatei %1 ist schreibgeschützt, daher wurden die Einstellungen nicht gespeichert. Machen Sie sie beschreibbar (chmod u+w), dann speichert der Launcher sie beim nächsten Speichern</translation>
    </message>
    <message>
        <source>Could not save the settings to %1: %2</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Could not finish saving the settings to %1: %2</source>
        <translation>Das Speichern der Einstellungen in %1 konnte nicht abgeschlossen werden: %2</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read and could not be moved aside: %2</source>
        <translation>Die Einstellungsdatei %1 konnte weder gelesen noch beiseitegelegt werden: %2</translation>
    </message>
    <message>
        <source>Could not create the settings folder %1: %2</source>
        <translation>Der Einstellungsordner %1 konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is in use by another program, which has held its lock %2 for too long; the settings were not read or saved. Close the other program and try again</source>
        <translation>Die Einstellungsdatei %1 wird von einem anderen Programm verwendet, das seine Sperre %2 schon zu lange hält; die Einstellungen wurden weder gelesen noch gespeichert. Schließen Sie das andere Programm und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read (line %2: %3). It was moved to %4; the launcher starts with fresh settings.</source>
        <extracomment>%1 the file, %2 the number of the line, %3 why that line could not be read, %4 the file&apos;s new name.</extracomment>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden (Zeile %2: %3). Sie wurde nach %4 verschoben; der Launcher startet mit neuen Einstellungen.</translation>
    </message>
    <message>
        <source>a key line must end with &apos;]&apos;</source>
        <translation>eine Schlüsselzeile muss mit &apos;]&apos; enden</translation>
    </message>
    <message>
        <source>unexpected text after &apos;]&apos;</source>
        <translation>unerwarteter Text nach &apos;]&apos;</translation>
    </message>
    <message>
        <source>deleting keys is not supported</source>
        <translation>das Löschen von Schlüsseln wird nicht unterstützt</translation>
    </message>
    <message>
        <source>unknown root key &apos;%1&apos;</source>
        <translation>unbekannter Stammschlüssel „%1“</translation>
    </message>
    <message>
        <source>&apos;=&apos; expected after the value name</source>
        <translation>&apos;=&apos; nach dem Wertnamen erwartet</translation>
    </message>
    <message>
        <source>a key name is empty</source>
        <translation>ein Schlüsselname ist leer</translation>
    </message>
    <message>
        <source>keys nest deeper than 512 levels</source>
        <translation>Schlüssel sind tiefer als 512 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>a value name must be in double quotes</source>
        <translation>ein Wertname muss in doppelten Anführungszeichen stehen</translation>
    </message>
    <message>
        <source>a text must be in double quotes</source>
        <translation>ein Text muss in doppelten Anführungszeichen stehen</translation>
    </message>
    <message>
        <source>a backslash in a value name must be followed by \ or &quot;</source>
        <translation>auf einen Backslash in einem Wertnamen muss \ oder &quot; folgen</translation>
    </message>
    <message>
        <source>a backslash in a text must be followed by \ or &quot;</source>
        <translation>auf einen Backslash in einem Text muss \ oder &quot; folgen</translation>
    </message>
    <message>
        <source>the value name has no closing quote</source>
        <translation>dem Wertnamen fehlt das schließende Anführungszeichen</translation>
    </message>
    <message>
        <source>the text has no closing quote</source>
        <translation>dem Text fehlt das schließende Anführungszeichen</translation>
    </message>
    <message>
        <source>unexpected text after the closing quote</source>
        <translation>unerwarteter Text nach dem schließenden Anführungszeichen</translation>
    </message>
    <message>
        <source>a dword needs 1 to 8 hex digits</source>
        <translation>ein dword braucht 1 bis 8 Hexadezimalziffern</translation>
    </message>
    <message>
        <source>a value type hex(N): needs 1 to 8 hex digits for N</source>
        <translation>ein Werttyp hex(N): braucht 1 bis 8 Hexadezimalziffern für N</translation>
    </message>
    <message>
        <source>deleting values is not supported</source>
        <translation>das Löschen von Werten wird nicht unterstützt</translation>
    </message>
    <message>
        <source>the value must be a text in quotes, dword:, hex: or hex(N):</source>
        <translation>der Wert muss ein Text in Anführungszeichen, dword:, hex: oder hex(N): sein</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a byte in hex</source>
        <translation>„%1“ ist kein Byte in Hexadezimalschreibweise</translation>
    </message>
    <message>
        <source>the file starts as UTF-16 but is not valid UTF-16</source>
        <translation>die Datei beginnt als UTF-16, ist aber kein gültiges UTF-16</translation>
    </message>
    <message>
        <source>the first line must be &quot;REGEDIT4&quot;</source>
        <translation>die erste Zeile muss &quot;REGEDIT4&quot; lauten</translation>
    </message>
    <message>
        <source>a value before the first key line</source>
        <translation>ein Wert vor der ersten Schlüsselzeile</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Ungültiger Datentyp für „%1“</translation>
    </message>
    <message>
        <source>Failed to get data for &apos;%1&apos;</source>
        <translation>Die Daten für „%1“ konnten nicht gelesen werden</translation>
    </message>
    <message numerus="yes">
        <source>The text of &apos;%1&apos; is longer than %n characters, more than a text field holds</source>
        <translation>
            <numerusform>Der Text von „%1“ ist länger als %n Zeichen, mehr als ein Textfeld fasst</numerusform>
            <numerusform>Der Text von „%1“ ist länger als %n Zeichen, mehr als ein Textfeld fasst</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The registry holds %n mods, more than the %1 the launcher can keep; they were not loaded</source>
        <translation>
            <numerusform>Die Registry enthält %n Mod, mehr als die %1, die der Launcher behalten kann; er wurde nicht geladen</numerusform>
            <numerusform>Die Registry enthält %n Mods, mehr als die %1, die der Launcher behalten kann; sie wurden nicht geladen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The registry holds %n servers, more than the %1 the launcher can keep; they were not loaded</source>
        <translation>
            <numerusform>Die Registry enthält %n Server, mehr als die %1, die der Launcher behalten kann; er wurde nicht geladen</numerusform>
            <numerusform>Die Registry enthält %n Server, mehr als die %1, die der Launcher behalten kann; sie wurden nicht geladen</numerusform>
        </translation>
    </message>
    <message>
        <source>The mods hold the row &apos;%1&apos; more than once; each later one is kept as a row of its own with a new id</source>
        <translation>Die Mods enthalten die Zeile „%1“ mehrfach; jede weitere wird als eigene Zeile mit neuer ID behalten</translation>
    </message>
    <message>
        <source>The servers hold the row &apos;%1&apos; more than once; each later one is kept as a row of its own with a new id</source>
        <translation>Die Server enthalten die Zeile „%1“ mehrfach; jede weitere wird als eigene Zeile mit neuer ID behalten</translation>
    </message>
    <message>
        <source>the mods row &apos;%1&apos;</source>
        <translation>die Mod-Zeile „%1“</translation>
    </message>
    <message>
        <source>the servers row &apos;%1&apos;</source>
        <translation>die Server-Zeile „%1“</translation>
    </message>
    <message>
        <source>Select the VKR executable.</source>
        <translation>Wählen Sie die ausführbare VKR-Datei aus.</translation>
    </message>
    <message>
        <source>VKR Executable not found! Select the correct VKR executable.</source>
        <translation>Ausführbare VKR-Datei nicht gefunden! Wählen Sie die richtige ausführbare VKR-Datei aus.</translation>
    </message>
    <message>
        <source>Not all the settings could be read as they are stored:</source>
        <translation>Nicht alle Einstellungen konnten so gelesen werden, wie sie gespeichert sind:</translation>
    </message>
    <message>
        <source>What could not be read is left as it is stored and is not saved over; correct the settings file to use it</source>
        <translation>Was nicht gelesen werden konnte, bleibt in der Datei unverändert und wird nicht überschrieben; korrigieren Sie die Einstellungsdatei, um es zu verwenden</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The list so far and a name that is not its last: &quot;a&quot; and &quot;b&quot; give &quot;a, b&quot;.</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <extracomment>The list so far and its last name: &quot;a, b&quot; and &quot;c&quot; give &quot;a, b and c&quot;.</extracomment>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>the mods</source>
        <extracomment>Named in the list of what a save kept as stored.</extracomment>
        <translation>die Mods</translation>
    </message>
    <message>
        <source>the servers</source>
        <extracomment>Named in the list of what a save kept as stored.</extracomment>
        <translation>die Server</translation>
    </message>
    <message>
        <source>Another program changed some of the settings in the settings file while the launcher ran. Where the launcher had changed the same settings, its own were saved: %1.</source>
        <translation>Ein anderes Programm hat während der Laufzeit des Launchers Einstellungen in der Einstellungsdatei geändert. Wo der Launcher dieselben Einstellungen geändert hatte, wurden seine eigenen gespeichert: %1.</translation>
    </message>
    <message>
        <source>The last load could not read all the settings, so these were kept as stored and not saved: %1. Correct the settings file and restart the launcher</source>
        <translation>Beim letzten Laden konnten nicht alle Einstellungen gelesen werden, daher wurden diese so belassen, wie sie in der Datei stehen, und nicht überschrieben: %1. Korrigieren Sie die Einstellungsdatei und starten Sie den Launcher neu</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>A VKR Launcher already runs on the settings in %1; it could not be brought forward. Use that one, or close it before starting another.</source>
        <translation>Ein VKR Launcher läuft bereits mit den Einstellungen in %1; er konnte nicht in den Vordergrund geholt werden. Verwenden Sie diesen oder schließen Sie ihn, bevor Sie einen weiteren starten.</translation>
    </message>
</context>
<context>
    <name>TAboutDialog</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>VKR Launcher v2.18 by Tervald</source>
        <translation>VKR Launcher 2.18 von Tervald</translation>
    </message>
    <message>
        <source>E-mail: tervald@example.org</source>
        <translation>E-Mail: tervald@example.org</translation>
    </message>
    <message>
        <source>Web: https://example.org/vkr</source>
        <translation>Web: https://example.org/vkr</translation>
    </message>
    <message>
        <source>This program is freeware: use and share it</source>
        <translation>Dieses Programm ist Freeware: frei nutzen</translation>
    </message>
    <message>
        <source>freely, but do not sell it. It comes with no</source>
        <translation>und weitergeben, aber nicht verkaufen. Ohne</translation>
    </message>
    <message>
        <source>warranty of any kind; use it at your own risk.</source>
        <translation>jede Gewähr; Nutzung auf eigenes Risiko.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>VKR Launcher v2.18 by Tervald of Harjun</source>
        <translation>VKR Launcher v2.18 von Tervald of Harjun</translation>
    </message>
    <message>
        <source>MP: &amp;Host game</source>
        <translation>MP: Spiel &amp;hosten</translation>
    </message>
    <message>
        <source>Start VKR and host a multiplayer game</source>
        <translation>VKR starten und ein Mehrspielerspiel hosten</translation>
    </message>
    <message>
        <source>MP: &amp;Server list</source>
        <translation>MP: &amp;Serverliste</translation>
    </message>
    <message>
        <source>Join an VKR game at ip address</source>
        <translation>Einem VKR-Spiel unter einer IP-Adresse beitreten</translation>
    </message>
    <message>
        <source>&amp;Start singleplayer</source>
        <translation>&amp;Einzelspieler</translation>
    </message>
    <message>
        <source>Start VKR normally</source>
        <translation>VKR normal starten</translation>
    </message>
    <message>
        <source>Your IP</source>
        <translation>Eigene IP</translation>
    </message>
    <message>
        <source>127.0.0.1</source>
        <translation>127.0.0.1</translation>
    </message>
    <message>
        <source>Your ip address</source>
        <translation>Eigene IP-Adresse</translation>
    </message>
    <message>
        <source>&amp;Copy to clipboard</source>
        <translation>IP &amp;kopieren</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Player name</source>
        <translation>Spielername</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source> Mods </source>
        <translation> Mods </translation>
    </message>
    <message>
        <source>Mods</source>
        <translation>Mods</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>VKR Executable location</source>
        <translation>Pfad der ausführbaren VKR-Datei</translation>
    </message>
    <message>
        <source>exenimi</source>
        <translation>exenimi</translation>
    </message>
    <message>
        <source>Change the VKR executable</source>
        <translation>Ausführbare VKR-Datei ändern</translation>
    </message>
    <message>
        <source>ch&amp;ange</source>
        <translation>&amp;ändern</translation>
    </message>
    <message>
        <source>Change the VKR Executable location</source>
        <translation>Pfad der ausführbaren VKR-Datei ändern</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Mods</source>
        <translation>&amp;Mods</translation>
    </message>
    <message>
        <source>&amp;Servers</source>
        <translation>&amp;Server</translation>
    </message>
    <message>
        <source>&amp;Friends</source>
        <translation>&amp;Freunde</translation>
    </message>
    <message>
        <source>VKR Preferences</source>
        <translation>VKR-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>No game executable: choose it with &quot;change&quot; at the bottom right.</source>
        <translation>Keine ausführbare Spieldatei: Mit „ändern“ unten rechts auswählen.</translation>
    </message>
    <message>
        <source>VKRO Executable</source>
        <translation>VKRO-Programm</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>No server entries found. Search the local network?</source>
        <translation>Keine Servereinträge gefunden. Im lokalen Netzwerk suchen?</translation>
    </message>
    <message>
        <source>Starting the game...</source>
        <translation>Spiel wird gestartet...</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Modifications</source>
        <translation>Modifikationen</translation>
    </message>
    <message>
        <source>Select mod or enter new</source>
        <translation>Mod wählen oder anlegen</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Mod name:</source>
        <translation>Mod-Name:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Mod directory name:</source>
        <translation>Mod-Verzeichnis:</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Dir</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Servers</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Select server or enter new</source>
        <translation>Server wählen oder anlegen</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Server name:</source>
        <translation>Servername:</translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>Server hostname/IP:</source>
        <translation>Hostname/IP des Servers:</translation>
    </message>
    <message>
        <source>host</source>
        <translation>host</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>Mods to use on server:</source>
        <translation>Mods auf dem Server:</translation>
    </message>
    <message>
        <source>Mods to use on server</source>
        <translation>Mods auf dem Server</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>Implementation:</source>
        <translation>Implementierung:</translation>
    </message>
    <message>
        <source>Sockets</source>
        <translation>Sockets</translation>
    </message>
    <message>
        <source>DirectPlay</source>
        <translation>DirectPlay</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Servers</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Hide empty</source>
        <translation>Nicht leer</translation>
    </message>
    <message>
        <source>Hide full</source>
        <translation>Nicht voll</translation>
    </message>
    <message>
        <source>Hide no reply</source>
        <translation>Erreichbar</translation>
    </message>
    <message>
        <source>Friends only</source>
        <translation>Nur Freunde</translation>
    </message>
    <message>
        <source>Max &amp;ping:</source>
        <translation>Max. &amp;Ping:</translation>
    </message>
    <message>
        <source>Max ping</source>
        <translation>Max. Ping</translation>
    </message>
    <message>
        <source>Played before</source>
        <translation>Schon gespielt</translation>
    </message>
    <message>
        <source>Add &amp;server:</source>
        <translation>&amp;Server hinzufügen:</translation>
    </message>
    <message>
        <source>host:port</source>
        <translation>host:port</translation>
    </message>
    <message>
        <source>Add server</source>
        <translation>Server hinzufügen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;LAN...</source>
        <translation>&amp;LAN...</translation>
    </message>
    <message>
        <source>LAN...</source>
        <translation>LAN...</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Server lists</source>
        <translation>Serverlisten</translation>
    </message>
    <message>
        <source>Import or export a list of servers</source>
        <translation>Eine Serverliste importieren oder exportieren</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>&amp;Join server</source>
        <translation>&amp;Beitreten</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Watcher</source>
        <translation>&amp;Wächter</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Player name</source>
        <translation>Spielername</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 servers shown</source>
        <translation>
            <numerusform>%n von %1 Servern angezeigt</numerusform>
            <numerusform>%n von %1 Servern angezeigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Answered %n of %1</source>
        <translation>
            <numerusform>Geantwortet: %n von %1</numerusform>
            <numerusform>Geantwortet: %n von %1</numerusform>
        </translation>
    </message>
    <message>
        <source>This server is no longer in the server list.</source>
        <translation>Dieser Server ist nicht mehr in der Serverliste.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Servers shown</source>
        <translation>Angezeigte Server</translation>
    </message>
    <message>
        <source>Join server</source>
        <translation>Server beitreten</translation>
    </message>
    <message>
        <source>Watcher</source>
        <translation>Wächter</translation>
    </message>
    <message>
        <source>Copy address</source>
        <translation>Adresse kopieren</translation>
    </message>
    <message>
        <source>Edit server...</source>
        <translation>Server bearbeiten...</translation>
    </message>
    <message>
        <source>Server details...</source>
        <translation>Serverdetails...</translation>
    </message>
    <message>
        <source>Refresh server</source>
        <translation>Server aktualisieren</translation>
    </message>
    <message>
        <source>Querying servers...</source>
        <translation>Server werden abgefragt...</translation>
    </message>
    <message>
        <source>Query done...</source>
        <translation>Abfrage abgeschlossen...</translation>
    </message>
    <message>
        <source>Receiving data...</source>
        <translation>Daten werden empfangen...</translation>
    </message>
    <message>
        <source>Invalid Host error occured.</source>
        <translation>Fehler: ungültiger Host.</translation>
    </message>
    <message>
        <source>Buffer invalid error occured.</source>
        <translation>Fehler: ungültiger Puffer.</translation>
    </message>
    <message>
        <source>%1 added.</source>
        <translation>%1 hinzugefügt.</translation>
    </message>
    <message>
        <source>%1 added. The filter hides it.</source>
        <translation>%1 hinzugefügt. Der Filter blendet ihn aus.</translation>
    </message>
    <message>
        <source>%1 is in the list already.</source>
        <translation>%1 ist bereits in der Liste.</translation>
    </message>
    <message>
        <source>%1 is in the list already. The filter hides it.</source>
        <translation>%1 ist bereits in der Liste. Der Filter blendet ihn aus.</translation>
    </message>
    <message>
        <source>Friends: %1</source>
        <translation>Freunde: %1</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>any</source>
        <comment>no ping limit</comment>
        <translation>unbegrenzt</translation>
    </message>
    <message>
        <source>Remove from friends</source>
        <translation>Aus Freunden entfernen</translation>
    </message>
    <message>
        <source>Add to friends</source>
        <translation>Zu Freunden hinzufügen</translation>
    </message>
    <message>
        <source>A line holds an address, perhaps after a server type, and nothing else.</source>
        <translation>Eine Zeile enthält eine Adresse, ggf. nach einem Servertyp, und sonst nichts.</translation>
    </message>
    <message>
        <source>The query port must be a number from 2 to 65535.</source>
        <translation>Der Abfrageport muss eine Zahl von 2 bis 65535 sein.</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>%1, %2, %3</source>
        <comment>added, already listed, not understood</comment>
        <translation>%1, %2, %3</translation>
    </message>
    <message numerus="yes">
        <source>%n added</source>
        <comment>servers of a list</comment>
        <translation>
            <numerusform>%n hinzugefügt</numerusform>
            <numerusform>%n hinzugefügt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n already listed</source>
        <comment>servers of a list</comment>
        <translation>
            <numerusform>%n schon vorhanden</numerusform>
            <numerusform>%n schon vorhanden</numerusform>
        </translation>
    </message>
    <message>
        <source>1 line not understood</source>
        <translation>1 Zeile nicht verstanden</translation>
    </message>
    <message numerus="yes">
        <source>%n lines not understood</source>
        <translation>
            <numerusform>%n Zeile nicht verstanden</numerusform>
            <numerusform>%n Zeilen nicht verstanden</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (first: %2)</source>
        <comment>the first line not understood</comment>
        <translation>%1 (erste: %2)</translation>
    </message>
    <message numerus="yes">
        <source>%1
%n not added: %2</source>
        <comment>servers of a list</comment>
        <translation>
            <numerusform>%1
%n nicht hinzugefügt: %2</numerusform>
            <numerusform>%1
%n nicht hinzugefügt: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Import servers...</source>
        <translation>Server importieren...</translation>
    </message>
    <message>
        <source>Export servers...</source>
        <translation>Server exportieren...</translation>
    </message>
    <message>
        <source>Could not read &quot;%1&quot;: %2</source>
        <translation>„%1“ konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than 16 MB: it is no list of servers</source>
        <translation>„%1“ ist größer als 16 MB: Das ist keine Serverliste</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n servers exported; %1 left out, whose port is not a number from 1 to 65534.</source>
        <translation>
            <numerusform>%n Server exportiert; %1 ausgelassen (Port keine Zahl von 1 bis 65534).</numerusform>
            <numerusform>%n Server exportiert; %1 ausgelassen (Port keine Zahl von 1 bis 65534).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n servers exported.</source>
        <translation>
            <numerusform>%n Server exportiert.</numerusform>
            <numerusform>%n Server exportiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Type a host name or address, with :port when it is not 2302.</source>
        <translation>Hostname oder Adresse eingeben, mit :Port, falls dieser nicht 2302 ist.</translation>
    </message>
    <message>
        <source>An address has no spaces.</source>
        <translation>Eine Adresse enthält keine Leerzeichen.</translation>
    </message>
    <message>
        <source>Only one colon, between host and port.</source>
        <translation>Nur ein Doppelpunkt, zwischen Host und Port.</translation>
    </message>
    <message>
        <source>The host is missing before the colon.</source>
        <translation>Vor dem Doppelpunkt fehlt der Host.</translation>
    </message>
    <message>
        <source>A host has only letters, digits, dots, hyphens and underscores.</source>
        <translation>Ein Host besteht nur aus Buchstaben, Ziffern, Punkten, Binde- und Unterstrichen.</translation>
    </message>
    <message>
        <source>The host is longer than %1 characters.</source>
        <translation>Der Host ist länger als %1 Zeichen.</translation>
    </message>
    <message>
        <source>The port is missing after the colon.</source>
        <translation>Nach dem Doppelpunkt fehlt der Port.</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>Der Port muss eine Zahl von 1 bis 65535 sein.</translation>
    </message>
</context>
<context>
    <name>TFormDetails</name>
    <message>
        <source>Server details</source>
        <translation>Serverdetails</translation>
    </message>
    <message>
        <source>Server name</source>
        <translation>Servername</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Last played</source>
        <translation>Zuletzt gespielt</translation>
    </message>
    <message>
        <source>Ping over the last 20 passes</source>
        <translation>Ping der letzten 20 Durchgänge</translation>
    </message>
    <message>
        <source>Ping figures</source>
        <translation>Ping-Werte</translation>
    </message>
    <message>
        <source>Ping per pass</source>
        <translation>Ping pro Durchgang</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Ask this server again (F5)</source>
        <translation>Diesen Server erneut abfragen (F5)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Key</source>
        <comment>a reply&apos;s key</comment>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <source>Value</source>
        <comment>a reply&apos;s value</comment>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Not asked yet</source>
        <translation>Noch nicht abgefragt</translation>
    </message>
    <message numerus="yes">
        <source>Answered %n of %1</source>
        <translation>
            <numerusform>Geantwortet: %n von %1</numerusform>
            <numerusform>Geantwortet: %n von %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Lowest %1 ms
Median %2 ms
Highest %3 ms
%4</source>
        <translation>Niedrigster %1 ms
Median %2 ms
Höchster %3 ms
%4</translation>
    </message>
    <message>
        <source>This server is no longer in the server list.</source>
        <translation>Dieser Server ist nicht mehr in der Serverliste.</translation>
    </message>
</context>
<context>
    <name>TFormFriends</name>
    <message>
        <source>Friends</source>
        <translation>Freunde</translation>
    </message>
    <message>
        <source>Player name</source>
        <translation>Spielername</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Type a player name to add.</source>
        <translation>Einen Spielernamen zum Hinzufügen eingeben.</translation>
    </message>
    <message>
        <source>%1 is a friend already.</source>
        <translation>%1 ist bereits ein Freund.</translation>
    </message>
    <message>
        <source>Select a friend to remove.</source>
        <translation>Einen Freund zum Entfernen auswählen.</translation>
    </message>
</context>
<context>
    <name>TFormLan</name>
    <message>
        <source>Local network</source>
        <translation>Lokales Netzwerk</translation>
    </message>
    <message>
        <source>Servers on the local network</source>
        <translation>Server im lokalen Netzwerk</translation>
    </message>
    <message>
        <source>&amp;Search again</source>
        <translation>&amp;Erneut suchen</translation>
    </message>
    <message>
        <source>&amp;Add to favourites</source>
        <translation>Zu &amp;Favoriten</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>No local network found.</source>
        <translation>Kein lokales Netzwerk gefunden.</translation>
    </message>
    <message>
        <source>Searching the local network...</source>
        <translation>Lokales Netzwerk wird durchsucht...</translation>
    </message>
    <message>
        <source>No server answered.</source>
        <translation>Kein Server hat geantwortet.</translation>
    </message>
    <message>
        <source>1 server found.</source>
        <translation>1 Server gefunden.</translation>
    </message>
    <message numerus="yes">
        <source>%n servers found.</source>
        <translation>
            <numerusform>%n Server gefunden.</numerusform>
            <numerusform>%n Server gefunden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Searching the local network... %1</source>
        <translation>Lokales Netzwerk wird durchsucht... %1</translation>
    </message>
    <message>
        <source>Select the servers to add.</source>
        <translation>Die hinzuzufügenden Server auswählen.</translation>
    </message>
    <message>
        <source>1 server added to the favourites.</source>
        <translation>1 Server zu den Favoriten hinzugefügt.</translation>
    </message>
    <message numerus="yes">
        <source>%n servers added to the favourites.</source>
        <translation>
            <numerusform>%n Server zu den Favoriten hinzugefügt.</numerusform>
            <numerusform>%n Server zu den Favoriten hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was there already.</source>
        <translation>1 war schon vorhanden.</translation>
    </message>
    <message numerus="yes">
        <source>%n were there already.</source>
        <translation>
            <numerusform>%n war schon vorhanden.</numerusform>
            <numerusform>%n waren schon vorhanden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n did not fit: the list of servers is full.</source>
        <translation>
            <numerusform>%n passte nicht mehr: Die Serverliste ist voll.</numerusform>
            <numerusform>%n passten nicht mehr: Die Serverliste ist voll.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFormOptions</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Skip splash screens</source>
        <translation>Startbilder überspringen</translation>
    </message>
    <message>
        <source>Skip VKR Startup screens</source>
        <translation>Startbildschirme von VKR überspringen</translation>
    </message>
    <message>
        <source>Run windowed</source>
        <translation>Im Fenster ausführen</translation>
    </message>
    <message>
        <source>Run VKR in a window</source>
        <translation>VKR in einem Fenster ausführen</translation>
    </message>
    <message>
        <source>Close launcher after launch</source>
        <translation>Nach Spielstart beenden</translation>
    </message>
    <message>
        <source>Close launcher when VKR is launched</source>
        <translation>Launcher schließen, wenn VKR gestartet wird</translation>
    </message>
    <message>
        <source>Force no memory-mapping</source>
        <translation>Kein Memory-Mapping</translation>
    </message>
    <message>
        <source>Uses an alternative method for file access (nomap commandline parameter), can prevent crashes but causes a slight performance hit</source>
        <translation>Verwendet eine andere Methode für den Dateizugriff (Kommandozeilenparameter nomap); kann Abstürze verhindern, kostet aber etwas Leistung</translation>
    </message>
    <message>
        <source>Flash taskbar on new game</source>
        <translation>Bei neuem Spiel blinken</translation>
    </message>
    <message>
        <source>(For server watcher) Flashes the launcher window on task bar when new game starts</source>
        <translation>(Für den Serverwächter) Lässt das Launcher-Fenster in der Taskleiste blinken, wenn ein neues Spiel beginnt</translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation>Benachrichtigungen</translation>
    </message>
    <message>
        <source>(For server watcher) Shows a desktop notification with a Join button when the watcher alerts</source>
        <translation>(Für den Serverwächter) Zeigt eine Desktop-Benachrichtigung mit einer Schaltfläche „Beitreten“, wenn der Wächter Alarm schlägt</translation>
    </message>
    <message>
        <source>Watcher Sounds</source>
        <translation>Wächter-Töne</translation>
    </message>
    <message>
        <source>Disable sounds</source>
        <translation>Keine Töne</translation>
    </message>
    <message>
        <source>Disable serveratcher sounds</source>
        <translation>Töne des Serverwächters abschalten</translation>
    </message>
    <message>
        <source>Use default sounds</source>
        <translation>Standardtöne</translation>
    </message>
    <message>
        <source>Use default serveratcher sounds</source>
        <translation>Standardtöne des Serverwächters verwenden</translation>
    </message>
    <message>
        <source>Custom sounds:</source>
        <translation>Eigene Töne:</translation>
    </message>
    <message>
        <source>Use custom serverwatcher sounds</source>
        <translation>Eigene Töne für den Serverwächter verwenden</translation>
    </message>
    <message>
        <source>Wav file to play when a new game on a server is starting</source>
        <translation>WAV-Datei, die abgespielt wird, wenn auf einem Server ein neues Spiel beginnt</translation>
    </message>
    <message>
        <source>Wav file to play when a player joins into an empty server</source>
        <translation>WAV-Datei, die abgespielt wird, wenn ein Spieler einem leeren Server beitritt</translation>
    </message>
    <message>
        <source>Browse for the players sound</source>
        <translation>Datei für den Spielerton suchen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Browse for the new game sound</source>
        <translation>Datei für den Ton bei neuem Spiel suchen</translation>
    </message>
    <message>
        <source>New game sound</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Players sound</source>
        <translation>Spielerton</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>WAV files</source>
        <translation>WAV-Dateien</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Plays only 30 s: both sounds</source>
        <translation>Nur 30 s abgespielt: beide Töne</translation>
    </message>
    <message>
        <source>Plays only 30 s: New game sound</source>
        <translation>Nur 30 s abgespielt: Neues Spiel</translation>
    </message>
    <message>
        <source>Plays only 30 s: Players sound</source>
        <translation>Nur 30 s abgespielt: Spielerton</translation>
    </message>
    <message>
        <source>Looking for the service...</source>
        <translation>Dienst wird gesucht...</translation>
    </message>
    <message>
        <source>Service found</source>
        <translation>Dienst gefunden</translation>
    </message>
    <message>
        <source>No service found</source>
        <translation>Kein Dienst gefunden</translation>
    </message>
</context>
<context>
    <name>TFormWatcher</name>
    <message>
        <source>Server Watcher</source>
        <translation>Serverwächter</translation>
    </message>
    <message>
        <source>Watching:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Current status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Waiting status...</source>
        <translation>Warte auf Status...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Players:</source>
        <translation>Spieler:</translation>
    </message>
    <message>
        <source>?/?</source>
        <translation>?/?</translation>
    </message>
    <message>
        <source>Mission:</source>
        <translation>Mission:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Auto-join</source>
        <translation>Auto-Beitritt</translation>
    </message>
    <message>
        <source>Join by itself when a new game is being set up or a slot comes free</source>
        <translation>Von selbst beitreten, wenn ein neues Spiel vorbereitet wird oder ein Platz frei wird</translation>
    </message>
    <message>
        <source>More &gt;&gt;</source>
        <translation>Mehr »</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Status lamp</source>
        <translation>Statuslampe</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>mission - players</comment>
        <translation>%1 - %2</translation>
    </message>
    <message numerus="yes">
        <source>Joining in %n...</source>
        <translation>
            <numerusform>Beitritt in %n...</numerusform>
            <numerusform>Beitritt in %n...</numerusform>
        </translation>
    </message>
    <message>
        <source>Auto-join stopped</source>
        <translation>Auto-Beitritt gestoppt</translation>
    </message>
    <message>
        <source>Joining %1</source>
        <translation>Beitritt zu %1</translation>
    </message>
    <message>
        <source>Stop watching</source>
        <translation>Beobachtung beenden</translation>
    </message>
    <message>
        <source>%1: %2, %3, %4</source>
        <translation>%1: %2, %3, %4</translation>
    </message>
    <message>
        <source>&lt;&lt; Less</source>
        <translation>« Weniger</translation>
    </message>
    <message>
        <source>none</source>
        <comment>no mission yet</comment>
        <translation>keine</translation>
    </message>
    <message>
        <source>Selecting mission</source>
        <translation>Missionsauswahl</translation>
    </message>
    <message>
        <source>Setting up</source>
        <translation>Vorbereitung</translation>
    </message>
    <message>
        <source>Debriefing</source>
        <translation>Debriefing</translation>
    </message>
    <message>
        <source>Briefing</source>
        <translation>Briefing</translation>
    </message>
    <message>
        <source>Game in progress...</source>
        <translation>Spiel läuft...</translation>
    </message>
    <message>
        <source>Empty</source>
        <comment>the server has no players</comment>
        <translation>Leer</translation>
    </message>
    <message>
        <source>No reply from server</source>
        <translation>Server antwortet nicht</translation>
    </message>
    <message>
        <source>Auto-join stopped: no reply from the server</source>
        <translation>Auto-Beitritt gestoppt: keine Antwort vom Server</translation>
    </message>
    <message>
        <source>no reply</source>
        <comment>the server&apos;s state</comment>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>selecting mission</source>
        <comment>the server&apos;s state</comment>
        <translation>Missionsauswahl</translation>
    </message>
    <message>
        <source>setting up</source>
        <comment>the server&apos;s state</comment>
        <translation>Vorbereitung</translation>
    </message>
    <message>
        <source>debriefing</source>
        <comment>the server&apos;s state</comment>
        <translation>Debriefing</translation>
    </message>
    <message>
        <source>briefing</source>
        <comment>the server&apos;s state</comment>
        <translation>Briefing</translation>
    </message>
    <message>
        <source>in game</source>
        <comment>the server&apos;s state</comment>
        <translation>im Spiel</translation>
    </message>
    <message>
        <source>empty</source>
        <comment>the server&apos;s state</comment>
        <translation>leer</translation>
    </message>
    <message>
        <source>waiting</source>
        <comment>the server&apos;s state</comment>
        <translation>wartet</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>%1, %2 and %3</source>
        <translation>%1, %2 und %3</translation>
    </message>
    <message>
        <source>%1, %2, %3 and %4</source>
        <translation>%1, %2, %3 und %4</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %3 and %n more</source>
        <translation>
            <numerusform>%1, %2, %3 und %n weiterer</numerusform>
            <numerusform>%1, %2, %3 und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>New game on %1</source>
        <translation>Neues Spiel auf %1</translation>
    </message>
    <message numerus="yes">
        <source>New game on %1; %2 joined</source>
        <translation>
            <numerusform>Neues Spiel auf %1; %2 ist beigetreten</numerusform>
            <numerusform>Neues Spiel auf %1; %2 sind beigetreten</numerusform>
        </translation>
    </message>
    <message>
        <source>A slot is free on %1</source>
        <translation>Auf %1 ist ein Platz frei</translation>
    </message>
    <message numerus="yes">
        <source>A slot is free on %1; %2 joined</source>
        <translation>
            <numerusform>Auf %1 ist ein Platz frei; %2 ist beigetreten</numerusform>
            <numerusform>Auf %1 ist ein Platz frei; %2 sind beigetreten</numerusform>
        </translation>
    </message>
    <message>
        <source>A player joined %1</source>
        <translation>Ein Spieler ist %1 beigetreten</translation>
    </message>
    <message numerus="yes">
        <source>%1 joined %2</source>
        <translation>
            <numerusform>%1 ist %2 beigetreten</numerusform>
            <numerusform>%1 sind %2 beigetreten</numerusform>
        </translation>
    </message>
    <message>
        <source>None</source>
        <comment>no mission</comment>
        <translation>Keine</translation>
    </message>
</context>
<context>
    <name>TNMUDP</name>
    <message>
        <source>Unknown Error No. %1</source>
        <translation>Unbekannter Fehler Nr. %1</translation>
    </message>
    <message>
        <source>Null Remote Address</source>
        <translation>Leere Zieladresse</translation>
    </message>
    <message>
        <source>Host Lookup Canceled</source>
        <translation>Namensauflösung abgebrochen</translation>
    </message>
</context>
<context>
    <name>vkr::DesktopNotifier</name>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
</context>
</TS>
