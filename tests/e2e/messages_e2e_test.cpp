// The installer's message boxes, shown by a helper that links the installer's
// message code and driven through the robot.
#include <gtest/gtest.h>

#include <algorithm>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace {

using testsupport::Utf8ToCp1250;

struct Shown {
    robot::MessageBoxInfo box;
    DWORD exitCode = 0;
};

// Starts the helper for one message ID, answers its box and returns what was seen.
::testing::AssertionResult ShowAndAnswer(int id, int answer, Shown *shown)
{
    robot::Process process;
    ::testing::AssertionResult r = process.Start(TEST_HELPER_DIR "\\show_message.exe", std::to_string(id));
    if (!r)
        return r;
    r = robot::WaitForMessageBox(process.Id(), &shown->box);
    if (!r)
        return r;
    r = robot::AnswerMessageBox(shown->box, answer);
    if (!r)
        return r;
    return process.WaitForExit(&shown->exitCode);
}

TEST(MessageBoxes, QuestionShowsTextWithoutKindByteAndYesGivesOne)
{
    Shown shown;
    ASSERT_TRUE(ShowAndAnswer(13, IDYES, &shown));
    EXPECT_EQ("TALVIREX", shown.box.caption);
    EXPECT_EQ(Utf8ToCp1250("Inštalácia nie je dokončená. Pokiaľ teraz ukončíte inštalačný program,\n"
                           "programové vybavenie nebude nainštalované.\n\nChcete pokračovať v inštalácii?"),
              shown.box.text);
    EXPECT_NE(shown.box.buttons.end(), std::find(shown.box.buttons.begin(), shown.box.buttons.end(), IDNO));
    EXPECT_EQ(1u, shown.exitCode);
}

TEST(MessageBoxes, QuestionAnsweredNoGivesZero)
{
    Shown shown;
    ASSERT_TRUE(ShowAndAnswer(13, IDNO, &shown));
    EXPECT_EQ(0u, shown.exitCode);
}

TEST(MessageBoxes, TextWithoutKindIsShownWholeWithOk)
{
    Shown shown;
    ASSERT_TRUE(ShowAndAnswer(2, IDOK, &shown));
    EXPECT_EQ(Utf8ToCp1250("Inštalačný (zdrojový) a cieľový adresár sú zhodné!\n\nZvoľte prosím iný cieľový adresár."),
              shown.box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, shown.box.buttons);
    EXPECT_EQ(1u, shown.exitCode);
}

TEST(MessageBoxes, ErrorKindIsStrippedAndGivesOne)
{
    Shown shown;
    ASSERT_TRUE(ShowAndAnswer(4, IDOK, &shown));
    EXPECT_EQ(Utf8ToCp1250("Túto aplikáciu možno spustiť len raz!"), shown.box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, shown.box.buttons);
    EXPECT_EQ(1u, shown.exitCode);
}

TEST(MessageBoxes, InformationKindGivesZero)
{
    Shown shown;
    ASSERT_TRUE(ShowAndAnswer(0, IDOK, &shown));
    EXPECT_EQ(Utf8ToCp1250("Inštalácia úspešne ukončená!"), shown.box.text);
    EXPECT_EQ(0u, shown.exitCode);
}

TEST(MessageBoxes, IdWithoutTextShowsAnEmptyBox)
{
    Shown shown;
    ASSERT_TRUE(ShowAndAnswer(1, IDOK, &shown));
    EXPECT_EQ("", shown.box.text);
    EXPECT_EQ("TALVIREX", shown.box.caption);
    EXPECT_EQ(1u, shown.exitCode);
}

}  // namespace
