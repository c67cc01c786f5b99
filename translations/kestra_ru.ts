<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>MainScreen</name>
    <message>
        <source>KESTRA 4417 MESSAGE TERMINAL</source>
        <translation>KESTRA 4417 ТЕРМИНАЛ СООБЩЕНИЙ</translation>
    </message>
    <message>
        <source>CONFIGURATION</source>
        <translation>КОНФИГУРАЦИЯ</translation>
    </message>
    <message>
        <source>&amp;Select GMDSS system</source>
        <translation>Выбор &amp;системы ГМССБ</translation>
    </message>
    <message>
        <source>&amp;Calibrate touch screen</source>
        <translation>&amp;Калибровка сенсорного экрана</translation>
    </message>
    <message>
        <source>&amp;Exit configuration</source>
        <translation>&amp;Выход из конфигурации</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Terminal</source>
        <translation>Терминал</translation>
    </message>
    <message>
        <source>Removable media</source>
        <translation>Съёмный носитель</translation>
    </message>
    <message>
        <source>PC C:/temp/userdata</source>
        <translation>ПК C:/temp/userdata</translation>
    </message>
</context>
<context>
    <name>SelectSystemCfgWindow</name>
    <message>
        <source>Select GMDSS system</source>
        <translation>Выбор системы ГМССБ</translation>
    </message>
    <message>
        <source>Primary</source>
        <translation>Основная</translation>
    </message>
    <message>
        <source>Duplicated</source>
        <translation>Дублирующая</translation>
    </message>
    <message>
        <source>&amp;Store</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>From now on the message terminal will act as part of a primary GMDSS system.</source>
        <translation>С этого момента терминал сообщений будет работать в составе основной системы ГМССБ.</translation>
    </message>
    <message>
        <source>From now on the message terminal will act as part of a duplicated GMDSS system.</source>
        <translation>С этого момента терминал сообщений будет работать в составе дублирующей системы ГМССБ.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Вы уверены?</translation>
    </message>
</context>
<context>
    <name>SystemCfgIf</name>
    <message>
        <source>KESTRA 4580 GMDSS System</source>
        <translation>Система ГМССБ KESTRA 4580</translation>
    </message>
    <message>
        <source>KESTRA 4590 Non SOLAS System</source>
        <translation>Система KESTRA 4590 (не СОЛАС)</translation>
    </message>
    <message>
        <source>KESTRA 4600 MF/HF Radiotelex</source>
        <translation>Радиотелекс ПВ/КВ KESTRA 4600</translation>
    </message>
    <message>
        <source>Software version</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>GUI build number</source>
        <translation>Номер сборки интерфейса</translation>
    </message>
    <message>
        <source>GUI build date</source>
        <translation>Дата сборки интерфейса</translation>
    </message>
    <message>
        <source>Deamon build number</source>
        <translation>Номер сборки демона</translation>
    </message>
    <message>
        <source>IO CPU build number</source>
        <translation>Номер сборки процессора ввода-вывода</translation>
    </message>
    <message>
        <source>Bootloader build number</source>
        <translation>Номер сборки загрузчика</translation>
    </message>
    <message>
        <source>OS build number</source>
        <translation>Номер сборки ОС</translation>
    </message>
    <message>
        <source>Build number</source>
        <translation>Номер сборки</translation>
    </message>
    <message>
        <source>CAN ID</source>
        <translation>Идентификатор CAN</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-адрес</translation>
    </message>
    <message>
        <source>No Name</source>
        <translation>Без названия</translation>
    </message>
</context>
<context>
    <name>TAbstractCfgWindow</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;ОК</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
