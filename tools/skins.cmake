# The skin tools (native build): the artwork generator of the internal
# skins, the skin-folder converter the layout compiler uses, and the contact
# sheet that shows every section of the internal skins painted as controls
# (build/native/skinsheet.bmp).
if(SORVENAL_NATIVE)
  sorvenal_core(tool_skinfolder SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinFolder.cpp DEPS skin_core)
  sorvenal_host_tool(skingen SOURCES ${CMAKE_CURRENT_LIST_DIR}/skingen.cpp DEPS skin_core)
  sorvenal_host_tool(skinsheet SOURCES ${CMAKE_CURRENT_LIST_DIR}/skinsheet.cpp ${CMAKE_CURRENT_LIST_DIR}/skinsheetFont.cpp
                     DEPS skin_paint)
  file(GLOB skin_folder_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/skins/*/*)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/skinsheet.bmp
    COMMAND skinsheet ${PROJECT_SOURCE_DIR}/resources/skins ${CMAKE_BINARY_DIR}/skinsheet.bmp
            GrayPlastic Neutral Office12Style
    DEPENDS skinsheet ${skin_folder_files}
    COMMENT "Painting the contact sheet of the internal skins")
  add_custom_target(skinsheet_bmp ALL DEPENDS ${CMAKE_BINARY_DIR}/skinsheet.bmp)
  sorvenal_test(skinfolder_test SOURCES ${PROJECT_SOURCE_DIR}/tests/tools/SkinFolder_test.cpp DEPS tool_skinfolder)
  target_compile_definitions(skinfolder_test PRIVATE SORVENAL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # The committed skin folders are the generator's output.
  add_test(NAME skingen_up_to_date
           COMMAND ${CMAKE_COMMAND} -DSKINGEN=$<TARGET_FILE:skingen> -DOUT=${CMAKE_BINARY_DIR}/skingen-check
                   -DREF=${PROJECT_SOURCE_DIR}/resources/skins -P ${CMAKE_CURRENT_LIST_DIR}/skingen-check.cmake.in)
endif()
sorvenal_bench(skin_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/skin_bench.cpp DEPS tool_skinfolder)
if(TARGET skin_bench)
  target_compile_definitions(skin_bench PRIVATE SORVENAL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
