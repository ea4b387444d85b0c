# Turns data/units.csv into the rows of the built-in unit table (a C++ initializer list).
# Usage: cmake -DINPUT=units.csv -DOUTPUT=UnitTableRows.inc -P UnitTableGenerate.cmake
# Every row is checked here, so a malformed data file fails the build instead of the program.

set(number "[-+]?[0-9]+(\\.[0-9]*)?([eE][-+]?[0-9]+)?")
set(row_pattern "^([0-9]+),([1-5]),(${number}),(${number}),([^\",\\\\]+)$")

file(STRINGS "${INPUT}" lines ENCODING UTF-8)
list(POP_FRONT lines header)
if(NOT header STREQUAL "id,basis,factor,offset,name")
    message(FATAL_ERROR "${INPUT}: unexpected header '${header}'")
endif()

set(rows "// Generated from units.csv at build time; edit the data file instead.\n")
set(expected_id 1)
foreach(line IN LISTS lines)
    if(line STREQUAL "")
        continue()
    endif()
    if(NOT line MATCHES "${row_pattern}")
        message(FATAL_ERROR "${INPUT}: malformed row '${line}'")
    endif()
    set(id ${CMAKE_MATCH_1})
    set(basis ${CMAKE_MATCH_2})
    set(factor ${CMAKE_MATCH_3})
    set(offset ${CMAKE_MATCH_6})
    set(name ${CMAKE_MATCH_9})
    if(NOT id EQUAL expected_id)
        message(FATAL_ERROR "${INPUT}: id ${id} where ${expected_id} was expected")
    endif()
    string(APPEND rows "{${id}, ${basis}, ${factor}, ${offset}, \"${name}\"},\n")
    math(EXPR expected_id "${expected_id} + 1")
endforeach()

file(WRITE "${OUTPUT}.tmp" "${rows}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
