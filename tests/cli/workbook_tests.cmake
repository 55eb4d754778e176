# The workbook as an independent reader sees it: Debian's python3 with python3-openpyxl
# (scripts/setup) reads what spritlog-cli wrote, once in the C locale and once in a German
# one, where a number printed with the locale's decimal comma would be no number at all.
find_program(SPRITLOG_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
foreach(locale C de_DE.UTF-8)
    string(REGEX REPLACE "\\..*" "" suffix ${locale})
    add_test(NAME cli_workbook_openpyxl_${suffix}
        COMMAND ${SPRITLOG_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/tests/reports/check_workbook.py
            $<TARGET_FILE:spritlog-cli> ${PROJECT_SOURCE_DIR}/examples/beispiel.slg
            ${CMAKE_CURRENT_LIST_DIR}/../data/cli/anmerkungen.conf)
    set_tests_properties(cli_workbook_openpyxl_${suffix} PROPERTIES TIMEOUT 120
        ENVIRONMENT "LC_ALL=${locale};QT_QPA_PLATFORM=offscreen")
endforeach()
