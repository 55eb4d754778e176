# spritlog-cli against golden files: every case runs the built tool in its own work
# directory (with its own settings store) and compares exit status, stdout, stderr and the
# files it writes with the references in tests/data/cli.

set(SPRITLOG_CLI_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SPRITLOG_CLI_DATA ${CMAKE_CURRENT_LIST_DIR}/../data/cli)

# spritlog_cli_case(NAME [EXPECTED golden] [CHECKS driver checks...] ARGS tool arguments...)
function(spritlog_cli_case name)
    cmake_parse_arguments(PARSE_ARGV 1 CASE "" "EXPECTED" "CHECKS;ARGS")
    if(NOT CASE_EXPECTED)
        set(CASE_EXPECTED ${name})
    endif()
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_test(NAME cli_${name}
        COMMAND bash ${SPRITLOG_CLI_DIR}/run_case.sh $<TARGET_FILE:spritlog-cli>
            ${SPRITLOG_CLI_DATA} ${dir}/work ${CASE_EXPECTED} ${CASE_CHECKS} -- ${CASE_ARGS})
    set_tests_properties(cli_${name} PROPERTIES TIMEOUT 60
        ENVIRONMENT "XDG_CONFIG_HOME=${dir}/config;QT_QPA_PLATFORM=offscreen")
endfunction()

set(beispiel --copy beispiel3.slg)
set(german --env LC_ALL=de_DE.UTF-8)

# The logbook table: fixed headers, note headers from the settings, record numbers.
spritlog_cli_case(table CHECKS ${beispiel} ARGS table beispiel3.slg)
spritlog_cli_case(table_de_DE EXPECTED table CHECKS ${beispiel} ${german} ARGS table beispiel3.slg)
spritlog_cli_case(table_settings CHECKS ${beispiel} --settings anmerkungen.conf
    ARGS table beispiel3.slg)
# A stored value that is not text is an error, as in the window; one the tool does not
# read (DefaultFile, before the notes) is not looked at.
spritlog_cli_case(table_settings_wrong_type CHECKS ${beispiel} --settings datentyp.conf
    ARGS table beispiel3.slg)
# A partial fill-up: consumption from full tank to full tank unless the setting says
# otherwise.
spritlog_cli_case(table_teilbetankung CHECKS --copy teilbetankung.slg
    ARGS table teilbetankung.slg)
spritlog_cli_case(table_teilbetankung_aus CHECKS --copy teilbetankung.slg
    --settings volltankaus.conf ARGS table teilbetankung.slg)
spritlog_cli_case(table_empty CHECKS --copy leer.slg ARGS table leer.slg)
spritlog_cli_case(table_dash_file CHECKS --copy beispiel3.slg:-b.slg
    EXPECTED table_dash ARGS table -- -b.slg)

# The chart source per record and per month.
spritlog_cli_case(source CHECKS ${beispiel} ARGS source beispiel3.slg)
spritlog_cli_case(source_month CHECKS --copy sechzig.slg ARGS source sechzig.slg --monat)
spritlog_cli_case(source_empty CHECKS --copy leer.slg ARGS source leer.slg)

# Statistics: the worked example on the page and in the window, and too few records.
spritlog_cli_case(stats_page CHECKS ${beispiel} ARGS stats beispiel3.slg)
spritlog_cli_case(stats_window CHECKS ${beispiel} ARGS stats --window beispiel3.slg)
spritlog_cli_case(stats_page_de_DE EXPECTED stats_page CHECKS ${beispiel} ${german}
    ARGS stats beispiel3.slg)
spritlog_cli_case(stats_window_de_DE EXPECTED stats_window CHECKS ${beispiel} ${german}
    ARGS stats beispiel3.slg --window)
spritlog_cli_case(stats_two_records CHECKS --copy zwei.slg ARGS stats zwei.slg)
spritlog_cli_case(stats_two_records_window EXPECTED stats_two_records CHECKS --copy zwei.slg
    ARGS stats zwei.slg --window)
spritlog_cli_case(stats_sixty CHECKS --copy sechzig.slg ARGS stats sechzig.slg)

# Station evaluation.
spritlog_cli_case(stations CHECKS ${beispiel} ARGS stations beispiel3.slg)
spritlog_cli_case(stations_empty CHECKS --copy leer.slg ARGS stations leer.slg)
spritlog_cli_case(stations_one_record CHECKS --copy eins.slg ARGS stations eins.slg)
spritlog_cli_case(stations_de_DE EXPECTED stations CHECKS ${beispiel} ${german}
    ARGS stations beispiel3.slg)

# Chart views: both zooms, per record and per month, 17 significant digits.
spritlog_cli_case(chart1_range CHECKS ${beispiel} ARGS chart 1 beispiel3.slg)
spritlog_cli_case(chart1_range_explicit EXPECTED chart1_range CHECKS ${beispiel}
    ARGS chart 1 beispiel3.slg --zoom bereich)
