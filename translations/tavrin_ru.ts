<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>DBTreeModel</name>
    <message>
        <source>All Services</source>
        <translation>Все каналы</translation>
    </message>
    <message>
        <source>All Favourites</source>
        <translation>Всё избранное</translation>
    </message>
    <message>
        <source>HotKey</source>
        <extracomment>Root of the programmes called up by a hot key.</extracomment>
        <translation>Горячие клавиши</translation>
    </message>
    <message>
        <source>Fav HotKey</source>
        <extracomment>Root of the favourite groups called up by a hot key; Fav: favourite group.</extracomment>
        <translation>Горячие клавиши избранного</translation>
    </message>
    <message>
        <source>Satellite Information</source>
        <translation>Спутники</translation>
    </message>
</context>
<context>
    <name>DBTreeWidget</name>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Can&apos;t add satellite anymore!</source>
        <translation>Больше спутников добавить нельзя!</translation>
    </message>
    <message>
        <source>This file holds at most %1 satellites.</source>
        <translation>Наибольшее число спутников в этом файле: %1.</translation>
    </message>
    <message>
        <source>Satellite Information</source>
        <translation>Сведения о спутнике</translation>
    </message>
    <message>
        <source>TP Information</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation>Сведения о транспондере</translation>
    </message>
    <message numerus="yes">
        <source>%1 satellites</source>
        <translation>
            <numerusform>%1 спутник</numerusform>
            <numerusform>%1 спутника</numerusform>
            <numerusform>%1 спутников</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 transponders</source>
        <translation>
            <numerusform>%1 транспондер</numerusform>
            <numerusform>%1 транспондера</numerusform>
            <numerusform>%1 транспондеров</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and its programme</source>
        <translation>%1 вместе с каналом</translation>
    </message>
    <message>
        <source>%1 and their programme</source>
        <translation>%1 вместе с каналом</translation>
    </message>
    <message numerus="yes">
        <source>%1 and its %2 programmes</source>
        <translation>
            <numerusform>%1 вместе с %2 каналом</numerusform>
            <numerusform>%1 вместе с %2 каналами</numerusform>
            <numerusform>%1 вместе с %2 каналами</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and their %2 programmes</source>
        <translation>
            <numerusform>%1 вместе с %2 каналом</numerusform>
            <numerusform>%1 вместе с %2 каналами</numerusform>
            <numerusform>%1 вместе с %2 каналами</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete?</source>
        <translation>Удалить?</translation>
    </message>
    <message>
        <source>&amp;Add Satellite</source>
        <translation>&amp;Добавить спутник</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Изменить</translation>
    </message>
    <message>
        <source>&amp;Add TP</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation>&amp;Добавить транспондер</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Удалить</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>Переместить &amp;вверх</translation>
    </message>
    <message>
        <source>&amp;Move Down</source>
        <translation>Переместить в&amp;низ</translation>
    </message>
    <message>
        <source>&amp;Switch To</source>
        <translation>Поменять &amp;местами</translation>
    </message>
    <message>
        <source>&amp;Move To</source>
        <translation>&amp;Переставить</translation>
    </message>
    <message>
        <source>Copy TP	Ctrl+C</source>
        <extracomment>TP: a transponder. After the tab: the shortcut key shown beside the text.</extracomment>
        <translation>Копировать транспондер	Ctrl+C</translation>
    </message>
    <message>
        <source>Paste TP	Ctrl+V</source>
        <translation>Вставить транспондер	Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Переименовать</translation>
    </message>
    <message>
        <source>Pick the satellite to switch places with.</source>
        <translation>Выберите спутник, с которым поменяться местами.</translation>
    </message>
    <message>
        <source>Pick the TP to switch places with.</source>
        <translation>Выберите транспондер, с которым поменяться местами.</translation>
    </message>
    <message>
        <source>Pick the satellite to move the selection in front of.</source>
        <translation>Выберите спутник, перед которым поставить выделенное.</translation>
    </message>
    <message>
        <source>Pick the TP to move the selection in front of.</source>
        <translation>Выберите транспондер, перед которым поставить выделенное.</translation>
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
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>DocumentEdits</name>
    <message>
        <source>No duplicates found</source>
        <translation>Дубликатов не найдено</translation>
    </message>
    <message>
        <source>Remove Duplicates</source>
        <translation>удаление дубликатов</translation>
    </message>
    <message>
        <source>1 duplicate removed</source>
        <translation>Удалён 1 дубликат</translation>
    </message>
    <message numerus="yes">
        <source>%1 duplicates removed</source>
        <translation>
            <numerusform>Удалён %1 дубликат</numerusform>
            <numerusform>Удалено %1 дубликата</numerusform>
            <numerusform>Удалено %1 дубликатов</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Satellite</source>
        <translation>изменение спутника</translation>
    </message>
    <message>
        <source>Edit TP</source>
        <translation>изменение транспондера</translation>
    </message>
    <message>
        <source>Edit Channel</source>
        <translation>изменение канала</translation>
    </message>
    <message>
        <source>Duplicate PG Index = %1, NAME = %2</source>
        <translation>Повтор: канал № %1, NAME = %2</translation>
    </message>
    <message>
        <source>no favourite group %1</source>
        <translation>нет группы избранного %1</translation>
    </message>
    <message>
        <source>Can&apos;t rename group %1: a group needs a name</source>
        <translation>Нельзя переименовать группу %1: у группы должно быть имя</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>перемещение вверх</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>перемещение вниз</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>изменение группы</translation>
    </message>
    <message>
        <source>Remove channel</source>
        <translation>удаление канала из группы</translation>
    </message>
    <message>
        <source>Edit HotKey</source>
        <translation>изменение горячей клавиши</translation>
    </message>
    <message>
        <source>Sort by one to three keys</source>
        <translation>Сортировать можно по одному, двум или трём ключам</translation>
    </message>
    <message>
        <source>Can&apos;t sort by %1</source>
        <translation>Нельзя сортировать по %1</translation>
    </message>
    <message>
        <source>Nothing to sort</source>
        <translation>Нечего сортировать</translation>
    </message>
    <message>
        <source>Can&apos;t sort: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Нельзя сортировать: в базе по умолчанию каналы каждого транспондера идут подряд</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes sorted</source>
        <translation>
            <numerusform>Отсортирован %1 канал</numerusform>
            <numerusform>Отсортировано %1 канала</numerusform>
            <numerusform>Отсортировано %1 каналов</numerusform>
        </translation>
    </message>
    <message>
        <source>The programmes are in that order already</source>
        <translation>Каналы уже стоят в этом порядке</translation>
    </message>
    <message>
        <source>No programme found in %1</source>
        <translation>В %1 не найдено ни одного канала</translation>
    </message>
    <message>
        <source>Order Like</source>
        <translation>упорядочение по образцу</translation>
    </message>
    <message>
        <source>Can&apos;t order like %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Нельзя упорядочить по образцу %1: в базе по умолчанию каналы каждого транспондера идут подряд</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes ordered like %2, %3 not found in it</source>
        <translation>
            <numerusform>%1 канал упорядочен по образцу %2, не найдено в нём: %3</numerusform>
            <numerusform>%1 канала упорядочены по образцу %2, не найдено в нём: %3</numerusform>
            <numerusform>%1 каналов упорядочено по образцу %2, не найдено в нём: %3</numerusform>
        </translation>
    </message>
    <message>
        <source>Can&apos;t move to %1</source>
        <translation>Нельзя переместить на место %1</translation>
    </message>
    <message>
        <source>Can&apos;t switch to %1</source>
        <translation>Нельзя поменять местами с местом %1</translation>
    </message>
    <message>
        <source>Move Channel</source>
        <translation>перемещение канала</translation>
    </message>
    <message>
        <source>Switch Channel</source>
        <translation>обмен каналов местами</translation>
    </message>
    <message>
        <source>Can&apos;t move to %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Нельзя переместить на место %1: в базе по умолчанию каналы каждого транспондера идут подряд</translation>
    </message>
    <message>
        <source>Can&apos;t switch to %1: a default database keeps each transponder&apos;s programmes together</source>
        <translation>Нельзя поменять местами с местом %1: в базе по умолчанию каналы каждого транспондера идут подряд</translation>
    </message>
    <message>
        <source>Delete Channel</source>
        <translation>удаление канала</translation>
    </message>
    <message>
        <source>Insert Channel</source>
        <translation>добавление канала</translation>
    </message>
    <message>
        <source>Paste Channel</source>
        <translation>вставку канала</translation>
    </message>
    <message>
        <source>Copy Channel To</source>
        <translation>копирование канала</translation>
    </message>
    <message>
        <source>Cut Channel To</source>
        <translation>перенос канала</translation>
    </message>
    <message>
        <source>Delete Satellite</source>
        <translation>удаление спутника</translation>
    </message>
    <message>
        <source>Delete TP</source>
        <translation>удаление транспондера</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>переименование группы</translation>
    </message>
    <message>
        <source>Restore Recovered Changes</source>
        <translation>восстановление изменений</translation>
    </message>
    <message>
        <source>Can&apos;t add satellite anymore!</source>
        <translation>Больше спутников добавить нельзя!</translation>
    </message>
    <message>
        <source>Add Satellite</source>
        <translation>добавление спутника</translation>
    </message>
    <message>
        <source>Add TP</source>
        <translation>добавление транспондера</translation>
    </message>
    <message>
        <source>Switch To</source>
        <translation>обмен местами</translation>
    </message>
    <message>
        <source>Move To</source>
        <translation>перестановку</translation>
    </message>
    <message>
        <source>Paste TP</source>
        <translation>вставку транспондера</translation>
    </message>
    <message>
        <source>Use This Order</source>
        <translation>применение этого порядка</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>сортировку</translation>
    </message>
