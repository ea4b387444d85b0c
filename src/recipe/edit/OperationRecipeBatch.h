#pragma once
// The data copies of a paste's operations, written together once all its lines are in (parameter
// groups, fields, ranges) through statements the destination keeps prepared, the copies in the
// order they were queued, so the rows come out as copying the operations one after the other
// writes them. The new operations' rows hold their copied texts and notes from the start
// (WriteOperationCopy). Names of type UNIQUE_NAME_FIELD_TYPE are chosen in memory in that order
// against the names operations of the destination recipe hold. Each new operation is processed
// after its rows are in and keeps its copied text, except those the caller regenerates itself once
// its lines are in (processing them here too would compose their texts twice). Runs inside the
// caller's transaction on the destination.

#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>

#include <optional>

class CDaoDatabase;
class COperationRecipeSource;
struct OperationRecipeRows;

class COperationRecipeBatch {
public:
    COperationRecipeBatch(const COperationRecipeSource& source, long destinationStepID);

    // The source operation's rows (the texts its copy's row and line take); null (the message
    // shown) when the source has no such operation.
    const OperationRecipeRows* Find(long sourceOperationID) const;
    // Queues the copy of those rows to the new operation.
    void Add(const OperationRecipeRows& rows, long destinationOperationID);
    // The texts of the copy's Operation row: RecipeText, UserComments, RangeText, SafetyNote.
    static QVariantList Texts(const OperationRecipeRows& rows);

    // Writes every queued copy, processing those not regenerated later; a database error raises
    // CDaoException.
    void Write(CDaoDatabase& destination, const QSet<long>& regeneratedLater = {});

private:
    struct Copy {
        const OperationRecipeRows* rows;
        long destinationOperationID;
    };

    bool copiesUniqueNames() const;
    QSet<QString> namesTaken(CDaoDatabase& destination) const;
    // Unique names numbered when taken holds the names in use.
    void writeParameterRows(CDaoDatabase& destination, std::optional<QSet<QString>> taken) const;
    void writeTexts(CDaoDatabase& destination, const QSet<long>& operationIDs) const;

    const COperationRecipeSource& m_source;
    long m_destinationStepID;
    QList<Copy> m_copies;
};
