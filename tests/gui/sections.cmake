# The road window: a section table computed, sorted, charted, cancelled,
# exported, and a section made the current project.
orvane_gui_test(sections_window_test SOURCES sections/sections_window_test.cpp LIBS orvane_forms_sections)