</context>
<context>
    <name>FavouriteMaskEditor</name>
    <message>
        <source>Group %1</source>
        <translation>Группа %1</translation>
    </message>
</context>
<context>
    <name>FieldChecks</name>
    <message>
        <source>a number from %1 to %2</source>
        <translation>число от %1 до %2</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not one of %3 or %4</source>
        <translation>%1: «%2» — не одно из значений %3 и не %4</translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not %3</source>
        <translation>%1: «%2» — не %3</translation>
    </message>
</context>
<context>
    <name>FindDuplicatesDialog</name>
    <message>
        <source>Find Duplicates</source>
        <translation>Поиск дубликатов</translation>
    </message>
    <message>
        <source>%1 of the same service. Remove keeps the first of each, with the favourite groups and hot key of the others, and deletes %2.</source>
        <translation>%1 одинаковых каналов. «Удалить» оставит в каждой первый канал, передав ему группы избранного и горячую клавишу остальных, и удалит %2.</translation>
    </message>
    <message>
        <source>%1 group</source>
        <translation>%1 группа</translation>
    </message>
    <message numerus="yes">
        <source>%1 groups</source>
        <translation>
            <numerusform>%1 группа</numerusform>
            <numerusform>%1 группы</numerusform>
            <numerusform>%1 групп</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 programme</source>
        <translation>%1 канал</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation>
            <numerusform>%1 канал</numerusform>
            <numerusform>%1 канала</numerusform>
            <numerusform>%1 каналов</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Оставить</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>FlashCustomChoseDialog</name>
    <message>
        <source>Choose customer</source>
        <translation>Выбор заказчика</translation>
    </message>
    <message>
        <source>Customer:</source>
        <translation>Заказчик:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>OrderLike</name>
    <message>
        <source>offset %1: %2</source>
        <translation>смещение %1: %2</translation>
    </message>
    <message>
        <source>no list of programmes</source>
        <translation>нет списка каналов</translation>
    </message>
