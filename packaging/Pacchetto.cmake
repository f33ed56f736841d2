# Installing like any other desktop program: the executable, the menu entry, the icon and the
# copyright file in the standard places, and a Debian package of the same files (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS decimetra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program links only system libraries: no run-time search path of its own.
set_target_properties(decimetra PROPERTIES INSTALL_RPATH "")
# The speech module, in the program's own library folder, where the program looks for it.
install(TARGETS decimetra_voce LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/decimetra)
# The register window's module, beside it.
install(TARGETS decimetra_registro_modulo LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/decimetra)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/decimetra.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The 64 px icon is the one the program shows itself; the larger ones come from the same
# drawing (src/resources/disegna_icona.py) for menus and docks at high resolution.
install(FILES ${PROJECT_SOURCE_DIR}/src/resources/decimetra.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
foreach(lato IN ITEMS 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icone/decimetra_${lato}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lato}x${lato}/apps
            RENAME decimetra.png)
endforeach()
# The licence, in Debian's machine-readable copyright format, where Debian keeps it for every
# package.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/decimetra)
# For a school's technician: the lab server's tables (the program creates them too).
install(FILES ${CMAKE_CURRENT_LIST_DIR}/registro-postgresql.sql
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/decimetra)

set(CPACK_PACKAGE_NAME decimetra)
set(CPACK_PACKAGE_VENDOR Decimetra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Decimetra <info@decimetra.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "decimal and metric conversion drills for primary-school pupils (Italian)")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.decimetra.example.org")
# The long description; the summary above is its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pupils practise conversions between the orders of the decimal system and
between metric units of length, weight and capacity: a series of 20
generated problems, an on-screen keypad, checking with help and retries,
timing, a printout of the exercises done and a certificate. Teachers print
worksheets with or without the solutions. The user interface is in Italian.

Esercizi per la scuola primaria sulle trasformazioni tra gli ordini del
sistema decimale e tra le unità di misura del sistema metrico (lunghezze,
pesi, capacità): serie di 20 problemi, tastierino sullo schermo, verifica
con aiuto, tempo, stampa degli esercizi svolti e attestato; schede di
esercizi da stampare per gli alunni e per l'insegnante.")
# The shared libraries the executable and the speech module link to come from
# dpkg-shlibdeps; what they load at run time is listed by hand: the fonts the program draws
# with (Arial is matched by Liberation Sans) and fontconfig to find them; Qt's Italian
# translations for the toolkit's own texts; libcups2, which it opens at the first print on a
# printer (src/app/CodaCups.h); for speech, the speech server and its espeak-ng voices
# (Italian among them). The X platform plugin, the printing plugin for
# CUPS and the sound plugins are part of libqt6gui6, libqt6printsupport6 and
# libqt6multimedia6 on Debian 12. The register needs Qt's SQLite driver and a school lab's
# server its PostgreSQL driver, plugins the shared-library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, fonts-dejavu-core, fontconfig, qt6-translations-l10n, libcups2, \
speech-dispatcher, speech-dispatcher-espeak-ng, libqt6sql6-sqlite, libqt6sql6-psql")

set(CPACK_GENERATOR DEB)
include(CPack)
