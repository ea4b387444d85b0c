#pragma once
// The constraint dialog of the stand-in: the candidate items with a check box each, and the delay
// with its time unit of the current item.

#include "modules/opdialog/ConstraintDialogs.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QListWidget;

class CConstraintDialog : public QDialog {
public:
    CConstraintDialog(const QString& title, const QList<ConstraintChoice>& candidates,
                      const QList<ConstraintChoice>& current, const QStringList& timeUnits);
    QList<ConstraintChoice> chosen() const;

private:
    QList<ConstraintChoice> m_candidates;
    QListWidget* m_list;
    QDoubleSpinBox* m_delay;
    QComboBox* m_unit;
};
