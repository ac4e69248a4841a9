# The calculation report, read back with pdftotext.
orvane_gui_test(calculation_report_test
  SOURCES report/calculation_report_test.cpp
  LIBS orvane_report)
