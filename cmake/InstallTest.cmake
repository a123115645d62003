# Installs the build into a staging folder as a package would, checks that every file is in
# its place, and that the installed command-line program finds the add-on library beside it.
file(REMOVE_RECURSE ${STAGE})
set(ENV{DESTDIR} ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(root ${STAGE}/usr)
foreach(f ${PROGRAMS}/grizal2 ${PROGRAMS}/grizal2-cli ${PROGRAMS}/libG2AddFunctions.so
          ${BINDIR}/grizal2 ${BINDIR}/grizal2-cli
          ${DATADIR}/applications/grizal2.desktop ${DATADIR}/mime/packages/grizal2.xml
          ${DATADIR}/icons/hicolor/16x16/apps/grizal2.png ${DATADIR}/icons/hicolor/256x256/apps/grizal2.png
          ${DATADIR}/icons/hicolor/scalable/apps/grizal2.svg)
  if(NOT EXISTS ${root}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ ${root}/${DATADIR}/applications/grizal2.desktop entry)
if(NOT entry MATCHES "Exec=grizal2 %F" OR NOT entry MATCHES "MimeType=application/x-grizal2-sample;")
  message(FATAL_ERROR "the desktop entry does not open sample files")
endif()
# Run through its link in bin, from elsewhere: the library is found in the program's own folder.
execute_process(COMMAND ${root}/${BINDIR}/grizal2-cli functions WORKING_DIRECTORY ${STAGE}
                OUTPUT_VARIABLE listed ERROR_VARIABLE errors RESULT_VARIABLE failed)
if(failed OR NOT listed MATCHES "^0\t" OR NOT errors STREQUAL "")
  message(FATAL_ERROR "the installed grizal2-cli lists no functions: ${listed}${errors}")
endif()
file(REMOVE_RECURSE ${STAGE})
