<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI">
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
</context>
</TS>
