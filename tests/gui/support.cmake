# What every GUI test links: recording desktop services, the modal-dialog
# watchdog and small widget helpers. Included as `#include "support/..."`.
add_library(orvane_gui_test_support STATIC
  support/fake_services.h support/fake_services.cpp
  support/modal_watchdog.h support/modal_watchdog.cpp
  support/widgets.h support/widgets.cpp
  support/pdf_text.h support/pdf_text.cpp
  support/painted_geometry.h support/painted_geometry.cpp
)
target_include_directories(orvane_gui_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(orvane_gui_test_support PUBLIC orvane_ui orvane_test_projects Qt6::Test)
