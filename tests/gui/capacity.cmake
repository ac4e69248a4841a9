# The bearing-capacity workflow: capacity form, side-friction layer forms,
# result forms, and the whole flow through save and load.
find_package(Qt6 REQUIRED COMPONENTS Svg SvgWidgets)
foreach(test capacity_form_test friction_layers_test capacity_workflow_test)
  orvane_gui_test(${test}
    SOURCES capacity/${test}.cpp capacity/capacity_testing.h capacity/capacity_testing.cpp
    LIBS orvane_forms_capacity Qt6::Svg Qt6::SvgWidgets)
endforeach()
