# Installing Pathwick (cmake --install, any prefix, DESTDIR honoured): the two programs to bin/,
# what the program folder holds (trans/, help/, shortcuts/, pathwick.png and .bmp) to one data
# folder share/pathwick/, and the desktop integration: the desktop entry, the icon in the hicolor
# theme, the AppStream metadata and the manual pages. The program looks for its data beside its
# binary first (build/bin/ is a complete program folder) and then in the data folder relative to
# the binary's real path (src/framework/program_folder.h), so a moved prefix works as well.
include(GNUInstallDirs)

set(PATHWICK_APP_ID example.halvorn_ek.Pathwick)
set(PATHWICK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/pathwick)
set(PATHWICK_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/pathwick)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The data folder as the installed binaries see it: relative to bin/ when both are relative to
# the prefix (relocatable), else the absolute folder.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${PATHWICK_INSTALL_DATADIR}")
    set(pathwick_data_from_bin "${CMAKE_INSTALL_FULL_DATADIR}/pathwick/")
else()
    file(RELATIVE_PATH pathwick_data_from_bin
        /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${PATHWICK_INSTALL_DATADIR})
    set(pathwick_data_from_bin "${pathwick_data_from_bin}/")
endif()
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/framework/program_folder.cpp
    DIRECTORY ${CMAKE_SOURCE_DIR}/src
    PROPERTIES COMPILE_DEFINITIONS "PATHWICK_INSTALLED_DATA_RELATIVE=\"${pathwick_data_from_bin}\"")

# Manual pages and the Debian changelog are installed compressed (gzip -n: no time stamp).
set(pathwick_dist_out ${CMAKE_BINARY_DIR}/dist)
file(MAKE_DIRECTORY ${pathwick_dist_out})
set(pathwick_gzipped "")
foreach(source man/pathwick.1 man/pathwick-ctl.1 debian/changelog)
    get_filename_component(name ${source} NAME)
    set(out ${pathwick_dist_out}/${name}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND sh -c "gzip -9nc \"$0\" >\"$1\"" ${CMAKE_SOURCE_DIR}/dist/${source} ${out}
        DEPENDS ${CMAKE_SOURCE_DIR}/dist/${source}
        VERBATIM)
    list(APPEND pathwick_gzipped ${out})
endforeach()
add_custom_target(pathwick_dist ALL DEPENDS ${pathwick_gzipped})

install(TARGETS pathwick pathwick-ctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${PATHWICK_INSTALL_DATADIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/${PATHWICK_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${PATHWICK_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/dist/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/${PATHWICK_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${pathwick_dist_out}/pathwick.1.gz ${pathwick_dist_out}/pathwick-ctl.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/dist/debian/copyright ${pathwick_dist_out}/changelog.gz
    DESTINATION ${PATHWICK_INSTALL_DOCDIR})
