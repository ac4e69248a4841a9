# The calculation report, read back with pdftotext.
orvane_gui_test(calculation_report_test
  SOURCES report/calculation_report_test.cpp
  LIBS orvane_report)

# The checks of the report against the design demands.
orvane_gui_test(report_conclusions_test
  SOURCES report/report_conclusions_test.cpp
  LIBS orvane_report)

# The road's report, read back with pdftotext.
orvane_gui_test(road_report_test
  SOURCES report/road_report_test.cpp
  LIBS orvane_report)
