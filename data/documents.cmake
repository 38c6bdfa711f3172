# The documents of the help menu, shown in the print preview: our own Czech texts in rich
# text, copied beside the database and installed into the program folder.
set(LUMO_DOCUMENTS Licence.rtf Zmeny.rtf Literatura.rtf)
set(_document_outputs)
foreach(doc ${LUMO_DOCUMENTS})
  add_custom_command(
    OUTPUT ${LUMO_DATA_OUT}/${doc}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/documents/${doc} ${LUMO_DATA_OUT}/${doc}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/documents/${doc}
    VERBATIM)
  list(APPEND _document_outputs ${LUMO_DATA_OUT}/${doc})
endforeach()
add_custom_target(lumo_documents ALL DEPENDS ${_document_outputs})
install(FILES ${_document_outputs} DESTINATION .)
