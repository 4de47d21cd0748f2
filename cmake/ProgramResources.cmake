# The icon and version resource of a Windows program:
#   brevant_program_resources(TARGET NAME DESCRIPTION)
# NAME is the file name the program goes by (without ".exe"), DESCRIPTION
# what Explorer shows as its description.
function(brevant_program_resources target name description)
  set(BREVANT_ICON_FILE "${PROJECT_SOURCE_DIR}/assets/brevant.ico")
  set(BREVANT_PROGRAM_NAME "${name}")
  set(BREVANT_PROGRAM_DESCRIPTION "${description}")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}-program.rc")
  configure_file("${PROJECT_SOURCE_DIR}/src/ui/win32/resources/Program.rc.in" "${rc}" @ONLY)
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${BREVANT_ICON_FILE}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()
