# Installation as a desktop program. The programs and the add-on library share one folder
# of their own, since the library is looked for only beside the program; bin holds links to
# the programs. The desktop entry, the icons and the MIME type of sample files go where
# desktops look for them, so that a double click on a ".grz" file opens it.
include(GNUInstallDirs)
set(GRIZAL2_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/grizal2)

install(TARGETS grizal2 grizal2-cli RUNTIME DESTINATION ${GRIZAL2_PROGRAM_DIR})
if(TARGET G2AddFunctions)
  install(TARGETS G2AddFunctions LIBRARY DESTINATION ${GRIZAL2_PROGRAM_DIR})
endif()

# The links are relative, so the installed tree can be moved as a whole.
file(RELATIVE_PATH GRIZAL2_BIN_TO_PROGRAMS /root/${CMAKE_INSTALL_BINDIR} /root/${GRIZAL2_PROGRAM_DIR})
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  foreach(program grizal2 grizal2-cli)
    message(STATUS \"Installing: \${bin}/\${program} -> ${GRIZAL2_BIN_TO_PROGRAMS}/\${program}\")
    file(CREATE_LINK \"${GRIZAL2_BIN_TO_PROGRAMS}/\${program}\" \"\${bin}/\${program}\" SYMBOLIC)
  endforeach()
")

set(res ${CMAKE_SOURCE_DIR}/resources)
install(FILES ${res}/grizal2.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${res}/grizal2-sample.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME grizal2.xml)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${res}/icons/grizal2-${size}.png RENAME grizal2.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${res}/icons/grizal2.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Installed for real (not into a staging DESTDIR, whose packager does this), the desktop's
# caches are brought up to date when their tools are there.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    set(share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    find_program(update_icons gtk-update-icon-cache)
    if(update_mime)
      execute_process(COMMAND \${update_mime} \"\${share}/mime\")
    endif()
    if(update_desktop)
      execute_process(COMMAND \${update_desktop} \"\${share}/applications\")
    endif()
    if(update_icons)
      execute_process(COMMAND \${update_icons} -q -t \"\${share}/icons/hicolor\")
    endif()
  endif()
")

if(GRIZAL2_TESTS)
  add_test(NAME install COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSTAGE=${CMAKE_BINARY_DIR}/install-test
           -DBINDIR=${CMAKE_INSTALL_BINDIR} -DDATADIR=${CMAKE_INSTALL_DATADIR} -DPROGRAMS=${GRIZAL2_PROGRAM_DIR}
           -P ${CMAKE_CURRENT_LIST_DIR}/InstallTest.cmake)
endif()
