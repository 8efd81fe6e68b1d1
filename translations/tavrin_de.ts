<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DBTreeModel</name>
    <message>
        <source>All Services</source>
        <translation>Alle Sender</translation>
    </message>
    <message>
        <source>All Favourites</source>
        <translation>Alle Favoriten</translation>
    </message>
    <message>
        <source>HotKey</source>
        <extracomment>Root of the programmes called up by a hot key.</extracomment>
        <translation>Hotkeys</translation>
    </message>
    <message>
        <source>Fav HotKey</source>
        <extracomment>Root of the favourite groups called up by a hot key; Fav: favourite group.</extracomment>
        <translation>Favoriten-Hotkeys</translation>
    </message>
    <message>
        <source>Satellite Information</source>
        <translation>Satelliteninformationen</translation>
    </message>
</context>
<context>
    <name>DBTreeWidget</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Can&apos;t add satellite anymore!</source>
        <translation>Es können keine weiteren Satelliten hinzugefügt werden!</translation>
    </message>
    <message>
        <source>This file holds at most %1 satellites.</source>
        <translation>Diese Datei fasst höchstens %1 Satelliten.</translation>
    </message>
    <message>
        <source>Satellite Information</source>
        <translation>Satelliteninformationen</translation>
    </message>
    <message>
        <source>TP Information</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation>Transponderinformationen</translation>
    </message>
    <message numerus="yes">
        <source>%1 satellites</source>
        <translation>
            <numerusform>%1 Satellit</numerusform>
            <numerusform>%1 Satelliten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 transponders</source>
        <translation>
            <numerusform>%1 Transponder</numerusform>
            <numerusform>%1 Transponder</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and its programme</source>
        <translation>%1 und sein Sender</translation>
    </message>
    <message>
        <source>%1 and their programme</source>
        <translation>%1 und ihr Sender</translation>
    </message>
    <message numerus="yes">
        <source>%1 and its %2 programmes</source>
        <translation>
            <numerusform>%1 und sein %2 Sender</numerusform>
            <numerusform>%1 und seine %2 Sender</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and their %2 programmes</source>
        <translation>
            <numerusform>%1 und ihr %2 Sender</numerusform>
            <numerusform>%1 und ihre %2 Sender</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete?</source>
        <translation>Löschen?</translation>
    </message>
    <message>
        <source>&amp;Add Satellite</source>
        <translation>Satellit &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Add TP</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation>Transponder &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>&amp;Move Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Switch To</source>
        <translation>&amp;Tauschen mit</translation>
    </message>
    <message>
        <source>&amp;Move To</source>
        <translation>&amp;Verschieben nach</translation>
    </message>
    <message>
        <source>Copy TP	Ctrl+C</source>
        <extracomment>TP: a transponder. After the tab: the shortcut key shown beside the text.</extracomment>
        <translation>Transponder kopieren	Strg+C</translation>
    </message>
    <message>
        <source>Paste TP	Ctrl+V</source>
        <translation>Transponder einfügen	Strg+V</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Pick the satellite to switch places with.</source>
        <translation>Wählen Sie den Satelliten, mit dem getauscht werden soll.</translation>
    </message>
    <message>
        <source>Pick the TP to switch places with.</source>
        <translation>Wählen Sie den Transponder, mit dem getauscht werden soll.</translation>
    </message>
    <message>
        <source>Pick the satellite to move the selection in front of.</source>
        <translation>Wählen Sie den Satelliten, vor den die Auswahl verschoben werden soll.</translation>
    </message>
    <message>
        <source>Pick the TP to move the selection in front of.</source>
        <translation>Wählen Sie den Transponder, vor den die Auswahl verschoben werden soll.</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
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
    <name>DocumentEdits</name>
    <message>
        <source>No duplicates found</source>
        <translation>Keine Duplikate gefunden</translation>
    </message>
    <message>
        <source>Remove Duplicates</source>
        <translation>Duplikate entfernen</translation>
    </message>
    <message>
        <source>1 duplicate removed</source>
        <translation>1 Duplikat entfernt</translation>
    </message>
    <message numerus="yes">
        <source>%1 duplicates removed</source>
        <translation>
            <numerusform>%1 Duplikat entfernt</numerusform>
            <numerusform>%1 Duplikate entfernt</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Satellite</source>
        <translation>Satellit bearbeiten</translation>
    </message>
    <message>
        <source>Edit TP</source>
        <translation>Transponder bearbeiten</translation>
    </message>
    <message>
        <source>Edit Channel</source>
        <translation>Sender bearbeiten</translation>
    </message>
    <message>
        <source>Duplicate PG Index = %1, NAME = %2</source>
        <translation>Gleicher Sender schon vorhanden: Index = %1, NAME = %2</translation>
    </message>
    <message>
        <source>no favourite group %1</source>
        <translation>keine Favoritengruppe %1</translation>
    </message>
    <message>
        <source>Can&apos;t rename group %1: a group needs a name</source>
        <translation>Gruppe %1 kann nicht umbenannt werden: Eine Gruppe braucht einen Namen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten verschieben</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Gruppe bearbeiten</translation>
    </message>
    <message>
        <source>Remove channel</source>
        <translation>Sender entfernen</translation>
    </message>
    <message>
        <source>Edit HotKey</source>
        <translation>Hotkey bearbeiten</translation>
    </message>
    <message>
        <source>Sort by one to three keys</source>
        <translation>Nach einem bis drei Schlüsseln sortieren</translation>
    </message>
    <message>
        <source>Can&apos;t sort by %1</source>
        <translation>Nach %1 kann nicht sortiert werden</translation>
    </message>
    <message>
        <source>Nothing to sort</source>
        <translation>Nichts zu sortieren</translation>
    </message>
    <message>
        <source>Can&apos;t sort: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Sortieren nicht möglich: Eine Standarddatenbank hält die Sender jedes Transponders zusammen</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes sorted</source>
        <translation>
            <numerusform>%1 Sender sortiert</numerusform>
            <numerusform>%1 Sender sortiert</numerusform>
        </translation>
    </message>
    <message>
        <source>The programmes are in that order already</source>
        <translation>Die Sender sind bereits in dieser Reihenfolge</translation>
    </message>
    <message>
        <source>No programme found in %1</source>
        <translation>Kein Sender in %1 gefunden</translation>
    </message>
    <message>
        <source>Order Like</source>
        <translation>Ordnen wie</translation>
    </message>
    <message>
        <source>Can&apos;t order like %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Ordnen wie %1 nicht möglich: Eine Standarddatenbank hält die Sender jedes Transponders zusammen</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes ordered like %2, %3 not found in it</source>
        <translation>
            <numerusform>%1 Sender wie %2 geordnet, %3 darin nicht gefunden</numerusform>
            <numerusform>%1 Sender wie %2 geordnet, %3 darin nicht gefunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Can&apos;t move to %1</source>
        <translation>Verschieben an Position %1 nicht möglich</translation>
    </message>
    <message>
        <source>Can&apos;t switch to %1</source>
        <translation>Tauschen mit Position %1 nicht möglich</translation>
    </message>
    <message>
        <source>Move Channel</source>
        <translation>Sender verschieben</translation>
    </message>
    <message>
        <source>Switch Channel</source>
        <translation>Sender tauschen</translation>
    </message>
    <message>
        <source>Can&apos;t move to %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Verschieben an Position %1 nicht möglich: Eine Standarddatenbank hält die Sender jedes Transponders zusammen</translation>
    </message>
    <message>
        <source>Can&apos;t switch to %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Tauschen mit Position %1 nicht möglich: Eine Standarddatenbank hält die Sender jedes Transponders zusammen</translation>
    </message>
    <message>
        <source>Delete Channel</source>
        <translation>Sender löschen</translation>
    </message>
    <message>
        <source>Insert Channel</source>
        <translation>Sender hinzufügen</translation>
    </message>
    <message>
        <source>Paste Channel</source>
        <translation>Sender einfügen</translation>
    </message>
    <message>
        <source>Copy Channel To</source>
        <translation>Sender kopieren nach</translation>
    </message>
    <message>
        <source>Cut Channel To</source>
        <translation>Sender ausschneiden nach</translation>
    </message>
    <message>
        <source>Delete Satellite</source>
        <translation>Satellit löschen</translation>
    </message>
    <message>
        <source>Delete TP</source>
        <translation>Transponder löschen</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>Gruppe umbenennen</translation>
    </message>
    <message>
        <source>Restore Recovered Changes</source>
        <translation>Gerettete Änderungen wiederherstellen</translation>
    </message>
    <message>
        <source>Can&apos;t add satellite anymore!</source>
        <translation>Es können keine weiteren Satelliten hinzugefügt werden!</translation>
    </message>
    <message>
        <source>Add Satellite</source>
        <translation>Satellit hinzufügen</translation>
    </message>
    <message>
        <source>Add TP</source>
        <translation>Transponder hinzufügen</translation>
    </message>
    <message>
        <source>Switch To</source>
        <translation>Tauschen mit</translation>
    </message>
    <message>
        <source>Move To</source>
        <translation>Verschieben nach</translation>
    </message>
    <message>
        <source>Paste TP</source>
        <translation>Transponder einfügen</translation>
    </message>
    <message>
        <source>Use This Order</source>
        <translation>Diese Reihenfolge übernehmen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