spritlog_cli_case(chart1_100 CHECKS ${beispiel} ARGS chart 1 beispiel3.slg --zoom 100)
spritlog_cli_case(chart6_range CHECKS ${beispiel} ARGS chart 6 beispiel3.slg)
spritlog_cli_case(chart6_range_de_DE EXPECTED chart6_range CHECKS ${beispiel} ${german}
    ARGS chart 6 beispiel3.slg)
spritlog_cli_case(chart3_month_range CHECKS --copy sechzig.slg ARGS chart 3 sechzig.slg --monat)
spritlog_cli_case(chart7_month_100 CHECKS --copy sechzig.slg
    ARGS chart 7 --monat --zoom=100 sechzig.slg)
spritlog_cli_case(chart5_sixty CHECKS --copy sechzig.slg ARGS chart 5 sechzig.slg)
spritlog_cli_case(chart3_empty CHECKS --copy leer.slg ARGS chart 3 leer.slg)
# A plug-in hybrid, three fills and three charges: without --energie the main energy's series
# (a tie goes to litres), with it the energy named, in its words; an energy the logbook has
# not is a view without points.
spritlog_cli_case(chart2_hybrid CHECKS --copy hybrid3.slg ARGS chart 2 hybrid3.slg)
spritlog_cli_case(chart2_hybrid_kwh CHECKS --copy hybrid3.slg ARGS chart 2 hybrid3.slg --energie kWh)
spritlog_cli_case(chart3_hybrid_kwh CHECKS --copy hybrid3.slg ARGS chart 3 --energie=kwh hybrid3.slg)
spritlog_cli_case(chart6_hybrid_kg CHECKS --copy hybrid3.slg ARGS chart 6 hybrid3.slg --energie kg)
spritlog_cli_case(stations_hybrid CHECKS --copy hybrid3.slg ARGS stations hybrid3.slg)
spritlog_cli_case(chart1_empty CHECKS --copy leer.slg ARGS chart 1 leer.slg)

# Exports: the written files byte for byte, the backup rule of the settings.
spritlog_cli_case(export_csv CHECKS ${beispiel} --same beispiel3.csv beispiel3.csv.ref
    ARGS export beispiel3.slg csv)
spritlog_cli_case(export_csv_de_DE EXPECTED export_csv
    CHECKS ${beispiel} ${german} --same beispiel3.csv beispiel3.csv.ref
    ARGS export beispiel3.slg csv)
spritlog_cli_case(export_csv_to CHECKS ${beispiel} --same liste.csv beispiel3.csv.ref
    --missing beispiel3.csv ARGS export beispiel3.slg csv --to liste.csv)
spritlog_cli_case(export_htm CHECKS ${beispiel} --same-htm beispiel3.htm beispiel3.htm.ref
    ARGS export beispiel3.slg htm)
spritlog_cli_case(export_html_to CHECKS ${beispiel} --same-htm bericht.html bericht.html.ref
    ARGS export beispiel3.slg htm --to bericht.html)
spritlog_cli_case(export_slg_to CHECKS ${beispiel} --same kopie.slg beispiel3.slg
    --missing kopie.bak ARGS export beispiel3.slg slg --to kopie.slg)
spritlog_cli_case(export_slg_backup CHECKS ${beispiel} --copy zwei.slg:ziel.slg
    --same ziel.slg beispiel3.slg --same ziel.bak zwei.slg
    ARGS export beispiel3.slg slg --to ziel.slg)
spritlog_cli_case(export_slg_no_backup EXPECTED export_slg_backup
    CHECKS ${beispiel} --copy zwei.slg:ziel.slg --settings ohnebackup.conf
    --same ziel.slg beispiel3.slg --missing ziel.bak
    ARGS export beispiel3.slg slg --to ziel.slg)
spritlog_cli_case(export_slg_malformed_backup_flag EXPECTED export_slg_backup
    CHECKS ${beispiel} --copy zwei.slg:ziel.slg --settings backupfehlerhaft.conf
    --same ziel.slg beispiel3.slg --same ziel.bak zwei.slg
    ARGS export beispiel3.slg slg --to ziel.slg)
spritlog_cli_case(export_slg_empty_backup_flag EXPECTED export_slg_backup
    CHECKS ${beispiel} --copy zwei.slg:ziel.slg --settings backupleer.conf
    --same ziel.slg beispiel3.slg --same ziel.bak zwei.slg
    ARGS export beispiel3.slg slg --to ziel.slg)
spritlog_cli_case(export_in_place CHECKS ${beispiel}
    --same beispiel3.slg beispiel3.slg --same beispiel3.bak beispiel3.slg
    ARGS export beispiel3.slg slg)
spritlog_cli_case(export_target_mismatch CHECKS ${beispiel} --missing x.txt
    ARGS export beispiel3.slg csv --to x.txt)
spritlog_cli_case(export_missing_file CHECKS --missing nix.csv ARGS export nix.slg csv)
# The workbook (its cells are read back by check_workbook.py): the name, the format check,
# and a logbook of a single record, which has its figures too.
spritlog_cli_case(export_xlsx CHECKS ${beispiel} --missing beispiel3.bak
    ARGS export beispiel3.slg XLSX)
