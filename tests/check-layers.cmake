# Fails when a layer includes a header of a layer above it, or when the
# windowless layer includes a widget or multimedia header in any spelling.
#   cmake -DSOURCE_DIR=<repo>/src -P check-layers.cmake
set(faults "")
function(check_folder folder forbidden)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(file ${files})
        file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line ${lines})
            if(line MATCHES "${forbidden}")
                file(RELATIVE_PATH rel "${SOURCE_DIR}" "${file}")
                set(faults "${faults}\n  ${rel}: ${line}" PARENT_SCOPE)
            endif()
        endforeach()
    endforeach()
endfunction()

# Core: no widgets, no multimedia, nothing from the layers above.
check_folder(core "[<\"](QtWidgets|QtMultimedia|QtSvg|controls|windows)/|[<\"](QWidget|QApplication|QLabel|QPushButton|QListWidget|QDialog|QMessageBox|QFrame|QTextEdit|QMainWindow|QSoundEffect|QMovie)[>\"]")
# Controls: nothing from the windows.
check_folder(controls "[<\"]windows/")

if(faults)
    message(FATAL_ERROR "Includes that cross the layers upwards:${faults}")
endif()
message(STATUS "Layers hold: core includes no widget, controls no window")
