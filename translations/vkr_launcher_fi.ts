<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI">
<context>
    <name>Editing</name>
    <message numerus="yes">
        <source>The list of mods is full: the launcher keeps at most %n mods. Delete one before adding another.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list of servers is full: the launcher keeps at most %n servers. Delete one before adding another.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Launch</name>
    <message>
        <source>Could not start &quot;%1&quot;: %2.</source>
        <extracomment>%1 the program, %2 why it could not be started.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a Windows program and &quot;wine&quot; was not found on PATH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not executable</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlayerModel</name>
    <message>
        <source>no players</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerModel</name>
    <message>
        <source>Last played: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hostname/IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mission</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not lock the settings file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file, so the launcher neither reads nor replaces it; remove it or put a regular file in its place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 is larger than 64 MB, so it is not a settings file the launcher wrote; it was left as it is. Move it away</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read the settings from %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 is read-only, so the settings were not saved. Make it writable (chmod u+w) and the launcher saves them at its next save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save the settings to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not finish saving the settings to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 could not be read and could not be moved aside: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the settings folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 is in use by another program, which has held its lock %2 for too long; the settings were not read or saved. Close the other program and try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 could not be read (line %2: %3). It was moved to %4; the launcher starts with fresh settings.</source>
        <extracomment>%1 the file, %2 the number of the line, %3 why that line could not be read, %4 the file&apos;s new name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a key line must end with &apos;]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected text after &apos;]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deleting keys is not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown root key &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;=&apos; expected after the value name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a key name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keys nest deeper than 512 levels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value name must be in double quotes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a text must be in double quotes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a backslash in a value name must be followed by \ or &quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a backslash in a text must be followed by \ or &quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value name has no closing quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the text has no closing quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected text after the closing quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a dword needs 1 to 8 hex digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value type hex(N): needs 1 to 8 hex digits for N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deleting values is not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value must be a text in quotes, dword:, hex: or hex(N):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a byte in hex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file starts as UTF-16 but is not valid UTF-16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the first line must be &quot;REGEDIT4&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value before the first key line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to get data for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The text of &apos;%1&apos; is longer than %n characters, more than a text field holds</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The registry holds %n mods, more than the %1 the launcher can keep; they were not loaded</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The registry holds %n servers, more than the %1 the launcher can keep; they were not loaded</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The mods hold the row &apos;%1&apos; more than once; each later one is kept as a row of its own with a new id</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The servers hold the row &apos;%1&apos; more than once; each later one is kept as a row of its own with a new id</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the mods row &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the servers row &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the VKR executable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VKR Executable not found! Select the correct VKR executable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not all the settings could be read as they are stored:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What could not be read is left as it is stored and is not saved over; correct the settings file to use it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The list so far and a name that is not its last: &quot;a&quot; and &quot;b&quot; give &quot;a, b&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <extracomment>The list so far and its last name: &quot;a, b&quot; and &quot;c&quot; give &quot;a, b and c&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the mods</source>
        <extracomment>Named in the list of what a save kept as stored.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the servers</source>
        <extracomment>Named in the list of what a save kept as stored.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program changed some of the settings in the settings file while the launcher ran. Where the launcher had changed the same settings, its own were saved: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last load could not read all the settings, so these were kept as stored and not saved: %1. Correct the settings file and restart the launcher</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>A VKR Launcher already runs on the settings in %1; it could not be brought forward. Use that one, or close it before starting another.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAboutDialog</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VKR Launcher v2.18 by Tervald</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E-mail: tervald@example.org</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web: https://example.org/vkr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This program is freeware: use and share it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>freely, but do not sell it. It comes with no</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warranty of any kind; use it at your own risk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>VKR Launcher v2.18 by Tervald of Harjun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP: &amp;Host game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start VKR and host a multiplayer game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP: &amp;Server list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join an VKR game at ip address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start singleplayer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start VKR normally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>127.0.0.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your ip address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Mods </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VKR Executable location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>exenimi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the VKR executable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ch&amp;ange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the VKR Executable location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Servers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Friends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VKR Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game executable: choose it with &quot;change&quot; at the bottom right.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VKRO Executable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No server entries found. Search the local network?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting the game...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Modifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select mod or enter new</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mod name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mod directory name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Servers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select server or enter new</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server hostname/IP:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mods to use on server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mods to use on server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Implementation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sockets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DirectPlay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Servers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide no reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friends only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max &amp;ping:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max ping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Played before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>host:port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;LAN...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAN...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import or export a list of servers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Join server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Watcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 servers shown</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Answered %n of %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>This server is no longer in the server list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Servers shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit server...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server details...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Querying servers...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Query done...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receiving data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Host error occured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buffer invalid error occured.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 added. The filter hides it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is in the list already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is in the list already. The filter hides it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friends: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>any</source>
        <comment>no ping limit</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from friends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to friends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A line holds an address, perhaps after a server type, and nothing else.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The query port must be a number from 2 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2, %3</source>
        <comment>added, already listed, not understood</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n added</source>
        <comment>servers of a list</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n already listed</source>
        <comment>servers of a list</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 line not understood</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n lines not understood</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (first: %2)</source>
        <comment>the first line not understood</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1
