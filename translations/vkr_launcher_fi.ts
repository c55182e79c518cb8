<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI">
<context>
    <name>Editing</name>
    <message numerus="yes">
        <source>The list of mods is full: the launcher keeps at most %n mods. Delete one before adding another.</source>
        <translation>
            <numerusform>Modiluettelo on täynnä: käynnistin säilyttää enintään %n modin. Poista yksi ennen uuden lisäämistä.</numerusform>
            <numerusform>Modiluettelo on täynnä: käynnistin säilyttää enintään %n modia. Poista yksi ennen uuden lisäämistä.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list of servers is full: the launcher keeps at most %n servers. Delete one before adding another.</source>
        <translation>
            <numerusform>Palvelinluettelo on täynnä: käynnistin säilyttää enintään %n palvelimen. Poista yksi ennen uuden lisäämistä.</numerusform>
            <numerusform>Palvelinluettelo on täynnä: käynnistin säilyttää enintään %n palvelinta. Poista yksi ennen uuden lisäämistä.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Unknown error</source>
        <translation>Tuntematon virhe</translation>
    </message>
</context>
<context>
    <name>Launch</name>
    <message>
        <source>Could not start &quot;%1&quot;: %2.</source>
        <extracomment>%1 the program, %2 why it could not be started.</extracomment>
        <translation>Ohjelmaa &quot;%1&quot; ei voitu käynnistää: %2.</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>tiedostoa ei ole olemassa</translation>
    </message>
    <message>
        <source>it is a Windows program and &quot;wine&quot; was not found on PATH</source>
        <translation>se on Windows-ohjelma, eikä &quot;wine&quot;-komentoa löytynyt PATH-poluista</translation>
    </message>
    <message>
        <source>the file is not executable</source>
        <translation>tiedosto ei ole suoritettava</translation>
    </message>
</context>
<context>
    <name>PlayerModel</name>
    <message>
        <source>no players</source>
        <translation>ei pelaajia</translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>Confirm</source>
        <translation>Vahvista</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Kyllä</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ei</translation>
    </message>
