# The settlement workflow: the settlement form, the soil layer entry and
# review forms of the three zones, the result form, and the values the
# settlement form shares with the capacity form.
add_library(orvane_settlement_test_driver STATIC
  settlement/settlement_driver.h settlement/settlement_driver.cpp)
target_link_libraries(orvane_settlement_test_driver PUBLIC orvane_gui_test_support orvane_forms_settlement)

orvane_gui_test(settlement_workflow_test
  SOURCES settlement/settlement_workflow_test.cpp
  LIBS orvane_settlement_test_driver orvane_forms_capacity)
orvane_gui_test(settlement_form_test
  SOURCES settlement/settlement_form_test.cpp
  LIBS orvane_settlement_test_driver Qt6::SvgWidgets)
orvane_gui_test(settlement_soil_layers_test
  SOURCES settlement/soil_layers_test.cpp
  LIBS orvane_settlement_test_driver)
