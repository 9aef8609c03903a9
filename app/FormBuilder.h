#pragma once

#include "platform/FormFile.h"

#include <QHash>
#include <QString>
#include <functional>

class QObject;
class QWidget;

// Builds a window's controls from its form file: one object per block, of the kind
// the block names, placed in twips and given its design-time properties.
class FormBuilder
{
public:
    // Makes the object of one kind under `parent` and gives it the block's properties.
    using Maker = std::function<QObject *(const FormNode &node, QWidget *parent)>;

    FormBuilder(); // knows the standard kinds and the program's own controls

    void addKind(const QString &kind, Maker maker);
    bool knows(const QString &kind) const { return m_makers.contains(kind.toLower()); }

    // Gives `window` the root block's properties and builds every child block under it.
    // An unknown kind is an error 13 naming the block.
    void build(const FormNode &root, QWidget *window) const;

    // The window properties a block may carry, applied to a widget of any kind:
    // Caption, Text, Font, ForeColor, BackColor, ToolTipText, Alignment, Visible, Enabled, Tag.
    static void applyCommonProperties(const FormNode &node, QWidget *widget);
    // What the window keeps for any control, also for controls that read their own bag:
    // ToolTipText, Tag, Visible.
    static void applyHostProperties(const FormNode &node, QWidget *widget);
    static void place(const FormNode &node, QWidget *widget);

private:
    void buildChildren(const FormNode &node, QWidget *parent) const;

    QHash<QString, Maker> m_makers; // by kind, lower case
};
