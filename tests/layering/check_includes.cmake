# Fails when a source file under src/ includes a header of a layer it may not use, or
# includes a header by a relative or unrooted name. The layers and their arrows are the
# ones the CMake libraries link (tests/layering/layers.cmake reads them from the targets);
# this catches the include of a header-only piece too, which the linker would never see.
#
#   cmake -DSOURCE_DIR=<repository>/src -Dallowed_<folder>=<folder>,<folder>,... ...
#         [-Dshared_<folder>=<folder>/<header>.h,...] [-DUNBUILT=<folder>,...]
#         -P check_includes.cmake
#
# shared_<folder> names single headers of layers outside allowed_<folder> that the folder may
# include all the same (the value headers a sealing layer passes on from below).
# UNBUILT names the folders the configuration leaves out; they are not checked.

cmake_minimum_required(VERSION 3.22)

string(REPLACE "," ";" unbuilt "${UNBUILT}")
set(failures "")
file(GLOB folders RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(folder ${folders})
    if(NOT IS_DIRECTORY ${SOURCE_DIR}/${folder})
        continue()
    endif()
    if(folder IN_LIST unbuilt)
        continue()
    endif()
    if(NOT DEFINED allowed_${folder})
        string(APPEND failures "src/${folder}: a folder without its place among the layers\n")
        continue()
    endif()
    string(REPLACE "," ";" allowed "${allowed_${folder}}")
    string(REPLACE "," ";" shared "${shared_${folder}}")
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
            if(NOT layer IN_LIST allowed AND NOT header IN_LIST shared)
                string(APPEND failures "${shown}: src/${folder} may not include \"${header}\"\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    message(FATAL_ERROR "Includes against the layers:\n${failures}")
endif()