</context>
<context>
    <name>FavouriteMaskEditor</name>
    <message>
        <source>Group %1</source>
        <translation>Gruppe %1</translation>
    </message>
</context>
<context>
    <name>FieldChecks</name>
    <message>
        <source>a number from %1 to %2</source>
        <translation>eine Zahl von %1 bis %2</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not one of %3 or %4</source>
        <translation>%1: „%2“ ist ungültig, erwartet wird eines von %3 oder %4</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not %3</source>
        <translation>%1: „%2“ ist ungültig, erwartet wird %3</translation>
    </message>
</context>
<context>
    <name>FindDuplicatesDialog</name>
    <message>
        <source>Find Duplicates</source>
        <translation>Duplikate finden</translation>
    </message>
    <message>
        <source>%1 of the same service. Remove keeps the first of each, with the favourite groups and hot key of the others, and deletes %2.</source>
        <translation>%1 gleicher Sender. „Entfernen“ behält aus jeder Gruppe den ersten, übernimmt die Favoritengruppen und den Hotkey der anderen und löscht %2.</translation>
    </message>
    <message>
        <source>%1 group</source>
        <translation>%1 Gruppe</translation>
    </message>
    <message numerus="yes">
        <source>%1 groups</source>
        <translation>
            <numerusform>%1 Gruppe</numerusform>
            <numerusform>%1 Gruppen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 programme</source>
        <translation>%1 Sender</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation>
            <numerusform>%1 Sender</numerusform>
            <numerusform>%1 Sender</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>FlashCustomChoseDialog</name>
    <message>
        <source>Choose customer</source>
        <translation>Kunde auswählen</translation>
    </message>
    <message>
        <source>Customer:</source>
        <translation>Kunde:</translation>
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
    <name>OrderLike</name>
    <message>
        <source>offset %1: %2</source>
        <translation>Stelle %1: %2</translation>
    </message>
    <message>
        <source>no list of programmes</source>
        <translation>keine Senderliste</translation>
    </message>
