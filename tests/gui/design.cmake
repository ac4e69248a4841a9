# The design window: sweeps, their table and charts, cancelling, adopting a
# point and the remembered demands.
orvane_gui_test(design_window_test SOURCES design/design_window_test.cpp LIBS orvane_forms_design)
