# The readable report (spritlog-cli report) read back as text, and the chart pictures.

# spritlog_report_case(NAME LOGBOOK PAGES RECORD_PAGES [TEXT...])
function(spritlog_report_case name logbook pages recordPages)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_test(NAME cli_${name}
        COMMAND bash ${SPRITLOG_CLI_DIR}/report_pdf.sh $<TARGET_FILE:spritlog-cli>
            ${SPRITLOG_CLI_DATA} ${dir}/work ${logbook} ${pages} ${recordPages} ${ARGN})
    set_tests_properties(cli_${name} PROPERTIES TIMEOUT 60
        ENVIRONMENT "XDG_CONFIG_HOME=${dir}/config;QT_QPA_PLATFORM=offscreen")
endfunction()

# A4 landscape with 12 mm margins leaves 186 mm; below the 12 mm page heading and the 5 mm
# column headings, rows of 5 mm: 33 records a page. 60 records: 2 pages, then the
# statistics with the stations beside them, then the chart: 4 pages.
spritlog_report_case(report_sixty sechzig.slg 4 2 Tankstellen Durchschnitt "Grafik: KM-Stand")
# 3 records: 1 page of records, the statistics, the chart.
spritlog_report_case(report_three beispiel3.slg 3 1 "Grafik: KM-Stand")
# Fewer than three records: the records and the notice of the statistics page.
spritlog_report_case(report_one_record eins.slg 1 1 "Zu wenige Einträge verfügbar")
spritlog_report_case(report_empty leer.slg 1 1 "Zu wenige Einträge verfügbar")

# A reading that is no number: named on stderr, the report of the three records written.
spritlog_cli_case(report_bad_odometer CHECKS --copy kmfehler.slg
    --pdf k.pdf 3 ARGS report kmfehler.slg --pdf k.pdf)
spritlog_cli_case(report_without_pdf CHECKS ${beispiel} ARGS report beispiel3.slg)

# Chart pictures: the size asked for (default 1200 x 800), SVG by --svg with the view's name.
spritlog_cli_case(chart_png EXPECTED print CHECKS --copy sechzig.slg --png bild.png 1200x800
    ARGS chart 3 sechzig.slg --png bild.png)
spritlog_cli_case(chart_png_size EXPECTED print CHECKS --copy sechzig.slg --png b.png 640x300
    ARGS chart 1 sechzig.slg --monat --zoom 100 --png b.png --size 640x300)
spritlog_cli_case(chart_svg EXPECTED print CHECKS --copy sechzig.slg
    --svg b.svg "Liter je 100 KM" ARGS chart 3 sechzig.slg --svg b.svg --size 800x500)
spritlog_cli_case(chart_size_without_picture CHECKS --copy sechzig.slg
    ARGS chart 3 sechzig.slg --size 800x500)