</context>
<context>
    <name>ParserLibrary</name>
    <message>
        <source>no library name</source>
        <translation>kein Bibliotheksname</translation>
    </message>
</context>
<context>
    <name>ProgrammeModel</name>
    <message>
        <source>HotKey</source>
        <extracomment>Column caption: the hot key&apos;s number.</extracomment>
        <translation>Hotkey</translation>
    </message>
    <message>
        <source>Fav</source>
        <extracomment>Column caption: the favourite group a hot key calls up.</extracomment>
        <translation>Favorit</translation>
    </message>
</context>
<context>
    <name>QDBProgramWidget</name>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Wrapped to the bottom</source>
        <translation>Suche am Ende fortgesetzt</translation>
    </message>
    <message>
        <source>Wrapped to the top</source>
        <translation>Suche am Anfang fortgesetzt</translation>
    </message>
    <message>
        <source>Program Information</source>
        <translation>Senderinformationen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Tauschen</translation>
    </message>
    <message>
        <source>Delete PG?</source>
        <extracomment>PG: a programme (channel) of the list.</extracomment>
        <translation>Sender löschen?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation>
            <numerusform>%1 Sender</numerusform>
            <numerusform>%1 Sender</numerusform>
        </translation>
    </message>
    <message>
        <source>Inserted %1</source>
        <translation>%1 hinzugefügt</translation>
    </message>
    <message>
        <source>Pasted 1 programme</source>
        <translation>1 Sender eingefügt</translation>
    </message>
    <message numerus="yes">
        <source>Pasted %1 programmes</source>
        <translation>
            <numerusform>%1 Sender eingefügt</numerusform>
            <numerusform>%1 Sender eingefügt</numerusform>
        </translation>
    </message>
    <message>
        <source>Use This Order</source>
        <translation>Diese Reihenfolge übernehmen</translation>
    </message>
    <message>
        <source>RADIO shown</source>
        <translation>RADIO angezeigt</translation>
    </message>
    <message>
        <source>TV shown</source>
        <translation>TV angezeigt</translation>
    </message>
    <message>
        <source>1 TV programme not shown</source>
        <translation>1 TV-Sender nicht angezeigt</translation>
    </message>
    <message numerus="yes">
        <source>%1 TV programmes not shown</source>
        <translation>
            <numerusform>%1 TV-Sender nicht angezeigt</numerusform>
            <numerusform>%1 TV-Sender nicht angezeigt</numerusform>
        </translation>
    </message>
    <message>
        <source>1 radio programme not shown</source>
        <translation>1 Radiosender nicht angezeigt</translation>
    </message>
    <message numerus="yes">
        <source>%1 radio programmes not shown</source>
        <translation>
            <numerusform>%1 Radiosender nicht angezeigt</numerusform>
            <numerusform>%1 Radiosender nicht angezeigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 hidden by the filter</source>
        <translation>
            <numerusform>%1 vom Filter ausgeblendet</numerusform>
            <numerusform>%1 vom Filter ausgeblendet</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Channel 	 Enter</source>
        <extracomment>After the tab: the key that does the same, shown beside the text.</extracomment>
        <translation>Sender bearbeiten 	 Eingabe</translation>
    </message>
    <message>
        <source>Copy Channel 	 Ctrl+C</source>
        <translation>Sender kopieren 	 Strg+C</translation>
    </message>
    <message>
        <source>Paste Channel 	 Ctrl+V</source>
        <translation>Sender einfügen 	 Strg+V</translation>
    </message>
    <message>
        <source>Edit HotKey</source>
        <translation>Hotkey bearbeiten</translation>
    </message>
    <message>
        <source>Move Up 	 -</source>
        <translation>Nach oben 	 -</translation>
    </message>
    <message>
        <source>Move Down 	 +</source>
        <translation>Nach unten 	 +</translation>
    </message>
    <message>
        <source>Move Channel</source>
        <translation>Sender verschieben</translation>
    </message>
    <message>
        <source>Switch Channel</source>
        <translation>Sender tauschen</translation>
    </message>
    <message>
        <source>Insert Channel 	 Insert</source>
        <translation>Sender hinzufügen 	 Einfg</translation>
    </message>
    <message>
        <source>Delete Channel 	 Delete</source>
        <translation>Sender löschen 	 Entf</translation>
    </message>
    <message>
        <source>Copy Channel To</source>
        <translation>Sender kopieren nach</translation>
    </message>
    <message>
        <source>Cut Channel To</source>
        <translation>Sender ausschneiden nach</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Gruppe bearbeiten</translation>
    </message>
    <message>
        <source>Remove channel</source>
        <translation>Sender entfernen</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>Gruppe umbenennen</translation>
    </message>
    <message>
        <source>TV</source>
        <translation>TV</translation>
    </message>
    <message>
        <source>RADIO</source>
        <translation>RADIO</translation>
    </message>
    <message>
        <source>TV/RADIO</source>
        <translation>TV/RADIO</translation>
    </message>
    <message>
        <source>filter:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>find up</source>
        <translation>Aufwärts suchen</translation>
    </message>
    <message>
        <source>find next</source>
        <translation>Weitersuchen</translation>
    </message>
