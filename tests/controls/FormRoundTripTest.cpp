#include "controls/UcCmd.h"
#include "controls/UcProgress.h"
#include "controls/UcScroll.h"
#include "platform/FormFile.h"
#include "platform/Twips.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The smallest host: maps kinds to controls, places them, and carries the Tag.
QRect twipsOf(const QWidget *w)
{
    return QRect(pixelsToTwips(w->x()), pixelsToTwips(w->y()), pixelsToTwips(w->width()),
                 pixelsToTwips(w->height()));
}

FormNode saveForm(const QWidget &form)
{
    FormNode root{"Form", "frmTest", twipsOf(&form), {}, {}};
    for (QWidget *child : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        FormNode node{{}, child->objectName(), twipsOf(child), {}, {}};
        if (auto *cmd = qobject_cast<UcCmd *>(child)) {
            node.kind = "UcCmd";
            node.properties.WriteProperty("Tag", cmd->Tag(), QString());
            cmd->WriteProperties(node.properties);
        } else if (auto *scroll = qobject_cast<UcScroll *>(child)) {
            node.kind = "UcScroll";
            scroll->WriteProperties(node.properties);
        } else if (auto *progress = qobject_cast<UcProgress *>(child)) {
            node.kind = "UcProgress";
            progress->WriteProperties(node.properties);
        }
        root.children.push_back(node);
    }
    return root;
}

std::unique_ptr<QWidget> loadForm(const FormNode &root)
{
    auto form = std::make_unique<QWidget>();
    form->resize(twipsToPixels(root.place.width()), twipsToPixels(root.place.height()));
    for (const FormNode &node : root.children) {
        QWidget *control = nullptr;
        if (node.kind == "UcCmd") {
            auto *cmd = new UcCmd(form.get());
            cmd->setTag(node.properties.ReadProperty("Tag", QString()).toString());
            control = cmd;
        } else if (node.kind == "UcScroll") {
            control = new UcScroll(form.get());
        } else {
            control = new UcProgress(form.get());
        }
        control->setObjectName(node.name);
        control->setGeometry(twipsToPixels(node.place.x()), twipsToPixels(node.place.y()),
                             twipsToPixels(node.place.width()), twipsToPixels(node.place.height()));
        if (auto *cmd = qobject_cast<UcCmd *>(control))
            cmd->ReadProperties(node.properties);
        else if (auto *scroll = qobject_cast<UcScroll *>(control))
            scroll->ReadProperties(node.properties);
        else
            static_cast<UcProgress *>(control)->ReadProperties(node.properties);
    }
    form->show();
    return form;
}

template <typename T> T *find(const std::unique_ptr<QWidget> &form, const char *name)
{
    return form->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

TEST(FormRoundTrip, OneOfEachControlComesBackInTheSameState)
{
    QWidget form;
    form.resize(600, 400);
    auto *exit = new UcCmd(&form);
    exit->setObjectName("cmdExit");
    exit->setStyle(4);
    exit->setCaption("Exit");
    exit->setScaleFactor(1.5);
    exit->move(30, 300);
    auto *pick = new UcCmd(&form);
    pick->setObjectName("optPick");
    pick->setStyle(6);
    pick->setCaption("Pick me");
    pick->setValue(true);
    pick->setEnabled(false);
    pick->move(30, 200);
    auto *close = new UcCmd(&form);
    close->setObjectName("cmdClose");
    close->setStyle(1);
    auto *speed = new UcScroll(&form);
    speed->setObjectName("scrSpeed");
    speed->setGeometry(30, 100, 150, 23);
    speed->setMax(450);
    speed->setMin(80);
    speed->setValue(200);
    speed->setSmallChange(5);
    auto *level = new UcProgress(&form);
    level->setObjectName("pbLevel");
    level->setOrientation(1);
    level->setGeometry(300, 20, 13, 94);
    level->setValue(30);
    form.show();

    QTemporaryDir dir;
    const QString path = dir.filePath("Test.form");
    const FormNode saved = saveForm(form);
    FormFile::save(path, saved);
    const auto loaded = loadForm(FormFile::load(path));
    const FormNode savedAgain = saveForm(*loaded);
    EXPECT_EQ(savedAgain, saved) << FormFile::write(savedAgain).toStdString() << "\n---\n"
                                 << FormFile::write(saved).toStdString();

    auto *exit2 = find<UcCmd>(loaded, "cmdExit");
    EXPECT_EQ(exit2->Tag(), "BOUTON");
    EXPECT_EQ(exit2->sizeTwips(), exit->sizeTwips());
    auto *pick2 = find<UcCmd>(loaded, "optPick");
    EXPECT_TRUE(pick2->Value());
    EXPECT_FALSE(pick2->Enabled());
    EXPECT_TRUE(pick2->isDownShown());
    EXPECT_EQ(find<UcCmd>(loaded, "cmdClose")->pos(), close->pos());
    auto *speed2 = find<UcScroll>(loaded, "scrSpeed");
    EXPECT_EQ(speed2->Value(), 200);
    EXPECT_EQ(speed2->ImgThumb(), speed->ImgThumb());
    EXPECT_EQ(speed2->surface(), speed->surface());
    auto *level2 = find<UcProgress>(loaded, "pbLevel");
    level2->Refresh();
    EXPECT_EQ(level2->surface(), level->surface());
}
