# The project information form and its button in both input forms.
orvane_gui_test(project_info_test
  SOURCES project_info/project_info_test.cpp
  LIBS orvane_forms_project_info orvane_forms_capacity orvane_forms_settlement orvane_forms_details)
