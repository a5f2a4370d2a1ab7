<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AppDelegate</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>This build of Plumetrack has no update server.</source>
        <translation>Esta versión de Plumetrack no tiene servidor de actualizaciones.</translation>
    </message>
    <message>
        <source>Updates come with the package that installed it.</source>
        <translation>Las actualizaciones llegan con el paquete que la instaló.</translation>
    </message>
    <message>
        <source>No data was read.</source>
        <translation>No se leyó ningún dato.</translation>
    </message>
    <message>
        <source>Plumetrack cannot get the latest version information.</source>
        <translation>Plumetrack no puede obtener la información de la versión más reciente.</translation>
    </message>
    <message>
        <source>Visit Website</source>
        <translation>Visitar el sitio web</translation>
    </message>
    <message>
        <source>You have the latest version.</source>
        <translation>Ya tiene la versión más reciente.</translation>
    </message>
    <message>
        <source>A newer version %1 (%2) is available for download.</source>
        <translation>Hay una versión más nueva, %1 (%2), lista para descargar.</translation>
    </message>
    <message>
        <source>Visit Website to get the latest version.</source>
        <translation>Visitar el sitio web para obtener la versión más reciente.</translation>
    </message>
    <message>
        <source>Plumetrack cannot start at login.</source>
        <translation>Plumetrack no puede abrirse al iniciar sesión.</translation>
    </message>
    <message>
        <source>Plumetrack cannot stop starting at login.</source>
        <translation>Plumetrack no puede dejar de abrirse al iniciar sesión.</translation>
    </message>
</context>
<context>
    <name>Autostart</name>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation>No se puede crear la carpeta %1.</translation>
    </message>
</context>
<context>
    <name>DefaultMenu</name>
    <message>
        <source>Refresh Every 5 Minutes</source>
        <translation>Revisar cada 5 minutos</translation>
    </message>
    <message>
        <source>Refresh Every 10 Minutes</source>
        <translation>Revisar cada 10 minutos</translation>
    </message>
    <message>
        <source>Refresh Every 20 Minutes</source>
        <translation>Revisar cada 20 minutos</translation>
    </message>
    <message>
        <source>Refresh Every 30 Minutes</source>
        <translation>Revisar cada 30 minutos</translation>
    </message>
    <message>
        <source>Refresh Every Hour</source>
        <translation>Revisar cada hora</translation>
    </message>
    <message>
        <source>FAA Flight Restrictions</source>
        <translation>Restricciones de vuelo de la FAA</translation>
    </message>
    <message>
        <source>Cameron County Road Closures</source>
        <translation>Cierres de carreteras del condado de Cameron</translation>
    </message>
    <message>
        <source>City of Starbase Beach and Road Access</source>
        <translation>Acceso a la playa y carreteras de la Ciudad de Starbase</translation>
    </message>
    <message>
        <source>Coast Guard Bulletins</source>
        <translation>Boletines de la Guardia Costera</translation>
    </message>
    <message>
        <source>NGA Navigational Warnings</source>
        <translation>Avisos a los navegantes de la NGA</translation>
    </message>
    <message>
        <source>Sources</source>
        <translation>Fuentes</translation>
    </message>
    <message>
        <source>Notify on Changes</source>
        <translation>Avisar cuando haya cambios</translation>
    </message>
    <message>
        <source>Use Data Mirror</source>
        <translation>Usar el espejo de datos</translation>
    </message>
    <message>
        <source>Start at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>Abrir el calendario</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>About Plumetrack</source>
        <translation>Acerca de Plumetrack</translation>
    </message>
    <message>
        <source>Quit Plumetrack</source>
        <translation>Salir de Plumetrack</translation>
    </message>
