#include "CrashSeed.h"

#include <QtGlobal>
#include <gtest/gtest.h>

#include <iostream>
#include <random>

unsigned CrashSeed(const char* variable, unsigned fixed)
{
    const QString value = qEnvironmentVariable(variable);
    bool numeric = false;
    const unsigned given = value.toUInt(&numeric);
    unsigned seed = fixed;
    if (value == QLatin1String("random"))
        seed = std::random_device()() >> 1;
    else if (numeric)
        seed = given;
    else if (!value.isEmpty())
        ADD_FAILURE() << variable << " is neither a number nor \"random\": " << value.toStdString();
    std::cout << "seed " << seed << " (" << variable << "=" << seed << " replays it)\n";
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}