</context>
<context>
    <name>QFavGroupEditDialog</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Favourite Group Edit</source>
        <translation>Favoritengruppe bearbeiten</translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation>Sendername</translation>
    </message>
    <message>
        <source>member</source>
        <translation>Mitglied</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>filter:</source>
        <translation>Filter:</translation>
    </message>
</context>
<context>
    <name>QFavGroupRenameDialog</name>
    <message>
        <source>Group Rename</source>
        <translation>Gruppe umbenennen</translation>
    </message>
</context>
<context>
    <name>QFavHotKeyGroupEditDialog</name>
    <message>
        <source>Fav HotKey Group Edit</source>
        <extracomment>Fav: favourite group.</extracomment>
        <translation>Favoriten-Hotkeys bearbeiten</translation>
    </message>
</context>
<context>
    <name>QHotKeyEditDialog</name>
    <message>
        <source>HotKey</source>
        <translation>Hotkey</translation>
    </message>
    <message>
        <source>Select HotKey</source>
        <translation>Hotkey auswählen</translation>
    </message>
</context>
<context>
    <name>QHotKeyGroupEditDialog</name>
    <message>
        <source>HotKey Group Edit</source>
        <translation>Hotkeys bearbeiten</translation>
    </message>
</context>
<context>
    <name>QMoveSwitchDialog</name>
    <message>
        <source>Enter another index</source>
        <translation>Anderen Index eingeben</translation>
    </message>
