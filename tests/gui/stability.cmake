# The "稳定验算" window, opened from the capacity form and the settlement form.
orvane_gui_test(stability_window_test
  SOURCES stability/stability_window_test.cpp
  LIBS orvane_forms_stability orvane_forms_capacity orvane_forms_settlement)
