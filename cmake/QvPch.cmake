# Two precompiled headers: one for the libraries and programs, built by qv_foundation, and one for
# the tests, built by qv_test_support; every other target reuses one of them. A reused header needs
# the same compile flags and definitions in every target, so a definition that only some files
# need is set on those files alone (qv_define_for_users), never on a target.
set(QV_PCH_HEADERS
    <QtCore/QString> <QtCore/QStringList> <QtCore/QList> <QtCore/QVariant>
    <QtCore/QDir> <QtCore/QFileInfo> <QtSql/QSqlDatabase> <QtSql/QSqlQuery>
    <memory> <vector> <functional>)

function(qv_use_pch target)
    if(target STREQUAL "qv_foundation")
        target_precompile_headers(${target} PRIVATE ${QV_PCH_HEADERS})
    else()
        target_precompile_headers(${target} REUSE_FROM qv_foundation)
    endif()
endfunction()

# Most test files drive widgets: parsing these once in the header saves about a second in each of
# them, in the per-file check above all, and costs a fraction of that in the others.
set(QV_TEST_PCH_HEADERS
    <gtest/gtest.h> <QtWidgets/QApplication> <QtWidgets/QWidget> <QtWidgets/QLineEdit>
    <QtWidgets/QComboBox> <QtWidgets/QPushButton> <QtWidgets/QTreeWidget>)

function(qv_use_test_pch target)
    if(target STREQUAL "qv_test_support")
        target_precompile_headers(${target} PRIVATE ${QV_PCH_HEADERS} ${QV_TEST_PCH_HEADERS})
    else()
        target_precompile_headers(${target} REUSE_FROM qv_test_support)
    endif()
endfunction()

# Defines name as the string value in the .cpp files of target that name it. Call it in the folder
# that creates the target (source properties belong to a folder). Such files compile apart from the
# unity batches.
function(qv_define_for_users target name value)
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
        if(source MATCHES "\\.cpp$" AND EXISTS "${source}")
            file(STRINGS "${source}" uses REGEX "${name}")
            if(uses)
                set_property(SOURCE "${source}" APPEND PROPERTY COMPILE_DEFINITIONS "${name}=\"${value}\"")
            endif()
        endif()
    endforeach()
endfunction()

function(qv_glob_sources out)
    set(result)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# The install data (tools/qv_data) is needed to run target, not to compile it. With Ninja only the
# link waits for the data, so the target's files compile while the data's tool is still building.
function(qv_needs_data target)
    if(CMAKE_GENERATOR MATCHES "Ninja")
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/qv_data.stamp)
    else()
        add_dependencies(${target} qv_data)
    endif()
endfunction()
