#pragma once
// The program's side of compound project files (.qvz): which package the open project was
// unpacked from, the folder it was unpacked into, the "CompoundFileLocation.txt" that ties such a
// folder to its package, packing after a save, the clean-up at close and the extraction of one
// library out of a package. The packing itself is the packer's (modules/packer).
//
// A pack writes only the location file's first line, the package's path. An unpack adds its
// record after that line: the package, the folder's own path and whether the package holds what
// was saved in the folder. Only a folder whose record names that very folder, and which the
// program's own list of unpacked folders names too (UnpackRegistry), was unpacked here; only such a
// folder is ever emptied at close or unpacked into again. A save writes a package back only into
// a package the list ties to the folder (an unpack, or a pack by Save As Compound File or Manage
// Compound File); any other location file is passed over, and said so once.

#include "projects/CompoundFileState.h"
#include "projects/package/StagedPackage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class ICompoundFilePacker;

class CCompoundFile : public ICompoundFileState {
public:
    // Saves the open project before it is packed; false when the save failed.
    using ProjectSaver = std::function<bool()>;
    // Gives an untitled project its name (Save As) before it is packed; false = refused or failed.
    using TitleGiver = std::function<bool()>;

    // True for a ".qvz" path (any case).
    static bool IsCompoundFile(const QString& path);

    // Set by start-up when it unpacked the package named on its command line; cleared at close.
    void SetStartupPackage(bool unpacked) { m_bStartupPackage = unpacked; }
    bool IsStartupPackage() const { return m_bStartupPackage; }

    void Reset();
    bool IsValid() const { return m_bValid; }
    void SetProjectSaver(ProjectSaver saver) { m_saver = std::move(saver); }
    void SetTitleGiver(TitleGiver giver) { m_titleGiver = std::move(giver); }

    // Unpacks a package into a staging folder in the working folder and checks it there as an open
    // checks a project folder, before anything of an open project is asked about or closed; false
    // after the message that says why. The stage is kept for Expand until DropStage.
    bool Stage(const QString& package);
    // Stage for a package; true for any other path.
    bool StageIfCompound(const QString& path);
    void DropStage() { m_staged.reset(); }
    // Moves the stage of the package (staged again when there is none, or the package changed since)
    // into the working folder; UnpackedProjectFile() is then the unpacked ".prj".
    bool Expand(const QString& package);
    QString UnpackedProjectFile() const { return m_strProjectFile; }
    // Saves the project and packs its folder; mode 1 from Manage Compound File, 0 from Save As
    // Compound File. Nothing is packed when the save fails. True when the package was written.
    bool Create(const QString& package, int mode);
    // Save As Compound File: the package is asked for with a save dialog; nothing happens
    // without one.
    bool SaveAsCompoundFile();
    // Manage Compound File: packs into the package the folder names, or the default one.
    bool SaveAs();
    // On every save: when the project folder names an existing package of this project, repacks
    // it from the source folder. True when there was nothing to do or the package was written. A
    // read-only package or another project's is refused; in a folder unpacked here a missing one
    // fails too, and the record then keeps that the folder holds changes the package lacks.
    bool SaveBack(const QString& sourceFolder, const QString& projectFolder) override;
    bool SaveToPackage(const QString& folder, const QString& package);
    void BeforeFolderWrite(const QString& projectFolder) override;

    // The folder carries the record of an unpack into it, and no packer call failed.
    bool IsExpandedProject(const QString& folder) const override;
    // Removes the package's members from a folder unpacked here once the package holds them; the
    // location file goes too when the package lies in the folder itself. When the package is gone
    // or another project's, the folder is kept and marked as not saved back.
    void CleanUp(const QString& folder, const QString& name) override;
    QString GetCompoundFilePath(const QString& folder) const override;

    // What an unpack records about the folder it wrote.
    struct UnpackRecord {
        QString package;
        QString folder;
        bool savedBack = true; // the package holds what was saved in the folder
    };
    // The folder's record, when it names that very folder and the package of the first line.
    static std::optional<UnpackRecord> ReadUnpackRecord(const QString& folder);
    // The location file with the record, made durable, the folder listed as unpacked here first;
    // false after the message.
    static bool WriteUnpackRecord(const QString& folder, const QString& package, bool savedBack);

    static QString LocationFilePath(const QString& folder);
    // The first line only, as a pack writes it, made durable; false after the message.
    static bool WriteLocationFile(const QString& package, const QString& folder);
    static bool LocationFileExists(const QString& folder);
    // The package the folder's location file names when this program tied the two (an unpack
    // here, or a pack of the folder into it); "" otherwise, as for a folder without one.
    static QString TiedPackage(const QString& folder);
    // Unties a folder from its package (a new project or Save As written there); false when the
    // file stays.
    static bool DeleteLocationFile(const QString& folder);
    static QString ReadLocationFile(const QString& folder);
    // The whole file as it lies; nothing when there is none.
    static std::optional<QByteArray> ReadWholeLocationFile(const QString& folder);
    // The open project file's folder and name with ".qvz"; "" without a project file.
    static QString GetDefaultPackagePath();

    // One library of the package folder + name + ".qvz" unpacked into a temporary folder of its
    // own: kind 0 the materials, 1 the equipment. result: the library's path.
    static bool GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder, const QString& name,
                                                      QString& result);

private:
    enum class ExpandFolder { Chosen, AllHeld, InUse };
    ExpandFolder ChooseExpandFolder(const QString& package, const QString& name, QString& folder) const;
    static bool IsPassedOver(const QString& candidate, const QString& package);
    bool TitleProject();
    bool RunExpand(ICompoundFilePacker& packer, const QString& package, const QString& folder);
    bool CheckStaged(const CStagedPackage& staged, const QString& package) const;
    bool Fail(const QString& message);
    bool SaveForPacking(const QString& folder, const QString& package);
    // The package exists, may be replaced and its root names the open project.
    static bool IsOwnWritablePackage(const QString& package);
    bool WritePackageBack(const QString& folder, const QString& package);
    bool FailSaveBack(const QString& keptIn);
    // The first save of a folder whose location file is not tied to it says so, once a session.
    bool SayUntiedOnce(const QString& folder, const QString& package);
    static void TieFolder(const QString& folder, const QString& package);
    // In a folder carrying the record: notes whether the package holds what the folder holds.
    void MarkSavedBack(const QString& folder, bool savedBack);
    // The members of the folder's package when the package is this project's.
    static bool ReadOwnMembers(const QString& package, const QString& name, QStringList& members);

    QString m_strPackagePath;
    QString m_strProjectFile;
    bool m_bValid = true;
    bool m_bStartupPackage = false;
    QStringList m_untiedSaid; // the folders told about their untied location file
    ProjectSaver m_saver;
    TitleGiver m_titleGiver;
    std::unique_ptr<CStagedPackage> m_staged; // checked whole, not yet moved into place
};
