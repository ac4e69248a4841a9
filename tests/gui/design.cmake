# The design window: sweeps, their table and charts, cancelling, adopting a
# point and the remembered demands.
orvane_gui_test(design_window_test SOURCES design/design_window_test.cpp LIBS orvane_forms_design)
# The design and soil profile windows by keyboard: Enter, Tab, captions,
# chart ticks, the summary and the point limit.
orvane_gui_test(design_keyboard_test SOURCES design/design_keyboard_test.cpp
  LIBS orvane_forms_design orvane_forms_profile)