</context>
<context>
    <name>ParserLibrary</name>
    <message>
        <source>no library name</source>
        <translation>не указано имя библиотеки</translation>
    </message>
</context>
<context>
    <name>ProgrammeModel</name>
    <message>
        <source>HotKey</source>
        <extracomment>Column caption: the hot key&apos;s number.</extracomment>
        <translation>Клавиша</translation>
    </message>
    <message>
        <source>Fav</source>
        <extracomment>Column caption: the favourite group a hot key calls up.</extracomment>
        <translation>Группа</translation>
    </message>
</context>
<context>
    <name>QDBProgramWidget</name>
    <message>
        <source>Index</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Не найдено</translation>
    </message>
    <message>
        <source>Wrapped to the bottom</source>
        <translation>Поиск продолжен с конца</translation>
    </message>
    <message>
        <source>Wrapped to the top</source>
        <translation>Поиск продолжен с начала</translation>
    </message>
    <message>
        <source>Program Information</source>
        <translation>Сведения о канале</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Переместить</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Поменять местами</translation>
    </message>
    <message>
        <source>Delete PG?</source>
        <extracomment>PG: a programme (channel) of the list.</extracomment>
        <translation>Удалить канал?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation>
            <numerusform>%1 канал</numerusform>
            <numerusform>%1 канала</numerusform>
            <numerusform>%1 каналов</numerusform>
        </translation>
    </message>
    <message>
        <source>Inserted %1</source>
        <translation>Добавлен канал %1</translation>
    </message>
    <message>
        <source>Pasted 1 programme</source>
        <translation>Вставлен 1 канал</translation>
    </message>
    <message numerus="yes">
        <source>Pasted %1 programmes</source>
        <translation>
            <numerusform>Вставлен %1 канал</numerusform>
            <numerusform>Вставлено %1 канала</numerusform>
            <numerusform>Вставлено %1 каналов</numerusform>
        </translation>
    </message>
    <message>
        <source>Use This Order</source>
        <translation>Применить этот порядок</translation>
    </message>
    <message>
        <source>RADIO shown</source>
        <translation>Показаны радиоканалы</translation>
    </message>
    <message>
        <source>TV shown</source>
        <translation>Показаны ТВ-каналы</translation>
    </message>
    <message>
        <source>1 TV programme not shown</source>
        <translation>1 ТВ-канал не показан</translation>
    </message>
    <message numerus="yes">
        <source>%1 TV programmes not shown</source>
        <translation>
            <numerusform>%1 ТВ-канал не показан</numerusform>
            <numerusform>%1 ТВ-канала не показаны</numerusform>
            <numerusform>%1 ТВ-каналов не показано</numerusform>
        </translation>
    </message>
    <message>
        <source>1 radio programme not shown</source>
        <translation>1 радиоканал не показан</translation>
    </message>
    <message numerus="yes">
        <source>%1 radio programmes not shown</source>
        <translation>
            <numerusform>%1 радиоканал не показан</numerusform>
            <numerusform>%1 радиоканала не показаны</numerusform>
            <numerusform>%1 радиоканалов не показано</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 hidden by the filter</source>
        <translation>
            <numerusform>%1 скрыт фильтром</numerusform>
            <numerusform>%1 скрыты фильтром</numerusform>
            <numerusform>%1 скрыто фильтром</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Channel 	 Enter</source>
        <extracomment>After the tab: the key that does the same, shown beside the text.</extracomment>
        <translation>Изменить канал 	 Enter</translation>
    </message>
    <message>
        <source>Copy Channel 	 Ctrl+C</source>
        <translation>Копировать канал 	 Ctrl+C</translation>
    </message>
    <message>
        <source>Paste Channel 	 Ctrl+V</source>
        <translation>Вставить канал 	 Ctrl+V</translation>
    </message>
    <message>
        <source>Edit HotKey</source>
        <translation>Изменить горячую клавишу</translation>
    </message>
    <message>
        <source>Move Up 	 -</source>
        <translation>Переместить вверх 	 -</translation>
    </message>
    <message>
        <source>Move Down 	 +</source>
        <translation>Переместить вниз 	 +</translation>
    </message>
    <message>
        <source>Move Channel</source>
        <translation>Переместить канал</translation>
    </message>
    <message>
        <source>Switch Channel</source>
        <translation>Поменять местами</translation>
    </message>
    <message>
        <source>Insert Channel 	 Insert</source>
        <translation>Добавить канал 	 Insert</translation>
    </message>
    <message>
        <source>Delete Channel 	 Delete</source>
        <translation>Удалить канал 	 Delete</translation>
    </message>
    <message>
        <source>Copy Channel To</source>
        <translation>Копировать канал в</translation>
    </message>
    <message>
        <source>Cut Channel To</source>
        <translation>Перенести канал в</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Изменить группу</translation>
    </message>
    <message>
        <source>Remove channel</source>
        <translation>Убрать канал</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>Переименовать группу</translation>
    </message>
    <message>
        <source>TV</source>
        <translation>ТВ</translation>
    </message>
    <message>
        <source>RADIO</source>
        <translation>Радио</translation>
    </message>
    <message>
        <source>TV/RADIO</source>
        <translation>ТВ/Радио</translation>
    </message>
    <message>
        <source>filter:</source>
        <translation>фильтр:</translation>
    </message>
    <message>
        <source>find:</source>
        <translation>поиск:</translation>
    </message>
    <message>
        <source>find up</source>
        <translation>найти выше</translation>
    </message>
    <message>
        <source>find next</source>
        <translation>найти ниже</translation>
    </message>
