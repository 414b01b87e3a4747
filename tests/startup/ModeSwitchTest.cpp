#include "startup/ModeSwitch.h"

#include <gtest/gtest.h>

namespace luma {
namespace {

TEST(ModeSwitch, TableOfCommandLines) {
    const struct {
        const char* line;
        const char* modeSwitch;
        Mode mode;
    } cases[] = {
        {"", "", Mode::Show},
        {"    ", "", Mode::Show},
        {"/S", "/S", Mode::Show},
        {"/s", "/S", Mode::Show},
        {"  /S  ", "/S", Mode::Show},
        {"/Saver", "/S", Mode::Show},
        {"/C", "/C", Mode::Configure},
        {"/c:1234", "/C", Mode::Configure},
        {"/P", "/P", Mode::Preview},
        {"/p 5678", "/P", Mode::Preview},
        {"/A", "/A", Mode::Password},
        {"/a:99", "/A", Mode::Password},
        {"/", "/", Mode::Other},
        {"-s", "-S", Mode::Other},
        {"S", "S", Mode::Other},
        {"/X", "/X", Mode::Other},
        {"C:\\pictures", "C:", Mode::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(modeSwitch(QString::fromLatin1(c.line)), QString::fromLatin1(c.modeSwitch))
            << c.line;
        EXPECT_EQ(modeOf(QString::fromLatin1(c.line)), c.mode) << c.line;
    }
}

}  // namespace
}  // namespace luma
