# The main window, the About box and the way between the two workflows.
orvane_gui_test(app_main_window_test SOURCES app/main_window_test.cpp LIBS orvane_app)