</context>
<context>
    <name>ServerModel</name>
    <message>
        <source>Last played: %1</source>
        <translation>Viimeksi pelattu: %1</translation>
    </message>
    <message>
        <source>No reply</source>
        <translation>Ei vastausta</translation>
    </message>
    <message>
        <source>Server Name</source>
        <translation>Palvelimen nimi</translation>
    </message>
    <message>
        <source>Hostname/IP</source>
        <translation>Konenimi/IP</translation>
    </message>
    <message>
        <source>Ping</source>
        <translation>Ping</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Pelaajat</translation>
    </message>
    <message>
        <source>Mission</source>
        <translation>Tehtävä</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; ei ole kelvollinen kokonaisluku</translation>
    </message>
    <message>
        <source>Could not lock the settings file %1: %2</source>
        <translation>Asetustiedostoa %1 ei voitu lukita: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file, so the launcher neither reads nor replaces it; remove it or put a regular file in its place</source>
        <translation>Asetustiedosto %1 ei ole tavallinen tiedosto, joten käynnistin ei lue eikä korvaa sitä; poista se tai laita sen tilalle tavallinen tiedosto</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than 64 MB, so it is not a settings file the launcher wrote; it was left as it is. Move it away</source>
        <translation>Asetustiedosto %1 on yli 64 Mt, joten se ei ole käynnistimen kirjoittama asetustiedosto; se jätettiin ennalleen. Siirrä se muualle</translation>
    </message>
    <message>
        <source>Could not read the settings from %1: %2</source>
        <translation>Asetuksia ei voitu lukea tiedostosta %1: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is read-only, so the settings were not saved. Make it writable (chmod u+w) and the launcher saves them at its next save</source>
        <translation>Asetustiedosto %1 on kirjoitussuojattu, joten asetuksia ei tallennettu. Salli kirjoitus (chmod u+w), niin käynnistin tallentaa ne seuraavalla tallennuskerralla</translation>
    </message>
    <message>
        <source>Could not save the settings to %1: %2</source>
        <translation>Asetuksia ei voitu tallentaa tiedostoon %1: %2</translation>
    </message>
    <message>
        <source>Could not finish saving the settings to %1: %2</source>
        <translation>Asetusten tallennusta tiedostoon %1 ei voitu viedä loppuun: %2</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read and could not be moved aside: %2</source>
        <translation>Asetustiedostoa %1 ei voitu lukea eikä siirtää syrjään: %2</translation>
    </message>
    <message>
        <source>Could not create the settings folder %1: %2</source>
        <translation>Asetuskansiota %1 ei voitu luoda: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is in use by another program, which has held its lock %2 for too long; the settings were not read or saved. Close the other program and try again</source>
        <translation>Asetustiedosto %1 on toisen ohjelman käytössä, ja se on pitänyt lukkoa %2 liian kauan; asetuksia ei luettu eikä tallennettu. Sulje toinen ohjelma ja yritä uudelleen</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read (line %2: %3). It was moved to %4; the launcher starts with fresh settings.</source>
        <extracomment>%1 the file, %2 the number of the line, %3 why that line could not be read, %4 the file&apos;s new name.</extracomment>
        <translation>Asetustiedostoa %1 ei voitu lukea (rivi %2: %3). Se siirrettiin talteen nimellä %4; käynnistin aloittaa uusin asetuksin.</translation>
    </message>
    <message>
        <source>a key line must end with &apos;]&apos;</source>
        <translation>avainrivin on päätyttävä merkkiin &apos;]&apos;</translation>
    </message>
    <message>
        <source>unexpected text after &apos;]&apos;</source>
        <translation>odottamatonta tekstiä merkin &apos;]&apos; jälkeen</translation>
    </message>
    <message>
        <source>deleting keys is not supported</source>
        <translation>avainten poistoa ei tueta</translation>
    </message>
    <message>
        <source>unknown root key &apos;%1&apos;</source>
        <translation>tuntematon juuriavain &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;=&apos; expected after the value name</source>
        <translation>arvon nimen jälkeen odotettiin merkkiä &apos;=&apos;</translation>
    </message>
    <message>
        <source>a key name is empty</source>
        <translation>avaimen nimi on tyhjä</translation>
    </message>
    <message>
        <source>keys nest deeper than 512 levels</source>
        <translation>avaimet ovat sisäkkäin yli 512 tasoa</translation>
    </message>
    <message>
        <source>a value name must be in double quotes</source>
        <translation>arvon nimen on oltava lainausmerkeissä</translation>
    </message>
    <message>
        <source>a text must be in double quotes</source>
        <translation>tekstin on oltava lainausmerkeissä</translation>
    </message>
    <message>
        <source>a backslash in a value name must be followed by \ or &quot;</source>
        <translation>arvon nimessä kenoviivan jälkeen on oltava \ tai &quot;</translation>
    </message>
    <message>
        <source>a backslash in a text must be followed by \ or &quot;</source>
        <translation>tekstissä kenoviivan jälkeen on oltava \ tai &quot;</translation>
    </message>
    <message>
        <source>the value name has no closing quote</source>
        <translation>arvon nimestä puuttuu loppulainausmerkki</translation>
    </message>
    <message>
        <source>the text has no closing quote</source>
        <translation>tekstistä puuttuu loppulainausmerkki</translation>
    </message>
    <message>
        <source>unexpected text after the closing quote</source>
        <translation>odottamatonta tekstiä loppulainausmerkin jälkeen</translation>
    </message>
    <message>
        <source>a dword needs 1 to 8 hex digits</source>
        <translation>dword-arvo vaatii 1–8 heksanumeroa</translation>
    </message>
    <message>
        <source>a value type hex(N): needs 1 to 8 hex digits for N</source>
        <translation>arvotyyppi hex(N): vaatii N:lle 1–8 heksanumeroa</translation>
    </message>
    <message>
        <source>deleting values is not supported</source>
        <translation>arvojen poistoa ei tueta</translation>
    </message>
    <message>
        <source>the value must be a text in quotes, dword:, hex: or hex(N):</source>
        <translation>arvon on oltava lainausmerkeissä oleva teksti, dword:, hex: tai hex(N):</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a byte in hex</source>
        <translation>&apos;%1&apos; ei ole heksadesimaalinen tavu</translation>
    </message>
    <message>
        <source>the file starts as UTF-16 but is not valid UTF-16</source>
        <translation>tiedosto alkaa UTF-16-muotoisena mutta ei ole kelvollista UTF-16:ta</translation>
    </message>
    <message>
        <source>the first line must be &quot;REGEDIT4&quot;</source>
        <translation>ensimmäisen rivin on oltava &quot;REGEDIT4&quot;</translation>
    </message>
    <message>
        <source>a value before the first key line</source>
        <translation>arvo ennen ensimmäistä avainriviä</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Virheellinen tietotyyppi: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to get data for &apos;%1&apos;</source>
        <translation>Tietojen haku epäonnistui: &apos;%1&apos;</translation>
    </message>
    <message numerus="yes">
        <source>The text of &apos;%1&apos; is longer than %n characters, more than a text field holds</source>
        <translation>
            <numerusform>Arvon &apos;%1&apos; teksti on pidempi kuin %n merkki, enemmän kuin tekstikenttään mahtuu</numerusform>
            <numerusform>Arvon &apos;%1&apos; teksti on pidempi kuin %n merkkiä, enemmän kuin tekstikenttään mahtuu</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The registry holds %n mods, more than the %1 the launcher can keep; they were not loaded</source>
        <translation>
            <numerusform>Rekisterissä on %n modi, enemmän kuin käynnistimen enimmäismäärä %1; niitä ei ladattu</numerusform>
            <numerusform>Rekisterissä on %n modia, enemmän kuin käynnistimen enimmäismäärä %1; niitä ei ladattu</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The registry holds %n servers, more than the %1 the launcher can keep; they were not loaded</source>
        <translation>
            <numerusform>Rekisterissä on %n palvelin, enemmän kuin käynnistimen enimmäismäärä %1; niitä ei ladattu</numerusform>
            <numerusform>Rekisterissä on %n palvelinta, enemmän kuin käynnistimen enimmäismäärä %1; niitä ei ladattu</numerusform>
        </translation>
    </message>
    <message>
        <source>The mods hold the row &apos;%1&apos; more than once; each later one is kept as a row of its own with a new id</source>
        <translation>Modeissa on rivi &apos;%1&apos; useammin kuin kerran; jokainen myöhempi säilytetään omana rivinään uudella tunnisteella</translation>
    </message>
    <message>
        <source>The servers hold the row &apos;%1&apos; more than once; each later one is kept as a row of its own with a new id</source>
        <translation>Palvelimissa on rivi &apos;%1&apos; useammin kuin kerran; jokainen myöhempi säilytetään omana rivinään uudella tunnisteella</translation>
    </message>
    <message>
        <source>the mods row &apos;%1&apos;</source>
        <translation>modien rivi &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the servers row &apos;%1&apos;</source>
        <translation>palvelinten rivi &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Select the VKR executable.</source>
        <translation>Valitse VKR:n ohjelmatiedosto.</translation>
    </message>
    <message>
        <source>VKR Executable not found! Select the correct VKR executable.</source>
        <translation>VKR:n ohjelmatiedostoa ei löytynyt! Valitse oikea VKR:n ohjelmatiedosto.</translation>
    </message>
    <message>
        <source>Not all the settings could be read as they are stored:</source>
        <translation>Kaikkia asetuksia ei voitu lukea sellaisinaan:</translation>
    </message>
    <message>
        <source>What could not be read is left as it is stored and is not saved over; correct the settings file to use it</source>
        <translation>Lukukelvottomat asetukset jätetään ennalleen eikä niiden päälle tallenneta; korjaa asetustiedosto, jotta ne otetaan käyttöön</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The list so far and a name that is not its last: &quot;a&quot; and &quot;b&quot; give &quot;a, b&quot;.</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <extracomment>The list so far and its last name: &quot;a, b&quot; and &quot;c&quot; give &quot;a, b and c&quot;.</extracomment>
        <translation>%1 ja %2</translation>
    </message>
    <message>
        <source>the mods</source>
        <extracomment>Named in the list of what a save kept as stored.</extracomment>
        <translation>modit</translation>
    </message>
    <message>
        <source>the servers</source>
        <extracomment>Named in the list of what a save kept as stored.</extracomment>
        <translation>palvelimet</translation>
    </message>
    <message>
        <source>Another program changed some of the settings in the settings file while the launcher ran. Where the launcher had changed the same settings, its own were saved: %1.</source>
        <translation>Toinen ohjelma muutti asetustiedoston asetuksia käynnistimen ollessa käynnissä. Niistä asetuksista, joita käynnistinkin oli muuttanut, tallennettiin käynnistimen omat: %1.</translation>
    </message>
    <message>
        <source>The last load could not read all the settings, so these were kept as stored and not saved: %1. Correct the settings file and restart the launcher</source>
        <translation>Edellinen lataus ei pystynyt lukemaan kaikkia asetuksia, joten nämä jätettiin ennalleen eikä niitä tallennettu: %1. Korjaa asetustiedosto ja käynnistä käynnistin uudelleen</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>A VKR Launcher already runs on the settings in %1; it could not be brought forward. Use that one, or close it before starting another.</source>
        <translation>Toinen VKR-käynnistin käyttää jo kansion %1 asetuksia, eikä sitä voitu tuoda esiin. Käytä sitä tai sulje se ennen uuden käynnistämistä.</translation>
    </message>
