#pragma once
// The application object of a headless session (the save driver, the benchmarks): every folder
// under a root that outlives the process, and the default recipe-language template in the
// install's Language folder (built when missing). The sessions of one test lie side by side in
// its folder, so that a later session recovers the working copies an earlier one left.

#include "RootedAppContext.h"
#include "foundation/db/schema/SchemaBuilder.h"

class CSessionAppContext : public RootedAppContext {
public:
    CSessionAppContext(const QString& root, const QString& instanceDir)
        : RootedAppContext(root, instanceDir, {}, QDir::cleanPath(QDir(root).absoluteFilePath(QStringLiteral(".."))))
    {
        const QString language = paths()->languageDir() + QStringLiteral("QVEnglish.lng");
        if (QFileInfo::exists(language) || CSchemaBuilder::Build(DatabaseKind::Language, language))
            fileSet().defaultLanguageTemplatePath = language;
    }
};
