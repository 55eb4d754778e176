# spritlog-cli import: the records of a CSV file appended to a logbook, which is saved (and
# created when missing); a bad source leaves the logbook untouched. Uses spritlog_cli_case
# from cli_tests.cmake, which the folder's CMakeLists.txt includes first.

set(import_data import)
set(zwei_as_target --copy zwei.slg:tankbuch.slg)
set(spritmonitor_source --copy ${import_data}/spritmonitor.csv:quelle.csv)
set(bad_source --copy ${import_data}/fehlerhaft.csv:quelle.csv)

# Appended after the records already there; the old file becomes the backup.
spritlog_cli_case(import_spritmonitor EXPECTED ${import_data}/import_spritmonitor
    CHECKS ${zwei_as_target} ${spritmonitor_source}
    --same tankbuch.slg ${import_data}/zwei_spritmonitor.slg.ref --same tankbuch.bak zwei.slg
    ARGS import tankbuch.slg quelle.csv)
spritlog_cli_case(import_spritmonitor_de_DE EXPECTED ${import_data}/import_spritmonitor
    CHECKS ${zwei_as_target} ${spritmonitor_source} ${german}
    --same tankbuch.slg ${import_data}/zwei_spritmonitor.slg.ref --same tankbuch.bak zwei.slg
    ARGS import tankbuch.slg quelle.csv)
spritlog_cli_case(import_no_backup EXPECTED ${import_data}/import_spritmonitor
    CHECKS ${zwei_as_target} ${spritmonitor_source} --settings ohnebackup.conf
    --same tankbuch.slg ${import_data}/zwei_spritmonitor.slg.ref --missing tankbuch.bak
    ARGS import tankbuch.slg quelle.csv)

# A logbook that does not exist yet is created from the imported records alone.
spritlog_cli_case(import_missing_target EXPECTED ${import_data}/import_missing_target
    CHECKS ${spritmonitor_source}
    --same neu.slg ${import_data}/neu_spritmonitor.slg.ref --missing neu.bak
    ARGS import neu.slg quelle.csv)
spritlog_cli_case(import_fuelio EXPECTED ${import_data}/import_fuelio
    CHECKS --copy ${import_data}/fuelio.csv:sicherung.csv
    --same neu.slg ${import_data}/neu_fuelio.slg.ref
    ARGS import neu.slg sicherung.csv)

# A wallbox's charging sessions: the summary counts the kWh records and names the sessions
# counted into others, skipped or left out.
spritlog_cli_case(import_evcc EXPECTED ${import_data}/import_evcc
    CHECKS --copy ${import_data}/evcc.csv:ladevorgaenge.csv
    ARGS import neu.slg ladevorgaenge.csv)

# An app's backup with two vehicles: the first is taken, and the summary says so.
spritlog_cli_case(import_acar EXPECTED ${import_data}/import_acar
    CHECKS --copy ${import_data}/acar.csv:sicherung.csv
    --same neu.slg ${import_data}/neu_acar.slg.ref
    ARGS import neu.slg sicherung.csv)

# Any other CSV, read by the mapping given with --spalten (";" is the default separator).
spritlog_cli_case(import_spalten EXPECTED ${import_data}/import_spalten
    CHECKS --copy ${import_data}/liste.csv:liste.csv
    --same neu.slg ${import_data}/neu_spalten.slg.ref
    ARGS import neu.slg liste.csv --spalten "dezimal=, 1=Datum 2=KM-Stand 3=Menge 4=Gesamtpreis")

# Our own CSV export read back gives the logbook it was written from, byte for byte.
spritlog_cli_case(import_round_trip EXPECTED ${import_data}/import_round_trip
    CHECKS --copy beispiel3.csv.ref:beispiel3.csv --same neu.slg beispiel3.slg
    ARGS import neu.slg beispiel3.csv)

# Failures: nothing imported, nothing saved, no backup taken.
spritlog_cli_case(import_bad_file EXPECTED ${import_data}/import_bad_file
    CHECKS ${zwei_as_target} ${bad_source} --same tankbuch.slg zwei.slg --missing tankbuch.bak
    ARGS import tankbuch.slg quelle.csv)
spritlog_cli_case(import_bad_file_missing_target EXPECTED ${import_data}/import_bad_file
    CHECKS ${bad_source} --missing neu.slg ARGS import neu.slg quelle.csv)
spritlog_cli_case(import_unknown_format EXPECTED ${import_data}/import_unknown_format
    CHECKS ${zwei_as_target} ${beispiel} --same tankbuch.slg zwei.slg --missing tankbuch.bak
    ARGS import tankbuch.slg beispiel3.slg)
spritlog_cli_case(import_missing_source EXPECTED ${import_data}/import_missing_source
    CHECKS ${zwei_as_target} --same tankbuch.slg zwei.slg --missing tankbuch.bak
    ARGS import tankbuch.slg nix.csv)
# The file's name keeps its umlaut on the way from the message to the terminal.
spritlog_cli_case(import_missing_source_umlaut EXPECTED ${import_data}/import_missing_source_umlaut
    CHECKS ${zwei_as_target} --same tankbuch.slg zwei.slg --missing tankbuch.bak
    ARGS import tankbuch.slg Ordner/Übersicht.csv)
spritlog_cli_case(import_source_is_directory EXPECTED ${import_data}/import_source_is_directory
    CHECKS ${zwei_as_target} --same tankbuch.slg zwei.slg --missing tankbuch.bak
    ARGS import tankbuch.slg .)
# A target whose calculation fails (litres beyond the range of numbers) stays as it was.
spritlog_cli_case(import_bad_target EXPECTED ${import_data}/import_bad_target
    CHECKS --copy zugross.slg ${spritmonitor_source} --same zugross.slg zugross.slg
    --missing zugross.bak ARGS import zugross.slg quelle.csv)

# Calls that name no valid import.
spritlog_cli_case(usage_import_target_csv EXPECTED ${import_data}/usage_import_target_csv
    CHECKS ${spritmonitor_source} --missing liste.csv ARGS import liste.csv quelle.csv)
spritlog_cli_case(usage_import_without_source EXPECTED ${import_data}/usage_import_without_source
    CHECKS ${zwei_as_target} --same tankbuch.slg zwei.slg ARGS import tankbuch.slg)
spritlog_cli_case(usage_import_option EXPECTED ${import_data}/usage_import_option
    CHECKS ${zwei_as_target} ${spritmonitor_source} --same tankbuch.slg zwei.slg
    ARGS import tankbuch.slg quelle.csv --to x.slg)
