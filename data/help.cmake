# The help files and the sounds, made at build time from our own sources:
# "Lumo.chm" and the error help "KelErr.Hlp" compiled by chmcmd (fp-utils),
# "LUMO.Wav" and "Err.Wav" written by lumo_wavgen.
find_program(LUMO_CHMCMD chmcmd REQUIRED)

function(lumo_compile_help name project output)
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/help/${name}/*)
  set(_work ${CMAKE_BINARY_DIR}/data/help-${name})
  add_custom_command(
    OUTPUT ${LUMO_DATA_OUT}/${output}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_SOURCE_DIR}/help/${name} ${_work}
    COMMAND ${LUMO_CHMCMD} ${project}
    COMMAND ${CMAKE_COMMAND} -E copy ${_work}/${output} ${LUMO_DATA_OUT}/${output}
    WORKING_DIRECTORY ${_work}
    DEPENDS ${_sources}
    COMMENT "Compiling the help file ${output}"
    VERBATIM)
endfunction()

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/data/help-lumo ${CMAKE_BINARY_DIR}/data/help-kelerr)
lumo_compile_help(lumo Lumo.hhp Lumo.chm)
lumo_compile_help(kelerr KelErr.hhp KelErr.Hlp)

add_executable(lumo_wavgen sounds/WaveGen.cpp)
target_link_libraries(lumo_wavgen PRIVATE lumo_wave)
lumo_target_options(lumo_wavgen)
add_custom_command(
  OUTPUT ${LUMO_DATA_OUT}/LUMO.Wav ${LUMO_DATA_OUT}/Err.Wav
  COMMAND lumo_wavgen start ${LUMO_DATA_OUT}/LUMO.Wav
  COMMAND lumo_wavgen error ${LUMO_DATA_OUT}/Err.Wav
  DEPENDS lumo_wavgen
  COMMENT "Writing the sounds LUMO.Wav and Err.Wav"
  VERBATIM)
add_custom_target(lumo_help_files ALL
  DEPENDS ${LUMO_DATA_OUT}/Lumo.chm ${LUMO_DATA_OUT}/KelErr.Hlp ${LUMO_DATA_OUT}/LUMO.Wav ${LUMO_DATA_OUT}/Err.Wav)
install(FILES ${LUMO_DATA_OUT}/Lumo.chm ${LUMO_DATA_OUT}/KelErr.Hlp ${LUMO_DATA_OUT}/LUMO.Wav
              ${LUMO_DATA_OUT}/Err.Wav DESTINATION .)
