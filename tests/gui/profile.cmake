# The soil profile window: import, paste, editing, export and the split into
# the zones, also as opened from both input forms.
orvane_gui_test(profile_window_test
  SOURCES profile/profile_window_test.cpp
  LIBS orvane_forms_profile orvane_forms_capacity orvane_forms_settlement orvane_forms_design)
