# The files an install of the game holds, relative to its prefix. Needs APP_ID.
set(installed_files bin/brisko-chess share/brisko-chess/Openings.grd
    share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
    share/mime/packages/${APP_ID}.xml share/man/man6/brisko-chess.6
    share/icons/hicolor/scalable/apps/${APP_ID}.svg)
foreach(size 48 128 256)
    list(APPEND installed_files share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(picture RANGE 11)
    list(APPEND installed_files share/brisko-chess/Images/${picture}.bmp)
endforeach()
