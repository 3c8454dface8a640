# The Linux program: the Qt window (ui/qt) over the program's library, the
# `mescola` executable, and its installation with a desktop entry, an icon,
# AppStream metadata and a manual page, packaged for Debian by `cpack -G DEB`.
include(${CMAKE_CURRENT_LIST_DIR}/dialog-template.cmake)
set(MESCOLA_TEMPLATE_CPP ${CMAKE_BINARY_DIR}/generated/main_dialog_template.cpp)
mescola_dialog_template(${CMAKE_SOURCE_DIR}/resources/mescola.rc ${MESCOLA_TEMPLATE_CPP})

file(GLOB MESCOLA_QT_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/qt/*.cpp)
list(REMOVE_ITEM MESCOLA_QT_UI_SOURCES ${CMAKE_SOURCE_DIR}/ui/qt/main.cpp
     ${CMAKE_SOURCE_DIR}/ui/qt/picture.cpp)
add_library(mescola_qt STATIC ${MESCOLA_QT_UI_SOURCES} ${MESCOLA_TEMPLATE_CPP})
target_link_libraries(mescola_qt PUBLIC mescola_lib Qt6::Widgets)
target_compile_options(mescola_qt PRIVATE -Wall -Wextra)
# The program's icon on its window and message boxes.
qt_add_resources(mescola_qt icon PREFIX / BASE ${CMAKE_SOURCE_DIR}/resources
                 FILES ${CMAKE_SOURCE_DIR}/resources/mescola.svg)

add_executable(mescola ${CMAKE_SOURCE_DIR}/ui/qt/main.cpp)
target_link_libraries(mescola PRIVATE mescola_qt)
target_compile_options(mescola PRIVATE -Wall -Wextra)

# A picture of the window where there is no display (scripts/run).
add_executable(mescola_picture EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/ui/qt/picture.cpp)
target_link_libraries(mescola_picture PRIVATE mescola_qt)

include(GNUInstallDirs)
install(TARGETS mescola RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/mescola.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/mescola.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/mescola.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME invalid.mescola.Mescola.metainfo.xml)
# The manual page and the changelog compressed as Debian keeps them (best
# compression, no name or time stamp in the header), beside the copyright
# in the package's own folder of documents.
set(MESCOLA_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
foreach(file mescola.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}.gz
                     COMMAND sh -c "gzip -9nc '${MESCOLA_PACKAGING}/${file}' > '${CMAKE_BINARY_DIR}/${file}.gz'"
                     DEPENDS ${MESCOLA_PACKAGING}/${file} VERBATIM)
endforeach()
add_custom_target(mescola_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/mescola.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/mescola.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${MESCOLA_PACKAGING}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mescola)

set(CPACK_PACKAGE_NAME mescola)
set(CPACK_PACKAGE_VENDOR "Mescola")
set(CPACK_PACKAGE_CONTACT "Mescola <dev@mescola.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Riempie il lettore MP3 con una scelta casuale di brani")
# The long description, as Debian shows it: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "In una finestra si segnano le cartelle da cui prendere la musica e quelle
da escludere, si sceglie quanti brani copiare, e Mescola li copia in ordine
casuale nella cartella principale del lettore MP3, cancellando prima la musica
vecchia se richiesto. Le liste di cartelle si salvano in file .lis.
Interfaccia in italiano.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries from what the program links; Qt's Italian texts for the
# message boxes' buttons, and its SVG plugin for the program's icon.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libqt6svg6")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
