# Sources of the Windows side (everything here needs <windows.h>).

# What the program and the reminder share: the user's files and folders
# (with the code page their paths are checked against), the theme, the
# window base, list-view rows, folder watching, the message loop, the failure
# message and starting a program.
set(QUILLORA_WIN_COMMON_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/storage/files_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/folders_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/user_data_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/system_code_page_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/theme_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/window_base_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/themed_window_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/new_day_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/popup_menu_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/list_view_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/accessible_names_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/folder_watch_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/message_loop_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/message_box_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/process_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/single_instance_win.cpp
)

# The program's own windows and start-up.
set(QUILLORA_SHELL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/app/application_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app/startup_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/shortcut_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storage/list_store_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/entry_dialog_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/information_window_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/modal_window_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/column_sorter_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/main_window_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/menus_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/web_page_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/exchange_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exchange/short_date_order_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/import_preview_win.cpp
)