</context>
<context>
    <name>TAboutDialog</name>
    <message>
        <source>About</source>
        <translation>Tietoja</translation>
    </message>
    <message>
        <source>VKR Launcher v2.18 by Tervald</source>
        <translation>VKR-käynnistin v2.18 – Tervald</translation>
    </message>
    <message>
        <source>E-mail: tervald@example.org</source>
        <translation>Sähköposti: tervald@example.org</translation>
    </message>
    <message>
        <source>Web: https://example.org/vkr</source>
        <translation>Verkko: https://example.org/vkr</translation>
    </message>
    <message>
        <source>This program is freeware: use and share it</source>
        <translation>Tämä ohjelma on ilmainen: käytä ja jaa sitä</translation>
    </message>
    <message>
        <source>freely, but do not sell it. It comes with no</source>
        <translation>vapaasti, mutta älä myy sitä. Ohjelmalla ei ole</translation>
    </message>
    <message>
        <source>warranty of any kind; use it at your own risk.</source>
        <translation>mitään takuuta; käyttö omalla vastuullasi.</translation>
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
        <translation>VKR-käynnistin v2.18, tekijä Tervald of Harjun</translation>
    </message>
    <message>
        <source>MP: &amp;Host game</source>
        <translation>MP: &amp;Isännöi</translation>
    </message>
    <message>
        <source>Start VKR and host a multiplayer game</source>
        <translation>Käynnistä VKR ja isännöi moninpeliä</translation>
    </message>
    <message>
        <source>MP: &amp;Server list</source>
        <translation>MP: &amp;Palvelimet</translation>
    </message>
    <message>
        <source>Join an VKR game at ip address</source>
        <translation>Liity VKR-peliin IP-osoitteessa</translation>
    </message>
    <message>
        <source>&amp;Start singleplayer</source>
        <translation>&amp;Yksinpeli</translation>
    </message>
    <message>
        <source>Start VKR normally</source>
        <translation>Käynnistä VKR tavallisesti</translation>
    </message>
    <message>
        <source>Your IP</source>
        <translation>Oma IP</translation>
    </message>
    <message>
        <source>127.0.0.1</source>
        <translation>127.0.0.1</translation>
    </message>
    <message>
        <source>Your ip address</source>
        <translation>IP-osoitteesi</translation>
    </message>
    <message>
        <source>&amp;Copy to clipboard</source>
        <translation>&amp;Kopioi leikepöydälle</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Pelaaja</translation>
    </message>
    <message>
        <source>Player name</source>
        <translation>Pelaajan nimi</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source> Mods </source>
        <translation> Modit </translation>
    </message>
    <message>
        <source>Mods</source>
        <translation>Modit</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ei mitään</translation>
    </message>
    <message>
        <source>VKR Executable location</source>
        <translation>VKR:n ohjelmatiedoston sijainti</translation>
    </message>
    <message>
        <source>exenimi</source>
        <translation>exenimi</translation>
    </message>
    <message>
        <source>Change the VKR executable</source>
        <translation>Vaihda VKR:n ohjelmatiedosto</translation>
    </message>
    <message>
        <source>ch&amp;ange</source>
        <translation>&amp;vaihda</translation>
    </message>
    <message>
        <source>Change the VKR Executable location</source>
        <translation>Vaihda VKR:n ohjelmatiedoston sijainti</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Asetukset</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ohje</translation>
    </message>
    <message>
        <source>&amp;Mods</source>
        <translation>&amp;Modit</translation>
    </message>
    <message>
        <source>&amp;Servers</source>
        <translation>&amp;Palvelimet</translation>
    </message>
    <message>
        <source>&amp;Friends</source>
        <translation>&amp;Kaverit</translation>
    </message>
    <message>
        <source>VKR Preferences</source>
        <translation>VKR:n asetukset</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Lopeta</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Tietoja</translation>
    </message>
    <message>
        <source>No game executable: choose it with &quot;change&quot; at the bottom right.</source>
        <translation>Pelin ohjelmatiedostoa ei ole valittu: valitse se oikean alakulman painikkeella &quot;vaihda&quot;.</translation>
    </message>
    <message>
        <source>VKRO Executable</source>
        <translation>VKRO-ohjelmatiedosto</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Kaikki tiedostot</translation>
    </message>
    <message>
        <source>No server entries found. Search the local network?</source>
        <translation>Palvelimia ei ole lisätty. Etsitäänkö lähiverkosta?</translation>
    </message>
    <message>
        <source>Starting the game...</source>
        <translation>Käynnistetään peliä...</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Modifications</source>
        <translation>Modit</translation>
    </message>
    <message>
        <source>Select mod or enter new</source>
        <translation>Valitse modi tai anna uusi</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Mod name:</source>
        <translation>Modin nimi:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Mod directory name:</source>
        <translation>Modin kansion nimi:</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Dir</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Tallenna</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Poista</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Oletko varma?</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Servers</source>
        <translation>Palvelimet</translation>
    </message>
    <message>
        <source>Select server or enter new</source>
        <translation>Valitse palvelin tai anna uusi</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Server name:</source>
        <translation>Palvelimen nimi:</translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>Server hostname/IP:</source>
        <translation>Palvelimen konenimi/IP:</translation>
    </message>
    <message>
        <source>host</source>
        <translation>host</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Portti:</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>Mods to use on server:</source>
        <translation>Modit palvelimella:</translation>
    </message>
    <message>
        <source>Mods to use on server</source>
        <translation>Modit palvelimella</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Salasana:</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>Implementation:</source>
        <translation>Toteutus:</translation>
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
        <translation>&amp;Tallenna</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Poista</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Oletko varma?</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Servers</source>
        <translation>Palvelimet</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Suodata</translation>
    </message>
    <message>
        <source>Hide empty</source>
        <translation>Piilota tyhjät</translation>
    </message>
    <message>
        <source>Hide full</source>
        <translation>Piilota täydet</translation>
    </message>
    <message>
        <source>Hide no reply</source>
        <translation>Piilota hiljaiset</translation>
    </message>
    <message>
        <source>Friends only</source>
        <translation>Vain kaverit</translation>
    </message>
    <message>
        <source>Max &amp;ping:</source>
        <translation>&amp;Maks. ping:</translation>
    </message>
    <message>
        <source>Max ping</source>
        <translation>Suurin ping</translation>
    </message>
    <message>
        <source>Played before</source>
        <translation>Pelattu aiemmin</translation>
    </message>
    <message>
        <source>Add &amp;server:</source>
        <translation>Lisää &amp;palvelin:</translation>
    </message>
    <message>
        <source>host:port</source>
        <translation>osoite:portti</translation>
    </message>
    <message>
        <source>Add server</source>
        <translation>Lisää palvelin</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Lisää</translation>
    </message>
    <message>
        <source>&amp;LAN...</source>
        <translation>Lä&amp;hiverkko...</translation>
    </message>
    <message>
        <source>LAN...</source>
        <translation>Lähiverkko...</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Server lists</source>
        <translation>Palvelinluettelot</translation>
    </message>
    <message>
        <source>Import or export a list of servers</source>
        <translation>Tuo tai vie palvelinluettelo</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Pelaajat</translation>
    </message>
    <message>
        <source>&amp;Join server</source>
        <translation>&amp;Liity</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Päivitä</translation>
    </message>
    <message>
        <source>&amp;Watcher</source>
        <translation>&amp;Vahti</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Pelaaja</translation>
    </message>
    <message>
        <source>Player name</source>
        <translation>Pelaajan nimi</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 servers shown</source>
        <translation>
            <numerusform>%n/%1 palvelinta näkyvissä</numerusform>
            <numerusform>%n/%1 palvelinta näkyvissä</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Answered %n of %1</source>
        <translation>
            <numerusform>Vastauksia %n/%1</numerusform>
            <numerusform>Vastauksia %n/%1</numerusform>
        </translation>
    </message>
    <message>
        <source>This server is no longer in the server list.</source>
        <translation>Tämä palvelin ei ole enää palvelinluettelossa.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Valmis</translation>
    </message>
    <message>
        <source>Servers shown</source>
        <translation>Näytetyt palvelimet</translation>
    </message>
    <message>
        <source>Join server</source>
        <translation>Liity palvelimelle</translation>
    </message>
    <message>
        <source>Watcher</source>
        <translation>Vahti</translation>
    </message>
    <message>
        <source>Copy address</source>
        <translation>Kopioi osoite</translation>
    </message>
    <message>
        <source>Edit server...</source>
        <translation>Muokkaa palvelinta...</translation>
    </message>
    <message>
        <source>Server details...</source>
        <translation>Palvelimen tiedot...</translation>
    </message>
    <message>
        <source>Refresh server</source>
        <translation>Päivitä palvelin</translation>
    </message>
    <message>
        <source>Querying servers...</source>
        <translation>Kysellään palvelimia...</translation>
    </message>
    <message>
        <source>Query done...</source>
        <translation>Kysely valmis...</translation>
    </message>
    <message>
        <source>Receiving data...</source>
        <translation>Vastaanotetaan tietoja...</translation>
    </message>
    <message>
        <source>Invalid Host error occured.</source>
        <translation>Virhe: virheellinen osoite.</translation>
    </message>
    <message>
        <source>Buffer invalid error occured.</source>
        <translation>Virhe: virheellinen puskuri.</translation>
    </message>
    <message>
        <source>%1 added.</source>
        <translation>%1 lisätty.</translation>
    </message>
    <message>
        <source>%1 added. The filter hides it.</source>
        <translation>%1 lisätty. Suodatin piilottaa sen.</translation>
    </message>
    <message>
        <source>%1 is in the list already.</source>
        <translation>%1 on jo luettelossa.</translation>
    </message>
    <message>
        <source>%1 is in the list already. The filter hides it.</source>
        <translation>%1 on jo luettelossa. Suodatin piilottaa sen.</translation>
    </message>
    <message>
        <source>Friends: %1</source>
        <translation>Kaverit: %1</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>any</source>
        <comment>no ping limit</comment>
        <translation>ei rajaa</translation>
    </message>
    <message>
        <source>Remove from friends</source>
        <translation>Poista kavereista</translation>
    </message>
    <message>
        <source>Add to friends</source>
        <translation>Lisää kavereihin</translation>
    </message>
    <message>
        <source>A line holds an address, perhaps after a server type, and nothing else.</source>
        <translation>Rivillä on osoite, mahdollisesti palvelintyypin jälkeen, eikä mitään muuta.</translation>
    </message>
    <message>
        <source>The query port must be a number from 2 to 65535.</source>
        <translation>Kyselyportin on oltava luku väliltä 2–65535.</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>rivi %1: %2</translation>
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
            <numerusform>%n lisätty</numerusform>
            <numerusform>%n lisätty</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n already listed</source>
        <comment>servers of a list</comment>
        <translation>
            <numerusform>%n oli jo luettelossa</numerusform>
            <numerusform>%n oli jo luettelossa</numerusform>
        </translation>
    </message>
    <message>
        <source>1 line not understood</source>
        <translation>1 tunnistamaton rivi</translation>
    </message>
    <message numerus="yes">
        <source>%n lines not understood</source>
        <translation>
            <numerusform>%n tunnistamaton rivi</numerusform>
            <numerusform>%n tunnistamatonta riviä</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (first: %2)</source>
        <comment>the first line not understood</comment>
        <translation>%1 (ensimmäinen: %2)</translation>
    </message>
    <message numerus="yes">
        <source>%1
