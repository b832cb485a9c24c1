# cmake --install: the three programs, their desktop entries and their icons in
# the hicolor theme, in the usual folders under the prefix.
include(GNUInstallDirs)

install(TARGETS Zorvane Mirelka Tandrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Each program's icon: drawn as SVG, installed as it is and as a 48-pixel
# picture for desktops that take no SVG.
set(ZV_APP_ICONS
    Zorvane ${PROJECT_SOURCE_DIR}/resources/dock/image/256-2.svg
    Mirelka ${PROJECT_SOURCE_DIR}/resources/dock/image/icon/Notes.svg
    Tandrel ${PROJECT_SOURCE_DIR}/resources/dock/image/icon/Sip.svg)
set(ZV_DESKTOP_OUT ${CMAKE_BINARY_DIR}/desktop)
set(zv_icon_pngs)
set(zv_desktop_entries)
while(ZV_APP_ICONS)
    list(POP_FRONT ZV_APP_ICONS program svg)
    set(png ${ZV_DESKTOP_OUT}/48x48/${program}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ZV_DESKTOP_OUT}/48x48
        COMMAND zv_picturetool svg ${svg} ${png} 48
        DEPENDS ${svg} zv_picturetool VERBATIM)
    list(APPEND zv_icon_pngs ${png})
    install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${program}.svg)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)

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
