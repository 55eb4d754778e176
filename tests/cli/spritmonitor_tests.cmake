# spritlog-cli export FILE spritmonitor: the logbook in Spritmonitor's layout, by default
# beside it as NAME-spritmonitor.csv; and the same refuellings imported again add nothing.
# Uses spritlog_cli_case and ${beispiel} from cli_tests.cmake.
set(beispiel3 --copy beispiel3.slg)
spritlog_cli_case(export_spritmonitor
    CHECKS ${beispiel3} --same beispiel3-spritmonitor.csv beispiel3-spritmonitor.csv.ref
    ARGS export beispiel3.slg spritmonitor)
spritlog_cli_case(export_spritmonitor_de_DE EXPECTED export_spritmonitor
    CHECKS ${beispiel3} --env LC_ALL=de_DE.UTF-8
    --same beispiel3-spritmonitor.csv beispiel3-spritmonitor.csv.ref
    ARGS export beispiel3.slg spritmonitor)
spritlog_cli_case(export_spritmonitor_to
    CHECKS ${beispiel3} --same liste.CSV beispiel3-spritmonitor.csv.ref
    --missing beispiel3-spritmonitor.csv ARGS export beispiel3.slg spritmonitor --to liste.CSV)
# Spritmonitor's layout is a CSV file: another ending is refused, nothing written.
spritlog_cli_case(export_spritmonitor_target_mismatch
    CHECKS ${beispiel3} --missing liste.slg --missing beispiel3-spritmonitor.csv
    ARGS export beispiel3.slg spritmonitor --to liste.slg)
# The logbook's own refuellings, imported into it: nothing new, the file stays as it was.
spritlog_cli_case(import_known_refuellings
    CHECKS ${beispiel3} --copy beispiel3-spritmonitor.csv.ref:quelle.csv
    --same beispiel3.slg beispiel3.slg --missing beispiel3.bak
    ARGS import beispiel3.slg quelle.csv)
