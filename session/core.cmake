# The counting session without widgets: state, rules, results and the tick source.
tallymere_library(tm_session_core
  SOURCES
    DriftFreeTimer.cpp DriftFreeTimer.h
    EventClock.cpp EventClock.h
    MonotonicClock.cpp MonotonicClock.h
    SessionEngine.cpp SessionEngine.h
    SessionFields.h
    SessionControl.h
    SessionResults.cpp SessionResults.h
    SessionView.cpp SessionView.h
    ShadowView.cpp ShadowView.h
    ShownState.h
  LINK Qt6::Core tm_text)
