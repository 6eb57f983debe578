# Sources of the Windows shell (everything here needs <windows.h>).
set(QUILLORA_SHELL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/app/application_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app/startup_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/files_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/folders_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/user_data_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/column_sorter_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/fonts_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/main_window_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/menus_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/message_box_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/message_loop_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/web_page_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/window_base_win.cpp
)
