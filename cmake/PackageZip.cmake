# The Windows release archive: cpack in a Windows build folder makes
# quorvane-<version>-win64.zip (or -win32.zip):
#   quorvane.exe            statically linked: nothing to install beside it
#   profile.psv             the default profile, loaded at the first start
#   README.txt              how to start and try it, with Windows line ends
#   simulators.json         the simulators' mapping table
#   standin/SimConnect.dll  the stand-in client library and simulator, in a
#   standin/quorvane-standin-sim.exe   folder of their own
# The stand-in's SimConnect.dll never lies next to quorvane.exe: the program
# would load it instead of the simulator's own library.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(qv_zip_arch win64)
else()
  set(qv_zip_arch win32)
endif()

# Only what is named here goes into the archive; other install rules (the
# Linux ones) and the stand-in's import library stay out.
set(qv_zip_component windows_release)
if(TARGET quorvane)
  install(TARGETS quorvane RUNTIME DESTINATION . COMPONENT ${qv_zip_component})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/tests/data/default-profile.psv DESTINATION .
        RENAME profile.psv COMPONENT ${qv_zip_component})
# Notepad of older Windows shows a file with bare line feeds as one line.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/app/windows/README.txt)
file(READ ${CMAKE_SOURCE_DIR}/app/windows/README.txt qv_windows_readme)
string(REPLACE "\n" "\r\n" qv_windows_readme "${qv_windows_readme}")
file(WRITE ${CMAKE_BINARY_DIR}/windows-release/README.txt "${qv_windows_readme}")
install(FILES ${CMAKE_BINARY_DIR}/windows-release/README.txt DESTINATION .
        COMPONENT ${qv_zip_component})
install(FILES ${CMAKE_SOURCE_DIR}/sim/simulators.json DESTINATION . COMPONENT ${qv_zip_component})
foreach(standin_target SimConnect quorvane-standin-sim)
  if(TARGET ${standin_target})
    install(TARGETS ${standin_target}
            RUNTIME DESTINATION standin COMPONENT ${qv_zip_component}
            ARCHIVE DESTINATION lib COMPONENT windows_import_libraries)
  endif()
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME quorvane-${PROJECT_VERSION}-${qv_zip_arch})
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${qv_zip_component})
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
# One folder named like the archive, so unpacking never scatters files.
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
