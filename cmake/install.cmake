# What `cmake --install` puts on a machine, and the Debian package built from it.
# Only what was built is installed: without the windows there is no launcher, icon or AppStream entry.
include(GNUInstallDirs)
# Installing (and cpack) builds nothing itself: scripts/package.sh builds the two programs, not every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(QUIRLWERK_APP_ID org.quirlwerk.Quirlwerk)
set(quirlwerk_data ${CMAKE_SOURCE_DIR}/data)
set(quirlwerk_generated ${CMAKE_BINARY_DIR}/data)

# The manual page carries the version record; Debian wants it compressed.
configure_file(${quirlwerk_data}/quirlwerk-cli.1 ${quirlwerk_generated}/quirlwerk-cli.1 @ONLY)
file(ARCHIVE_CREATE OUTPUT ${quirlwerk_generated}/quirlwerk-cli.1.gz
     PATHS ${quirlwerk_generated}/quirlwerk-cli.1 FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)

if(TARGET quirlwerk-cli)
    install(TARGETS quirlwerk-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${quirlwerk_generated}/quirlwerk-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

if(TARGET quirlwerk)
    # The icon's PNGs are drawn from the SVG in the build; the windows take them from a Qt resource,
    # so they work from the build tree and need no SVG support at run time.
    find_program(QUIRLWERK_RSVG_CONVERT rsvg-convert REQUIRED)
    set(icon_svg ${quirlwerk_data}/icons/${QUIRLWERK_APP_ID}.svg)
    set(QUIRLWERK_ICON_SIZES 48 128 256)
    set(icon_pngs)
    foreach(size IN LISTS QUIRLWERK_ICON_SIZES)
        set(png ${quirlwerk_generated}/icons/${size}/${QUIRLWERK_APP_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${QUIRLWERK_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
            DEPENDS ${icon_svg}
            COMMENT "Drawing the ${size} pixel icon")
        list(APPEND icon_pngs ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    file(MAKE_DIRECTORY ${quirlwerk_generated}/icons/48 ${quirlwerk_generated}/icons/128 ${quirlwerk_generated}/icons/256)
    qt_add_resources(quirlwerk_ui quirlwerk_icons PREFIX /icons BASE ${quirlwerk_generated}/icons FILES ${icon_pngs})

    configure_file(${quirlwerk_data}/${QUIRLWERK_APP_ID}.metainfo.xml.in
                   ${quirlwerk_generated}/${QUIRLWERK_APP_ID}.metainfo.xml @ONLY)

    install(TARGETS quirlwerk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    configure_file(${quirlwerk_data}/quirlwerk.1 ${quirlwerk_generated}/quirlwerk.1 @ONLY)
    file(ARCHIVE_CREATE OUTPUT ${quirlwerk_generated}/quirlwerk.1.gz
         PATHS ${quirlwerk_generated}/quirlwerk.1 FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
    install(FILES ${quirlwerk_generated}/quirlwerk.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${quirlwerk_data}/${QUIRLWERK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${quirlwerk_generated}/${QUIRLWERK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# scripts/package.sh: cpack in the release build gives quirlwerk_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirlwerk)
set(CPACK_PACKAGE_VENDOR "The Quirlwerk developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Toolbox for the puzzle ciphers met in geocaching")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Converts ROT13, hexadecimal character codes, Ook! and Brainfuck programs, letter values,\n"
    "word lengths as bits, bit strings, Morse code and a coordinate matrix cipher, writes binary\n"
    "files from hex text files and reveals pictures hidden in the colour table of 8-bit bitmaps\n"
    "and of GIF and PNG pictures with a colour table, twin colours included.\n"
    "The windows speak German. quirlwerk-cli runs the same conversions for scripts.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quirlwerk developers <maintainers@quirlwerk.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET quirlwerk)
    # Loaded at run time, so shlibdeps cannot see them: the platform plugins and Qt's German texts.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
endif()
include(CPack)
