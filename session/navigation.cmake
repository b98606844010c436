# The main window's way to its other windows: the rating window and the two information windows.
tallymere_library(tm_navigation
  SOURCES WindowNavigator.cpp WindowNavigator.h
  LINK Qt6::Widgets tm_layout tm_ratings_ui tm_info)
