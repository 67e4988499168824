# What `cmake --install` puts where: the programs in bin/, the helpers korvane starts in
# lib/korvane/, the sample tool configuration and jobs in share/korvane/, and what the
# desktop needs (entries, MIME type, AppStream data, icons, man pages). The stand-in
# wrapper tools are for tests only and stay out.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(pkg ${PROJECT_SOURCE_DIR}/packaging)
set(gen ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${gen})

install(TARGETS korvane stelmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quillstub korvane-batch-runner RUNTIME DESTINATION ${KORVANE_INSTALL_HELPERDIR})

install(FILES ${PROJECT_SOURCE_DIR}/samples/Tools/Korvane.INI
        DESTINATION ${KORVANE_INSTALL_DATADIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/Tools/
        DESTINATION ${KORVANE_INSTALL_DATADIR}
        PATTERN Korvane.INI EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/jobs DESTINATION ${KORVANE_INSTALL_DATADIR})

install(FILES ${pkg}/com.brevik.korvane.desktop ${pkg}/com.brevik.stelmar.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg}/korvane-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME korvane.xml)
foreach(app korvane stelmar)
  configure_file(${pkg}/com.brevik.${app}.metainfo.xml.in
                 ${gen}/com.brevik.${app}.metainfo.xml @ONLY)
  install(FILES ${gen}/com.brevik.${app}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()

# Icons: the SVG as it is, and PNGs rendered from it for the sizes desktops ask for.
find_program(KORVANE_RSVG rsvg-convert)
find_program(KORVANE_CONVERT convert)
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icon_outputs)
foreach(app korvane stelmar)
  install(FILES ${pkg}/icons/${app}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size ${icon_sizes})
    set(png ${gen}/icons/${size}x${size}/${app}.png)
    if(KORVANE_RSVG)
      set(render ${KORVANE_RSVG} -w ${size} -h ${size} -o ${png} ${pkg}/icons/${app}.svg)
    elseif(KORVANE_CONVERT)
      set(render ${KORVANE_CONVERT} -background none -density 384 ${pkg}/icons/${app}.svg
                 -resize ${size}x${size} -strip png32:${png})
    else()
      message(WARNING "Neither rsvg-convert nor ImageMagick found: no PNG icons")
      break()
    endif()
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${gen}/icons/${size}x${size}
      COMMAND ${render}
      DEPENDS ${pkg}/icons/${app}.svg
      VERBATIM)
    list(APPEND icon_outputs ${png})
    install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endforeach()

# Man pages, and Debian's changelog, compressed as Debian wants them: the best
# compression, no name or time stamp in the header.
find_program(KORVANE_GZIP gzip REQUIRED)
set(gz_outputs)
foreach(page korvane stelmar)
  set(KORVANE_FULL_DATADIR ${KORVANE_PACKAGE_PREFIX}/${KORVANE_INSTALL_DATADIR})
  set(KORVANE_FULL_HELPERDIR ${KORVANE_PACKAGE_PREFIX}/${KORVANE_INSTALL_HELPERDIR})
  configure_file(${pkg}/man/${page}.1.in ${gen}/man/${page}.1 @ONLY)
  list(APPEND gz_outputs ${gen}/man/${page}.1.gz)
  install(FILES ${gen}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${pkg}/changelog.in ${gen}/changelog @ONLY)
list(APPEND gz_outputs ${gen}/changelog.gz)
foreach(out ${gz_outputs})
  string(REGEX REPLACE "\\.gz$" "" in ${out})
  add_custom_command(OUTPUT ${out}
    COMMAND ${KORVANE_GZIP} -9 -n -c ${in} > ${out}
    DEPENDS ${in})
endforeach()
add_custom_target(desktop_files ALL DEPENDS ${icon_outputs} ${gz_outputs})

set(docdir ${CMAKE_INSTALL_DATADIR}/doc/korvane)
install(FILES ${gen}/changelog.gz ${pkg}/copyright DESTINATION ${docdir})
