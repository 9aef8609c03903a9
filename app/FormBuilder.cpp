#include "app/FormBuilder.h"

#include "app/PictureDrawing.h"
#include "skin/PictureBox.h"
#include "platform/SystemColors.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>
#include <QTimer>

void registerProgramControls(FormBuilder &builder); // FormControls.cpp

namespace {
void setColors(QWidget *widget, const PropertyBag &bag)
{
    QPalette palette = widget->palette();
    bool changed = false;
    if (bag.contains(QStringLiteral("ForeColor"))) {
        const QColor fore = toQColor(bag.ReadProperty(QStringLiteral("ForeColor")).toUInt());
        palette.setColor(QPalette::WindowText, fore);
        palette.setColor(QPalette::Text, fore);
        changed = true;
    }
    if (bag.contains(QStringLiteral("BackColor"))) {
        const QColor back = toQColor(bag.ReadProperty(QStringLiteral("BackColor")).toUInt());
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Base, back);
        widget->setAutoFillBackground(true);
        changed = true;
    }
    if (changed)
        widget->setPalette(palette);
}

Qt::Alignment alignmentOf(int vbAlignment)
{
    switch (vbAlignment) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

template <typename Widget> Widget *makeWidget(const FormNode &node, QWidget *parent)
{
    auto *widget = new Widget(parent);
    FormBuilder::place(node, widget);
    FormBuilder::applyCommonProperties(node, widget);
    return widget;
}

QObject *makeTimer(const FormNode &node, QWidget *parent)
{
    auto *timer = new QTimer(parent);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(node.properties.ReadProperty(QStringLiteral("Interval"), 0).toInt());
    if (node.properties.ReadProperty(QStringLiteral("Enabled"), true).toBool() && timer->interval() > 0)
        timer->start();
    return timer;
}

QObject *makePictureBox(const FormNode &node, QWidget *parent)
{
    auto *box = makeWidget<PictureBox>(node, parent);
    if (node.properties.contains(QStringLiteral("BackColor")))
        box->setBackColor(node.properties.ReadProperty(QStringLiteral("BackColor")).toUInt());
    clearDrawing(*box);
    return box;
}
} // namespace

FormBuilder::FormBuilder()
{
    addKind(QStringLiteral("Label"), makeWidget<QLabel>);
    addKind(QStringLiteral("TextBox"), makeWidget<QLineEdit>);
    addKind(QStringLiteral("ListBox"), makeWidget<QListWidget>);
    addKind(QStringLiteral("RichTextBox"), makeWidget<QTextEdit>);
    addKind(QStringLiteral("PictureBox"), makePictureBox);
    addKind(QStringLiteral("Timer"), makeTimer);
    registerProgramControls(*this);
}

void FormBuilder::addKind(const QString &kind, Maker maker) { m_makers.insert(kind.toLower(), std::move(maker)); }

void FormBuilder::build(const FormNode &root, QWidget *window) const
{
    window->setObjectName(root.name);
    if (!root.place.isEmpty())
        window->resize(twipsToPixels(root.place.width()), twipsToPixels(root.place.height()));
    applyCommonProperties(root, window);
    buildChildren(root, window);
}

void FormBuilder::buildChildren(const FormNode &node, QWidget *parent) const
{
    for (const FormNode &child : node.children) {
        const auto maker = m_makers.constFind(child.kind.toLower());
        if (maker == m_makers.cend())
            throw AppError(AppError::TypeMismatch,
                           QStringLiteral("Unknown control kind %1 of %2").arg(child.kind, child.name));
        QObject *object = (*maker)(child, parent);
        object->setObjectName(child.name);
        if (auto *widget = qobject_cast<QWidget *>(object))
            buildChildren(child, widget);
    }
}

void FormBuilder::place(const FormNode &node, QWidget *widget)
{
    const QRect &r = node.place;
    widget->setGeometry(twipsToPixels(r.left()), twipsToPixels(r.top()), twipsToPixels(r.width()),
                        twipsToPixels(r.height()));
}

void FormBuilder::applyCommonProperties(const FormNode &node, QWidget *widget)
{
    const PropertyBag &bag = node.properties;
    const QString caption = bag.ReadProperty(QStringLiteral("Caption")).toString();
    const QString text = bag.ReadProperty(QStringLiteral("Text"), caption).toString();
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        label->setText(text);
        label->setAlignment(alignmentOf(bag.ReadProperty(QStringLiteral("Alignment"), 0).toInt()));
    } else if (auto *line = qobject_cast<QLineEdit *>(widget)) {
        line->setText(text);
    } else if (widget->isWindow() && !caption.isEmpty()) {
        widget->setWindowTitle(caption);
    }
    if (bag.contains(QStringLiteral("Font")))
        widget->setFont(bag.ReadProperty(QStringLiteral("Font")).value<QFont>());
    setColors(widget, bag);
    if (!bag.ReadProperty(QStringLiteral("Enabled"), true).toBool())
        widget->setEnabled(false);
    applyHostProperties(node, widget);
}

void FormBuilder::applyHostProperties(const FormNode &node, QWidget *widget)
{
    const PropertyBag &bag = node.properties;
    if (bag.contains(QStringLiteral("ToolTipText")))
        widget->setToolTip(bag.ReadProperty(QStringLiteral("ToolTipText")).toString());
    if (bag.contains(QStringLiteral("Tag")))
        widget->setProperty("Tag", bag.ReadProperty(QStringLiteral("Tag")).toString());
    if (!bag.ReadProperty(QStringLiteral("Visible"), true).toBool())
        widget->setVisible(false);
}
