# The Debian package: `cpack -G DEB` in a Release build folder (package.sh
# does it all) makes pellin-map-tool_<version>_amd64.deb. Its dependencies
# are what dpkg-shlibdeps finds the programs linked against, plus what Qt
# loads at run time and a font with Hangul in it.
set(CPACK_PACKAGE_NAME pellin-map-tool)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Pellin Map Tool developers")
set(CPACK_PACKAGE_CONTACT "Pellin Map Tool developers <pellin-map-tool@users.noreply.github.com>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The xcb and Wayland platform plugins, Qt's own Korean button labels, and
# a Korean font: without them a bare machine opens no window or shows boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-nanum")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-map editor for game developers, with a Korean interface")
# CPack puts the summary above it as the synopsis and indents it as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Pellin Map Tool loads a BMP or PNG picture, cuts it into equally sized
tiles, paints a map with blocks of tiles, gives tiles an attribute byte and
map cells a 16-bit attribute, and saves everything in one binary .Map file
that games read. It opens maps made in Tiled (TMX) as well.

The zellmap command checks, draws, converts and thumbnails maps in scripts;
file managers show maps as thumbnails drawn by it.")
# Directories in the package as Debian has them, whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

# Files Debian wants compressed: the manual pages and the changelog.
find_program(PELLIN_GZIP gzip REQUIRED)
set(packaging_dir ${PROJECT_BINARY_DIR}/packaging)
set(compressed)
foreach(source data/man/pellin-map-tool.1 data/man/zellmap.1 data/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${packaging_dir}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_dir}
    COMMAND ${PELLIN_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/${source} > ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    COMMENT "Compressing ${name}")
  list(APPEND compressed ${output})
endforeach()
add_custom_target(pellin_packaging_files ALL DEPENDS ${compressed})
install(FILES ${packaging_dir}/pellin-map-tool.1.gz ${packaging_dir}/zellmap.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/pellin-map-tool)
install(FILES ${packaging_dir}/changelog.gz ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${doc_dir})

include(CPack)
