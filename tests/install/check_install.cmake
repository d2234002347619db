# Installs the build into a fresh prefix and checks what a user gets there.
# Arguments: BUILD_DIR, PREFIX, WITH_GUI (1 when kemwin was built), VERSION.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/kemc share/man/man1/kemc.1)
if(WITH_GUI)
  list(APPEND expected bin/kemwin share/applications/kemwin.desktop
       share/icons/hicolor/scalable/apps/kemwin.svg)
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND "${PREFIX}/bin/kemc" --version OUTPUT_VARIABLE output
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT output STREQUAL "kemc ${VERSION}\n")
  message(FATAL_ERROR "installed kemc --version: ${result} '${output}'")
endif()

file(READ "${PREFIX}/share/man/man1/kemc.1" manual)
if(NOT manual MATCHES "\"kemc ${VERSION}\"" OR manual MATCHES "@")
  message(FATAL_ERROR "manual page not configured")
endif()

if(WITH_GUI)
  # The desktop entry starts the installed program with the installed icon.
  file(STRINGS "${PREFIX}/share/applications/kemwin.desktop" entry)
  foreach(line "Exec=kemwin %f" "Icon=kemwin" "Type=Application")
    if(NOT line IN_LIST entry)
      message(FATAL_ERROR "kemwin.desktop lacks '${line}'")
    endif()
  endforeach()
endif()
