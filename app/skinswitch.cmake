# Skinned painting of the main window in real windows under Wine: switching
# skins at run time, the buttons' fades and the skin command protocol.
if(SORVENAL_WIN)
  set(t ${PROJECT_SOURCE_DIR}/tests/app)
  sorvenal_test(skinswitch_test SOURCES ${t}/skinswitch_test.cpp ${t}/buttonfade_test.cpp ${t}/skincommands_test.cpp
                ${t}/skinflicker_test.cpp ${t}/runtimebutton_test.cpp ${t}/defaultbutton_test.cpp ${t}/imageglyph_test.cpp
                ${t}/suspendedpaint_test.cpp ${t}/buttonmouse_test.cpp ${t}/skincommon_test.cpp
                ${t}/bitbtncaption_test.cpp ${t}/memoscroll_test.cpp ${t}/buttonregion_test.cpp
                ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc DEPS app_core)
  add_dependencies(skinswitch_test form_main_layout quor_settings_resources quor_box_icons)
  target_include_directories(skinswitch_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  set_tests_properties(skinswitch_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()

if(SORVENAL_WIN)
  # Timing harness: whole-window repaints from clean and dirty caches.
  add_executable(mainpaint_bench ${PROJECT_SOURCE_DIR}/bench/mainpaint_bench.cpp ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc)
  add_dependencies(mainpaint_bench form_main_layout quor_settings_resources quor_box_icons)
  target_include_directories(mainpaint_bench PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  target_link_libraries(mainpaint_bench PRIVATE app_core)
  # Timing harness: opening the skinned system menu.
  add_executable(menuopen_bench ${PROJECT_SOURCE_DIR}/bench/menuopen_bench.cpp ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc)
  add_dependencies(menuopen_bench form_main_layout quor_settings_resources quor_box_icons)
  target_include_directories(menuopen_bench PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  target_link_libraries(menuopen_bench PRIVATE app_core)
  # Timing harness: one scroll step of a 10,000-line log.
  add_executable(logscroll_bench ${PROJECT_SOURCE_DIR}/bench/logscroll_bench.cpp ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc)
  add_dependencies(logscroll_bench form_main_layout quor_settings_resources quor_box_icons)
  target_include_directories(logscroll_bench PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  target_link_libraries(logscroll_bench PRIVATE app_core)
endif()

if(SORVENAL_WIN)
  # The main window's skinned frame, driven by messages; screenshots kept in
  # the test's folder.
  set(t ${PROJECT_SOURCE_DIR}/tests/app)
  sorvenal_test(skinframe_test SOURCES ${t}/skinframe_test.cpp ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc DEPS app_core)
  add_dependencies(skinframe_test form_main_layout quor_settings_resources)
  target_include_directories(skinframe_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  set_tests_properties(skinframe_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  # A skin folder of the test is copied from the internal skins' sources.
  target_compile_definitions(skinframe_test PRIVATE SORVENAL_SOURCE_DIR_W=L"${PROJECT_SOURCE_DIR}")
  # Skinned menus opened and driven inside their own loop; screenshots kept.
  sorvenal_test(skinmenus_test SOURCES ${t}/skinmenus_test.cpp ${PROJECT_SOURCE_DIR}/resources/Sorvenal.rc DEPS app_core)
  add_dependencies(skinmenus_test form_main_layout quor_settings_resources)
  target_include_directories(skinmenus_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/resources
                             ${PROJECT_BINARY_DIR}/report)
  set_tests_properties(skinmenus_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()