</context>
<context>
    <name>QPropertyDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Duplicate PG Index = %1, NAME = %2</source>
        <translation>Gleicher Sender schon vorhanden: Index = %1, NAME = %2</translation>
    </message>
</context>
<context>
    <name>QSelectTargetNodeDialog</name>
    <message>
        <source>Select target node</source>
        <translation>Ziel auswählen</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>QTPChoiceDialog</name>
    <message>
        <source>TP Choice</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation>Transponder auswählen</translation>
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
    <name>QtTreePropertyBrowser</name>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>RecoveryWriter</name>
    <message>
        <source>%1: the folder cannot be made</source>
        <translation>%1: Der Ordner kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>ServiceOrder</name>
    <message>
        <source>The service order moves programmes across transponders or satellites, which this file type cannot store: each programme was saved under its own transponder, in the service order within it.</source>
        <translation>Die Senderreihenfolge verschiebt Sender über Transponder oder Satelliten hinweg, was dieser Dateityp nicht speichern kann: Jeder Sender wurde unter seinem eigenen Transponder gespeichert, innerhalb davon in der Senderreihenfolge.</translation>
    </message>
</context>
<context>
    <name>SortDialog</name>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>Then by</source>
        <translation>Dann nach</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>TV before radio</source>
        <translation>TV vor Radio</translation>
    </message>
    <message>
        <source>Only the %1 selected rows, among their places</source>
        <translation>Nur die %1 ausgewählten Zeilen, auf ihren bisherigen Plätzen</translation>
    </message>
    <message>
        <source>Only the selected rows, among their places</source>
        <translation>Nur die ausgewählten Zeilen, auf ihren bisherigen Plätzen</translation>
    </message>