</context>
<context>
    <name>TCommonDeviceIf</name>
    <message>
        <source>Unknown Device</source>
        <translation>Неизвестное устройство</translation>
    </message>
    <message>
        <source>KESTRA 1538 GMDSS Terminal</source>
        <translation>Терминал ГМССБ KESTRA 1538</translation>
    </message>
    <message>
        <source>KESTRA 1538 Non SOLAS Terminal</source>
        <translation>Терминал KESTRA 1538 (не СОЛАС)</translation>
    </message>
    <message>
        <source>KESTRA 1538 SSA Terminal</source>
        <translation>Терминал ССОО KESTRA 1538</translation>
    </message>
    <message>
        <source>KESTRA 1538 LRIT Terminal</source>
        <translation>Терминал LRIT KESTRA 1538</translation>
    </message>
    <message>
        <source>KESTRA 1538 Maritime Terminal</source>
        <translation>Морской терминал KESTRA 1538</translation>
    </message>
    <message>
        <source>TRAVELON 1538 Landmobile Term.</source>
        <translation>Сухопутный терм. TRAVELON 1538</translation>
    </message>
    <message>
        <source>Unknown 1538 Terminal</source>
        <translation>Неизвестный терминал 1538</translation>
    </message>
    <message>
        <source>KESTRA 4417 Message Terminal</source>
        <translation>Терминал сообщений KESTRA 4417</translation>
    </message>
    <message>
        <source>KESTRA 4452 PSU and Charger</source>
        <translation>Блок питания и ЗУ KESTRA 4452</translation>
    </message>
    <message>
        <source>KESTRA 4503 Alarm Panel</source>
        <translation>Пульт тревог KESTRA 4503</translation>
    </message>
    <message>
        <source>KESTRA 4505 Multi Alarm Panel</source>
        <translation>Многоканальный пульт тревог KESTRA 4505</translation>
    </message>
    <message>
        <source>KESTRA 4528 Term. Ctrl. Unit</source>
        <translation>Блок упр. терминалом KESTRA 4528</translation>
    </message>
    <message>
        <source>KESTRA 4611 MF/HF CU</source>
        <translation>Блок управления ПВ/КВ KESTRA 4611</translation>
    </message>
    <message>
        <source>KESTRA 4640 MF/HF Radio 150W TU MED</source>
        <translation>Радиостанция ПВ/КВ KESTRA 4640, 150 Вт, ПП MED</translation>
    </message>
    <message>
        <source>KESTRA 4641 MF/HF Radio 150W TU FCC</source>
        <translation>Радиостанция ПВ/КВ KESTRA 4641, 150 Вт, ПП FCC</translation>
    </message>
    <message>
        <source>KESTRA 4643 MF/HF Radio 250W TU MED</source>
        <translation>Радиостанция ПВ/КВ KESTRA 4643, 250 Вт, ПП MED</translation>
    </message>
    <message>
        <source>KESTRA 4644 MF/HF Radio 500W TU MED</source>
        <translation>Радиостанция ПВ/КВ KESTRA 4644, 500 Вт, ПП MED</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>Software version</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>Build number</source>
        <translation>Номер сборки</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>CAN ID</source>
        <translation>Идентификатор CAN</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-адрес</translation>
    </message>
</context>
<context>
    <name>TLineEdit</name>
    <message>
        <source>Illegal input character</source>
        <translation>Недопустимый символ</translation>
    </message>
    <message>
        <source>Cyrillic characters not allowed. Switch between cyrillic and latin keyboard with ALT+SHIFT, or disable cyrillic in System Settings.</source>
        <translation>Кириллица здесь не допускается. Переключайте кириллицу и латиницу клавишами ALT+SHIFT или отключите кириллицу в системных настройках.</translation>
    </message>
</context>
<context>
    <name>TMainWindow</name>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
</context>
<context>
    <name>TMessageWindow</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;ОК</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Да</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Нет</translation>
    </message>
</context>
<context>
    <name>TOptionIconButton</name>
    <message>
        <source>Close menu</source>
        <translation>Закрыть меню</translation>
    </message>
</context>
<context>
    <name>TPasswordReqWindow</name>
    <message>
        <source>Password needed</source>
        <translation>Требуется пароль</translation>
    </message>
    <message>
        <source>Configuration password</source>
        <translation>Пароль конфигурации</translation>
    </message>
    <message>
        <source>Access denied</source>
        <translation>Доступ запрещён</translation>
    </message>
    <message>
        <source>Incorrect password</source>
        <translation>Неверный пароль</translation>
    </message>
</context>
<context>
    <name>TTouchKeyboard</name>
    <message>
        <source>Back
space</source>
        <translation>Забой</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Ввод</translation>
    </message>
    <message>
        <source>Caps
Lock</source>
        <translation>Фикс.
рег.</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Регистр</translation>
    </message>
    <message>
        <source>[CY]</source>
        <translation>[КИР]</translation>
    </message>
    <message>
        <source>123, symbols</source>
        <translation>123, символы</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Пробел</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Стр.</translation>
    </message>
    <message>
        <source>1 of 2</source>
        <translation>1 из 2</translation>
    </message>
    <message>
        <source>2 of 2</source>
        <translation>2 из 2</translation>
    </message>
    <message>
        <source>Hide keyboard</source>
        <translation>Скрыть клавиатуру</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Предыдущая страница</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Следующая страница</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Влево</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
</context>
</TS>
