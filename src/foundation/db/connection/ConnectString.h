#pragma once
// Connect strings of the form ";DATABASE=<path>;PWD=<password>;". The password is accepted and
// kept for parity with the stored strings; files are not encrypted.

#include <QString>

constexpr char DATABASE_PASSWORD[] = "tupa503172";

struct ConnectString {
    QString database;
    QString password;
};

QString BuildConnectString(const QString& path,
                           const QString& password = QString::fromLatin1(DATABASE_PASSWORD));
// True when the text is a connect string rather than a plain path.
bool IsConnectString(const QString& text);
ConnectString ParseConnectString(const QString& text);
