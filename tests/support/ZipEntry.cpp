#include "ZipEntry.h"

#include <zip.h>

QByteArray ZipEntry(const QString& archive, const QString& name)
{
    int error = 0;
    zip_t* zip = zip_open(archive.toUtf8().constData(), ZIP_RDONLY, &error);
    if (!zip)
        return {};
    const QByteArray entry = name.toUtf8();
    QByteArray data;
    zip_stat_t stat;
    if (zip_stat(zip, entry.constData(), 0, &stat) == 0) {
        if (zip_file_t* file = zip_fopen(zip, entry.constData(), 0)) {
            data.resize(qsizetype(stat.size));
            zip_fread(file, data.data(), stat.size);
            zip_fclose(file);
        }
    }
    zip_close(zip);
    return data;
}
