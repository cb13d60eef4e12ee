# Debian's hardening flags for the optimised Linux builds the package is
# made from: fortified string and memory calls, stack protection, read-only
# relocations bound at start (relro, bindnow). Sanitizer and fuzz builds keep
# their own, and fortify needs the optimiser.
find_program(QV_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT QV_DPKG_BUILDFLAGS OR CMAKE_CROSSCOMPILING OR QV_SANITIZE OR QV_FUZZ
   OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  return()
endif()

function(qv_debian_flags kind out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${QV_DPKG_BUILDFLAGS} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  # The build type chooses the optimisation and debug information.
  list(FILTER flags EXCLUDE REGEX "^-(g|O.*|ffile-prefix-map=.*)$")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

qv_debian_flags(CPPFLAGS cppflags)
qv_debian_flags(CXXFLAGS cxxflags)
qv_debian_flags(LDFLAGS ldflags)
add_compile_options(${cppflags} ${cxxflags})
add_link_options(${ldflags})
