# The desktop layer: number texts, the form exchange, the save and load flows
# and the real message boxes and file dialogs.
orvane_gui_test(ui_number_text_test SOURCES ui/number_text_test.cpp)
orvane_gui_test(ui_dialog_test SOURCES ui/dialog_test.cpp)
orvane_gui_test(ui_project_file_flow_test SOURCES ui/project_file_flow_test.cpp)
orvane_gui_test(ui_desktop_services_test SOURCES ui/desktop_services_test.cpp)
orvane_gui_test(ui_owned_window_test SOURCES ui/owned_window_test.cpp)
