# The workbook's yardstick: libxlsxwriter alone writing the same cells as Spritlog's export
# (see the comment at the top of xlsx_libxlsxwriter.c for how it is run).
# Included from bench/ and from bench/peers/: the first defines the target.
if(TARGET spritlog-peer-xlsx)
    return()
endif()
enable_language(C)
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
add_executable(spritlog-peer-xlsx ${CMAKE_CURRENT_LIST_DIR}/xlsx_libxlsxwriter.c)
target_link_libraries(spritlog-peer-xlsx PRIVATE PkgConfig::XLSXWRITER)
