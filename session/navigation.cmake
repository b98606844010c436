tallymere_library(tm_navigation
  SOURCES WindowNavigator.cpp WindowNavigator.h
  LINK Qt6::Widgets tm_layout)
