# spritlog-cli years: the year table and the months of a year, figures worked out by hand in
# tests/data/handworked.md ("The year table"). The logbook's years all lie before the
# clock's, so no row is marked as running.
set(jahre --copy jahre.slg)
spritlog_cli_case(years CHECKS ${jahre} ARGS years jahre.slg)
spritlog_cli_case(years_de_DE EXPECTED years CHECKS ${jahre} --env LC_ALL=de_DE.UTF-8
    ARGS years jahre.slg)
spritlog_cli_case(years_months_2024 CHECKS ${jahre} ARGS years jahre.slg --monate 2024)
spritlog_cli_case(years_months_2025 CHECKS ${jahre} ARGS years --monate=2025 jahre.slg)
# A year without records inside the range and one outside it: twelve empty months.
spritlog_cli_case(years_months_empty_year CHECKS ${jahre} ARGS years jahre.slg --monate 2023)
spritlog_cli_case(years_months_outside EXPECTED years_months_empty_year CHECKS ${jahre}
    ARGS years jahre.slg --monate 1999)
spritlog_cli_case(years_empty CHECKS --copy leer.slg ARGS years leer.slg)
spritlog_cli_case(years_bad_year CHECKS ${jahre} ARGS years jahre.slg --monate zwanzig)
spritlog_cli_case(years_option_of_other_command CHECKS ${jahre}
    ARGS stats jahre.slg --monate 2024)
