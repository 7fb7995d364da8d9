# Installs the game as a desktop application:
#   <libdir>/mapurix/           the executable with its data folders beside it
#                               (the game finds its data in its own folder)
#   <bindir>/mapurix            a launcher that runs the one above
#   <datadir>/applications/     the menu entry
#   <datadir>/icons/hicolor/    the icon at every size
#   <datadir>/metainfo/         the AppStream description
# Included by the top-level CMakeLists.txt after src/, so the target exists.
set(MAPURIX_APP_ID org.mapurix.Mapurix)
set(MAPURIX_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/mapurix)

if(TARGET mapurix)
    install(TARGETS mapurix RUNTIME DESTINATION ${MAPURIX_PROGRAM_DIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${MAPURIX_PROGRAM_DIR}
        PATTERN ".*" EXCLUDE)

# The launcher finds the program folder relative to itself, so the installed
# tree still works when moved to another prefix.
file(RELATIVE_PATH MAPURIX_LAUNCHER_TO_PROGRAM
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/mapurix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/mapurix.in ${PROJECT_BINARY_DIR}/packaging/mapurix @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/mapurix DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${MAPURIX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${MAPURIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/src/windows/resources/mapurix-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME mapurix.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/tools/art/icon/mapurix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
