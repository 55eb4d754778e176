# The CSV export as German LibreOffice reads it: every number a number. Skipped where
# LibreOffice Calc is not installed.
find_program(SPRITLOG_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
foreach(logbook examples/beispiel.slg tests/data/cli/teilbetankung.slg tests/data/cli/spaet.slg
        tests/data/cli/pluginhybrid.slg)
    get_filename_component(name ${logbook} NAME_WE)
    add_test(NAME cli_csv_libreoffice_${name}
        COMMAND ${SPRITLOG_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/tests/reports/check_csv_libreoffice.py
            $<TARGET_FILE:spritlog-cli> ${PROJECT_SOURCE_DIR}/${logbook})
    set_tests_properties(cli_csv_libreoffice_${name} PROPERTIES TIMEOUT 240 SKIP_RETURN_CODE 77
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen" RUN_SERIAL TRUE)
endforeach()
