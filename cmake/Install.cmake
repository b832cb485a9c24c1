# cmake --install: the three programs, their desktop entries and their icons in
# the hicolor theme, in the usual folders under the prefix.
include(GNUInstallDirs)

install(TARGETS Zorvane Mirelka Tandrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A stripped install (cpack, cmake --install --strip) drops besides the
# symbols what Debian's packages drop: the names of the compilers that built
# each part (.comment) and the old .note section. The web view's module is
# installed by now: its folder comes before this file.
set(zv_stripped)
foreach(program Zorvane Mirelka Tandrel)
    list(APPEND zv_stripped "${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${program}>")
endforeach()
list(APPEND zv_stripped "${ZV_INSTALL_MODULEDIR}/$<TARGET_FILE_NAME:zorvane_webview>")
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(part ${zv_stripped})
            if(NOT IS_ABSOLUTE \"\${part}\")
                set(part \"\${CMAKE_INSTALL_PREFIX}/\${part}\")
            endif()
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                                    \"\$ENV{DESTDIR}\${part}\" RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR \"objcopy could not strip \$ENV{DESTDIR}\${part}\")
            endif()
        endforeach()
    endif()")

# Each program's icon: drawn as SVG, installed as it is and as a picture in
# every size that desktops look for in the hicolor theme.
set(ZV_APP_ICONS
    Zorvane ${PROJECT_SOURCE_DIR}/resources/dock/image/256-2.svg
    Mirelka ${PROJECT_SOURCE_DIR}/resources/dock/image/icon/Notes.svg
    Tandrel ${PROJECT_SOURCE_DIR}/resources/dock/image/icon/Sip.svg)
set(ZV_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ZV_DESKTOP_OUT ${CMAKE_BINARY_DIR}/desktop)
set(zv_icon_pngs)
set(zv_desktop_entries)
while(ZV_APP_ICONS)
    list(POP_FRONT ZV_APP_ICONS program svg)
    foreach(size ${ZV_ICON_SIZES})
        set(png ${ZV_DESKTOP_OUT}/${size}x${size}/${program}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${ZV_DESKTOP_OUT}/${size}x${size}
            COMMAND zv_picturetool svg ${svg} ${png} ${size}
            DEPENDS ${svg} zv_picturetool VERBATIM)
        list(APPEND zv_icon_pngs ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${program}.svg)

    # The entry as the default prefix would have it, for checking in the build
    # folder; the installed one names the prefix given at install time.
    set(ZV_BINDIR ${CMAKE_INSTALL_FULL_BINDIR})
    configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/${program}.desktop.in
                   ${ZV_DESKTOP_OUT}/${program}.desktop @ONLY)
    list(APPEND zv_desktop_entries ${ZV_DESKTOP_OUT}/${program}.desktop)
    set(in ${PROJECT_SOURCE_DIR}/resources/desktop/${program}.desktop.in)
    set(staged ${ZV_DESKTOP_OUT}/installed/${program}.desktop)
    install(CODE "
        if(IS_ABSOLUTE \"${CMAKE_INSTALL_BINDIR}\")
            set(ZV_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
        else()
            set(ZV_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        endif()
        configure_file(\"${in}\" \"${staged}\" @ONLY)
        file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
             TYPE FILE FILES \"${staged}\")")
endwhile()
add_custom_target(zv_app_icons ALL DEPENDS ${zv_icon_pngs})
set(ZV_DESKTOP_ENTRIES ${zv_desktop_entries})

# What Debian asks of every package, installed by cmake --install too: the
# copyright file, the package's changelog and a manual page per program,
# compressed as Debian compresses them (gzip -9n: no name, no time stamp,
# so the same sources give the same bytes); and the metadata that software
# centres list the dock by.
set(zv_gzipped)
function(zv_gzip in out)
    add_custom_command(OUTPUT ${out}
        COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${in} ${out}
        DEPENDS ${in} VERBATIM)
    set(zv_gzipped ${zv_gzipped} ${out} PARENT_SCOPE)
endfunction()
set(ZV_DOC_OUT ${CMAKE_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${ZV_DOC_OUT})
set(ZV_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/zorvane)
zv_gzip(${PROJECT_SOURCE_DIR}/resources/debian/changelog ${ZV_DOC_OUT}/changelog.Debian.gz)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${ZV_DOC_OUT}/changelog.Debian.gz
        DESTINATION ${ZV_DOCDIR})
# Each tag it overrides says why beside it.
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zorvane)
foreach(program Zorvane Mirelka Tandrel)
    zv_gzip(${PROJECT_SOURCE_DIR}/resources/man/${program}.1 ${ZV_DOC_OUT}/${program}.1.gz)
    install(FILES ${ZV_DOC_OUT}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(zv_docs ALL DEPENDS ${zv_gzipped})
set(ZV_METAINFO ${PROJECT_SOURCE_DIR}/resources/metainfo/example.zorvane.Zorvane.metainfo.xml)
install(FILES ${ZV_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
