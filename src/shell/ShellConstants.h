#pragma once
// Names the shell shows and stores.

#include <QString>

inline const QString PRODUCT_NAME = QStringLiteral("Tamro Plenthover");
inline const QString PROFILE_ORGANIZATION = QStringLiteral("Kovistrel");
inline const QString PROFILE_APPLICATION = QStringLiteral("Quorvanta");
inline const QString PROFILE_VERSION_GROUP = QStringLiteral("38.0");
inline const QString USER_SETTINGS_FILE_NAME = QStringLiteral("DUZO.xml");
inline const QString WORKSPACE_SETTINGS = QStringLiteral("Workspace Settings");

constexpr int RECENT_FILE_COUNT = 8;
constexpr int AUTO_SAVE_TIMER_ID = 2;
constexpr int MAX_AUTO_SAVE_MINUTES = 120;