spritlog_cli_case(export_xlsx_target_mismatch CHECKS ${beispiel} --missing liste.csv
    ARGS export beispiel3.slg xlsx --to liste.csv)
spritlog_cli_case(export_xlsx_one_record CHECKS --copy eins.slg ARGS export eins.slg xlsx)
spritlog_cli_case(export_htm_one_record CHECKS --copy eins.slg ARGS export eins.slg htm)
# A reading that is no number spoils only its record: named on stderr, the export written.
spritlog_cli_case(export_bad_odometer CHECKS --copy kmfehler.slg --same kmfehler.csv kmfehler.csv.ref
    ARGS export kmfehler.slg csv)

# The printout as PDF: 55 records on page 1, the rest on page 2.
spritlog_cli_case(print_sixty EXPECTED print CHECKS --copy sechzig.slg --pdf sechzig.pdf 2
    ARGS print sechzig.slg --pdf sechzig.pdf)
spritlog_cli_case(print_three EXPECTED print CHECKS ${beispiel} --pdf drei.pdf 1
    ARGS print --pdf=drei.pdf beispiel3.slg)
# No display and no platform chosen: the tool picks the offscreen platform itself.
spritlog_cli_case(print_without_display EXPECTED print CHECKS ${beispiel} --pdf drei.pdf 1
    --unset QT_QPA_PLATFORM --unset DISPLAY --unset WAYLAND_DISPLAY
    ARGS print beispiel3.slg --pdf drei.pdf)
# A display that is not there (a cron job that inherited DISPLAY) does not stop the PDF.
spritlog_cli_case(print_stale_display EXPECTED print CHECKS ${beispiel} --pdf drei.pdf 1
    --unset QT_QPA_PLATFORM --env DISPLAY=:4711 --unset WAYLAND_DISPLAY
    ARGS print beispiel3.slg --pdf drei.pdf)
spritlog_cli_case(print_without_pdf CHECKS ${beispiel} ARGS print beispiel3.slg)

# Errors of the window and errors of the call.
spritlog_cli_case(missing_file ARGS table nix.slg)
spritlog_cli_case(bad_odometer CHECKS --copy kmfehler.slg ARGS table kmfehler.slg)
spritlog_cli_case(bad_odometer_stats CHECKS --copy kmfehler.slg
    ARGS stats kmfehler.slg)
# A file whose lines do not fit its record count is refused, and the import onto it
# leaves it as it is.
spritlog_cli_case(damaged CHECKS --copy beschaedigt.slg ARGS table beschaedigt.slg)
spritlog_cli_case(damaged_import EXPECTED damaged
    CHECKS --copy beschaedigt.slg --copy import/spritmonitor.csv:quelle.csv
    --same beschaedigt.slg beschaedigt.slg --missing beschaedigt.bak
    ARGS import beschaedigt.slg quelle.csv)
spritlog_cli_case(usage_no_arguments ARGS)
spritlog_cli_case(usage_unknown_command ARGS tabelle x.slg)
spritlog_cli_case(usage_unknown_option ARGS table x.slg --monatlich)
spritlog_cli_case(usage_option_of_other_command ARGS table x.slg --monat)
spritlog_cli_case(usage_view_out_of_range ARGS chart 8 x.slg)
spritlog_cli_case(usage_view_zero ARGS chart 0 x.slg)
spritlog_cli_case(usage_bad_zoom ARGS chart 1 x.slg --zoom 50)
spritlog_cli_case(usage_bad_energy ARGS chart 2 x.slg --energie Diesel)
spritlog_cli_case(usage_zoom_without_value ARGS chart 1 x.slg --zoom)
spritlog_cli_case(usage_bad_format ARGS export x.slg pdf)
spritlog_cli_case(usage_missing_file_argument ARGS stats)
spritlog_cli_case(usage_extra_argument ARGS table a.slg b.slg)
spritlog_cli_case(usage_option_twice ARGS chart 1 x.slg --monat --monat)
spritlog_cli_case(help ARGS --help)
spritlog_cli_case(help_after_command EXPECTED help ARGS chart --help)
spritlog_cli_case(version ARGS --version)

# Energies: a plug-in hybrid (Super and charges typed "Strom") and a diesel with AdBlue, the
# figures worked out by hand in tests/analysis/statistics_test.cpp; an empty logbook.
spritlog_cli_case(energies_hybrid CHECKS --copy hybrid.slg ARGS energies hybrid.slg)
spritlog_cli_case(energies_hybrid_de_DE EXPECTED energies_hybrid CHECKS --copy hybrid.slg
    ${german} ARGS energies hybrid.slg)
spritlog_cli_case(energies_adblue CHECKS --copy adblue.slg ARGS energies adblue.slg)
spritlog_cli_case(energies_empty CHECKS --copy leer.slg ARGS energies leer.slg)
spritlog_cli_case(stats_hybrid CHECKS --copy hybrid.slg ARGS stats hybrid.slg)
