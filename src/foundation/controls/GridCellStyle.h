#pragma once
// What a grid cell looks like and how it edits; only the parts that are set are applied,
// so a style can change one attribute of a cell and leave the others as they are.

#include <QColor>
#include <QMap>
#include <QString>
#include <optional>

// Built-in cell controls. Registered controls (combo lists, buttons) use their own ids, 2000 and up.
enum GridControl : int {
    GRID_CTRL_EDIT = 1,
    GRID_CTRL_STATIC = 2,
    GRID_CTRL_CHECKBOX = 3,
    GRID_CTRL_PUSHBTN = 4,
    GRID_CTRL_DROPDOWNLIST = 5, // choice list of the cell itself
};

const QColor GRID_HEADING_COLOR(255, 255, 128);
const QColor GRID_READONLY_COLOR(192, 192, 192);

class CGridCellStyle {
public:
    CGridCellStyle& SetValue(const QString& value)
    {
        m_value = value;
        return *this;
    }
    CGridCellStyle& SetControl(int control)
    {
        m_control = control;
        return *this;
    }
    CGridCellStyle& SetReadOnly(bool readOnly)
    {
        m_readOnly = readOnly;
        return *this;
    }
    CGridCellStyle& SetEnabled(bool enabled)
    {
        m_enabled = enabled;
        return *this;
    }
    CGridCellStyle& SetInterior(const QColor& color)
    {
        m_interior = color;
        return *this;
    }
    CGridCellStyle& SetChoiceList(const QString& list)
    {
        m_choiceList = list;
        return *this;
    }
    CGridCellStyle& SetHorizontalAlignment(Qt::Alignment a)
    {
        m_alignment = a;
        return *this;
    }
    CGridCellStyle& SetUserAttribute(int id, const QString& text)
    {
        m_userAttributes[id] = text;
        return *this;
    }

    const std::optional<QString>& value() const { return m_value; }
    const std::optional<int>& control() const { return m_control; }
    const std::optional<bool>& readOnly() const { return m_readOnly; }
    const std::optional<bool>& enabled() const { return m_enabled; }
    const std::optional<QColor>& interior() const { return m_interior; }
    const std::optional<QString>& choiceList() const { return m_choiceList; }
    const std::optional<Qt::Alignment>& alignment() const { return m_alignment; }
    const QMap<int, QString>& userAttributes() const { return m_userAttributes; }

private:
    std::optional<QString> m_value;
    std::optional<int> m_control;
    std::optional<bool> m_readOnly;
    std::optional<bool> m_enabled;
    std::optional<QColor> m_interior;
    std::optional<QString> m_choiceList;
    std::optional<Qt::Alignment> m_alignment;
    QMap<int, QString> m_userAttributes;
};

// Cells from (top, left) to (bottom, right), both included; row 0 and column 0 are the headers.
struct CGridRange {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    CGridRange(int row, int col) : top(row), left(col), bottom(row), right(col) {}
    CGridRange(int t, int l, int b, int r) : top(t), left(l), bottom(b), right(r) {}
};
