# The skin engine's components (win build).
if(SORVENAL_WIN)
  add_library(skin STATIC
    ${CMAKE_CURRENT_LIST_DIR}/sCommonData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sMemo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sTooledit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sSkinManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sSkinProvider.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sRegister.cpp)
  target_include_directories(skin PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(skin PUBLIC toolkit)
endif()