</context>
<context>
    <name>QFavGroupEditDialog</name>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Favourite Group Edit</source>
        <translation>Изменение группы избранного</translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation>Название канала</translation>
    </message>
    <message>
        <source>member</source>
        <translation>в группе</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Убрать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>filter:</source>
        <translation>фильтр:</translation>
    </message>
</context>
<context>
    <name>QFavGroupRenameDialog</name>
    <message>
        <source>Group Rename</source>
        <translation>Переименование группы</translation>
    </message>
</context>
<context>
    <name>QFavHotKeyGroupEditDialog</name>
    <message>
        <source>Fav HotKey Group Edit</source>
        <extracomment>Fav: favourite group.</extracomment>
        <translation>Горячие клавиши избранного</translation>
    </message>
</context>
<context>
    <name>QHotKeyEditDialog</name>
    <message>
        <source>HotKey</source>
        <translation>Горячая клавиша</translation>
    </message>
    <message>
        <source>Select HotKey</source>
        <translation>Выберите горячую клавишу</translation>
    </message>
</context>
<context>
    <name>QHotKeyGroupEditDialog</name>
    <message>
        <source>HotKey Group Edit</source>
        <translation>Горячие клавиши</translation>
    </message>
</context>
<context>
    <name>QMoveSwitchDialog</name>
    <message>
        <source>Enter another index</source>
        <translation>Введите другой номер</translation>
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
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Duplicate PG Index = %1, NAME = %2</source>
        <translation>Повтор: канал № %1, NAME = %2</translation>
    </message>