</context>
<context>
    <name>MenuSection</name>
    <message>
        <source>FAA</source>
        <translation>FAA</translation>
    </message>
    <message>
        <source>Cameron County</source>
        <translation>Condado de Cameron</translation>
    </message>
    <message>
        <source>City of Starbase</source>
        <translation>Ciudad de Starbase</translation>
    </message>
    <message>
        <source>Coast Guard</source>
        <translation>Guardia Costera</translation>
    </message>
    <message>
        <source>NGA</source>
        <translation>NGA</translation>
    </message>
    <message>
        <source>    ⚠ %1 not read at %2: %3</source>
        <translation>    ⚠ %1 sin leer a las %2: %3</translation>
    </message>
    <message>
        <source>    Not read yet</source>
        <translation>    Todavía sin leer</translation>
    </message>
    <message>
        <source>    None</source>
        <translation>    Ninguno</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>y %n más</numerusform>
            <numerusform>y %n más</numerusform>
        </translation>
    </message>
    <message>
        <source>    ⚠ %1 not read at %2: %3; shown as read at %4</source>
        <translation>    ⚠ %1 sin leer a las %2: %3; se muestra lo leído a las %4</translation>
    </message>
    <message>
        <source>    ⚠ %1: %2 of %3 shown</source>
        <translation>    ⚠ %1: se muestran %2 de %3</translation>
    </message>
</context>
<context>
    <name>Notice</name>
    <message>
        <source>%1 feet</source>
        <translation>%1 pies</translation>
    </message>
    <message>
        <source>Unlimited</source>
        <translation>Sin límite</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 a %2</translation>
    </message>
</context>
<context>
    <name>NoticeRows</name>
    <message>
        <source>     None</source>
        <translation>     Ninguno</translation>
    </message>
    <message>
        <source>now, until %1</source>
        <translation>ahora, hasta %1</translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>en %1 min</translation>
    </message>
    <message>
        <source>in %1 h</source>
        <translation>en %1 h</translation>
    </message>
    <message>
        <source>in %1 d</source>
        <translation>en %1 d</translation>
    </message>
    <message>
        <source>🚗 Next closure: %1</source>
        <translation>🚗 Próximo cierre: %1</translation>
    </message>
    <message>
        <source>✈️ Next restriction: %1</source>
        <translation>✈️ Próxima restricción: %1</translation>
    </message>
    <message>
        <source>altitude not read</source>
        <translation>altitud no disponible</translation>
    </message>
    <message>
        <source>now, until the end of %1</source>
        <translation>ahora, hasta el final del %1</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>About Plumetrack</source>
        <translation>Acerca de Plumetrack</translation>
    </message>
    <message>
        <source>&lt;b&gt;Plumetrack&lt;/b&gt; %1&lt;br&gt;Launch activity notices around Brownsville, Texas, in your tray.</source>
        <translation>&lt;b&gt;Plumetrack&lt;/b&gt; %1&lt;br&gt;Avisos de actividad de lanzamientos cerca de Brownsville, Texas, en la bandeja del sistema.</translation>
    </message>
</context>
<context>
    <name>QtNotifier</name>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
</context>
<context>
    <name>StatusMenuController</name>
    <message>
        <source>🚗 Road Closures</source>
        <translation>🚗 Cierres de carreteras</translation>
    </message>
    <message>
        <source>✈️ Flight Restrictions</source>
        <translation>✈️ Restricciones de vuelo</translation>
    </message>
    <message>
        <source>🛳 Maritime Safety Bulletin (Latest Only)</source>
        <translation>🛳 Boletín de seguridad marítima (solo el más reciente)</translation>
    </message>
    <message>
        <source>Road closures changed</source>
        <translation>Cambiaron los cierres de carreteras</translation>
    </message>
    <message>
        <source>Flight restrictions changed</source>
        <translation>Cambiaron las restricciones de vuelo</translation>
    </message>
    <message>
        <source>Maritime safety bulletin changed</source>
        <translation>Cambió el boletín de seguridad marítima</translation>
    </message>
    <message>
        <source>Last Checked: %1</source>
        <translation>Última revisión: %1</translation>
    </message>
</context>
</TS>
