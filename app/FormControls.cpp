// The program's own controls as form kinds: each reads its design-time properties itself.
#include "app/FormBuilder.h"

#include "controls/UcCmd.h"
#include "controls/UcScroll.h"
#include "controls/button/qxButtons_H.h"

#include <QWidget>

namespace {
template <typename Control> QObject *makeUserControl(const FormNode &node, QWidget *parent)
{
    auto *control = new Control(parent);
    control->setObjectName(node.name);
    FormBuilder::place(node, control);
    FormBuilder::applyHostProperties(node, control);
    control->ReadProperties(node.properties);
    return control;
}

// The skin finds the caption buttons by the Tag the window keeps for them.
QObject *makeImageButton(const FormNode &node, QWidget *parent)
{
    auto *button = static_cast<UcCmd *>(makeUserControl<UcCmd>(node, parent));
    button->setTag(button->property("Tag").toString());
    return button;
}

// The common dialog has no window; the dialogs service stands in for it.
QObject *makeDialogHolder(const FormNode &, QWidget *parent) { return new QObject(parent); }
} // namespace

void registerProgramControls(FormBuilder &builder)
{
    builder.addKind(QStringLiteral("UcCmd"), makeImageButton);
    builder.addKind(QStringLiteral("UcScroll"), makeUserControl<UcScroll>);
    builder.addKind(QStringLiteral("qxButtons_H"), makeUserControl<qxButtons_H>);
    builder.addKind(QStringLiteral("CommonDialog"), makeDialogHolder);
}