%n not added: %2</source>
        <comment>servers of a list</comment>
        <translation>
            <numerusform>%1
%n jäi lisäämättä: %2</numerusform>
            <numerusform>%1
%n jäi lisäämättä: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Kaikki tiedostot</translation>
    </message>
    <message>
        <source>Import servers...</source>
        <translation>Tuo palvelimia...</translation>
    </message>
    <message>
        <source>Export servers...</source>
        <translation>Vie palvelimet...</translation>
    </message>
    <message>
        <source>Could not read &quot;%1&quot;: %2</source>
        <translation>Tiedostoa &quot;%1&quot; ei voitu lukea: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than 16 MB: it is no list of servers</source>
        <translation>&quot;%1&quot; on yli 16 Mt: se ei ole palvelinluettelo</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2</source>
        <translation>Tiedostoon &quot;%1&quot; ei voitu kirjoittaa: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n servers exported; %1 left out, whose port is not a number from 1 to 65534.</source>
        <translation>
            <numerusform>%n palvelin vietiin; %1 jätettiin pois, koska portti ei ole luku väliltä 1–65534.</numerusform>
            <numerusform>%n palvelinta vietiin; %1 jätettiin pois, koska portti ei ole luku väliltä 1–65534.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n servers exported.</source>
        <translation>
            <numerusform>%n palvelin vietiin.</numerusform>
            <numerusform>%n palvelinta vietiin.</numerusform>
        </translation>
    </message>
    <message>
        <source>Type a host name or address, with :port when it is not 2302.</source>
        <translation>Kirjoita konenimi tai osoite ja :portti, jos portti ei ole 2302.</translation>
    </message>
    <message>
        <source>An address has no spaces.</source>
        <translation>Osoitteessa ei ole välilyöntejä.</translation>
    </message>
    <message>
        <source>Only one colon, between host and port.</source>
        <translation>Vain yksi kaksoispiste, konenimen ja portin väliin.</translation>
    </message>
    <message>
        <source>The host is missing before the colon.</source>
        <translation>Konenimi puuttuu ennen kaksoispistettä.</translation>
    </message>
    <message>
        <source>A host has only letters, digits, dots, hyphens and underscores.</source>
        <translation>Konenimessä saa olla vain kirjaimia, numeroita, pisteitä, yhdysmerkkejä ja alaviivoja.</translation>
    </message>
    <message>
        <source>The host is longer than %1 characters.</source>
        <translation>Konenimi on yli %1 merkkiä pitkä.</translation>
    </message>
    <message>
        <source>The port is missing after the colon.</source>
        <translation>Portti puuttuu kaksoispisteen jälkeen.</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>Portin on oltava luku väliltä 1–65535.</translation>
    </message>
