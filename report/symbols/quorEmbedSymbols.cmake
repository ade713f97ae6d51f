# sorvenal_embed_symbols(<target> [RC <resource script>]): the executable
# carries its own symbols as the resource "EXCEPT" of type "QUOR".
#
# The target is linked twice. The first link, <target>_stage1, has the same
# sources, libraries and options; quorsym reads its COFF symbols and DWARF
# line numbers and writes the compact form (and <target>.map for people).
# The real link then takes a resource script that includes the target's own
# one and adds the symbols. Resources are laid out after code, data, imports
# and TLS, so a bigger resource section moves nothing before it; quorsym
# verify proves it after the link (same sections, same bytes, and the
# embedded symbols equal the final image's own). The DWARF debug information
# (most of the file, mapped by the loader at every start, read by nothing at
# run time) then moves into <target>.debug beside the executable, which names
# it in a debug link for the debugger; the executable keeps its COFF symbols.
# POST_BUILD steps that rewrite the file (the image check sum) come after the
# link and so after the symbols and the stripping.
function(sorvenal_embed_symbols target)
  cmake_parse_arguments(A "" "RC" "" ${ARGN})
  if(NOT SORVENAL_WIN)
    return()
  endif()
  set(stage1 ${target}_stage1)
  # Both links must give the same bytes before the resources. The export
  # directory records the output file's name and the link time: a module
  # definition file names both links after the target, and the time stamps
  # are left out.
  set(names ${CMAKE_CURRENT_BINARY_DIR}/${target}_name.def)
  file(CONFIGURE OUTPUT ${names} CONTENT "NAME ${target}.exe\n")
  target_link_options(${target} PRIVATE ${names} -Wl,--no-insert-timestamp)
  get_target_property(sources ${target} SOURCES)
  add_executable(${stage1} ${sources})
  foreach(property LINK_LIBRARIES INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS LINK_OPTIONS
                   WIN32_EXECUTABLE)
    get_target_property(value ${target} ${property})
    if(value)
      set_property(TARGET ${stage1} PROPERTY ${property} "${value}")
    endif()
  endforeach()
  get_target_property(dependencies ${target} MANUALLY_ADDED_DEPENDENCIES)
  if(dependencies)
    add_dependencies(${stage1} ${dependencies})
  endif()

  set(symbols ${CMAKE_CURRENT_BINARY_DIR}/${target}.sym)
  add_custom_command(OUTPUT ${symbols}
    COMMAND ${SORVENAL_HOST_TOOLS}/quorsym write $<TARGET_FILE:${stage1}> ${symbols}
            ${CMAKE_CURRENT_BINARY_DIR}/${target}.map
    DEPENDS ${stage1}
    COMMENT "Reading the symbols of ${target}")

  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_symbols.rc)
  set(content "EXCEPT QUOR \"${symbols}\"\n")
  # A program with the exception handling also carries its build-layout
  # record: a placeholder for another module (which the calibration of the
  # program ignores) until quorcalibrate writes the real one after the link.
  get_target_property(libraries ${target} LINK_LIBRARIES)
  if("quor_except" IN_LIST libraries)
    set(calibrate ON)
    string(APPEND content "CALIBRATE QUOR { 0x80000000L, 0L, 0L, 0L, 0L }\n")
  endif()
  if(A_RC)
    set(content "#include \"${A_RC}\"\n${content}")
    list(REMOVE_ITEM sources ${A_RC})
    get_source_file_property(rc_depends ${A_RC} OBJECT_DEPENDS)
  endif()
  file(CONFIGURE OUTPUT ${script} CONTENT "${content}")
  if(NOT rc_depends)
    set(rc_depends "")
  endif()
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${rc_depends};${symbols}")
  set_property(TARGET ${target} PROPERTY SOURCES ${sources} ${script})

  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${SORVENAL_HOST_TOOLS}/quorsym verify $<TARGET_FILE:${stage1}> $<TARGET_FILE:${target}> ${symbols}
    COMMENT "Checking that the symbols moved no code of ${target}")
  if(calibrate)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${SORVENAL_HOST_TOOLS}/quorcalibrate $<TARGET_FILE:${target}>
      COMMENT "Writing the build-layout record of ${target}")
  endif()
  set(debug $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug}
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=${debug} $<TARGET_FILE:${target}>
    COMMENT "Moving the debug information of ${target} into its debug file")
endfunction()
