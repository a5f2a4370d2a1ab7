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
        <translation>Restricciones temporales de vuelo de la FAA</translation>
    </message>
    <message>
        <source>Cameron County Road Closures</source>
        <translation>Cierres de carreteras del Condado de Cameron</translation>
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
        <translation>Usar servidor espejo</translation>
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
    <message>
        <source>Scheduled Launches</source>
        <translation>Lanzamientos programados</translation>
    </message>
    <message>
        <source>Show Map…</source>
        <translation>Mostrar mapa…</translation>
    </message>
</context>
<context>
    <name>MapTexts</name>
    <message>
        <source>Plumetrack Map</source>
        <translation>Mapa de Plumetrack</translation>
    </message>
    <message>
        <source>Launches</source>
        <translation>Lanzamientos</translation>
    </message>
    <message>
        <source>Road and beach closures</source>
        <translation>Cierres de carreteras y playa</translation>
    </message>
    <message>
        <source>Flight restrictions</source>
        <translation>Restricciones de vuelo</translation>
    </message>
    <message>
        <source>Maritime notices</source>
        <translation>Avisos marítimos</translation>
    </message>
    <message>
        <source>Launch site</source>
        <translation>Sitio de lanzamiento</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Ahora</translation>
    </message>
    <message>
        <source>Next 24 hours</source>
        <translation>Próximas 24 horas</translation>
    </message>
    <message>
        <source>Next 7 days</source>
        <translation>Próximos 7 días</translation>
    </message>
    <message>
        <source>No notice with a place in this time</source>
        <translation>Ningún aviso con lugar en este lapso</translation>
    </message>
    <message>
        <source>now</source>
        <translation>ahora</translation>
    </message>
    <message>
        <source>%1 areas not read: %2</source>
        <translation>No se pudieron leer las áreas de %1: %2</translation>
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
        <translation>    ⚠ %1: no se pudo consultar (%2): %3</translation>
    </message>
    <message>
        <source>    Not read yet</source>
        <translation>    Todavía sin consultar</translation>
    </message>
    <message>
        <source>    None</source>
        <translation>    Sin avisos</translation>
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
        <translation>    ⚠ %1: no se pudo consultar (%2): %3; se muestra lo consultado (%4)</translation>
    </message>
    <message>
        <source>    ⚠ %1: %2 of %3 shown</source>
        <translation>    ⚠ %1: se muestran %2 de %3</translation>
    </message>
    <message>
        <source>Launch schedule</source>
        <translation>Calendario de lanzamientos</translation>
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
        <translation>     Sin avisos</translation>
    </message>
    <message>
        <source>now, until %1</source>
        <translation>en curso, hasta %1</translation>
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
        <translation>en curso, hasta el final del %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>del %1 al %2</translation>
    </message>
    <message numerus="yes">
        <source>in %n min</source>
        <translation>
            <numerusform>en %n min</numerusform>
            <numerusform>en %n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n h</source>
        <translation>
            <numerusform>en %n h</numerusform>
            <numerusform>en %n h</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n d</source>
        <translation>
            <numerusform>en %n día</numerusform>
            <numerusform>en %n días</numerusform>
        </translation>
    </message>
    <message>
        <source>TFR %1</source>
        <translation>TFR %1</translation>
    </message>
    <message>
        <source>road closure %1</source>
        <translation>cierre de carretera %1</translation>
    </message>
    <message>
        <source>beach closure %1</source>
        <translation>cierre de playa %1</translation>
    </message>
    <message>
        <source>road delay %1</source>
        <translation>demora en carretera %1</translation>
    </message>
    <message>
        <source>    No notice covers this window yet</source>
        <translation>    Todavía ningún aviso cubre esta ventana</translation>
    </message>
    <message>
        <source>    Covered by: %1</source>
        <translation>    Avisos que la cubren: %1</translation>
    </message>
    <message>
        <source>Possible launch activity</source>
        <translation>Posible actividad de lanzamiento</translation>
    </message>
    <message>
        <source>Next launch: %1, %2 (%3)</source>
        <translation>Próximo lanzamiento: %1, %2 (%3)</translation>
    </message>
    <message>
        <source>🛳 Next hazard area: %1</source>
        <translation>🛳 Próxima zona de peligro: %1</translation>
    </message>