</context>
<context>
    <name>TFormDetails</name>
    <message>
        <source>Server details</source>
        <translation>Palvelimen tiedot</translation>
    </message>
    <message>
        <source>Server name</source>
        <translation>Palvelimen nimi</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Osoite</translation>
    </message>
    <message>
        <source>Last played</source>
        <translation>Viimeksi pelattu</translation>
    </message>
    <message>
        <source>Ping over the last 20 passes</source>
        <translation>Ping 20 viime kierroksella</translation>
    </message>
    <message>
        <source>Ping figures</source>
        <translation>Ping-luvut</translation>
    </message>
    <message>
        <source>Ping per pass</source>
        <translation>Ping kierroksittain</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Vastaus</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Pelaajat</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Päivitä</translation>
    </message>
    <message>
        <source>Ask this server again (F5)</source>
        <translation>Kysy palvelimelta uudelleen (F5)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Sulje</translation>
    </message>
    <message>
        <source>Key</source>
        <comment>a reply&apos;s key</comment>
        <translation>Avain</translation>
    </message>
    <message>
        <source>Value</source>
        <comment>a reply&apos;s value</comment>
        <translation>Arvo</translation>
    </message>
    <message>
        <source>Not asked yet</source>
        <translation>Ei vielä kysytty</translation>
    </message>
    <message numerus="yes">
        <source>Answered %n of %1</source>
        <translation>
            <numerusform>Vastauksia %n/%1</numerusform>
            <numerusform>Vastauksia %n/%1</numerusform>
        </translation>
    </message>
    <message>
        <source>Lowest %1 ms