</context>
<context>
    <name>QSelectTargetNodeDialog</name>
    <message>
        <source>Select target node</source>
        <translation>Выбор места назначения</translation>
    </message>
    <message>
        <source>name</source>
        <translation>название</translation>
    </message>
</context>
<context>
    <name>QTPChoiceDialog</name>
    <message>
        <source>TP Choice</source>
        <extracomment>TP: a transponder, one frequency of a satellite.</extracomment>
        <translation>Выбор транспондера</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>QtTreePropertyBrowser</name>
    <message>
        <source>Property</source>
        <translation>Свойство</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
</context>
<context>
    <name>RecoveryWriter</name>
    <message>
        <source>%1: the folder cannot be made</source>
        <translation>%1: не удаётся создать папку</translation>
    </message>
</context>
<context>
    <name>ServiceOrder</name>
    <message>
        <source>The service order moves programmes across transponders or satellites, which this file type cannot store: each programme was saved under its own transponder, in the service order within it.</source>
        <translation>Порядок каналов перемешивает каналы разных транспондеров или спутников, а файл этого типа так хранить не может: каждый канал сохранён в своём транспондере, в пределах которого соблюдён порядок каналов.</translation>
    </message>
</context>
<context>
    <name>SortDialog</name>
    <message>
        <source>Sort</source>
        <translation>Сортировка</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>Сортировать по</translation>
    </message>
    <message>
        <source>Then by</source>
        <translation>Затем по</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(нет)</translation>
    </message>
    <message>
        <source>TV before radio</source>
        <translation>ТВ перед радио</translation>
    </message>
    <message>
        <source>Only the %1 selected rows, among their places</source>
        <translation>Только выделенные строки (%1), в пределах их мест</translation>
    </message>
    <message>
        <source>Only the selected rows, among their places</source>
        <translation>Только выделенные строки, в пределах их мест</translation>
    </message>
