#pragma once
// What the stand-in's operation editor asks of the user, through one replaceable form: the Qt
// dialog in the program, scripted answers in tests. Asking never writes.

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// One stored parameter of the operation (a TblFieldData row) as the form shows it.
struct OperationEditorField {
    long fieldID = -1;
    QString label;
    double value = 1e35; // 1e35: not set
    QString uom;
    bool nonNegative = false; // a time, amount or volume: a negative value is refused

    bool operator==(const OperationEditorField&) const = default;
};

// A library item the operation names (a material, a reaction data set, the key component), chosen
// from a list of the project's library by name.
struct OperationEditorChoice {
    long fieldType = 0; // LibraryReferenceField
    QString label;
    QList<QPair<long, QString>> items; // id and name, by name
    long selected = -1;                // -1: none

    bool operator==(const OperationEditorChoice&) const = default;
};

// The first field whose value is negative although it may not be; -1 when none.
int FirstRefusedNegativeField(const QList<OperationEditorField>& fields);

struct OperationEditorContent {
    QString title;     // type and label of the operation
    QString equipment; // shown, not edited
    QList<OperationEditorField> fields;
    QList<OperationEditorChoice> choices;
    QString comments;

    bool operator==(const OperationEditorContent&) const = default;
};

class OperationEditorForm {
public:
    virtual ~OperationEditorForm() = default;
    // The edited content; nullopt when the user cancelled.
    virtual std::optional<OperationEditorContent> Ask(const OperationEditorContent& content) = 0;
};

// The installed form; the Qt dialog when none is installed.
OperationEditorForm& GetOperationEditorForm();
