# Tests against the real Windows API, run under Wine.
add_executable(win_tests
  win/ProfileFileTest.cpp
  win/SettingsFileTest.cpp
  win/HostileFilesTest.cpp
)
target_link_libraries(win_tests PRIVATE vantrel_win GTest::gmock_main)
target_include_directories(win_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS win TIMEOUT 120)
# The settings floats once more under a locale whose decimal separator is a
# comma (scripts/deps.sh generates it). Wine takes the locale from each
# process's environment and, as the process starts, writes it into the
# prefix's regional settings, which every other process reads: this one runs
# alone.
add_test(NAME SettingsFile.UnderACommaLocale
         COMMAND win_tests --gtest_filter=SettingsFile.FloatsFollowTheLocalesDecimalSeparator)
set_tests_properties(SettingsFile.UnderACommaLocale PROPERTIES
  ENVIRONMENT "LC_ALL=de_DE.UTF-8;VANTREL_DECIMAL=," LABELS win TIMEOUT 120 RUN_SERIAL TRUE
  FAIL_REGULAR_EXPRESSION "SKIPPED|No tests ran")
# What the program takes from the system, in a process with the program's
# manifest: the common controls' version, and where a Run entry's bare name
# is looked for (the marker program stands in for the programs).
add_executable(library_tests win/SystemLibrariesTest.cpp win/DpiAware.rc)
set_property(SOURCE win/DpiAware.rc APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/res/Vantrel.manifest)
target_link_libraries(library_tests PRIVATE vantrel_win GTest::gmock_main)
target_include_directories(library_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/res)
target_compile_definitions(library_tests PRIVATE VANTREL_MARKER="Z:$<TARGET_FILE:RunMarker>")
add_dependencies(library_tests RunMarker)
gtest_discover_tests(library_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS win TIMEOUT 120)
# The program's windows created in the test process: needs the display.
add_executable(startup_tests win/StartupTest.cpp win/PopupTest.cpp win/TimerTicksTest.cpp
                             win/LayerIndicatorTest.cpp)
target_link_libraries(startup_tests PRIVATE vantrel_win ole32 GTest::gmock_main)
target_include_directories(startup_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
gtest_discover_tests(startup_tests DISCOVERY_MODE PRE_TEST
                     PROPERTIES LABELS gui RESOURCE_LOCK desktop TIMEOUT 120)

add_subdirectory(e2e)

# The joystick layer against the DirectInput double, installed in the test
# prefix's system folder; and once more with Wine's own DirectInput, which
# offers no joystick.
add_subdirectory(doubles)
foreach(variant joystick_tests joystick_nodouble_tests)
  add_executable(${variant} win/JoystickTest.cpp win/PadReaderTest.cpp)
  target_link_libraries(${variant} PRIVATE vantrel_win GTest::gmock_main)
  target_include_directories(${variant} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} doubles)
  add_dependencies(${variant} dinput_double)
endforeach()
gtest_discover_tests(joystick_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS win TIMEOUT 120)
target_compile_definitions(joystick_nodouble_tests PRIVATE VANTREL_WITHOUT_DOUBLE)
gtest_discover_tests(joystick_nodouble_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS win
                     TIMEOUT 120 ENVIRONMENT "WINEDLLOVERRIDES=dinput=b;mscoree,mshtml=")
# The main window's rows, created in the test process: needs the display.
add_executable(gui_tests win/MainWindowTest.cpp win/ElevationAndFileMenuTest.cpp
                         win/DialogsTest.cpp win/KeyboardTest.cpp win/ProgramsDialogTest.cpp
                         win/LayerDialogTest.cpp win/LayerListTest.cpp win/MainHeightTest.cpp
                         win/ActionPartsTest.cpp win/ChordsDialogTest.cpp)
# The tray tests ask the shell themselves.
target_link_libraries(gui_tests PRIVATE vantrel_win shell32 GTest::gmock_main)
target_include_directories(gui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/res)
target_compile_definitions(gui_tests PRIVATE
  VANTREL_FRONT_WINDOW_PATH="Z:$<TARGET_FILE:FrontWindow>")
add_dependencies(gui_tests FrontWindow)
gtest_discover_tests(gui_tests DISCOVERY_MODE PRE_TEST
                     PROPERTIES LABELS gui RESOURCE_LOCK desktop TIMEOUT 120)
# The options, Help and About windows, in the test process, with the
# DirectInput double: needs the display.
add_executable(options_tests win/OptionsWindowTest.cpp win/AutorunTest.cpp win/PacksTest.cpp
                             win/KeyboardAndDpiTest.cpp win/DpiAware.rc)
set_property(SOURCE win/DpiAware.rc APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/res/Vantrel.manifest)
target_link_libraries(options_tests PRIVATE vantrel_win GTest::gmock_main)
target_include_directories(options_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} doubles
                           ${PROJECT_SOURCE_DIR}/res)
add_dependencies(options_tests dinput_double)
target_compile_definitions(options_tests PRIVATE
  VANTREL_RUSSIAN_PACK="Z:${PROJECT_SOURCE_DIR}/lang/Russian.lng")
# The Russian pack once more under a Russian locale, whose ANSI code page
# (1251) is the pack's: its texts then read as Cyrillic, and the pictures in
# the README are taken. Alone, for the same reason as the comma locale above.
add_test(NAME Packs.UnderARussianLocale
         COMMAND options_tests --gtest_filter=Packs.RussianShowsInEveryWindowAndFitsItsControls)
set_tests_properties(Packs.UnderARussianLocale PROPERTIES
  ENVIRONMENT "LC_ALL=ru_RU.UTF-8;VANTREL_CODE_PAGE=1251" LABELS gui TIMEOUT 120 RUN_SERIAL TRUE
  RESOURCE_LOCK desktop FAIL_REGULAR_EXPRESSION "SKIPPED|No tests ran")
gtest_discover_tests(options_tests DISCOVERY_MODE PRE_TEST
                     PROPERTIES LABELS gui RESOURCE_LOCK desktop TIMEOUT 120)
# The windows once more on a display of 144 dpi: a copy of the prefix whose
# display says so, with its own wineserver.
add_test(NAME Options.At144Dpi
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/win/at-dpi.sh 144 $<TARGET_FILE:options_tests>
                 --gtest_filter=Options.EveryWindowIsLaidOutForTheDisplaysDpi)
set_tests_properties(Options.At144Dpi PROPERTIES
  LABELS gui TIMEOUT 180 RESOURCE_LOCK desktop FAIL_REGULAR_EXPRESSION "SKIPPED|No tests ran")
# The release zip, the program's resources and its imports (host tools only).
add_test(NAME Release.ZipResourcesAndImports
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/release/check-release.sh ${PROJECT_SOURCE_DIR}
                 $<TARGET_FILE:Vantrel>)
set_tests_properties(Release.ZipResourcesAndImports PROPERTIES LABELS release TIMEOUT 120
                     FAIL_REGULAR_EXPRESSION "FAILED")
