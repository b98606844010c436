# The main window: its layout table, the client area, the view the engine writes to.
tallymere_library(tm_session_ui
  SOURCES
    Form1.cpp Form1.h
    Form1Layout.cpp Form1Layout.h
    Form1Surface.cpp Form1Surface.h
    Form1View.cpp Form1View.h
    KeyCodes.cpp KeyCodes.h
  LINK tm_session_core tm_keys tm_layout tm_navigation tm_reports tm_assets Qt6::Widgets)
