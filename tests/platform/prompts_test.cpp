// The filter conversion for the file choosers and the wait cursor's nesting.
#include "platform/file_filter.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

TEST(FileFilter, PipeSeparatedPairsBecomeQtEntries)
{
    EXPECT_EQ(QtFileFilter(QStringLiteral("PDF Files (*.pdf)|*.pdf||")), QStringLiteral("PDF Files (*.pdf)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("TW Form Files (*.tdf)|*.tdf|All Files (*.*)|*.*||")),
              QStringLiteral("TW Form Files (*.tdf);;All Files (*.*)"));
    // A description that does not show its patterns gets them.
    EXPECT_EQ(QtFileFilter(QStringLiteral("Pictures|*.png;*.jpg||")), QStringLiteral("Pictures (*.png *.jpg)"));
    EXPECT_EQ(QtFileFilter(QString()), QString());
    EXPECT_EQ(QtFileFilter(QStringLiteral("Text (*.txt)|*.txt")), QStringLiteral("Text (*.txt)"));
}

TEST(WaitCursor, NestsAndEndsWithItsScope)
{
    ScriptedPrompts prompts;
    {
        WaitCursor outer(prompts);
        {
            WaitCursor inner(prompts);
            EXPECT_EQ(prompts.waitDepth, 2);
        }
        EXPECT_EQ(prompts.waitDepth, 1);
    }
    EXPECT_EQ(prompts.waitDepth, 0);
    EXPECT_EQ(prompts.waitCursorsShown, 2);
}
