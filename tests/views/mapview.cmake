# The map pane and the overview, driven through their windows.
pellin_add_test(mapview_tests
  ${CMAKE_CURRENT_LIST_DIR}/mapview_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_edit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_random_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_zoom_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_tools_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_attrlayer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_marks_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_pencil_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapview_shape_test.cpp
)
target_include_directories(mapview_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(mapview_tests PRIVATE pellin_test_support pellin_editor Qt6::Test)
# The pane is compared with the command-line renderer's pictures.
target_compile_definitions(mapview_tests PRIVATE ZELLMAP_EXE="$<TARGET_FILE:zellmap>")
add_dependencies(mapview_tests zellmap)
# The pane on a screen of two device pixels to a pixel.
add_test(NAME mapview_ratio2_tests COMMAND mapview_tests --gtest_filter=MapRatio.*:MapMarks/*)
set_tests_properties(mapview_ratio2_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2")
# The far zooms prepared on a thread of the pane's own.
pellin_add_test(mapview_thread_tests LABEL threads ${CMAKE_CURRENT_LIST_DIR}/mapview_zoomprepare_test.cpp)
target_include_directories(mapview_thread_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(mapview_thread_tests PRIVATE pellin_test_support pellin_editor Qt6::Test)