</context>
<context>
    <name>Tavrin</name>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>The language changes when Tavrin is started again.</source>
        <translation>Die Sprache wechselt beim nächsten Start von Tavrin.</translation>
    </message>
    <message>
        <source>Takes effect after a restart</source>
        <translation>Wirkt nach einem Neustart</translation>
    </message>
    <message>
        <source>Find Duplicates…</source>
        <translation>Duplikate finden…</translation>
    </message>
    <message>
        <source>Sort…</source>
        <translation>Sortieren…</translation>
    </message>
    <message>
        <source>Order Like…</source>
        <translation>Ordnen wie…</translation>
    </message>
    <message>
        <source>No duplicates found</source>
        <translation>Keine Duplikate gefunden</translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation>Satellit</translation>
    </message>
    <message>
        <source>Find Duplicates</source>
        <translation>Duplikate finden</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Order Like</source>
        <translation>Ordnen wie</translation>
    </message>
    <message>
        <source>;;Exported JSON (*.json);;Names, one a line (*.txt);;All files (*)</source>
        <translation>;;Exportiertes JSON (*.json);;Namen, einer pro Zeile (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Load Error!</source>
        <translation>Fehler beim Laden!</translation>
    </message>
    <message>
        <source>This file isn&apos;t supported yet</source>
        <translation>Diese Datei wird noch nicht unterstützt</translation>
    </message>
    <message>
        <source>larger than any recovery file</source>
        <translation>größer als jede Wiederherstellungsdatei</translation>
    </message>
    <message>
        <source>Recovery</source>
        <translation>Wiederherstellung</translation>
    </message>
    <message>
        <source>A recovery file could not be read and was set aside.</source>
        <translation>Eine Wiederherstellungsdatei konnte nicht gelesen werden und wurde beiseitegelegt.</translation>
    </message>
    <message>
        <source>The recovered changes could not be written.</source>
        <translation>Die geretteten Änderungen konnten nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The recovered changes were written beside the file.</source>
        <translation>Die geretteten Änderungen wurden neben die Datei geschrieben.</translation>
    </message>
    <message>
        <source>These texts did not fit the file and were cut:</source>
        <translation>Diese Texte passten nicht in die Datei und wurden gekürzt:</translation>
    </message>
    <message numerus="yes">
        <source>and %1 more</source>
        <translation>
            <numerusform>und %1 weiterer</numerusform>
            <numerusform>und %1 weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>SAT</translation>
    </message>
    <message>
        <source>TP</source>
        <translation>TP</translation>
    </message>
    <message>
        <source>The recovery file could not be written: %1</source>
        <translation>Die Wiederherstellungsdatei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Export List…</source>
        <translation>Liste exportieren…</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>The file is no longer there and was taken off the list.</source>
        <translation>Die Datei ist nicht mehr vorhanden und wurde aus der Liste entfernt.</translation>
    </message>
    <message>
        <source>Export List</source>
        <translation>Liste exportieren</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Export Error!</source>
        <translation>Fehler beim Exportieren!</translation>
    </message>
    <message>
        <source>Exported %1 to %2</source>
        <translation>%1 nach %2 exportiert</translation>
    </message>
    <message>
        <source>%1 row</source>
        <translation>%1 Zeile</translation>
    </message>
    <message numerus="yes">
        <source>%1 rows</source>
        <translation>
            <numerusform>%1 Zeile</numerusform>
            <numerusform>%1 Zeilen</numerusform>
        </translation>
    </message>
    <message>
        <source>Safety copy written: %1</source>
        <translation>Sicherungskopie geschrieben: %1</translation>
    </message>
    <message>
        <source>Safety copy kept: %1 already exists and was not replaced</source>
        <translation>Sicherungskopie behalten: %1 ist schon vorhanden und wurde nicht ersetzt</translation>
    </message>
    <message>
        <source>No safety copy: %1 is read-only</source>
        <translation>Keine Sicherungskopie: %1 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>The safety copy %1 could not be written: %2</source>
        <translation>Die Sicherungskopie %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Packing…</source>
        <translation>Wird gepackt…</translation>
    </message>
    <message>
        <source>All supported files (%1);;</source>
        <translation>Alle unterstützten Dateien (%1);;</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Load File</source>
        <translation>Datei laden</translation>
    </message>
    <message>
        <source>Unpacking…</source>
        <translation>Wird entpackt…</translation>
    </message>
    <message>
        <source>Loading %1...</source>
        <translation>%1 wird geladen...</translation>
    </message>
    <message>
        <source>%1 could not be read again: a save may leave out what the window does not show</source>
        <translation>%1 konnte nicht erneut gelesen werden: Beim Speichern kann fehlen, was das Fenster nicht zeigt</translation>
    </message>
    <message>
        <source>Bin file(*.abs);;UserDB file(*.udf)</source>
        <translation>Bin-Datei (*.abs);;UserDB-Datei (*.udf)</translation>
    </message>
    <message>
        <source>Bin file(*.abs);;DefaultDB file(*.ddf)</source>
        <translation>Bin-Datei (*.abs);;DefaultDB-Datei (*.ddf)</translation>
    </message>
    <message>
        <source>UserDB file(*.udf)</source>
        <translation>UserDB-Datei (*.udf)</translation>
    </message>
    <message>
        <source>DefaultDB file(*.ddf)</source>
        <translation>DefaultDB-Datei (*.ddf)</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Save OK!</source>
        <translation>Erfolgreich gespeichert!</translation>
    </message>
    <message>
        <source>Save Error!</source>
        <translation>Fehler beim Speichern!</translation>
    </message>
    <message>
        <source>This type isn&apos;t supported yet</source>
        <translation>Dieser Dateityp wird noch nicht unterstützt</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The changed data was not saved. Do you want to close it?</source>
        <translation>Die geänderten Daten wurden nicht gespeichert. Trotzdem schließen?</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>File kind %1</source>
        <translation>Dateiart %1</translation>
    </message>
    <message>
        <source>%1, changed</source>
        <translation>%1, geändert</translation>
    </message>
    <message>
        <source>%1, unchanged</source>
        <translation>%1, unverändert</translation>
    </message>
    <message>
        <source>%1 key</source>
        <translation>%1 Taste</translation>
    </message>
    <message numerus="yes">
        <source>%1 keys</source>
        <translation>
            <numerusform>%1 Taste</numerusform>
            <numerusform>%1 Tasten</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 programme</source>
        <translation>%1 Sender</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation>
            <numerusform>%1 Sender</numerusform>
            <numerusform>%1 Sender</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 hidden by the filter</source>
        <translation>, %1 vom Filter ausgeblendet</translation>
    </message>
    <message>
        <source>%1 TV programme</source>
        <translation>%1 TV-Sender</translation>
    </message>
    <message numerus="yes">
        <source>%1 TV programmes</source>
        <translation>
            <numerusform>%1 TV-Sender</numerusform>
            <numerusform>%1 TV-Sender</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 radio programme</source>
        <translation>%1 Radiosender</translation>
    </message>
    <message numerus="yes">
        <source>%1 radio programmes</source>
        <translation>
            <numerusform>%1 Radiosender</numerusform>
            <numerusform>%1 Radiosender</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 not shown</source>
        <translation>, %1 nicht angezeigt</translation>
    </message>
    <message>
        <source>Unsaved changes to %1 from %2 were recovered. Restore them?</source>
        <translation>Nicht gespeicherte Änderungen an %1 vom %2 wurden gerettet. Wiederherstellen?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>%1 has changed since. Restore writes the changes to %2 beside it and leaves %1 as it is.</source>
        <translation>%1 wurde seitdem geändert. „Wiederherstellen“ schreibt die Änderungen nach %2 daneben und lässt %1 unverändert.</translation>
    </message>
</context>
<context>
    <name>TavrinClass</name>
    <message>
        <source>Tavrin</source>
        <translation>Tavrin</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>TextCapacities</name>
    <message>
        <source>%1: %2 characters, %3 kept</source>
        <translation>%1: %2 Zeichen, %3 behalten</translation>
    </message>
    <message>
        <source> (field name)</source>
        <translation> (Feldname)</translation>
    </message>
    <message>
        <source>satellite</source>
        <translation>Satellit</translation>
    </message>
    <message>
        <source>transponder</source>
        <translation>Transponder</translation>
    </message>
    <message>
        <source>programme</source>
        <translation>Sender</translation>
    </message>
    <message>
        <source>favourite group %1 &quot;%2&quot;</source>
        <translation>Favoritengruppe %1 &quot;%2&quot;</translation>
    </message>
</context>
</TS>
