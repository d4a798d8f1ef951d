# hl_buildinfo: the generated header BuildInfo.h with the version, the
# application id and the installed layout, for the code that shows or needs them.
include(GNUInstallDirs)
# The delivered database files' folder, and the way to it from the executable's.
set(HL_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/hearthledger)
file(RELATIVE_PATH HL_DELIVERED_FROM_BINDIR
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/hearthledger)
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildInfo.h.in
               ${PROJECT_BINARY_DIR}/generated/BuildInfo.h @ONLY)
add_library(hl_buildinfo INTERFACE)
target_include_directories(hl_buildinfo INTERFACE ${PROJECT_BINARY_DIR}/generated)