Median %2 ms
Highest %3 ms
%4</source>
        <translation>Pienin %1 ms
Mediaani %2 ms
Suurin %3 ms
%4</translation>
    </message>
    <message>
        <source>This server is no longer in the server list.</source>
        <translation>Tämä palvelin ei ole enää palvelinluettelossa.</translation>
    </message>
</context>
<context>
    <name>TFormFriends</name>
    <message>
        <source>Friends</source>
        <translation>Kaverit</translation>
    </message>
    <message>
        <source>Player name</source>
        <translation>Pelaajan nimi</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Lisää</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Poista</translation>
    </message>
    <message>
        <source>Type a player name to add.</source>
        <translation>Kirjoita lisättävän pelaajan nimi.</translation>
    </message>
    <message>
        <source>%1 is a friend already.</source>
        <translation>%1 on jo kaveri.</translation>
    </message>
    <message>
        <source>Select a friend to remove.</source>
        <translation>Valitse poistettava kaveri.</translation>
    </message>
</context>
<context>
    <name>TFormLan</name>
    <message>
        <source>Local network</source>
        <translation>Lähiverkko</translation>
    </message>
    <message>
        <source>Servers on the local network</source>
        <translation>Lähiverkon palvelimet</translation>
    </message>
    <message>
        <source>&amp;Search again</source>
        <translation>&amp;Hae uudelleen</translation>
    </message>
    <message>
        <source>&amp;Add to favourites</source>
        <translation>&amp;Lisää suosikkeihin</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Sulje</translation>
    </message>
    <message>
        <source>No local network found.</source>
        <translation>Lähiverkkoa ei löytynyt.</translation>
    </message>
    <message>
        <source>Searching the local network...</source>
        <translation>Haetaan lähiverkosta...</translation>
    </message>
    <message>
        <source>No server answered.</source>
        <translation>Yksikään palvelin ei vastannut.</translation>
    </message>
    <message>
        <source>1 server found.</source>
        <translation>1 palvelin löytyi.</translation>
    </message>
    <message numerus="yes">
        <source>%n servers found.</source>
        <translation>
            <numerusform>%n palvelin löytyi.</numerusform>
            <numerusform>%n palvelinta löytyi.</numerusform>
        </translation>
    </message>
    <message>
        <source>Searching the local network... %1</source>
        <translation>Haetaan lähiverkosta... %1</translation>
    </message>
    <message>
        <source>Select the servers to add.</source>
        <translation>Valitse lisättävät palvelimet.</translation>
    </message>
    <message>
        <source>1 server added to the favourites.</source>
        <translation>1 palvelin lisättiin suosikkeihin.</translation>
    </message>
    <message numerus="yes">
        <source>%n servers added to the favourites.</source>
        <translation>
            <numerusform>%n palvelin lisättiin suosikkeihin.</numerusform>
            <numerusform>%n palvelinta lisättiin suosikkeihin.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 was there already.</source>
        <translation>1 oli jo suosikeissa.</translation>
    </message>
    <message numerus="yes">
        <source>%n were there already.</source>
        <translation>
            <numerusform>%n oli jo suosikeissa.</numerusform>
            <numerusform>%n oli jo suosikeissa.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n did not fit: the list of servers is full.</source>
        <translation>
            <numerusform>%n ei mahtunut: palvelinluettelo on täynnä.</numerusform>
            <numerusform>%n ei mahtunut: palvelinluettelo on täynnä.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFormOptions</name>
    <message>
        <source>Options</source>
        <translation>Asetukset</translation>
    </message>
    <message>
        <source>Skip splash screens</source>
        <translation>Ohita aloitusruudut</translation>
    </message>
    <message>
        <source>Skip VKR Startup screens</source>
        <translation>Ohita VKR:n aloitusruudut</translation>
    </message>
    <message>
        <source>Run windowed</source>
        <translation>Ikkunatila</translation>
    </message>
    <message>
        <source>Run VKR in a window</source>
        <translation>Käynnistä VKR ikkunassa</translation>
    </message>
    <message>
        <source>Close launcher after launch</source>
        <translation>Sulje pelin käynnistyttyä</translation>
    </message>
    <message>
        <source>Close launcher when VKR is launched</source>
        <translation>Sulje käynnistin, kun VKR käynnistetään</translation>
    </message>
    <message>
        <source>Force no memory-mapping</source>
        <translation>Ei muistikartoitusta</translation>
    </message>
    <message>
        <source>Uses an alternative method for file access (nomap commandline parameter), can prevent crashes but causes a slight performance hit</source>
        <translation>Käyttää vaihtoehtoista tiedostojen käsittelytapaa (komentorivin parametri nomap); voi estää kaatumisia, mutta hidastaa hieman</translation>
    </message>
    <message>
        <source>Flash taskbar on new game</source>
        <translation>Vilkuta tehtäväpalkkia</translation>
    </message>
    <message>
        <source>(For server watcher) Flashes the launcher window on task bar when new game starts</source>
        <translation>(Palvelinvahti) Vilkuttaa käynnistimen ikkunaa tehtäväpalkissa, kun uusi peli alkaa</translation>
    </message>
    <message>
        <source>Desktop notifications</source>
        <translation>Työpöytäilmoitukset</translation>
    </message>
    <message>
        <source>(For server watcher) Shows a desktop notification with a Join button when the watcher alerts</source>
        <translation>(Palvelinvahti) Näyttää työpöytäilmoituksen, jossa on Liity-painike, kun vahti hälyttää</translation>
    </message>
    <message>
        <source>Watcher Sounds</source>
        <translation>Vahdin äänet</translation>
    </message>
    <message>
        <source>Disable sounds</source>
        <translation>Ei ääniä</translation>
    </message>
    <message>
        <source>Disable serveratcher sounds</source>
        <translation>Poista palvelinvahdin äänet käytöstä</translation>
    </message>
    <message>
        <source>Use default sounds</source>
        <translation>Oletusäänet</translation>
    </message>
    <message>
        <source>Use default serveratcher sounds</source>
        <translation>Käytä palvelinvahdin oletusääniä</translation>
    </message>
    <message>
        <source>Custom sounds:</source>
        <translation>Omat äänet:</translation>
    </message>
    <message>
        <source>Use custom serverwatcher sounds</source>
        <translation>Käytä palvelinvahdille omia ääniä</translation>
    </message>
    <message>
        <source>Wav file to play when a new game on a server is starting</source>
        <translation>WAV-tiedosto, joka soitetaan, kun palvelimella alkaa uusi peli</translation>
    </message>
    <message>
        <source>Wav file to play when a player joins into an empty server</source>
        <translation>WAV-tiedosto, joka soitetaan, kun pelaaja liittyy tyhjälle palvelimelle</translation>
    </message>
    <message>
        <source>Browse for the players sound</source>
        <translation>Valitse pelaajaääni</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Browse for the new game sound</source>
        <translation>Valitse uuden pelin ääni</translation>
    </message>
    <message>
        <source>New game sound</source>
        <translation>Uuden pelin ääni</translation>
    </message>
    <message>
        <source>Players sound</source>
        <translation>Pelaajaääni</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Peru</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>WAV files</source>
        <translation>WAV-tiedostot</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Kaikki tiedostot</translation>
    </message>
    <message>
        <source>Plays only 30 s: both sounds</source>
        <translation>Soi vain 30 s: molemmat äänet</translation>
    </message>
    <message>
        <source>Plays only 30 s: New game sound</source>
        <translation>Soi vain 30 s: uuden pelin ääni</translation>
    </message>
    <message>
        <source>Plays only 30 s: Players sound</source>
        <translation>Soi vain 30 s: pelaajaääni</translation>
    </message>
    <message>
        <source>Looking for the service...</source>
        <translation>Etsitään palvelua...</translation>
    </message>
    <message>
        <source>Service found</source>
        <translation>Palvelu löytyi</translation>
    </message>
    <message>
        <source>No service found</source>
        <translation>Palvelua ei löytynyt</translation>
    </message>
