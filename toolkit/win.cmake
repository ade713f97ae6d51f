# The toolkit's windowed part (win build only).
if(SORVENAL_WIN)
  add_library(toolkit STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Classes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Graphics.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImgList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowClass.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LayoutReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExtCtrls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Buttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileUtils.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Threads.cpp)
  target_include_directories(toolkit PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(toolkit PUBLIC tk_core base gdi32 user32 comdlg32 msimg32)
  sorvenal_test(tk_imglist_test SOURCES ${PROJECT_SOURCE_DIR}/tests/toolkit/ImgList_test.cpp DEPS toolkit)
  sorvenal_test(tk_controls_test SOURCES ${PROJECT_SOURCE_DIR}/tests/toolkit/Controls_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/toolkit/MessageHookWindows_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/toolkit/Menus_test.cpp DEPS toolkit)
endif()
