# Installing and packaging: programs in bin/, the player's data in share/kirivane/ (where an
# installed player looks for it beside its bin folder), the modules (the synthesizer, the
# short sounds' output) in lib/kirivane/, desktop entries, icons and AppStream metadata where desktops look for them.
# A Debian package of all of it: cpack -G DEB in the build folder.
set(KIRIVANE_INSTALL_TARGETS kirivane kirivane-convert)
if(TARGET clavimap)
  list(APPEND KIRIVANE_INSTALL_TARGETS clavimap)
endif()
install(TARGETS ${KIRIVANE_INSTALL_TARGETS} RUNTIME DESTINATION bin)
install(TARGETS kirivane-synth LIBRARY DESTINATION lib/kirivane)
if(TARGET kirivane-sounds)
  install(TARGETS kirivane-sounds LIBRARY DESTINATION lib/kirivane)
endif()
set(KIRIVANE_INSTALLED_DATA ${KIRIVANE_PROGRAM_DATA})
list(FILTER KIRIVANE_INSTALLED_DATA EXCLUDE REGEX "/\\.[^/]*$")  # .keep and the like
install(FILES ${KIRIVANE_INSTALLED_DATA} DESTINATION share/kirivane)

set(KIRIVANE_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/data/desktop)
set(KIRIVANE_ICON_DIR ${CMAKE_SOURCE_DIR}/data/icons)
set(KIRIVANE_DESKTOP_PROGRAMS kirivane)
if(TARGET clavimap)
  list(APPEND KIRIVANE_DESKTOP_PROGRAMS clavimap)
endif()
foreach(program ${KIRIVANE_DESKTOP_PROGRAMS})
  install(FILES ${KIRIVANE_DESKTOP_DIR}/${program}.desktop DESTINATION share/applications)
  install(FILES ${KIRIVANE_ICON_DIR}/${program}.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${KIRIVANE_ICON_DIR}/${size}/${program}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
endforeach()
install(FILES ${KIRIVANE_DESKTOP_DIR}/org.kirivane.Kirivane.metainfo.xml
        DESTINATION share/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kirivane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "play MIDI instruments on the typing keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "Kirivane turns the typing keyboard into a 37-key musical keyboard with MIDI output, \
recording and playback (.lyr and Standard MIDI Files) and chords. Clavimap edits its key maps; \
kirivane-convert converts performances and renders them to WAVE files.")
set(CPACK_PACKAGE_CONTACT "Kirivane developers <kirivane@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The libraries the programs link, found by dpkg-shlibdeps; the SoundFont the synthesizer plays
# and the X key tools are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "jackd2")
set(CPACK_STRIP_FILES ON)
include(CPack)
