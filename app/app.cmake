# Sorvenal.exe (win build): the check-sum application with its resources.
if(SORVENAL_WIN)
  set(res ${PROJECT_SOURCE_DIR}/resources)
  set(form_main_bin ${CMAKE_CURRENT_BINARY_DIR}/form_main.bin)
  # The internal skins are read from their folders into the layout.
  file(GLOB_RECURSE skin_folder_files CONFIGURE_DEPENDS ${res}/skins/*)
  add_custom_command(OUTPUT ${form_main_bin}
    COMMAND ${SORVENAL_HOST_TOOLS}/layoutc ${res}/form_main.txt ${form_main_bin}
    DEPENDS ${res}/form_main.txt ${res}/logo.jpg ${res}/close.bmp ${skin_folder_files}
    COMMENT "Writing the stored layout of the main window")
  add_custom_target(form_main_layout DEPENDS ${form_main_bin})

  add_library(app_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/BrisquelFileUtil.cpp
    ${CMAKE_CURRENT_LIST_DIR}/formmain.cpp)
  target_include_directories(app_core PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(app_core PUBLIC skin toolkit)
endif()

if(SORVENAL_WIN)
  # The program: Sorvenal.exe in the product build. The 64-bit test build has
  # SorvenalUi.exe instead, the main window without the exception reporter
  # (whose runtime is 32-bit only): what `make run` shows on a machine that
  # cannot run 32-bit programs.
  if(SORVENAL_PRODUCT)
    set(program Sorvenal)
    # The exception reporter starts before everything else in the program.
    set(program_libs quor_except app_core)
  else()
    set(program SorvenalUi)
    set(program_libs app_core)
  endif()
  add_executable(${program} WIN32 ${CMAKE_CURRENT_LIST_DIR}/Sorvenal.cpp ${res}/Sorvenal.rc)
  add_dependencies(${program} form_main_layout quor_settings_resources quor_assistant_forms quor_box_icons)
  get_property(quor_box_icon_bins GLOBAL PROPERTY quor_box_icon_bins)
  set_source_files_properties(${res}/Sorvenal.rc PROPERTIES OBJECT_DEPENDS
    "${form_main_bin};${res}/Sorvenal.ico;${PROJECT_BINARY_DIR}/report/QuorExcept.bin;${PROJECT_BINARY_DIR}/report/ContactForm.bin;${PROJECT_BINARY_DIR}/report/DetailsForm.bin;${PROJECT_BINARY_DIR}/report/ScrShotForm.bin;${quor_box_icon_bins}")
  target_include_directories(${program} PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${res} ${PROJECT_BINARY_DIR}/report)
  target_link_libraries(${program} PRIVATE ${program_libs})
endif()

if(SORVENAL_PRODUCT)
  # The program's own symbols, before the check sum (report/quorEmbedSymbols.cmake).
  sorvenal_embed_symbols(Sorvenal RC ${res}/Sorvenal.rc)
  # The start-up integrity check verifies the image check sum written here.
  add_custom_command(TARGET Sorvenal POST_BUILD
    COMMAND ${SORVENAL_HOST_TOOLS}/pechecksum $<TARGET_FILE:Sorvenal>
    COMMENT "Writing the image check sum into Sorvenal.exe")
endif()

if(SORVENAL_WIN)
  sorvenal_test(BrisquelFileUtil_test SOURCES ${PROJECT_SOURCE_DIR}/tests/app/BrisquelFileUtil_test.cpp DEPS app_core)
endif()

if(SORVENAL_WIN)
  # The window test carries the program's resources (the stored layout).
  sorvenal_test(formmain_test SOURCES ${PROJECT_SOURCE_DIR}/tests/app/formmain_test.cpp ${res}/Sorvenal.rc DEPS app_core)
  add_dependencies(formmain_test form_main_layout quor_settings_resources quor_box_icons)
  target_include_directories(formmain_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${res} ${PROJECT_BINARY_DIR}/report)
  set_tests_properties(formmain_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()

if(SORVENAL_WIN)
  add_executable(filewordsum_bench ${PROJECT_SOURCE_DIR}/bench/filewordsum_bench.cpp)
  target_link_libraries(filewordsum_bench PRIVATE app_core)
endif()

if(SORVENAL_PRODUCT)
  sorvenal_test(product_test SOURCES ${PROJECT_SOURCE_DIR}/tests/app/product_test.cpp DEPS tk_core version)
  target_compile_definitions(product_test PRIVATE SORVENAL_EXE="$<TARGET_FILE:Sorvenal>")
  add_dependencies(product_test Sorvenal)
endif()

if(SORVENAL_PRODUCT)
  # The program in its own process, driven through its windows.
  sorvenal_test(e2e_test SOURCES ${PROJECT_SOURCE_DIR}/tests/app/e2e_test.cpp DEPS tk_core quor_storage_core)
  target_compile_definitions(e2e_test PRIVATE SORVENAL_EXE="$<TARGET_FILE:Sorvenal>")
  add_dependencies(e2e_test Sorvenal)
endif()