%n not added: %2</source>
        <comment>servers of a list</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import servers...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export servers...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than 16 MB: it is no list of servers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n servers exported; %1 left out, whose port is not a number from 1 to 65534.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n servers exported.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Type a host name or address, with :port when it is not 2302.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An address has no spaces.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only one colon, between host and port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host is missing before the colon.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A host has only letters, digits, dots, hyphens and underscores.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host is longer than %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port is missing after the colon.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormDetails</name>
    <message>
        <source>Server details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ping over the last 20 passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ping figures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ping per pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask this server again (F5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key</source>
        <comment>a reply&apos;s key</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <comment>a reply&apos;s value</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not asked yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Answered %n of %1</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Lowest %1 ms
Median %2 ms
Highest %3 ms
%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This server is no longer in the server list.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormFriends</name>
    <message>
        <source>Friends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type a player name to add.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a friend already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a friend to remove.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormLan</name>
    <message>
        <source>Local network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Servers on the local network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Search again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add to favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No local network found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching the local network...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No server answered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 server found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n servers found.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Searching the local network... %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the servers to add.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 server added to the favourites.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n servers added to the favourites.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 was there already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n were there already.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n did not fit: the list of servers is full.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFormOptions</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip splash screens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip VKR Startup screens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run windowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run VKR in a window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close launcher after launch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close launcher when VKR is launched</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force no memory-mapping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uses an alternative method for file access (nomap commandline parameter), can prevent crashes but causes a slight performance hit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash taskbar on new game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(For server watcher) Flashes the launcher window on task bar when new game starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(For server watcher) Shows a desktop notification with a Join button when the watcher alerts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watcher Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable serveratcher sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default serveratcher sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom sounds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use custom serverwatcher sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wav file to play when a new game on a server is starting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wav file to play when a player joins into an empty server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for the players sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for the new game sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New game sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAV files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plays only 30 s: both sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plays only 30 s: New game sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plays only 30 s: Players sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for the service...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No service found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormWatcher</name>
    <message>
        <source>Server Watcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watching:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting status...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>?/?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mission:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join by itself when a new game is being set up or a slot comes free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More &gt;&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status lamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>mission - players</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Joining in %n...</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Auto-join stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Joining %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop watching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2, %3, %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;&lt; Less</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <comment>no mission yet</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selecting mission</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setting up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debriefing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Briefing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game in progress...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty</source>
        <comment>the server has no players</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reply from server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-join stopped: no reply from the server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no reply</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>selecting mission</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>setting up</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>debriefing</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>briefing</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in game</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>waiting</source>
        <comment>the server&apos;s state</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2, %3 and %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %3 and %n more</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>New game on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>New game on %1; %2 joined</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>A slot is free on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>A slot is free on %1; %2 joined</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>A player joined %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 joined %2</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>None</source>
        <comment>no mission</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TNMUDP</name>
    <message>
        <source>Unknown Error No. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Null Remote Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host Lookup Canceled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vkr::DesktopNotifier</name>
    <message>
        <source>Join</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
