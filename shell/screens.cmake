# The rules and about screens, the registry reader and the system-information launcher.
# The about screen's picture comes from the program's resources, linked by the executable.
add_library(vantrel_screens STATIC
  ${CMAKE_CURRENT_LIST_DIR}/GetKeyValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinuxRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SysInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmRules.cpp
)
target_link_libraries(vantrel_screens PUBLIC vantrel_shell)
