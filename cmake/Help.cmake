# Qt compiled help (.qch) built at build time from a help project (.qhp) and its HTML pages.
#
#   add_qt_help(<target> <qhp_file> <output_qch>)
#
# Runs qhelpgenerator on <qhp_file> and writes <output_qch> (a file name) into the program
# folder ${PROGRAM_DIR}, where the programs look for their help. Creates the target
# <target>_help, built by default; when <target> is an existing target it depends on it,
# so that the program and its help are always built together. Every file in the folder of
# the .qhp (and below it) is a dependency: editing a page rebuilds the help.
include_guard(GLOBAL)

find_program(QHELPGENERATOR_EXECUTABLE
  NAMES qhelpgenerator qhelpgenerator-qt6
  HINTS /usr/lib/qt6/libexec /usr/lib/qt6/bin "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}"
  DOC "Qt's help generator (Debian: qt6-tools-dev-tools)")
if(NOT QHELPGENERATOR_EXECUTABLE)
  message(FATAL_ERROR "qhelpgenerator not found; install qt6-tools-dev-tools")
endif()

function(add_qt_help target qhp_file output_qch)
  get_filename_component(qhp_abs "${qhp_file}" ABSOLUTE)
  get_filename_component(qhp_dir "${qhp_abs}" DIRECTORY)
  if(NOT EXISTS "${qhp_abs}")
    # A program without its help pages still builds; the help window reports the missing file.
    message(WARNING "add_qt_help: ${qhp_abs} does not exist; ${output_qch} is not built")
    return()
  endif()
  file(GLOB_RECURSE help_sources CONFIGURE_DEPENDS "${qhp_dir}/*")
  set(out "${PROGRAM_DIR}/${output_qch}")
  # qhelpgenerator reports missing pages only as warnings; the tests check the links.
  add_custom_command(
    OUTPUT "${out}"
    COMMAND "${QHELPGENERATOR_EXECUTABLE}" "${qhp_abs}" -o "${out}"
    DEPENDS ${help_sources}
    WORKING_DIRECTORY "${qhp_dir}"
    COMMENT "Help file ${output_qch}"
    VERBATIM)
  add_custom_target(${target}_help ALL DEPENDS "${out}")
  if(TARGET ${target})
    add_dependencies(${target} ${target}_help)
  endif()
endfunction()
