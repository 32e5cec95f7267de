// The web address a link control opens.
#include "test_support.h"
#include "ui/controls.h"

namespace {

TEST(WebAddress, IsHttpAndTheTextAfterTheLayoutLetter)
{
    const std::string longest(98, 'w');   // the most a 100-byte text read can carry
    // No address: nothing to open, and an address that does not fit is not opened in a cut form.
    const struct { std::string text; size_t room; std::string address; } table[] = {
        {"Cwww.vzorka.example", WEB_ADDRESS_SIZE, "http://www.vzorka.example"}, {"cab", WEB_ADDRESS_SIZE, "http://ab"},
        {"Ca", WEB_ADDRESS_SIZE, ""}, {"C", WEB_ADDRESS_SIZE, ""}, {"", WEB_ADDRESS_SIZE, ""},
        {"C" + longest, WEB_ADDRESS_SIZE, "http://" + longest}, {"Cwww.vzorka.example", 16, ""}};
    for (const auto &t : table) {
        char address[WEB_ADDRESS_SIZE] = "";
        EXPECT_EQ(!t.address.empty(), BuildWebAddress(t.text.c_str(), address, t.room)) << t.text;
        EXPECT_EQ(t.address, address) << t.text;
    }
}

}  // namespace
