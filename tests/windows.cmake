# Tests against the real Windows API, run under Wine.
add_executable(win_tests
  win/ProfileFileTest.cpp
)
target_link_libraries(win_tests PRIVATE vantrel_win GTest::gmock_main)
target_include_directories(win_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS win TIMEOUT 120)
