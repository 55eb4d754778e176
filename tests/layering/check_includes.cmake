# Fails when a source file under src/ includes a header of a layer it may not use, or
# includes a header by a relative or unrooted name. The layers and their arrows are the
# ones the CMake libraries link; this catches the include of a header-only piece too,
# which the linker would never see.
#
#   cmake -DSOURCE_DIR=<repository>/src -P check_includes.cmake

set(allowed_logbook logbook)
set(allowed_analysis analysis logbook)
set(allowed_charts charts logbook)
set(allowed_reports reports analysis logbook)
set(allowed_import import logbook)
set(allowed_document document charts reports import analysis logbook)
set(allowed_platform platform reports analysis logbook)
# The chart widget (Qt Widgets, offscreen in spritlog-cli) draws the chart views.
set(allowed_chartwidget chartwidget platform charts reports analysis logbook)
set(allowed_app app chartwidget platform document charts reports import analysis logbook)
set(allowed_cli cli chartwidget platform document charts reports import analysis logbook)

set(failures "")
file(GLOB folders RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(folder ${folders})
    if(NOT IS_DIRECTORY ${SOURCE_DIR}/${folder})
        continue()
    endif()
    if(NOT DEFINED allowed_${folder})
        string(APPEND failures "src/${folder}: a folder without its place among the layers\n")
        continue()
    endif()
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        file(RELATIVE_PATH shown ${SOURCE_DIR}/.. ${source})
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
            if(header MATCHES "\\.moc$" OR header MATCHES "^moc_")
                continue()
            endif()
            if(NOT header MATCHES "^[a-z]+/" OR header MATCHES "^\\.")
                string(APPEND failures "${shown}: \"${header}\" is not named from src/\n")
                continue()
            endif()
            string(REGEX REPLACE "/.*" "" layer "${header}")
            list(FIND allowed_${folder} ${layer} found)
            if(found EQUAL -1)
                string(APPEND failures "${shown}: src/${folder} may not include \"${header}\"\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    message(FATAL_ERROR "Includes against the layers:\n${failures}")
endif()
