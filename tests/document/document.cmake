# The document's commands and map files, driven through the whole editor.
if(PELLIN_EDITOR)
  pellin_add_test(document_tests
    ${CMAKE_CURRENT_SOURCE_DIR}/editorfixture.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/commandrules_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tilecommands_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/filenew_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/docmapfile_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/undo_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/largeedit_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/dropfiles_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tooledits_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/attrvalues_doc_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/history_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/memorybudget_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/rules_doc_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/rulesdock_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../core/pngwriter.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/../core/bmpwriter.cpp
  )
  target_include_directories(document_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/../core)
  find_package(ZLIB REQUIRED)
  target_link_libraries(document_tests PRIVATE pellin_test_support pellin_editor Qt6::Test ZLIB::ZLIB)
endif()