</context>
<context>
    <name>TFormWatcher</name>
    <message>
        <source>Server Watcher</source>
        <translation>Palvelinvahti</translation>
    </message>
    <message>
        <source>Watching:</source>
        <translation>Palvelin:</translation>
    </message>
    <message>
        <source>Current status:</source>
        <translation>Nykyinen tila:</translation>
    </message>
    <message>
        <source>Waiting status...</source>
        <translation>Odotetaan tilaa...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sulje</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Liity</translation>
    </message>
    <message>
        <source>Players:</source>
        <translation>Paikat:</translation>
    </message>
    <message>
        <source>?/?</source>
        <translation>?/?</translation>
    </message>
    <message>
        <source>Mission:</source>
        <translation>Tehtävä:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ei mitään</translation>
    </message>
    <message>
        <source>Auto-join</source>
        <translation>Liity autom.</translation>
    </message>
    <message>
        <source>Join by itself when a new game is being set up or a slot comes free</source>
        <translation>Liity automaattisesti, kun uutta peliä valmistellaan tai paikka vapautuu</translation>
    </message>
    <message>
        <source>More &gt;&gt;</source>
        <translation>Lisää &gt;&gt;</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Pelaajat</translation>
    </message>
    <message>
        <source>Status lamp</source>
        <translation>Tilavalo</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>mission - players</comment>
        <translation>%1 - %2</translation>
    </message>
    <message numerus="yes">
        <source>Joining in %n...</source>
        <translation>
            <numerusform>Liitytään %n s kuluttua...</numerusform>
            <numerusform>Liitytään %n s kuluttua...</numerusform>
        </translation>
    </message>
    <message>
        <source>Auto-join stopped</source>
        <translation>Liittyminen keskeytetty</translation>
    </message>
    <message>
        <source>Joining %1</source>
        <translation>Liitytään: %1</translation>
    </message>
    <message>
        <source>Stop watching</source>
        <translation>Lopeta vahtiminen</translation>
    </message>
    <message>
        <source>%1: %2, %3, %4</source>
        <translation>%1: %2, %3, %4</translation>
    </message>
    <message>
        <source>&lt;&lt; Less</source>
        <translation>&lt;&lt; Pois</translation>
    </message>
    <message>
        <source>none</source>
        <comment>no mission yet</comment>
        <translation>ei mitään</translation>
    </message>
    <message>
        <source>Selecting mission</source>
        <translation>Tehtävän valinta</translation>
    </message>
    <message>
        <source>Setting up</source>
        <translation>Valmistelu</translation>
    </message>
    <message>
        <source>Debriefing</source>
        <translation>Jälkipuinti</translation>
    </message>
    <message>
        <source>Briefing</source>
        <translation>Tehtävänanto</translation>
    </message>
    <message>
        <source>Game in progress...</source>
        <translation>Peli käynnissä...</translation>
    </message>
    <message>
        <source>Empty</source>
        <comment>the server has no players</comment>
        <translation>Tyhjä</translation>
    </message>
    <message>
        <source>No reply from server</source>
        <translation>Palvelin ei vastaa</translation>
    </message>
    <message>
        <source>Auto-join stopped: no reply from the server</source>
        <translation>Liittyminen keskeytetty: palvelin ei vastaa</translation>
    </message>
    <message>
        <source>no reply</source>
        <comment>the server&apos;s state</comment>
        <translation>ei vastausta</translation>
    </message>
    <message>
        <source>selecting mission</source>
        <comment>the server&apos;s state</comment>
        <translation>tehtävän valinta</translation>
    </message>
    <message>
        <source>setting up</source>
        <comment>the server&apos;s state</comment>
        <translation>valmistelu</translation>
    </message>
    <message>
        <source>debriefing</source>
        <comment>the server&apos;s state</comment>
        <translation>jälkipuinti</translation>
    </message>
    <message>
        <source>briefing</source>
        <comment>the server&apos;s state</comment>
        <translation>tehtävänanto</translation>
    </message>
    <message>
        <source>in game</source>
        <comment>the server&apos;s state</comment>
        <translation>pelissä</translation>
    </message>
    <message>
        <source>empty</source>
        <comment>the server&apos;s state</comment>
        <translation>tyhjä</translation>
    </message>
    <message>
        <source>waiting</source>
        <comment>the server&apos;s state</comment>
        <translation>odottaa</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 ja %2</translation>
    </message>
    <message>
        <source>%1, %2 and %3</source>
        <translation>%1, %2 ja %3</translation>
    </message>
    <message>
        <source>%1, %2, %3 and %4</source>
        <translation>%1, %2, %3 ja %4</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %3 and %n more</source>
        <translation>
            <numerusform>%1, %2, %3 ja %n muu</numerusform>
            <numerusform>%1, %2, %3 ja %n muuta</numerusform>
        </translation>
    </message>
    <message>
        <source>New game on %1</source>
        <translation>Uusi peli palvelimella %1</translation>
    </message>
    <message numerus="yes">
        <source>New game on %1; %2 joined</source>
        <translation>
            <numerusform>Uusi peli palvelimella %1; %2 liittyi</numerusform>
            <numerusform>Uusi peli palvelimella %1; %2 liittyivät</numerusform>
        </translation>
    </message>
    <message>
        <source>A slot is free on %1</source>
        <translation>Vapaa paikka palvelimella %1</translation>
    </message>
    <message numerus="yes">
        <source>A slot is free on %1; %2 joined</source>
        <translation>
            <numerusform>Vapaa paikka palvelimella %1; %2 liittyi</numerusform>
            <numerusform>Vapaa paikka palvelimella %1; %2 liittyivät</numerusform>
        </translation>
    </message>
    <message>
        <source>A player joined %1</source>
        <translation>Pelaaja liittyi palvelimelle %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 joined %2</source>
        <translation>
            <numerusform>%1 liittyi palvelimelle %2</numerusform>
            <numerusform>%1 liittyivät palvelimelle %2</numerusform>
        </translation>
    </message>
    <message>
        <source>None</source>
        <comment>no mission</comment>
        <translation>Ei mitään</translation>
    </message>
</context>
<context>
    <name>TNMUDP</name>
    <message>
        <source>Unknown Error No. %1</source>
        <translation>Tuntematon virhe nro %1</translation>
    </message>
    <message>
        <source>Null Remote Address</source>
        <translation>Tyhjä etäosoite</translation>
    </message>
    <message>
        <source>Host Lookup Canceled</source>
        <translation>Nimen haku peruttu</translation>
    </message>
</context>
<context>
    <name>vkr::DesktopNotifier</name>
    <message>
        <source>Join</source>
        <translation>Liity</translation>
    </message>
</context>
</TS>
