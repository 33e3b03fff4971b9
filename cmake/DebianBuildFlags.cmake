# Debian's build flags, as dpkg-buildflags gives them to every package with
# all of its hardening on: the stack protector, fortified libc calls, format
# checks, read-only relocations bound at start, and the source folder mapped
# to "." in debug information, so that the same source gives the same bytes
# in any folder. Debian 12's dpkg predates two features that Debian 13's
# turns on; where it gives neither, they are added here as Debian 13 has
# them: stack-clash protection, and control-flow protection on x86 (branch
# protection on arm64).
#
# Only what hardens or maps paths is taken: the optimisation and debug flags
# stay those of the build type, so that a Debug build stays unoptimised.
include(CheckCXXCompilerFlag)

function(sortbars_debian_build_flags target)
  find_program(SORTBARS_DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT SORTBARS_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "dpkg-buildflags not found (Debian: dpkg-dev); scripts/install-deps.sh run installs it")
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # fixfilepath maps the folder dpkg-buildflags runs in, which must be the source's.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
        ${SORTBARS_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O|g)")
    set(${kind} ${flags})
  endforeach()

  set(added "")
  if(NOT CXXFLAGS MATCHES "-fstack-clash-protection")
    list(APPEND added -fstack-clash-protection)
  endif()
  if(NOT CXXFLAGS MATCHES "-fcf-protection|-mbranch-protection")
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|i.86)$")
      list(APPEND added -fcf-protection)
    elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL aarch64)
      list(APPEND added -mbranch-protection=standard)
    endif()
  endif()
  foreach(flag ${added})
    string(MAKE_C_IDENTIFIER "SORTBARS_HAS${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known})
      list(APPEND CXXFLAGS ${flag})
    endif()
  endforeach()

  # glibc fortifies only optimised code, and warns in a Debug build.
  set(fortify ${CPPFLAGS})
  list(FILTER fortify INCLUDE REGEX "^-D_FORTIFY_SOURCE")
  list(FILTER CPPFLAGS EXCLUDE REGEX "^-D_FORTIFY_SOURCE")
  target_compile_options(${target} INTERFACE ${CPPFLAGS} $<$<NOT:$<CONFIG:Debug>>:${fortify}> ${CXXFLAGS})
  # The compile flags go to the link too: the stack protector and control-flow
  # protection bring their own objects and notes.
  target_link_options(${target} INTERFACE ${CXXFLAGS} ${LDFLAGS})
endfunction()
