#pragma once

#include "ChmBuilder.h"
#include "help/HelpSystem.h"
#include "help/HelpViewer.h"
#include "help/WindowHandles.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <gtest/gtest.h>

// A fixture with the made-up fruit help file (built once per suite); every help window is
// closed after each case.
class FruitHelpTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        builder = new ChmBuilder;
        fruit = new QString(ChmBuilder::fruitHelp(*builder));
    }
    static void TearDownTestSuite()
    {
        delete fruit;
        delete builder;
        fruit = nullptr;
        builder = nullptr;
    }
    void TearDown() override
    {
        HtmlHelp(0, QString(), HH::CLOSE_ALL, std::monostate{});
        QApplication::processEvents();
    }
    static HelpViewer *viewerOf(qint32 handle)
    {
        return qobject_cast<HelpViewer *>(WindowHandles::widgetOf(handle));
    }

    static inline ChmBuilder *builder = nullptr;
    static inline QString *fruit = nullptr;
    ScriptedMessageBoxes boxes;
};