</context>
<context>
    <name>OnceRun</name>
    <message>
        <source>%1 closure</source>
        <translation>%1 cierre</translation>
    </message>
    <message>
        <source>%1 closures</source>
        <translation>%1 cierres</translation>
    </message>
    <message>
        <source>%1 TFR</source>
        <translation>%1 TFR</translation>
    </message>
    <message>
        <source>%1 TFRs</source>
        <translation>%1 TFR</translation>
    </message>
    <message>
        <source>all sources off</source>
        <translation>todas las fuentes desactivadas</translation>
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
    <name>Reason</name>
    <message>
        <source>no answer</source>
        <translation>sin respuesta</translation>
    </message>
    <message>
        <source>no answer before the next check</source>
        <translation>sin respuesta antes de la siguiente consulta</translation>
    </message>
    <message>
        <source>not read yet</source>
        <translation>todavía sin consultar</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>conexión rechazada</translation>
    </message>
    <message>
        <source>host not found</source>
        <translation>no se encontró el servidor</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>se agotó el tiempo de espera</translation>
    </message>
    <message>
        <source>TLS failure</source>
        <translation>falló la conexión segura (TLS)</translation>
    </message>
    <message>
        <source>connection closed</source>
        <translation>se cerró la conexión</translation>
    </message>
    <message>
        <source>network unavailable</source>
        <translation>red no disponible</translation>
    </message>
    <message>
        <source>the answer was too large</source>
        <translation>la respuesta era demasiado grande</translation>
    </message>
    <message>
        <source>a redirect was refused</source>
        <translation>se rechazó una redirección</translation>
    </message>
    <message>
        <source>the answer could not be decompressed</source>
        <translation>no se pudo descomprimir la respuesta</translation>
    </message>
    <message>
        <source>the page held no closures</source>
        <translation>la página no tenía cierres</translation>
    </message>
    <message>
        <source>beach closures</source>
        <translation>los cierres de playa</translation>
    </message>
    <message>
        <source>road delays</source>
        <translation>las demoras en carreteras</translation>
    </message>
    <message>
        <source>the page was not the notices list</source>
        <translation>la página no era la lista de avisos</translation>
    </message>
    <message>
        <source>the export was not recognised</source>
        <translation>no se reconoció la exportación</translation>
    </message>
    <message>
        <source>the server answered a web page, not the feed</source>
        <translation>el servidor respondió con una página web, no con los datos</translation>
    </message>
    <message>
        <source>the feed could not be read</source>
        <translation>no se pudieron leer los datos</translation>
    </message>
    <message>
        <source>the feed&apos;s entries were not recognised</source>
        <translation>no se reconocieron las entradas de los datos</translation>
    </message>
    <message>
        <source>the page was empty</source>
        <translation>la página estaba vacía</translation>
    </message>
    <message>
        <source>the page held no closure table</source>
        <translation>la página no tenía la tabla de cierres</translation>
    </message>
    <message>
        <source>the closure table&apos;s rows were not recognised</source>
        <translation>no se reconocieron las filas de la tabla de cierres</translation>
    </message>
    <message>
        <source>the list was empty</source>
        <translation>la lista estaba vacía</translation>
    </message>
    <message>
        <source>the page held no list</source>
        <translation>la página no tenía la lista</translation>
    </message>
    <message>
        <source>no answer (%1)</source>
        <translation>sin respuesta (%1)</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>sin respuesta en %1 s</translation>
    </message>
    <message>
        <source>network error %1</source>
        <translation>error de red %1</translation>
    </message>
    <message>
        <source>the server refused the request (%1)</source>
        <translation>el servidor rechazó la solicitud (%1)</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>el servidor respondió %1</translation>
    </message>
    <message>
        <source>the %1 could not be read</source>
        <translation>no se pudieron leer %1</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 y %2</translation>
    </message>
    <message>
        <source>the areas could not be read</source>
        <translation>no se pudieron leer las áreas</translation>
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
    <message>
        <source>Upcoming launches changed</source>
        <translation>Cambiaron los próximos lanzamientos</translation>
    </message>
    <message>
        <source>🗓 Upcoming Launches</source>
        <translation>🗓 Próximos lanzamientos</translation>
    </message>
</context>
</TS>
