# Precompiled Qt headers shared by every library and test executable.
function(qv_use_pch target)
    target_precompile_headers(${target} PRIVATE
        <QtCore/QString> <QtCore/QStringList> <QtCore/QList> <QtCore/QVariant>
        <QtCore/QDir> <QtCore/QFileInfo> <QtSql/QSqlDatabase> <QtSql/QSqlQuery>
        <memory> <vector> <functional>)
endfunction()

function(qv_glob_sources out)
    set(result)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()
