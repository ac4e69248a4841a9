# The main window, the About box and the way between the two workflows.
orvane_gui_test(app_main_window_test SOURCES app/main_window_test.cpp LIBS orvane_app)
# Every window opens within the smallest screen it is used on.
orvane_gui_test(app_window_sizes_test SOURCES app/window_sizes_test.cpp
  LIBS orvane_app orvane_forms_consolidation orvane_forms_stability orvane_forms_details orvane_forms_project_info)
