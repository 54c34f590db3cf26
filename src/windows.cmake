# The Windows layer and the program itself.
add_library(vantrel_win STATIC
  base/Clock_win.cpp
  base/IniFile_win.cpp
  base/Library_win.cpp
  base/SystemFunctions_win.cpp
  base/Process_win.cpp
  config/IniReplacement_win.cpp
  config/ProfileFile_win.cpp
  config/SettingsFile_win.cpp
  lang/SetLng_win.cpp
  actions/Injection_win.cpp
  # Application shell
  app/Application_win.cpp
  app/LayerIndicator_win.cpp
  ui/ErrorBox_win.cpp
  ui/TimerTicks_win.cpp
  ui/DueTimer_win.cpp
  ui/ModalLoop_win.cpp
  ui/Controls_win.cpp
  ui/Dpi_win.cpp
  ui/FileDialog_win.cpp
  ui/Com_win.cpp
  app/SingleInstance_win.cpp
  app/Tray_win.cpp
  app/Elevation_win.cpp
  app/QEXmainwndcode.cpp
  app/MainController_win.cpp
  app/MainInput_win.cpp
  app/MainMenu_win.cpp
  app/MainRows_win.cpp
  app/MainLayers_win.cpp
  app/MainSize_win.cpp
  app/MainFollowsFront_win.cpp
  app/ButtonRows_win.cpp
  app/QEXhelpwndcode.cpp
  app/QEXaboutcode.cpp
  # Windows of the other subsystems
  actions/QEXpopupcode.cpp
  config/QEXactiondlgcode.cpp
  config/QEXchangeinidlgcode.cpp
  config/QEXclickdlgcode.cpp
  config/QEXemuldlgcode.cpp
  config/QEXlayerdlgcode.cpp
  config/QEXoptionswndcode.cpp
  config/QEXchordsdlgcode.cpp
  config/QEXprogramsdlgcode.cpp
  # Joystick input
  input/DXInput_win.cpp
  input/DirectInputReader_win.cpp
  input/MultimediaReader_win.cpp
  input/PadLibraries_win.cpp
  input/XInputReader_win.cpp
)
target_link_libraries(vantrel_win PUBLIC vantrel_core)
# res/ holds resource.h, the identifiers the code and the resource script share.
target_include_directories(vantrel_win PUBLIC ${PROJECT_SOURCE_DIR}/res)
target_compile_definitions(vantrel_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# Only libraries on Windows' list of known ones are imported, which the loader
# never looks for beside the program. The shell and the common controls are
# loaded at start-up once the search is restricted (base/SystemFunctions_win),
# comdlg32 and ole32 by the commands that need them, and winmm only when
# DirectInput has no joystick to give. dxguid is a static library of GUIDs.
target_link_libraries(vantrel_win PUBLIC user32 gdi32 advapi32 dxguid)

add_executable(Vantrel WIN32 app/main_win.cpp ${PROJECT_SOURCE_DIR}/res/Vantrel.rc)
target_link_libraries(Vantrel PRIVATE vantrel_win)
# The static runtime brings debugging sections that the loader would map
# with the program: they are stripped. Sections on page boundaries in the
# file let Wine map the image as Windows does, instead of reading it whole
# into private memory.
target_link_options(Vantrel PRIVATE -s -Wl,--file-alignment,4096)
set_property(SOURCE ${PROJECT_SOURCE_DIR}/res/Vantrel.rc APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/res/Vantrel.ico ${PROJECT_SOURCE_DIR}/res/Vantrel.manifest
  ${PROJECT_SOURCE_DIR}/res/resource.h)
