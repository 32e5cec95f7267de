// The installer's message boxes, shown by a helper that links the installer's
// message code and answered through the robot.
#include <algorithm>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace {

TEST(MessageBoxes, KindByteDecidesTextButtonsAndResult)
{
    using testsupport::Utf8ToCp1250;
    struct {
        int id, answer;
        std::string text;
        std::vector<int> buttons;
        DWORD result;
    } cases[] = {
        {13, IDYES, Utf8ToCp1250("Inštalácia nie je dokončená. Pokiaľ teraz ukončíte inštalačný program,\n"
                                 "programové vybavenie nebude nainštalované.\n\nChcete pokračovať v inštalácii?"),
         {IDYES, IDNO}, 1},
        {13, IDNO, "", {IDYES, IDNO}, 0},
        {2, IDOK, Utf8ToCp1250("Inštalačný (zdrojový) a cieľový adresár sú zhodné!\n\nZvoľte prosím iný cieľový adresár."),
         {IDOK}, 1},
        {4, IDOK, Utf8ToCp1250("Túto aplikáciu možno spustiť len raz!"), {IDOK}, 1},
        {0, IDOK, Utf8ToCp1250("Inštalácia úspešne ukončená!"), {IDOK}, 0},
        {1, IDOK, "", {IDOK}, 1},  // an ID without a text: an empty box
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        robot::Process process;
        robot::MessageBoxInfo box;
        DWORD result = 99;
        ASSERT_TRUE(process.Start(TEST_HELPER_DIR "\\show_message.exe", std::to_string(c.id)));
        ASSERT_TRUE(robot::WaitForMessageBox(process.Id(), &box));
        EXPECT_EQ("TALVIREX", box.caption);
        if (c.id != 13 || c.answer == IDYES)
            EXPECT_EQ(c.text, box.text);
        std::sort(box.buttons.begin(), box.buttons.end());
        EXPECT_EQ(c.buttons, box.buttons);
        ASSERT_TRUE(robot::AnswerMessageBox(box, c.answer));
        ASSERT_TRUE(process.WaitForExit(&result));
        EXPECT_EQ(c.result, result);
    }
}

}  // namespace
