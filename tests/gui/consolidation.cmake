# The "工后沉降" window, opened from the settlement form and its result form.
orvane_gui_test(consolidation_window_test
  SOURCES consolidation/consolidation_window_test.cpp
  LIBS orvane_forms_consolidation orvane_forms_settlement)
