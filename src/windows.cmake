# The Windows layer and the program itself.
add_library(vantrel_win STATIC
  config/IniFile_win.cpp
  bindings/ProfileFile_win.cpp
)
target_link_libraries(vantrel_win PUBLIC vantrel_core)
target_compile_definitions(vantrel_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(vantrel_win PUBLIC user32 gdi32 shell32 comdlg32 comctl32 advapi32 winmm)

add_executable(Vantrel WIN32 app/main_win.cpp)
target_link_libraries(Vantrel PRIVATE vantrel_win)
