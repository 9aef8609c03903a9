#include "app/EditorCommands.h"
#include <QTextEdit>
#include <gtest/gtest.h>
TEST(Smoke, Builds) { QTextEdit e; EditorCommands c(&e); c.setStartingFormat(); }
