// A fixture for driving the installer's wizard: a medium folder with the
// installer and a description, shell folders of its own, and page helpers.
#ifndef TALVIREX_WIZARD_FIXTURE_H
#define TALVIREX_WIZARD_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace wizard {

// One file of a test medium: its name, its bytes and its description line.
struct MediumFile {
    std::string name;
    std::string bytes;
    std::string line;  // "" when the file is not listed
};

// Texts of the installer's string table, loaded from TALVIREX.EXE (cp1250).
std::string Text(UINT id);
// Text(id) without a leading kind byte, as its message box shows it.
std::string MessageText(UINT id);
// Text(id) formatted with one string argument.
std::string Formatted(UINT id, const std::string &argument);

// Which page a window of class TALVIREX is, told by the controls it carries.
int PageOf(HWND window);

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes TALVIREX.INF (cp1250; the test texts are UTF-8) and the files.
    void WriteMedium(const std::vector<MediumFile> &files, const std::string &title = "Testovacia publikácia",
                     const std::string &extraPublication = "");
    // The default medium: one of every kind, two with shortcuts.
    void WriteDefaultMedium();

    // Starts the installer from the medium.
    ::testing::AssertionResult Start(const std::string &args = "");
    // Waits for a page with the given ID to be shown (a new window when
    // previous is given) and returns it.
    ::testing::AssertionResult WaitForPage(int pageId, HWND *page, HWND previous = NULL);
    // Presses a button of the current page and waits for the page to follow.
    ::testing::AssertionResult Advance(HWND *page, int button, int nextPageId);
    // Presses Next (or another button) and expects a message box with the text
    // of message id, which is answered with answer.
    ::testing::AssertionResult ExpectMessage(HWND page, int button, UINT id, int answer = IDOK);
    // Waits for the installer to end with exit code 0.
    ::testing::AssertionResult WaitForExit();
    // Walks from the welcome page to the confirmation page with the defaults.
    ::testing::AssertionResult WalkToConfirmation(HWND *page);

    std::string IniPath() const;  // the publication's INI file in the Windows directory

    std::unique_ptr<testsupport::ScratchDir> medium_;
    std::unique_ptr<testsupport::ScratchDir> shell_;  // Program Files, Programs, Desktop
    std::string programFiles_, commonPrograms_, commonDesktop_, userPrograms_, userDesktop_;
    std::string iniName_ = "TVXTEST.INI";
    robot::Process installer_;
    std::vector<std::unique_ptr<testsupport::RegistryValue>> registry_;
};

}  // namespace wizard

#endif