</context>
<context>
    <name>Tavrin</name>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Системный</translation>
    </message>
    <message>
        <source>The language changes when Tavrin is started again.</source>
        <translation>Язык сменится при следующем запуске Tavrin.</translation>
    </message>
    <message>
        <source>Takes effect after a restart</source>
        <translation>Вступит в силу после перезапуска</translation>
    </message>
    <message>
        <source>Find Duplicates…</source>
        <translation>Найти дубликаты…</translation>
    </message>
    <message>
        <source>Sort…</source>
        <translation>Сортировка…</translation>
    </message>
    <message>
        <source>Order Like…</source>
        <translation>Упорядочить как…</translation>
    </message>
    <message>
        <source>No duplicates found</source>
        <translation>Дубликатов не найдено</translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation>Спутник</translation>
    </message>
    <message>
        <source>Find Duplicates</source>
        <translation>Поиск дубликатов</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Сортировка</translation>
    </message>
    <message>
        <source>Order Like</source>
        <translation>Упорядочить как</translation>
    </message>
    <message>
        <source>;;Exported JSON (*.json);;Names, one a line (*.txt);;All files (*)</source>
        <translation>;;Экспортированный JSON (*.json);;Названия, по одному в строке (*.txt);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Load Error!</source>
        <translation>Ошибка загрузки!</translation>
    </message>
    <message>
        <source>This file isn&apos;t supported yet</source>
        <translation>Этот файл пока не поддерживается</translation>
    </message>
    <message>
        <source>larger than any recovery file</source>
        <translation>больше любого файла восстановления</translation>
    </message>
    <message>
        <source>Recovery</source>
        <translation>Восстановление</translation>
    </message>
    <message>
        <source>A recovery file could not be read and was set aside.</source>
        <translation>Не удалось прочитать файл восстановления; он отложен в сторону.</translation>
    </message>
    <message>
        <source>The recovered changes could not be written.</source>
        <translation>Не удалось записать восстановленные изменения.</translation>
    </message>
    <message>
        <source>The recovered changes were written beside the file.</source>
        <translation>Восстановленные изменения записаны рядом с файлом.</translation>
    </message>
    <message>
        <source>These texts did not fit the file and were cut:</source>
        <translation>Эти тексты не поместились в файл и были обрезаны:</translation>
    </message>
    <message numerus="yes">
        <source>and %1 more</source>
        <translation>
            <numerusform>и ещё %1</numerusform>
            <numerusform>и ещё %1</numerusform>
            <numerusform>и ещё %1</numerusform>
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
        <translation>Не удалось записать файл восстановления: %1</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Недавние файлы</translation>
    </message>
    <message>
        <source>Export List…</source>
        <translation>Экспорт списка…</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(пусто)</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Недавние файлы</translation>
    </message>
    <message>
        <source>The file is no longer there and was taken off the list.</source>
        <translation>Файла больше нет, он убран из списка.</translation>
    </message>
    <message>
        <source>Export List</source>
        <translation>Экспорт списка</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Файл CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export Error!</source>
        <translation>Ошибка экспорта!</translation>
    </message>
    <message>
        <source>Exported %1 to %2</source>
        <translation>Экспортировано в %2: %1</translation>
    </message>
    <message>
        <source>%1 row</source>
        <translation>%1 строка</translation>
    </message>
    <message numerus="yes">
        <source>%1 rows</source>
        <translation>
            <numerusform>%1 строка</numerusform>
            <numerusform>%1 строки</numerusform>
            <numerusform>%1 строк</numerusform>
        </translation>
    </message>
    <message>
        <source>Safety copy written: %1</source>
        <translation>Записана резервная копия: %1</translation>
    </message>
    <message>
        <source>Safety copy kept: %1 already exists and was not replaced</source>
        <translation>Резервная копия оставлена прежней: файл %1 уже существует и не заменён</translation>
    </message>
    <message>
        <source>No safety copy: %1 is read-only</source>
        <translation>Без резервной копии: файл %1 доступен только для чтения</translation>
    </message>
    <message>
        <source>The safety copy %1 could not be written: %2</source>
        <translation>Не удалось записать резервную копию %1: %2</translation>
    </message>
    <message>
        <source>Packing…</source>
        <translation>Упаковка…</translation>
    </message>
    <message>
        <source>All supported files (%1);;</source>
        <translation>Все поддерживаемые файлы (%1);;</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>Load File</source>
        <translation>Загрузка файла</translation>
    </message>
    <message>
        <source>Unpacking…</source>
        <translation>Распаковка…</translation>
    </message>
    <message>
        <source>Loading %1...</source>
        <translation>Загрузка %1...</translation>
    </message>
    <message>
        <source>%1 could not be read again: a save may leave out what the window does not show</source>
        <translation>Не удалось повторно прочитать %1: при сохранении может пропасть то, чего нет в окне</translation>
    </message>
    <message>
        <source>Bin file(*.abs);;UserDB file(*.udf)</source>
        <translation>Двоичный файл (*.abs);;Файл UserDB (*.udf)</translation>
    </message>
    <message>
        <source>Bin file(*.abs);;DefaultDB file(*.ddf)</source>
        <translation>Двоичный файл (*.abs);;Файл DefaultDB (*.ddf)</translation>
    </message>
    <message>
        <source>UserDB file(*.udf)</source>
        <translation>Файл UserDB (*.udf)</translation>
    </message>
    <message>
        <source>DefaultDB file(*.ddf)</source>
        <translation>Файл DefaultDB (*.ddf)</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Сохранить файл</translation>
    </message>
    <message>
        <source>Save OK!</source>
        <translation>Сохранено!</translation>
    </message>
    <message>
        <source>Save Error!</source>
        <translation>Ошибка сохранения!</translation>
    </message>
    <message>
        <source>This type isn&apos;t supported yet</source>
        <translation>Этот тип пока не поддерживается</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>The changed data was not saved. Do you want to close it?</source>
        <translation>Изменённые данные не сохранены. Всё равно закрыть?</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>File kind %1</source>
        <translation>Тип файла %1</translation>
    </message>
    <message>
        <source>%1, changed</source>
        <translation>%1, есть изменения</translation>
    </message>
    <message>
        <source>%1, unchanged</source>
        <translation>%1, без изменений</translation>
    </message>
    <message>
        <source>%1 key</source>
        <translation>%1 клавиша</translation>
    </message>
    <message numerus="yes">
        <source>%1 keys</source>
        <translation>
            <numerusform>%1 клавиша</numerusform>
            <numerusform>%1 клавиши</numerusform>
            <numerusform>%1 клавиш</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 programme</source>
        <translation>%1 канал</translation>
    </message>
    <message numerus="yes">
        <source>%1 programmes</source>
        <translation>
            <numerusform>%1 канал</numerusform>
            <numerusform>%1 канала</numerusform>
            <numerusform>%1 каналов</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 hidden by the filter</source>
        <translation>, скрыто фильтром: %1</translation>
    </message>
    <message>
        <source>%1 TV programme</source>
        <translation>%1 ТВ-канал</translation>
    </message>
    <message numerus="yes">
        <source>%1 TV programmes</source>
        <translation>
            <numerusform>%1 ТВ-канал</numerusform>
            <numerusform>%1 ТВ-канала</numerusform>
            <numerusform>%1 ТВ-каналов</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 radio programme</source>
        <translation>%1 радиоканал</translation>
    </message>
    <message numerus="yes">
        <source>%1 radio programmes</source>
        <translation>
            <numerusform>%1 радиоканал</numerusform>
            <numerusform>%1 радиоканала</numerusform>
            <numerusform>%1 радиоканалов</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 not shown</source>
        <translation>, не показано: %1</translation>
    </message>
    <message>
        <source>Unsaved changes to %1 from %2 were recovered. Restore them?</source>
        <translation>Найдены несохранённые изменения файла %1 от %2. Восстановить их?</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Отбросить</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Позже</translation>
    </message>
    <message>
        <source>%1 has changed since. Restore writes the changes to %2 beside it and leaves %1 as it is.</source>
        <translation>Файл %1 с тех пор изменился. «Восстановить» запишет изменения рядом с ним, в %2, а %1 оставит как есть.</translation>
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
        <translation>Файл</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
</context>
<context>
    <name>TextCapacities</name>
    <message>
        <source>%1: %2 characters, %3 kept</source>
        <translation>%1: символов %2, сохранено %3</translation>
    </message>
    <message>
        <source> (field name)</source>
        <translation> (имя поля)</translation>
    </message>
    <message>
        <source>satellite</source>
        <translation>спутник</translation>
    </message>
    <message>
        <source>transponder</source>
        <translation>транспондер</translation>
    </message>
    <message>
        <source>programme</source>
        <translation>канал</translation>
    </message>
    <message>
        <source>favourite group %1 &quot;%2&quot;</source>
        <translation>группа избранного %1 «%2»</translation>
    </message>
</context>
</TS>
