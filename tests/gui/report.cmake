# The calculation report, read back with pdftotext.
orvane_gui_test(calculation_report_test
  SOURCES report/calculation_report_test.cpp
  LIBS orvane_report)

# The 验算 section the design demands add to the report.
orvane_gui_test(design_checks_section_test
  SOURCES report/design_checks_section_test.cpp
  LIBS orvane_report)
