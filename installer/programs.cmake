# ZefSetup, our setup program and uninstaller (taking the roles of "Setup.EXE" and
# "ST6UNST.EXE"), and the installation medium staged in the build tree.
add_executable(ZefSetup zefsetup/ZefSetupApp.cpp)
target_link_libraries(ZefSetup PRIVATE lumo_installer)
lumo_target_options(ZefSetup)
lumo_stamp_version(ZefSetup)

add_executable(lumo_setup_program programs/SetupMain.cpp)
target_link_libraries(lumo_setup_program PRIVATE lumo_installer)
set_target_properties(lumo_setup_program PROPERTIES OUTPUT_NAME "Setup.EXE")
lumo_target_options(lumo_setup_program)
lumo_stamp_version(lumo_setup_program)

add_executable(lumo_uninstaller programs/UninstallMain.cpp)
target_link_libraries(lumo_uninstaller PRIVATE lumo_installer)
set_target_properties(lumo_uninstaller PROPERTIES OUTPUT_NAME "ST6UNST.EXE")
lumo_target_options(lumo_uninstaller)
lumo_stamp_version(lumo_uninstaller)

# The medium: ZefSetup beside the program and its wave output module, the database with its
# stamp, the scripts, the setup program's file list, the help files, the help menu's documents
# and the sounds. The setup program copies the
# files Setup.lst names ("?" before a name: only when the medium has it).
set(LUMO_MEDIUM_DIR ${CMAKE_BINARY_DIR}/medium CACHE INTERNAL "")
set(LUMO_MEDIUM_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/medium)
add_custom_target(lumo_medium ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMO_MEDIUM_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
          $<TARGET_FILE:ZefSetup> $<TARGET_FILE:LUMO> $<TARGET_FILE:lumo_sound_qt>
          $<TARGET_FILE:lumo_setup_program> $<TARGET_FILE:lumo_uninstaller>
          ${CMAKE_BINARY_DIR}/data/Lumo.mdb ${CMAKE_BINARY_DIR}/data/Lumo.INF
          ${CMAKE_BINARY_DIR}/data/Lumo.chm ${CMAKE_BINARY_DIR}/data/KelErr.Hlp
          ${CMAKE_BINARY_DIR}/data/LUMO.Wav ${CMAKE_BINARY_DIR}/data/Err.Wav
          ${CMAKE_BINARY_DIR}/data/Licence.rtf ${CMAKE_BINARY_DIR}/data/Zmeny.rtf
          ${CMAKE_BINARY_DIR}/data/Literatura.rtf
          ${LUMO_MEDIUM_SOURCE}/Install.txt ${LUMO_MEDIUM_SOURCE}/Upgrade.txt ${LUMO_MEDIUM_SOURCE}/Setup.lst
          ${LUMO_MEDIUM_SOURCE}/Cti.txt
          ${LUMO_MEDIUM_DIR}/
  DEPENDS ${LUMO_MEDIUM_SOURCE}/Install.txt ${LUMO_MEDIUM_SOURCE}/Upgrade.txt ${LUMO_MEDIUM_SOURCE}/Setup.lst
          ${LUMO_MEDIUM_SOURCE}/Cti.txt
  COMMENT "Staging the installation medium"
  VERBATIM)
add_dependencies(lumo_medium ZefSetup LUMO lumo_sound_qt lumo_setup_program lumo_uninstaller lumo_database
  lumo_help_files lumo_documents)
