# The details windows opened from the three result forms, and the report
# exported from them and from both input forms.
orvane_gui_test(details_windows_test
  SOURCES details/details_windows_test.cpp
  LIBS orvane_forms_details orvane_forms_capacity orvane_forms_settlement)
# The verdicts and values of the windows that show an assessment, over
# random projects and demands.
orvane_gui_test(assessment_windows_test
  SOURCES details/assessment_windows_test.cpp
  LIBS orvane_forms_details orvane_forms_consolidation orvane_forms_stability)
