<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>DBTreeModel</name>
    <message>
        <source>All Services</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HotKey</source>
        <extracomment>Root of the programmes called up by a hot key.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fav HotKey</source>
        <extracomment>Root of the favourite groups called up by a hot key; Fav: favourite group.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Satellite Information</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DBTreeWidget</name>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t add satellite anymore!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file holds at most %1 satellites.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Satellite Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TP Information</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 satellites</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 transponders</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and its programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and their programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 and its %2 programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and their %2 programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Delete?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Satellite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add TP</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Switch To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy TP	Ctrl+C</source>
        <extracomment>TP: a transponder. After the tab: the shortcut key shown beside the text.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste TP	Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick the satellite to switch places with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick the TP to switch places with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick the satellite to move the selection in front of.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick the TP to move the selection in front of.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocumentEdits</name>
    <message>
        <source>No duplicates found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Duplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 duplicate removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 duplicates removed</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Satellite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit TP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate PG Index = %1, NAME = %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no favourite group %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t rename group %1: a group needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit HotKey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by one to three keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t sort by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t sort: a default database keeps each transponder&apos;s programmes together</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes sorted</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The programmes are in that order already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No programme found in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order Like</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t order like %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes ordered like %2, %3 not found in it</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Can&apos;t move to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t switch to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t move to %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t switch to %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Channel To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut Channel To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Satellite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete TP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Recovered Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t add satellite anymore!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Satellite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add TP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste TP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use This Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FavouriteMaskEditor</name>
    <message>
        <source>Group %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FieldChecks</name>
    <message>
        <source>a number from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not one of %3 or %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindDuplicatesDialog</name>
    <message>
        <source>Find Duplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of the same service. Remove keeps the first of each, with the favourite groups and hot key of the others, and deletes %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 group</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 groups</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FlashCustomChoseDialog</name>
    <message>
        <source>Choose customer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrderLike</name>
    <message>
        <source>offset %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no list of programmes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParserLibrary</name>
    <message>
        <source>no library name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgrammeModel</name>
    <message>
        <source>HotKey</source>
        <extracomment>Column caption: the hot key&apos;s number.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fav</source>
        <extracomment>Column caption: the favourite group a hot key calls up.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QDBProgramWidget</name>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrapped to the bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrapped to the top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete PG?</source>
        <extracomment>PG: a programme (channel) of the list.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Inserted %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pasted 1 programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Pasted %1 programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Use This Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RADIO shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TV shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 TV programme not shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 TV programmes not shown</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 radio programme not shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 radio programmes not shown</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 hidden by the filter</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Channel 	 Enter</source>
        <extracomment>After the tab: the key that does the same, shown beside the text.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Channel 	 Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Channel 	 Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit HotKey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up 	 -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down 	 +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Channel 	 Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Channel 	 Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Channel To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut Channel To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RADIO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TV/RADIO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>find next</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFavGroupEditDialog</name>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favourite Group Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>member</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filter:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFavGroupRenameDialog</name>
    <message>
        <source>Group Rename</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFavHotKeyGroupEditDialog</name>
    <message>
        <source>Fav HotKey Group Edit</source>
        <extracomment>Fav: favourite group.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QHotKeyEditDialog</name>
    <message>
        <source>HotKey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select HotKey</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QHotKeyGroupEditDialog</name>
    <message>
        <source>HotKey Group Edit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMoveSwitchDialog</name>
    <message>
        <source>Enter another index</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPropertyDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate PG Index = %1, NAME = %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSelectTargetNodeDialog</name>
    <message>
        <source>Select target node</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QTPChoiceDialog</name>
    <message>
        <source>TP Choice</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtTreePropertyBrowser</name>
    <message>
        <source>Property</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoveryWriter</name>
    <message>
        <source>%1: the folder cannot be made</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceOrder</name>
    <message>
        <source>The service order moves programmes across transponders or satellites, which this file type cannot store: each programme was saved under its own transponder, in the service order within it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SortDialog</name>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Then by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TV before radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the %1 selected rows, among their places</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the selected rows, among their places</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tavrin</name>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language changes when Tavrin is started again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes effect after a restart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Duplicates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order Like…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No duplicates found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Duplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order Like</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>;;Exported JSON (*.json);;Names, one a line (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file isn&apos;t supported yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>larger than any recovery file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recovery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A recovery file could not be read and was set aside.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recovered changes could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recovered changes were written beside the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These texts did not fit the file and were cut:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>and %1 more</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>SAT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recovery file could not be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export List…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is no longer there and was taken off the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 row</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 rows</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Safety copy written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Safety copy kept: %1 already exists and was not replaced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No safety copy: %1 is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The safety copy %1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All supported files (%1);;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unpacking…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read again: a save may leave out what the window does not show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bin file(*.abs);;UserDB file(*.udf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bin file(*.abs);;DefaultDB file(*.ddf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UserDB file(*.udf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DefaultDB file(*.ddf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save OK!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This type isn&apos;t supported yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The changed data was not saved. Do you want to close it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File kind %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 key</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 keys</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 hidden by the filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 TV programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 TV programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 radio programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 radio programmes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 not shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsaved changes to %1 from %2 were recovered. Restore them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has changed since. Restore writes the changes to %2 beside it and leaves %1 as it is.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TavrinClass</name>
    <message>
        <source>Tavrin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextCapacities</name>
    <message>
        <source>%1: %2 characters, %3 kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (field name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>satellite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>transponder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>programme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>favourite group %1 &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
